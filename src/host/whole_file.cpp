#include "host/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

namespace host {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// errno, or `otherwise` where the C runtime set none.
int Cause(int otherwise) {
    return errno != 0 ? errno : otherwise;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        return Cause(EIO);
    }
    std::string text;
    char chunk[4096];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
        text.append(chunk, n);
    }
    if (std::ferror(f.get()) != 0) {
        return Cause(EIO);
    }
    bytes = std::move(text);
    return 0;
}

int WriteWholeFile(const std::string& path, const std::string& bytes) {
    errno = 0;
    FilePtr f(std::fopen(path.c_str(), "wb"));
    if (!f) {
        return Cause(EIO);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) {
        return Cause(EIO);
    }
    // Closing writes out what is buffered; its failure is the write's.
    if (std::fclose(f.release()) != 0) {
        return Cause(EIO);
    }
    return 0;
}

}  // namespace host
