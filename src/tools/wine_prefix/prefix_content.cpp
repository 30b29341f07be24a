#include "tools/wine_prefix/prefix_content.h"

#include <cstdio>

#include "machine/registry_export.h"
#include "machine/registry_from_machine.h"
#include "machine/registry_services.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string VersionNumber(const win::WORD (&v)[4]) {
    return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," +
           std::to_string(v[3]);
}

// A resource-script string literal; bytes beyond ASCII as octal escapes so
// that the code page given to the compiler decides them.
std::string RcString(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"') {
            out += "\"\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Hex4(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04x", value & 0xffffu);
    return buf;
}

// A name a shell script may use unquoted.
bool SafeFileName(const std::string& name) {
    if (name.empty() || name[0] == '.' || name[0] == '-') {
        return false;
    }
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '.' || c == '_' || c == '-';
        if (!ok) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool VersionResourceScript(const machine::VersionFields& version, std::string& script,
                           std::string& why) {
    if (!version.hasFixedInfo) {
        why = "the resource compiler always writes the fixed file information";
        return false;
    }
    std::string s = "#include <winver.h>\n\nVS_VERSION_INFO VERSIONINFO\n";
    s += "FILEVERSION " + VersionNumber(version.fileVersion) + "\n";
    s += "PRODUCTVERSION " + VersionNumber(version.productVersion) + "\n";
    s += "FILEOS VOS_NT_WINDOWS32\nFILETYPE VFT_DRV\nBEGIN\n";
    if (!version.strings.empty()) {
        s += "    BLOCK \"StringFileInfo\"\n    BEGIN\n";
        for (const auto& [table, values] : version.strings) {
            s += "        BLOCK " + RcString(table) + "\n        BEGIN\n";
            for (const auto& [name, value] : values) {
                s += "            VALUE " + RcString(name) + ", " + RcString(value) + "\n";
            }
            s += "        END\n";
        }
        s += "    END\n";
    }
    if (version.hasTranslationValue) {
        s += "    BLOCK \"VarFileInfo\"\n    BEGIN\n        VALUE \"Translation\"";
        for (win::DWORD t : version.translations) {
            s += ", " + Hex4(t & 0xffffu) + ", " + Hex4(t >> 16);
        }
        s += "\n    END\n";
    }
    script = s + "END\n";
    return true;
}

PrefixContent BuildPrefixContent(const machine::Machine& machine) {
    PrefixContent content;
    machine::RegistryExport reg;
    machine::AddDeviceKeys(reg, machine);
    machine::AddServiceKeys(reg, machine);
    content.reg = reg.Text();

    const std::string driversDir = Lower(machine.systemDirectory + "\\drivers\\");
    const std::string& system = machine.systemDirectory;
    const std::string infDir = Lower(system.substr(0, system.find_last_of('\\') + 1) + "inf\\");
    for (const auto& [path, file] : machine.files) {
        std::string name = path.substr(path.find_last_of('\\') + 1);
        if (Lower(path) == infDir + Lower(name) && SafeFileName(name) && !file.version &&
            !file.peFile && !file.rawBlock) {
            content.infFiles.push_back(name);
            continue;
        }
        if (Lower(path).rfind(driversDir, 0) != 0 ||
            name.size() != path.size() - driversDir.size()) {
            content.notRepresented.push_back(path + ": not in the drivers directory");
            continue;
        }
        if (!SafeFileName(name)) {
            content.notRepresented.push_back(path + ": file name not built by the script");
            continue;
        }
        DriverSource driver{name, {}};
        if (file.version) {
            std::string why;
            if (!VersionResourceScript(*file.version, driver.script, why)) {
                content.notRepresented.push_back(path + ": " + why);
                continue;
            }
        } else if (file.peFile || file.rawBlock) {
            content.notRepresented.push_back(path +
                                             ": a given resource block is not rebuilt from fields");
            continue;
        }
        content.drivers.push_back(driver);
    }
    return content;
}

std::string DriverBuildScript(const PrefixContent& content) {
    std::string s =
        "#!/bin/sh\n# Builds the driver files: ./build.sh OUT_DIR WINDRES CC\nset -e\n"
        "cd \"$(dirname \"$0\")\"\nout=$1\nmkdir -p \"$out\"\n";
    int index = 0;
    for (const DriverSource& d : content.drivers) {
        std::string obj;
        if (!d.script.empty()) {
            std::string rc = "driver" + std::to_string(index) + ".rc";
            obj = "driver" + std::to_string(index) + "_res.o";
            s += "\"$2\" -c 1252 " + rc + " -O coff -o " + obj + "\n";
        }
        s += "\"$3\" -shared -s -o \"$out/" + d.fileName + "\" driver.c" +
             (obj.empty() ? "" : " " + obj) + "\n";
        ++index;
    }
    if (!content.infFiles.empty()) {
        // $out is <Windows folder>/system32/drivers.
        s += "mkdir -p \"$out/../../inf\"\n";
    }
    for (const std::string& name : content.infFiles) {
        s += "printf '; placeholder of a driver package\\r\\n' > \"$out/../../inf/" + name + "\"\n";
    }
    return s;
}
