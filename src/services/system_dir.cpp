#include "services/system_dir.h"

#include "log/trace_log.h"
#include "platform/buffer.h"
#include "platform/failure_code.h"

StatusCode GetSystemDir(std::string& dir) {
    dir.clear();
    win::Platform& platform = win::Current();
    char first[win::MAX_PATH] = {};
    const win::UINT n = platform.GetSystemDirectoryA(first, win::MAX_PATH);
    if (n == 0) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "GetSystemDir: GetSystemDirectory failed with error = 0x%08X\n", error);
        return error;
    }
    if (n < win::MAX_PATH) {
        dir.assign(first, n);
    } else {
        Trace(LOG_INFO,
              "GetSystemDir: buffer too small. Current size = %d, required size = %d. Trying "
              "again...\n",
              static_cast<int>(win::MAX_PATH), static_cast<int>(n + 1));
        const win::UINT size = n + 1;
        ByteBuffer second = AllocateBuffer(size);
        if (second == nullptr) {
            Trace(LOG_ERROR, "GetSystemDir: not enough memory for the system directory.\n");
            return win::ERROR_NOT_ENOUGH_MEMORY;
        }
        char* text = reinterpret_cast<char*>(second.get());
        const win::UINT m = platform.GetSystemDirectoryA(text, size);
        if (m == 0) {
            const StatusCode error = LastFailureCode();
            Trace(LOG_ERROR, "GetSystemDir: GetSystemDirectory failed with error = 0x%08X\n",
                  error);
            return error;
        }
        // m == size would also mean nothing was copied: the directory grew.
        if (m >= size) {
            Trace(LOG_ERROR,
                  "GetSystemDir: failed again with too small buffer. Current size = %d, required "
                  "size = %d.\n",
                  static_cast<int>(size), static_cast<int>(m + 1));
            return win::ERROR_INVALID_FUNCTION;
        }
        dir.assign(text, m);
    }
    if (dir.empty() || dir.back() != '\\') {
        dir += '\\';
    }
    return 0;
}
