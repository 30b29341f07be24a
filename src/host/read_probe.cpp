#include "host/read_probe.h"

#include <cstdio>
#include <memory>

namespace host {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

ReadStart ProbeForReading(const std::string& path) {
    if (path.empty() || !FilePtr(std::fopen(path.c_str(), "r"))) {
        return ReadStart::CannotOpen;
    }
    FilePtr f(std::fopen(path.c_str(), "r"));
    if (!f) {
        return ReadStart::Something;
    }
    const int c = std::fgetc(f.get());
    return c == EOF && std::feof(f.get()) != 0 ? ReadStart::AtEnd : ReadStart::Something;
}

}  // namespace host
