// MappedFile on Windows: a read-only view of the file (Windows 2000 has every
// call). The file stays open, shared for reading only, while it is mapped:
// no other program may write it then, and Windows refuses to shorten a
// mapped file. A file another program already holds open for writing is read
// into memory instead.
#include "host/mapped_file.h"

#include <windows.h>

#include "host/native_files.h"

namespace host {

MappedFile::MapOutcome MappedFile::Map(const std::string& path, std::size_t maxSize,
                                       std::string& reason) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return MapOutcome::NotMappable;
    }
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file, &high);
    if (::GetFileType(file) != FILE_TYPE_DISK ||
        (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)) {
        ::CloseHandle(file);
        return MapOutcome::NotMappable;
    }
    const unsigned long long size = static_cast<unsigned long long>(high) << 32 | low;
    if (size > maxSize) {
        ::CloseHandle(file);
        reason = LargerThan(maxSize);
        return MapOutcome::Refused;
    }
    if (size == 0) {
        ::CloseHandle(file);  // an empty file cannot be mapped
        return MapOutcome::Mapped;
    }
    const HANDLE mapping = ::CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* view = mapping != nullptr
                     ? ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size))
                     : nullptr;
    if (mapping != nullptr) {
        ::CloseHandle(mapping);  // the view keeps the mapping
    }
    if (view == nullptr) {
        ::CloseHandle(file);  // no room in the address space: read it
        return MapOutcome::NotMappable;
    }
    view_ = view;
    file_ = file;
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<std::size_t>(size);
    return MapOutcome::Mapped;
}

void MappedFile::Unmap() {
    if (view_ != nullptr) {
        ::UnmapViewOfFile(view_);
        view_ = nullptr;
    }
    if (file_ != nullptr) {
        ::CloseHandle(static_cast<HANDLE>(file_));
        file_ = nullptr;
    }
}

}  // namespace host
