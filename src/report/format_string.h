// printf-style formatting into a narrow string, without truncation.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

#include "log/trace_log.h"

// Replaces `target` with the formatted text. On a formatting failure the
// target is left unchanged.
void FormatString(std::string& target, const char* format, ...) MVSI_PRINTF(2, 3);

// A length-limited formatter in the manner of _vsnprintf: the length written,
// -1 when the output does not fit, another negative value on failure.
using BoundedFormatter = int (*)(char* buffer, std::size_t size, const char* format, va_list args);

// The program's printf-style formatter (text/print_format.h) brought to that
// convention.
int FormatBounded(char* buffer, std::size_t size, const char* format, va_list args)
    MVSI_PRINTF(3, 0);

// The growth behind FormatString: 512 bytes first, doubled while the output
// does not fit, up to `cap` bytes; past the cap the target stays unchanged.
void FormatStringWith(std::string& target, BoundedFormatter formatter, std::size_t cap,
                      const char* format, va_list args);

inline constexpr std::size_t kFormatStringCap = 2147483647;
