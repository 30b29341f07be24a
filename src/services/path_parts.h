// Splitting a path into drive, directory, file name and extension, and joining
// such parts again, the way the C library's path splitter and maker do, with
// bounded parts: a part that does not fit its buffer fails the whole call
// instead of being cut, so a caller never works on a wrong name.
#pragma once

#include <cstddef>
#include <string>

struct PathParts {
    std::string drive;  // a letter and a colon ("C:"), or empty
    std::string dir;    // up to and including the last separator
    std::string fname;
    std::string ext;  // from the last point of the last component, point included
};

// Buffer sizes in bytes, terminator included, as the C library's buffers.
struct PathPartSizes {
    std::size_t drive = 3;
    std::size_t dir = 256;
    std::size_t fname = 256;
    std::size_t ext = 256;
};

// False, with every part empty, when a part needs a larger buffer.
bool SplitPath(const std::string& path, PathParts& parts, const PathPartSizes& sizes = {});

// Joins the parts: a colon after a drive that lacks one, a backslash after a
// directory that ends in no separator, a point before an extension that does
// not begin with one. False, with `path` empty, when the result needs more
// than `size` bytes with its terminator.
bool MakePath(std::string& path, const PathParts& parts, std::size_t size);
