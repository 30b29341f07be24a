#include "text/print_format.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {

// The caller's buffer, filled as far as it reaches; the count goes on, as
// vsnprintf counts, until it no longer fits an int.
class Output {
  public:
    Output(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}

    void Put(char c) {
        if (count_ > INT_MAX) {
            return;
        }
        if (count_ + 1 < size_) {
            buffer_[count_] = c;
        }
        ++count_;
    }
    void Repeat(char c, std::size_t n) {
        if (count_ > INT_MAX) {
            return;
        }
        const std::size_t room = count_ + 1 < size_ ? size_ - 1 - count_ : 0;
        if (room > 0 && n > 0) {
            std::memset(buffer_ + count_, c, n < room ? n : room);
        }
        count_ += n;
    }
    void Write(const char* text, std::size_t n) {
        if (count_ > INT_MAX) {
            return;
        }
        const std::size_t room = count_ + 1 < size_ ? size_ - 1 - count_ : 0;
        if (room > 0 && n > 0) {
            std::memcpy(buffer_ + count_, text, n < room ? n : room);
        }
        count_ += n;
    }
    int Finish() {
        if (size_ > 0) {
            buffer_[count_ < size_ ? count_ : size_ - 1] = '\0';
        }
        return count_ <= INT_MAX ? static_cast<int>(count_) : -1;
    }
    int Fail() {
        if (size_ > 0) {
            buffer_[0] = '\0';
        }
        return -1;
    }

  private:
    char* buffer_;
    std::size_t size_;
    std::size_t count_ = 0;
};

struct Conversion {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    std::size_t width = 0;
    int precision = -1;  // none given
    char length = 0;     // 'H' for hh, 'L' for ll, else the letter
    char conversion = 0;
};

using Signed = long long;
using Unsigned = unsigned long long;

// A decimal number of the format (width or precision); false past INT_MAX.
bool ReadNumber(const char*& p, std::size_t& number) {
    number = 0;
    while (*p >= '0' && *p <= '9') {
        number = number * 10 + static_cast<std::size_t>(*p++ - '0');
        if (number > INT_MAX) {
            return false;
        }
    }
    return true;
}

void PutPadded(Output& out, const Conversion& conv, const char* text, std::size_t n) {
    const std::size_t pad = conv.width > n ? conv.width - n : 0;
    if (!conv.left) {
        out.Repeat(' ', pad);
    }
    out.Write(text, n);
    if (conv.left) {
        out.Repeat(' ', pad);
    }
}

void PutInteger(Output& out, const Conversion& conv, Unsigned value, bool negative) {
    const char c = conv.conversion;
    const unsigned base = c == 'o' ? 8 : c == 'x' || c == 'X' ? 16 : 10;
    const char* alphabet = c == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];  // filled from the end
    std::size_t n = 0;
    for (; value != 0; value /= base) {
        digits[sizeof digits - ++n] = alphabet[value % base];
    }
    const std::size_t least = conv.precision < 0 ? 1 : static_cast<std::size_t>(conv.precision);
    std::size_t zeros = least > n ? least - n : 0;
    if (c == 'o' && conv.alternate && zeros == 0) {
        zeros = 1;  // the octal form starts with 0 (its first digit never is)
    }
    const char* prefix = "";
    if (c == 'd' || c == 'i') {
        prefix = negative ? "-" : conv.plus ? "+" : conv.space ? " " : "";
    } else if (conv.alternate && n != 0 && base == 16) {
        prefix = c == 'X' ? "0X" : "0x";
    }
    std::size_t prefixSize = 0;
    while (prefix[prefixSize] != '\0') {
        ++prefixSize;
    }
    const std::size_t length = prefixSize + zeros + n;
    std::size_t pad = conv.width > length ? conv.width - length : 0;
    if (!conv.left && conv.zero && conv.precision < 0) {
        zeros += pad;
        pad = 0;
    }
    if (!conv.left) {
        out.Repeat(' ', pad);
    }
    out.Write(prefix, prefixSize);
    out.Repeat('0', zeros);
    out.Write(digits + sizeof digits - n, n);
    if (conv.left) {
        out.Repeat(' ', pad);
    }
}

}  // namespace

