// The host's files: what both systems share; the rest is in
// host_files_*.cpp, host_paths_*.cpp and errno_text.cpp.
#include "host/host_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "host/native_files.h"

namespace host {

std::string LargerThan(std::size_t maxSize) {
    return "larger than " + std::to_string(maxSize) + " bytes";
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
    return ReadFileBytes(path, static_cast<std::size_t>(-1), bytes, reason);
}

bool ReadFileBytes(const std::string& path, std::size_t maxSize, std::string& bytes,
                   std::string& reason) {
    bytes.clear();
    errno = 0;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        reason = errno != 0 ? ErrnoText(errno) : "cannot open the file";
        return false;
    }
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        if (n > maxSize - bytes.size()) {
            std::fclose(in);
            bytes.clear();
            reason = LargerThan(maxSize);
            return false;
        }
        bytes.append(chunk, n);
    }
    const bool failed = std::ferror(in) != 0;
    if (failed) {
        reason = errno != 0 ? ErrnoText(errno) : "read error";
    }
    std::fclose(in);
    return !failed;
}

bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names,
                      std::string& reason) {
    names.clear();
    if (!CollectRegularFiles(folder, names, reason)) {
        return false;
    }
    std::sort(names.begin(), names.end());
    return true;
}

std::string ParentFolder(const std::string& path) {
    const std::size_t cut = path.find_last_of(PathSeparators());
    if (cut == std::string::npos) {
        return {};
    }
    // The root keeps its separator: "/x" -> "/".
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char last = folder.back();
    if (std::string(PathSeparators()).find(last) != std::string::npos) {
        return folder + name;
    }
    // The first separator is the one the host writes.
    return folder + PathSeparators()[0] + name;
}

}  // namespace host
