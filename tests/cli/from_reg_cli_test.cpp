// malvoret-report --from-reg: option parsing, and the built program on good
// and bad exports (host builds only for the latter).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_options.h"

#if !defined(_WIN32)
#include <sys/wait.h>

#include <filesystem>

#include "support/scratch_dir.h"
#endif

namespace {

TEST(FromRegOptionsTest, TakesFilesUpToTheNextOption) {
    CliOptions options;
    std::string error;
    ASSERT_TRUE(ParseCliOptions({"--from-reg", "a.reg", "b.reg", "--drivers", "d", "--no-usb"},
                                options, error))
        << error;
    EXPECT_EQ((std::vector<std::string>{"a.reg", "b.reg"}), options.regFiles);
    EXPECT_EQ("d", options.driversDir);
    EXPECT_FALSE(options.showUsb);

    ASSERT_TRUE(ParseCliOptions({"--from-reg=a.reg", "--from-reg", "b.reg"}, options, error));
    EXPECT_EQ((std::vector<std::string>{"a.reg", "b.reg"}), options.regFiles);

    const std::vector<std::vector<std::string>> refused = {
        {"--from-reg"},
        {"--from-reg", "--no-usb"},
        {"--drivers", "d"},
        {"--from-reg", "a.reg", "--system", "m.json"},
        {"--from-reg", "a.reg", "--drivers"},
    };
    for (const auto& args : refused) {
        EXPECT_FALSE(ParseCliOptions(args, options, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

#if !defined(_WIN32)

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome Start(const ScratchDir& dir, const std::string& args) {
    const std::string command = std::string(MVSI_REPORT_EXE) + " " + args + " >" +
                                dir.Path("stdout") + " 2>" + dir.Path("stderr") + " </dev/null";
    const int status = std::system(command.c_str());
    Outcome run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(dir.Path("stdout"));
    run.err = ReadWholeFile(dir.Path("stderr"));
    return run;
}

TEST(FromRegCliTest, BadExportsAreRefusedWithFileAndLineAndNothingWritten) {
    ScratchDir dir;
    const std::string good = dir.Path("good.reg");
    ASSERT_TRUE(WriteWholeFile(
        good,
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\x]\r\n"
        "\"Type\"=dword:00000001\r\n"));
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\r\n", "bad.reg:2: unbalanced brackets"},
        {"REGEDIT4\r\n[HKLM\\A]\r\n\"v\"=hex:01,0x\r\n", "bad.reg:3: bad hex data"},
        {"REGEDIT4\r\n[HKLM\\A]\r\n\"v\"=hex:01,\\\r\n", "bad.reg:3: the file ends inside"},
        {std::string("\x7f\x45LF\x01\x00\x00\x00", 8), "bad.reg:1: binary data"},
    };
    for (const auto& [text, message] : bad) {
        SCOPED_TRACE(message);
        ASSERT_TRUE(WriteWholeFile(dir.Path("bad.reg"), text));
        const Outcome run = Start(dir, "--from-reg " + good + " " + dir.Path("bad.reg") +
                                           " --output " + dir.Path("report.txt"));
        EXPECT_EQ(2, run.exitCode);
        EXPECT_NE(std::string::npos, run.err.find(message)) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path("report.txt")));
    }
    const Outcome missing = Start(dir, "--from-reg " + dir.Path("absent.reg"));
    EXPECT_EQ(2, missing.exitCode);
    EXPECT_NE(std::string::npos, missing.err.find("absent.reg: cannot be read")) << missing.err;

    const Outcome ok = Start(dir, "--from-reg " + good + " --drivers " + dir.Root().string());
    EXPECT_EQ(0, ok.exitCode) << ok.err;
    EXPECT_NE(std::string::npos, ok.out.find("System:")) << ok.out;
}

#endif

}  // namespace