int FormatPrintV(char* buffer, std::size_t size, const char* format, va_list args) {
    Output out(buffer, size);
    va_list ap;
    va_copy(ap, args);
    const char* p = format;
    bool failed = false;
    while (*p != '\0' && !failed) {
        if (*p != '%') {
            const char* run = p;
            while (*p != '\0' && *p != '%') {
                ++p;
            }
            out.Write(run, static_cast<std::size_t>(p - run));
            continue;
        }
        ++p;
        Conversion conv;
        for (;; ++p) {
            if (*p == '-') {
                conv.left = true;
            } else if (*p == '+') {
                conv.plus = true;
            } else if (*p == ' ') {
                conv.space = true;
            } else if (*p == '#') {
                conv.alternate = true;
            } else if (*p == '0') {
                conv.zero = true;
            } else {
                break;
            }
        }
        if (*p == '*') {
            ++p;
            const int width = va_arg(ap, int);
            conv.left = conv.left || width < 0;
            conv.width = width < 0 ? static_cast<std::size_t>(-static_cast<Signed>(width))
                                   : static_cast<std::size_t>(width);
        } else if (!ReadNumber(p, conv.width)) {
            failed = true;
            break;
        }
        if (*p == '.') {
            ++p;
            std::size_t precision = 0;
            if (*p == '*') {
                ++p;
                const int given = va_arg(ap, int);
                conv.precision = given < 0 ? -1 : given;
            } else if (ReadNumber(p, precision)) {
                conv.precision = static_cast<int>(precision);
            } else {
                failed = true;
                break;
            }
        }
        if (*p == 'h' || *p == 'l') {
            conv.length = *p++;
            if (*p == conv.length) {
                conv.length = conv.length == 'h' ? 'H' : 'L';
                ++p;
            }
        } else if (*p == 'j' || *p == 'z' || *p == 't') {
            conv.length = *p++;
        }
        conv.conversion = *p != '\0' ? *p++ : '\0';
        switch (conv.conversion) {
            case 'd':
            case 'i': {
                Signed value = 0;
                switch (conv.length) {
                    case 'H':
                        value = static_cast<signed char>(va_arg(ap, int));
                        break;
                    case 'h':
                        value = static_cast<short>(va_arg(ap, int));
                        break;
                    case 'l':
                        value = va_arg(ap, long);
                        break;
                    case 'L':
                        value = va_arg(ap, long long);
                        break;
                    case 'j':
                        value = va_arg(ap, std::intmax_t);
                        break;
                    case 'z':
                        value = va_arg(ap, std::make_signed_t<std::size_t>);
                        break;
                    case 't':
                        value = va_arg(ap, std::ptrdiff_t);
                        break;
                    default:
                        value = va_arg(ap, int);
                        break;
                }
                const Unsigned magnitude = value < 0 ? Unsigned{0} - static_cast<Unsigned>(value)
                                                     : static_cast<Unsigned>(value);
                PutInteger(out, conv, magnitude, value < 0);
                break;
            }
            case 'u':
            case 'o':
            case 'x':
            case 'X': {
                Unsigned value = 0;
                switch (conv.length) {
                    case 'H':
                        value = static_cast<unsigned char>(va_arg(ap, unsigned));
                        break;
                    case 'h':
                        value = static_cast<unsigned short>(va_arg(ap, unsigned));
                        break;
                    case 'l':
                        value = va_arg(ap, unsigned long);
                        break;
                    case 'L':
                        value = va_arg(ap, unsigned long long);
                        break;
                    case 'j':
                        value = va_arg(ap, std::uintmax_t);
                        break;
                    case 'z':
                        value = va_arg(ap, std::size_t);
                        break;
                    case 't':
                        value = static_cast<std::make_unsigned_t<std::ptrdiff_t>>(
                            va_arg(ap, std::ptrdiff_t));
                        break;
                    default:
                        value = va_arg(ap, unsigned);
                        break;
                }
                PutInteger(out, conv, value, false);
                break;
            }
            case 'c': {
                if (conv.length != 0) {
                    failed = true;  // a wide character
                    break;
                }
                const char c = static_cast<char>(va_arg(ap, int));
                PutPadded(out, conv, &c, 1);
                break;
            }
            case 's': {
                if (conv.length != 0) {
                    failed = true;  // a wide string
                    break;
                }
                const char* text = va_arg(ap, const char*);
                if (text == nullptr) {
                    text = "(null)";
                }
                std::size_t n = 0;
                while ((conv.precision < 0 || n < static_cast<std::size_t>(conv.precision)) &&
                       text[n] != '\0') {
                    ++n;
                }
                PutPadded(out, conv, text, n);
                break;
            }
            case '%':
                out.Put('%');
                break;
            default:
                failed = true;  // no such conversion here
                break;
        }
    }
    va_end(ap);
    return failed ? out.Fail() : out.Finish();
}

int FormatPrint(char* buffer, std::size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int written = FormatPrintV(buffer, size, format, args);
    va_end(args);
    return written;
}
