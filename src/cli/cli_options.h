// The command line of malvoret-report.
#pragma once

#include <map>
#include <string>
#include <vector>

struct CliOptions {
    std::string systemFile;              // empty: the real system (Windows) or the built-in machine
    std::vector<std::string> regFiles;   // registry exports of a machine (--from-reg)
    std::string driversDir;              // copies of its driver files (--drivers)
    std::string windowsDir;              // the Windows folder of an installation (--windir)
    std::vector<std::string> hiveFiles;  // its SYSTEM and SOFTWARE hives (--hive)
    std::map<char, std::string> drives;  // where its other drives are mounted (--drive C=DIR)
    std::string outputFile;              // empty: standard output
    // Saved reports as data: each command reads saved reports (or the report
    // that would be written now) instead of writing one.
    std::string format = "text";         // text, json, jsonl or html
    std::vector<std::string> readFiles;  // --read
    std::vector<std::string> diffFiles;  // --diff: old, and new unless the live report
    bool diff = false;
    bool check = false;
    std::string checkFile;  // empty: the report that would be written now
    unsigned codePage = 0;  // 0: the system's (Windows) or 1252
    bool showUsb = true;
    bool show1394 = true;
    std::vector<std::string> classes;  // --class: names or GUIDs, in the order given
    bool allClasses = false;           // --all-classes
    bool details = false;              // --details: device status, IDs, flags, driver package
    bool verbose = false;
    bool help = false;
    bool version = false;
};

// Reads the arguments after the program name. False with a one-line
// `error` for an unknown option, a missing value or a stray argument.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// The help text, ending in a line break.
std::string CliUsage();
