#include "report/format_string.h"

#include <new>
#include <vector>

#include "text/print_format.h"

int FormatBounded(char* buffer, std::size_t size, const char* format, va_list args) {
    // C99 reports the length it needed; the convention wants -1 for "grow".
    const int needed = FormatPrintV(buffer, size, format, args);
    if (needed < 0) {
        return -2;
    }
    return static_cast<std::size_t>(needed) < size ? needed : -1;
}

void FormatStringWith(std::string& target, BoundedFormatter formatter, std::size_t cap,
                      const char* format, va_list args) {
    std::size_t size = 512 < cap ? 512 : cap;
    try {
        std::vector<char> buffer;
        for (;;) {
            buffer.assign(size, '\0');
            va_list attempt;
            va_copy(attempt, args);
            const int written = formatter(buffer.data(), size, format, attempt);
            va_end(attempt);
            if (written >= 0) {
                const auto length = static_cast<std::size_t>(written);
                target.assign(buffer.data(), length < size ? length : size);
                return;
            }
            if (written != -1 || size >= cap) {
                return;  // a failure, or no room left to grow: unchanged
            }
            size = size > cap / 2 ? cap : size * 2;
        }
    } catch (const std::bad_alloc&) {
        // No memory for a larger buffer: the target stays as it was.
    }
}

void FormatString(std::string& target, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatStringWith(target, FormatBounded, kFormatStringCap, format, args);
    va_end(args);
}
