#include "cli/cli_options.h"

#include "report/report_title.h"

std::string CliUsage() {
    return "Usage: malvoret-report [OPTION]...\n"
           "Writes the " +
           ProductLine() +
           " report to standard output.\n"
           "\n"
           "  --system FILE   report on the machine described in FILE (JSON)\n"
           "  --from-reg FILE...\n"
           "                  report on the machine whose registry exports (.reg) these\n"
           "                  are (see docs/offline.md)\n"
           "  --windir DIR    report on the Windows installation whose Windows folder DIR\n"
           "                  is (its registry hives and driver files; see docs/offline.md)\n"
           "  --drive X=DIR   with --windir: that installation's drive X: is mounted at DIR\n"
           "  --hive FILE     report on the machine whose SYSTEM hive (and, given twice, its\n"
           "                  SOFTWARE hive) FILE is, as `reg save` writes it\n"
           "  --drivers DIR   with --from-reg or --hive: copies of that machine's\n"
           "                  system32\\drivers\n"
           "  --no-usb        leave out the USB setup class\n"
           "  --no-1394       leave out the IEEE 1394 setup class\n"
           "  --class CLASS   also report the setup class CLASS: its name (any case) or its\n"
           "                  GUID (braces optional); may be given several times\n"
           "  --all-classes   also report every installed setup class that has a present\n"
           "                  device, by name\n"
           "  --details       add each device's status, IDs, configuration flags and\n"
           "                  driver package, and each service's start type\n"
           "  --output FILE   write the report to FILE instead of standard output\n"
           "  --verbose       also write every trace message to standard error\n"
           "  --format FORMAT text (the default), json, html (one web page), or with --read\n"
           "                  jsonl (one line each)\n"
           "  --read FILE...  read saved reports and write them again in the format asked\n"
           "  --diff OLD [NEW]\n"
           "                  what changed from the saved report OLD to NEW (without NEW:\n"
           "                  to the report that would be written now); exit 0 the same,\n"
           "                  1 different, 2 trouble\n"
           "  --check [FILE]  findings in a saved report (or the one that would be written\n"
           "                  now); exit 0 nothing of severity error, 1 errors, 2 trouble\n"
           "  --code-page N   ANSI code page of the reports' text (default: the system's)\n"
           "  --help, -h, /?, -?\n"
           "                  show this help and exit\n"
           "  --version       show the version and exit\n"
           "\n"
#if defined(_WIN32)
           "Without --system, --from-reg, --windir or --hive the report describes this\n"
           "computer.\n"
#else
           "Without --system, --from-reg, --windir or --hive the report describes the\n"
           "built-in example machine.\n"
#endif
           "\n"
           "Exit status: 0 done; 1 the report could not be written; 2 bad arguments, or a\n"
           "description or export that could not be read (nothing is written then).\n";
}

namespace {

bool ParseCodePage(const std::string& text, unsigned& codePage) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    codePage = static_cast<unsigned>(std::stoul(text));
    return codePage != 0;
}

