// The physical lines of a registry export file as narrow text (the ANSI
// code page), whatever the file's encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "machine/ansi_code_page.h"

namespace machine {

enum class RegFileEncoding { Ansi, Utf16, Utf8 };

class RegFileLineReader {
  public:
    RegFileLineReader(const std::uint8_t* data, std::size_t size, RegFileEncoding encoding)
        : data_(data), size_(size), encoding_(encoding) {}

    std::size_t Number() const { return number_; }

    // False at the end of the file or on undecodable text (`error` set).
    bool Next(std::string& line, std::string& error) {
        line.clear();
        if (pos_ >= size_) {
            return false;
        }
        ++number_;
        wide_.clear();
        switch (encoding_) {
            case RegFileEncoding::Ansi:
                return NextAnsi(line, error);
            case RegFileEncoding::Utf16:
                if (!NextUtf16(error)) {
                    return false;
                }
                break;
            case RegFileEncoding::Utf8:
                if (!NextUtf8(error)) {
                    return false;
                }
                break;
        }
        line = WideToAnsi(wide_);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    }

  private:
    bool NextAnsi(std::string& line, std::string& error) {
        while (pos_ < size_ && data_[pos_] != '\n') {
            if (data_[pos_] == 0) {
                error = "binary data (a NUL byte) in the text";
                return false;
            }
            line.push_back(static_cast<char>(data_[pos_++]));
        }
        ++pos_;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    }

    bool NextUtf16(std::string& error) {
        while (pos_ < size_) {
            if (pos_ + 1 >= size_) {
                error = "the file ends in the middle of a UTF-16 character";
                return false;
            }
            const auto unit = static_cast<char16_t>(data_[pos_] | data_[pos_ + 1] << 8);
            pos_ += 2;
            if (unit == u'\n') {
                return true;
            }
            if (unit == 0) {
                error = "binary data (a NUL character) in the text";
                return false;
            }
            if (unit >= 0xDC00 && unit < 0xE000 && !wide_.empty() && wide_.back() >= 0xD800 &&
                wide_.back() < 0xDC00) {
                continue;  // a surrogate pair is one character: one '?'
            }
            wide_.push_back(unit);
        }
        return true;
    }

    bool NextUtf8(std::string& error) {
        while (pos_ < size_ && data_[pos_] != '\n') {
            const std::uint8_t lead = data_[pos_];
            std::size_t extra = 0;
            char32_t c = lead;
            if (lead == 0) {
                error = "binary data (a NUL byte) in the text";
                return false;
            }
            if (lead >= 0xF0 && lead < 0xF5) {
                extra = 3;
                c = lead & 0x07u;
            } else if (lead >= 0xE0 && lead < 0xF0) {
                extra = 2;
                c = lead & 0x0Fu;
            } else if (lead >= 0xC2 && lead < 0xE0) {
                extra = 1;
                c = lead & 0x1Fu;
            } else if (lead >= 0x80) {
                error = "not valid UTF-8";
                return false;
            }
            if (size_ - pos_ <= extra) {
                error = "not valid UTF-8";
                return false;
            }
            for (std::size_t i = 1; i <= extra; ++i) {
                if ((data_[pos_ + i] & 0xC0u) != 0x80u) {
                    error = "not valid UTF-8";
                    return false;
                }
                c = c << 6 | (data_[pos_ + i] & 0x3Fu);
            }
            pos_ += extra + 1;
            wide_.push_back(c > 0xFFFF ? u'?' : static_cast<char16_t>(c));
        }
        ++pos_;
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    RegFileEncoding encoding_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
    std::u16string wide_;
};

}  // namespace machine
