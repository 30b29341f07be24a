// printf-style formatting of integers, characters and strings: what the
// programs' formats use of vsnprintf, with its results. The C runtime's own
// brings its floating-point conversion along (a twelfth of the window
// program); nothing here prints a number with a fraction.
#pragma once

#include <cstdarg>
#include <cstddef>

// The compiler checks the arguments of these and of the trace log against
// their formats.
#if defined(__clang__)
#define MVSI_PRINTF(format_index, first_arg) \
    __attribute__((format(printf, format_index, first_arg)))
#else
#define MVSI_PRINTF(format_index, first_arg) \
    __attribute__((format(gnu_printf, format_index, first_arg)))
#endif

// As vsnprintf: writes at most `size` bytes including the terminator and
// returns the length the whole text needs. Conversions d i u o x X c s and %,
// with the flags, width, precision and length modifiers of C99; any other
// conversion (a floating-point one, n, p, a wide character or string) fails
// with -1 and an empty buffer.
int FormatPrintV(char* buffer, std::size_t size, const char* format, va_list args)
    MVSI_PRINTF(3, 0);
int FormatPrint(char* buffer, std::size_t size, const char* format, ...) MVSI_PRINTF(3, 4);