// The combinations of the commands that read saved reports.
bool CheckAnalysisOptions(const CliOptions& options, std::string& error) {
    const int commands = !options.readFiles.empty() + options.diff + options.check;
    const bool described = !options.systemFile.empty() || !options.regFiles.empty() ||
                           !options.windowsDir.empty() || !options.hiveFiles.empty();
    if (commands > 1) {
        error = "options --read, --diff and --check exclude each other";
    } else if (options.format != "text" && options.format != "json" && options.format != "jsonl" &&
               options.format != "html") {
        error = "option --format takes text, json, jsonl or html, not '" + options.format + "'";
    } else if (options.format == "jsonl" && options.readFiles.empty()) {
        error = "option --format jsonl needs --read";
    } else if (options.format == "html" && options.readFiles.size() > 1) {
        error = "option --format html writes one page: --read takes one file with it";
    } else if (described && (!options.readFiles.empty() || options.diffFiles.size() == 2 ||
                             !options.checkFile.empty())) {
        error = "a saved report to read excludes --system, --from-reg, --windir and --hive";
    } else if ((!options.classes.empty() || options.allClasses) &&
               (!options.readFiles.empty() || options.diffFiles.size() == 2 ||
                !options.checkFile.empty())) {
        error =
            "options --class and --all-classes choose what a new report holds, not what a "
            "saved one says";
    } else if (options.details && (!options.readFiles.empty() || options.diffFiles.size() == 2 ||
                                   !options.checkFile.empty())) {
        error = "option --details asks for a report written now, not a saved one";
    } else {
        return true;
    }
    return false;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error) {
    options = CliOptions{};
    std::vector<std::string> checkFiles;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg.erase(eq);
                hasValue = true;
            }
        }
        if (arg == "--from-reg") {
            // One or more files, up to the next option.
            if (hasValue && !value.empty()) {
                options.regFiles.push_back(value);
            }
            while (!hasValue && i + 1 < args.size() && args[i + 1].rfind("-", 0) != 0) {
                options.regFiles.push_back(args[++i]);
            }
            if (options.regFiles.empty()) {
                error = "option --from-reg needs a file name";
                return false;
            }
            continue;
        }
        if (arg == "--drive") {
            if (!hasValue && i + 1 < args.size()) {
                value = args[++i];
                hasValue = true;
            }
            const char letter = value.empty() ? '\0' : value[0];
            const char upper =
                letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
            if (!hasValue || value.size() < 3 || value[1] != '=' || upper < 'A' || upper > 'Z') {
                error = "option --drive needs a drive letter and a folder: --drive C=/mnt/win";
                return false;
            }
            options.drives[upper] = value.substr(2);
            continue;
        }
        if (arg == "--hive") {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = "option --hive needs a file name";
                    return false;
                }
                value = args[++i];
            }
            if (value.empty()) {
                error = "option --hive needs a file name";
                return false;
            }
            options.hiveFiles.push_back(value);
            continue;
        }
        if (arg == "--read" || arg == "--diff" || arg == "--check") {
            // Files up to the next option: any number, one or two, none or one.
            std::vector<std::string>& files = arg == "--read"   ? options.readFiles
                                              : arg == "--diff" ? options.diffFiles
                                                                : checkFiles;
            const std::size_t most = arg == "--read" ? args.size() : arg == "--diff" ? 2 : 1;
            if (hasValue && !value.empty()) {
                files.push_back(value);
            }
            while (!hasValue && files.size() < most && i + 1 < args.size() &&
                   args[i + 1].rfind("-", 0) != 0) {
                files.push_back(args[++i]);
            }
            options.diff = options.diff || arg == "--diff";
            options.check = options.check || arg == "--check";
            if (files.empty() && arg != "--check") {
                error = "option " + arg + " needs a file name";
                return false;
            }
            continue;
        }
        if (arg == "--class") {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = "option --class needs a class name or GUID";
                    return false;
                }
                value = args[++i];
            }
            if (value.empty()) {
                error = "option --class needs a class name or GUID";
                return false;
            }
            options.classes.push_back(value);
            continue;
        }
        if (arg == "--format" || arg == "--code-page") {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = "option " + arg + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (arg == "--format") {
                options.format = value;
            } else if (!ParseCodePage(value, options.codePage)) {
                error = "option --code-page needs a code page number, not '" + value + "'";
                return false;
            }
            continue;
        }
        if (arg == "--system" || arg == "--output" || arg == "--drivers" || arg == "--windir") {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = "option " + arg + " needs a file name";
                    return false;
                }
                value = args[++i];
            }
            if (value.empty()) {
                error = "option " + arg + " needs a file name";
                return false;
            }
            (arg == "--system"   ? options.systemFile
             : arg == "--output" ? options.outputFile
             : arg == "--windir" ? options.windowsDir
                                 : options.driversDir) = value;
            continue;
        }
        if (hasValue) {
            error = "option " + arg + " takes no value";
            return false;
        }
        if (arg == "--no-usb") {
            options.showUsb = false;
        } else if (arg == "--no-1394") {
            options.show1394 = false;
        } else if (arg == "--all-classes") {
            options.allClasses = true;
        } else if (arg == "--details") {
            options.details = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--help" || arg == "-h" || arg == "/?" || arg == "-?") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
    }
    const int sources = !options.systemFile.empty() + !options.regFiles.empty() +
                        !options.windowsDir.empty() + !options.hiveFiles.empty();
    if (sources > 1) {
        error = "options --system, --from-reg, --windir and --hive exclude each other";
        return false;
    }
    if (options.hiveFiles.size() > 2) {
        error = "option --hive names a SYSTEM and a SOFTWARE hive, no more";
        return false;
    }
    if (!options.driversDir.empty() && options.regFiles.empty() && options.hiveFiles.empty()) {
        error = "option --drivers needs --from-reg or --hive";
        return false;
    }
    if (!options.drives.empty() && options.windowsDir.empty()) {
        error = "option --drive needs --windir";
        return false;
    }
    options.checkFile = checkFiles.empty() ? std::string() : checkFiles.front();
    return CheckAnalysisOptions(options, error);
}
