#include "services/path_parts.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Only a letter names a drive: "1:digit.sys" is a file name with a colon in it.
bool StartsWithDrive(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') {
        return false;
    }
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Fits when the text and its terminator fit.
bool Fits(const std::string& text, std::size_t size) {
    return text.size() < size;
}

}  // namespace

bool SplitPath(const std::string& path, PathParts& parts, const PathPartSizes& sizes) {
    parts = PathParts{};
    std::size_t start = 0;
    PathParts result;
    if (StartsWithDrive(path)) {
        result.drive = path.substr(0, 2);
        start = 2;
    }
    std::size_t nameStart = start;
    for (std::size_t i = start; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            nameStart = i + 1;
        }
    }
    result.dir = path.substr(start, nameStart - start);
    const std::string last = path.substr(nameStart);
    const std::size_t point = last.rfind('.');
    if (point == std::string::npos) {
        result.fname = last;
    } else {
        result.fname = last.substr(0, point);
        result.ext = last.substr(point);
    }
    if (!Fits(result.drive, sizes.drive) || !Fits(result.dir, sizes.dir) ||
        !Fits(result.fname, sizes.fname) || !Fits(result.ext, sizes.ext)) {
        return false;
    }
    parts = std::move(result);
    return true;
}

bool MakePath(std::string& path, const PathParts& parts, std::size_t size) {
    std::string result;
    if (!parts.drive.empty()) {
        result += parts.drive.substr(0, 1);
        result += ':';
    }
    if (!parts.dir.empty()) {
        result += parts.dir;
        if (!IsSeparator(parts.dir.back())) {
            result += '\\';
        }
    }
    result += parts.fname;
    if (!parts.ext.empty()) {
        if (parts.ext.front() != '.') {
            result += '.';
        }
        result += parts.ext;
    }
    path.clear();
    if (!Fits(result, size)) {
        return false;
    }
    path = std::move(result);
    return true;
}
