#include "host/write_replacing.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "host/raw_file.h"
#include "host/host_files.h"

namespace host {

namespace {

WriteOutcome Failed(WriteOutcome::Step step, int error) {
    WriteOutcome outcome;
    outcome.failed = step;
    outcome.error = error;
    outcome.reason = ErrnoText(error);
    return outcome;
}

// Devices and pipes (/dev/stdout, a FIFO, NUL) cannot be replaced.
WriteOutcome WriteInto(const std::string& path, const std::string& bytes) {
    errno = 0;
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (stream == nullptr) {
        return Failed(WriteOutcome::Open, errno);
    }
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() ||
        std::fflush(stream) != 0) {
        error = errno != 0 ? errno : EIO;
    }
    if (std::fclose(stream) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    if (error != 0) {
        return Failed(WriteOutcome::Write, error);
    }
    return {};
}

// The whole text into `fd`, flushed to the device; 0 or the errno.
int WriteAllAndSync(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        done += static_cast<std::size_t>(n);
    }
    return SyncFile(fd) != 0 ? errno : 0;
}

}  // namespace

WriteOutcome WriteReplacing(const std::string& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    std::string target;
    if (!FollowLinks(path, target)) {
        return Failed(WriteOutcome::Open, errno);
    }
    const FileKind kind = KindOf(target);
    if (kind == FileKind::Directory) {
        return Failed(WriteOutcome::Open, EISDIR);
    }
    if (kind == FileKind::Other) {
        return WriteInto(target, bytes);
    }
    // A file that may not be written is not replaced either, with the refusal
    // that opening it would give (EACCES), alike everywhere: rename(2) would
    // replace a read-only file, and so does MoveFileExA under Wine, where
    // Windows refuses it.
    if (kind == FileKind::Regular) {
        const int fd = OpenExisting(target);
        if (fd < 0) {
            return Failed(WriteOutcome::Open, errno);
        }
        CloseFile(fd);
    }
    // Beside the target, so that the move stays on one file system.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
        fd = CreateExclusive(temp);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return Failed(WriteOutcome::Open, errno);
    }
    int error = WriteAllAndSync(fd, bytes);
    if (CloseFile(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        RemoveFile(temp);
        return Failed(WriteOutcome::Write, error);
    }
    if (kind == FileKind::Regular) {
        CopyPermissions(target, temp);
    }
    WriteOutcome outcome;
    if (!MoveOver(temp, target, outcome.reason)) {
        outcome.failed = WriteOutcome::Replace;
        RemoveFile(temp);
    }
    return outcome;
}

}  // namespace host
