// What both systems share of MappedFile; the mapping itself is in
// mapped_file_posix.cpp and mapped_file_windows.cpp.
#include "host/mapped_file.h"

#include "host/host_files.h"
#include "host/native_files.h"

namespace host {

namespace {

const std::uint8_t kNothing = 0;  // where an empty file's bytes start

}  // namespace

bool MappedFile::Open(const std::string& path, std::size_t maxSize, std::string& reason) {
    Close();
    switch (Map(path, maxSize, reason)) {
        case MapOutcome::Mapped:
            if (view_ == nullptr) {
                data_ = &kNothing;
            }
            return true;
        case MapOutcome::Refused:
            return false;
        case MapOutcome::NotMappable:
            break;
    }
    if (!ReadFileBytes(path, maxSize, copy_, reason)) {
        copy_.clear();
        return false;
    }
    data_ = copy_.empty() ? &kNothing : reinterpret_cast<const std::uint8_t*>(copy_.data());
    size_ = copy_.size();
    return true;
}

void MappedFile::Close() {
    Unmap();
    copy_.clear();
    copy_.shrink_to_fit();
    data_ = nullptr;
    size_ = 0;
}

}  // namespace host
