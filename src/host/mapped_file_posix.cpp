// MappedFile on POSIX systems: mmap, and the SIGBUS of a file shortened
// while mapped turned into one line and exit code 2.
#include "host/mapped_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/native_files.h"

namespace host {

namespace {

constexpr int kUnreadableExit = 2;  // as for any file that cannot be read

// One mapping at a time is guarded; another file opened meanwhile is read
// into memory instead. The handler reads only what was set before it was
// installed.
struct BusGuard {
    std::atomic<bool> taken{false};
    const char* begin = nullptr;
    const char* end = nullptr;
    char line[1024] = {};
    std::size_t length = 0;
    struct sigaction previous {};
};
BusGuard guard;

const char kTail[] = ": cannot be read: it was shortened while being read\n";

// Appends what fits, keeping `keep` bytes free.
void Append(const char* text, std::size_t size, std::size_t keep = 0) {
    const std::size_t free = sizeof guard.line - guard.length;
    const std::size_t n = std::min(size, free > keep ? free - keep : 0);
    std::memcpy(guard.line + guard.length, text, n);
    guard.length += n;
}

void OnBusError(int signal, siginfo_t* info, void*) {
    const auto* at = static_cast<const char*>(info->si_addr);
    if (info->si_code > 0 && at >= guard.begin && at < guard.end) {
        [[maybe_unused]] const ssize_t written = ::write(2, guard.line, guard.length);
        ::_exit(kUnreadableExit);
    }
    // Not a page of ours: the action there was before. A fault happens again
    // when this returns; a signal sent by another process is sent once more.
    ::sigaction(signal, &guard.previous, nullptr);
    if (info->si_code <= 0) {
        ::raise(signal);
    }
}

bool Guard(const void* view, std::size_t size, const std::string& path) {
    if (guard.taken.exchange(true)) {
        return false;
    }
    guard.begin = static_cast<const char*>(view);
    guard.end = guard.begin + size;
    guard.length = 0;
#if defined(__GLIBC__)
    Append(program_invocation_short_name, std::strlen(program_invocation_short_name),
           sizeof kTail - 1);
    Append(": ", 2, sizeof kTail - 1);
#endif
    // The file's name is cut where the line would not fit; the line always ends.
    Append(path.data(), path.size(), sizeof kTail - 1);
    Append(kTail, sizeof kTail - 1);
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, &guard.previous) != 0) {
        guard.taken = false;
        return false;
    }
    return true;
}

void Unguard() {
    ::sigaction(SIGBUS, &guard.previous, nullptr);
    guard.begin = guard.end = nullptr;
    guard.taken = false;
}

}  // namespace

MappedFile::MapOutcome MappedFile::Map(const std::string& path, std::size_t maxSize,
                                       std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return MapOutcome::NotMappable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return MapOutcome::NotMappable;  // a pipe, a device, a folder
    }
    const auto size = static_cast<unsigned long long>(info.st_size);
    if (size > maxSize) {
        ::close(fd);
        reason = LargerThan(maxSize);
        return MapOutcome::Refused;
    }
    if (size == 0) {
        ::close(fd);
        return MapOutcome::Mapped;
    }
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);  // the mapping keeps the file
    if (view == MAP_FAILED) {
        return MapOutcome::NotMappable;
    }
    if (!Guard(view, size, path)) {
        ::munmap(view, size);
        return MapOutcome::NotMappable;
    }
    view_ = view;
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<std::size_t>(size);
    return MapOutcome::Mapped;
}

void MappedFile::Unmap() {
    if (view_ != nullptr) {
        ::munmap(view_, size_);
        Unguard();
        view_ = nullptr;
    }
}

}  // namespace host
