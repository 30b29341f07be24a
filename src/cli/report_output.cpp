#include "cli/report_output.h"

#include "host/host_files.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#if defined(_WIN32)
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

#if defined(_WIN32)
int OpenExclusive(const char* path) {
    return ::_open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, 0666);
}
long WriteSome(int fd, const char* data, std::size_t size) {
    const unsigned chunk = size > 0x10000000 ? 0x10000000u : static_cast<unsigned>(size);
    return ::_write(fd, data, chunk);
}
int SyncFile(int fd) {
    return ::_commit(fd);
}
int CloseFile(int fd) {
    return ::_close(fd);
}
int ProcessId() {
    return ::_getpid();
}
#else
int OpenExclusive(const char* path) {
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long WriteSome(int fd, const char* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}
int SyncFile(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}
int ProcessId() {
    return static_cast<int>(::getpid());
}
#endif

std::string Reason(int error) {
    return std::strerror(error);
}

}  // namespace

bool WriteAll(std::FILE* stream, const std::string& bytes, std::string& error) {
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream);
    if (written != bytes.size() || std::fflush(stream) != 0) {
        error = errno != 0 ? Reason(errno) : "write failed";
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    static std::atomic<unsigned> counter{0};
    const std::string prefix = "cannot write '" + path + "': ";
    const host::FileKind kind = host::KindOf(path);
    if (kind == host::FileKind::Directory) {
        error = prefix + Reason(EISDIR);
        return false;
    }
    if (kind == host::FileKind::Other) {
        // A device or pipe (/dev/stdout, a FIFO) is written into, never replaced.
        std::FILE* stream = std::fopen(path.c_str(), "wb");
        if (stream == nullptr) {
            error = prefix + Reason(errno);
            return false;
        }
        std::string reason;
        bool ok = WriteAll(stream, bytes, reason);
        if (std::fclose(stream) != 0 && ok) {
            ok = false;
            reason = Reason(errno);
        }
        if (!ok) {
            error = prefix + reason;
        }
        return ok;
    }
    // Beside the target, so that the rename stays on one file system.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
        fd = OpenExclusive(temp.c_str());
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        error = prefix + Reason(errno);
        return false;
    }
    std::size_t done = 0;
    int failure = 0;
    while (done < bytes.size()) {
        const long n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            failure = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (failure == 0 && SyncFile(fd) != 0) {
        failure = errno;
    }
    if (CloseFile(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0) {
        std::string reason;
        if (host::MoveOver(temp, path, reason)) {
            return true;
        }
        error = prefix + reason;
    } else {
        error = prefix + Reason(failure);
    }
    host::RemoveFile(temp);
    return false;
}
