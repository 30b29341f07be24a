#include "machine/description_reader.h"

#include <string_view>

#include "text/guid_text.h"
#include "text/hex_digit.h"
#include "text/print_format.h"

namespace machine {

namespace {

bool ParseHexNumber(const std::string& text, std::uint64_t& out) {
    if (text.size() < 3 || text.size() > 18 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    return ParseHexDigits(std::string_view(text).substr(2), out);
}

}  // namespace

std::string Member(const std::string& path, const std::string& name) {
    bool plain = !name.empty();
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        plain = plain && u >= 0x20 && u != 0x7F && c != '"' && c != '\\' && c != '.' && c != '[' &&
                c != ']';
    }
    if (plain) {
        return path + "." + name;
    }
    std::string quoted = path + "[\"";
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (u < 0x20 || u == 0x7F) {
            char escape[8];
            FormatPrint(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(u));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"]";
}

std::string Index(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

bool DescriptionReader::Fail(const std::string& path, const std::string& expected) {
    error_ = source_ + ": " + path + ": " + expected;
    return false;
}

bool DescriptionReader::CheckNames(const JsonValue& value, const std::string& path,
                                   const std::vector<const char*>& allowed) {
    if (!value.IsObject()) {
        return Fail(path,
                    std::string("expected an object, found ") + DescribeJsonType(value.type()));
    }
    for (const JsonValue::Member& member : value.Members()) {
        bool known = false;
        std::string names;
        for (const char* name : allowed) {
            known = known || member.first == name;
            names += names.empty() ? "" : ", ";
            names += name;
        }
        if (!known) {
            return Fail(Member(path, member.first),
                        "unknown member (expected one of: " + names + ")");
        }
    }
    return true;
}

bool DescriptionReader::ReadNarrow(const JsonValue& value, const std::string& path,
                                   std::string& out) {
    if (!value.IsString()) {
        return Fail(path,
                    std::string("expected a string, found ") + DescribeJsonType(value.type()));
    }
    // Narrow text is bytes: each character up to U+00FF stands for that byte.
    out.clear();
    const std::string& utf8 = value.AsString();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        unsigned code = lead;
        if (lead >= 0x80) {
            if ((lead & 0xE0) != 0xC0 || lead > 0xC3) {
                return Fail(path, "expected narrow text: characters up to U+00FF only");
            }
            code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        }
        if (code == 0) {
            return Fail(path, "expected narrow text without NUL (use \"hex\" for raw data)");
        }
        out += static_cast<char>(static_cast<unsigned char>(code));
    }
    return true;
}

bool DescriptionReader::ReadUnsigned(const JsonValue& value, const std::string& path,
                                     std::uint64_t maximum, std::uint64_t& out) {
    const std::string expected =
        "expected an integer from 0 to " + std::to_string(maximum) + " (or a \"0x...\" string)";
    if (value.IsString()) {
        if (!ParseHexNumber(value.AsString(), out) || out > maximum) {
            return Fail(path, expected);
        }
        return true;
    }
    if (!value.IsNumber() || !value.IsIntegerLiteral() || value.AsNumber() < 0 ||
        value.AsNumber() > static_cast<double>(maximum)) {
        return Fail(path, expected);
    }
    out = static_cast<std::uint64_t>(value.AsNumber());
    return true;
}

bool DescriptionReader::ReadBool(const JsonValue& value, const std::string& path, bool& out) {
    if (!value.IsBool()) {
        return Fail(path,
                    std::string("expected true or false, found ") + DescribeJsonType(value.type()));
    }
    out = value.AsBool();
    return true;
}

bool DescriptionReader::ReadGuid(const JsonValue& value, const std::string& path, win::GUID& out) {
    if (!value.IsString() || !ParseGuidText(value.AsString(), out)) {
        return Fail(path, "expected a GUID as \"{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\"");
    }
    return true;
}

bool DescriptionReader::ReadHex(const JsonValue& value, const std::string& path,
                                std::vector<std::uint8_t>& out) {
    const char* expected = "expected a string of hexadecimal byte pairs (\"41 00 ff\")";
    if (!value.IsString()) {
        return Fail(path, expected);
    }
    out.clear();
    int high = -1;
    for (char c : value.AsString()) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',') {
            if (high >= 0) {
                return Fail(path, expected);
            }
            continue;
        }
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return Fail(path, expected);
        }
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0) {
        return Fail(path, expected);
    }
    return true;
}

}  // namespace machine
