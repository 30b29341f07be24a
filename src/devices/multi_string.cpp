#include "devices/multi_string.h"

#include <cstring>

#include "log/trace_log.h"

void ConvertMultiStringToList(StringList& list, const win::BYTE* data, win::DWORD size) {
    list.clear();
    if (size == 0 || data == nullptr) {
        Trace(LOG_ERROR, "ConvertMultiStringToList: Invalid multistring -> size = 0\n");
        return;
    }
    const char* bytes = reinterpret_cast<const char*>(data);
    std::size_t pos = 0;
    for (;;) {
        if (bytes[pos] == '\0') {
            return;  // the closing empty string
        }
        // The terminator must lie at or before size - 2, so that the byte
        // after it is still inside the buffer.
        const std::size_t limit = size >= 2 ? size - 1 : 0;
        const void* nul = limit > pos ? std::memchr(bytes + pos, '\0', limit - pos) : nullptr;
        if (nul == nullptr) {
            Trace(LOG_ERROR,
                  "ConvertMultiStringToList: Invalid multistring termination or invalid size %u\n",
                  static_cast<unsigned>(size));
            return;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(nul) - (bytes + pos));
        list.emplace_back(bytes + pos, length);
        pos += length + 1;
    }
}
