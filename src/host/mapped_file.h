// A file's bytes for reading without copying them: mapped into memory, read
// only and private, where the host can (the system pages it in as it is
// read); read into memory where it cannot (a pipe or a device, a file too
// large for the address space, or one another program holds open for
// writing on Windows). POSIX and Windows parts in mapped_file_posix.cpp and
// mapped_file_windows.cpp.
//
// The size is taken once, when the file is opened, and never read past. A
// file another program shortens while it is mapped cannot be read to the
// end: on POSIX systems touching the lost pages raises SIGBUS, which would
// end the program without a word; while a file is mapped, that signal on
// its pages ends the program with one line on standard error ("PROGRAM:
// FILE: cannot be read: it was shortened while being read") and exit code
// 2, before anything was written. Windows refuses to shorten a mapped file,
// and no other program may open it for writing while it is mapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace host {

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile() { Close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Refuses a file of more than maxSize bytes before holding any of it;
    // reason says why it failed.
    bool Open(const std::string& path, std::size_t maxSize, std::string& reason);
    void Close();

    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    // False when the bytes were read into memory instead.
    bool Mapped() const { return view_ != nullptr; }

  private:
    enum class MapOutcome { Mapped, Refused, NotMappable };
    // NotMappable: the caller reads the file instead, which also words any
    // failure to open it as reading always has.
    MapOutcome Map(const std::string& path, std::size_t maxSize, std::string& reason);
    void Unmap();

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* view_ = nullptr;
    void* file_ = nullptr;  // Windows: held open while mapped, refusing writers
    std::string copy_;
};

}  // namespace host
