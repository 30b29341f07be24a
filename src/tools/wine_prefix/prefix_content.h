// What a described machine becomes in a Wine prefix: registry content to
// import, and for each driver file a resource script from which MinGW builds
// a real PE file carrying the described version resource.
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"

struct DriverSource {
    std::string fileName;  // as the machine names it, e.g. usbhub.sys
    std::string script;    // the .rc text; empty: a file without a version resource
};

struct PrefixContent {
    std::string reg;  // REGEDIT4: Control\Class, Enum and Services keys
    std::vector<DriverSource> drivers;
    // Files directly in the Windows folder's inf folder (INF files of driver
    // packages): written with placeholder text, for their existence only.
    std::vector<std::string> infFiles;
    // What a prefix cannot carry, one line each, with the reason.
    std::vector<std::string> notRepresented;
};

// Only files directly in the machine's system directory\drivers are built,
// and those directly in its Windows folder's inf folder written; the others
// are listed as not represented.
PrefixContent BuildPrefixContent(const machine::Machine& machine);

// The VERSIONINFO resource script of `version`; false with `why` set where a
// script cannot express it.
bool VersionResourceScript(const machine::VersionFields& version, std::string& script,
                           std::string& why);

// A shell script that builds every driver file: build.sh OUT_DIR WINDRES CC.
std::string DriverBuildScript(const PrefixContent& content);
