#include "machine/windows_folder.h"

#include "host/host_files.h"

namespace machine {

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[i]) != Upper(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && Upper(path[0]) >= 'A' && Upper(path[0]) <= 'Z';
}

}  // namespace

std::string WindowsFolder::Hive(const std::string& name) const {
    const std::string path = host::FindIgnoringCase(folder_, "System32\\config\\" + name);
    return !path.empty() && host::KindOf(path) == host::FileKind::Regular ? path : std::string();
}

std::string WindowsFolder::HostPath(const std::string& path, const std::string& systemRoot) const {
    std::string rest = path;
    if (StartsWith(rest, "\\??\\")) {
        rest.erase(0, 4);
    }
    std::string root = systemRoot;
    while (!root.empty() && (root.back() == '\\' || root.back() == '/')) {
        root.pop_back();
    }
    // A rooted path without drive is on the Windows folder's drive.
    if (!rest.empty() && rest[0] == '\\' && !StartsWith(rest, "\\SystemRoot\\") && HasDrive(root)) {
        rest = root.substr(0, 2) + rest;
    }
    std::string base;
    if (StartsWith(rest, "\\SystemRoot\\")) {
        base = folder_;
        rest.erase(0, 12);
    } else if (StartsWith(rest, "%SystemRoot%\\")) {
        base = folder_;
        rest.erase(0, 13);
    } else if (!root.empty() && StartsWith(rest, root + "\\")) {
        base = folder_;
        rest.erase(0, root.size() + 1);
    } else if (HasDrive(rest)) {
        const auto drive = drives_.find(Upper(rest[0]));
        if (drive == drives_.end()) {
            return std::string();
        }
        base = drive->second;
        rest.erase(0, rest.size() > 2 && rest[2] == '\\' ? 3 : 2);
    } else if (!rest.empty() && rest[0] != '\\' && rest[0] != '%') {
        base = folder_;  // relative to the Windows folder, as the loader takes it
    } else {
        return std::string();
    }
    const std::string found = host::FindIgnoringCase(base, rest);
    return !found.empty() && host::KindOf(found) == host::FileKind::Regular ? found : std::string();
}

}  // namespace machine
