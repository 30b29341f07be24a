#include "machine/reg_file_parser.h"
#include "text/hex_digit.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "machine/ansi_code_page.h"
#include "machine/reg_file_line_reader.h"

namespace machine {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsStringType(win::DWORD type) {
    return type == win::REG_SZ || type == win::REG_EXPAND_SZ || type == win::REG_MULTI_SZ;
}

class Parser {
  public:
    Parser(RegFileSink& sink, bool wideData) : sink_(sink), wideData_(wideData) {}

    // One logical line (continuations joined); false with `error` set.
    bool Line(std::string_view text, std::string& error);

  private:
    bool KeyLine(std::string_view text, std::string& error);
    bool ValueLine(std::string_view text, std::string& error);
    bool Data(std::string_view data, RegValue& value, std::string& error) const;
    // A quoted string starting at text[0]; `end` is the index after the
    // closing quote. Only \\ and \" are escapes; any other backslash stands
    // for itself, as regedit reads it.
    static bool Quoted(std::string_view text, std::string& out, std::size_t& end);
    static bool HexBytes(std::string_view text, std::vector<std::uint8_t>& out, std::string& error);
    // Version 5.00 files hold string data as UTF-16: narrowed as the "A"
    // functions narrow it.
    std::vector<std::uint8_t> Narrow(const std::vector<std::uint8_t>& utf16) const;

    RegFileSink& sink_;
    bool wideData_;
    enum class State { NoKey, InKey, InDeletedKey } state_ = State::NoKey;
};

bool Parser::Line(std::string_view text, std::string& error) {
    text = TrimLeft(text);
    if (text.empty() || text.front() == ';') {
        return true;
    }
    if (text.front() == '[') {
        return KeyLine(TrimRight(text), error);
    }
    if (text.front() == '"' || text.front() == '@') {
        if (state_ == State::NoKey) {
            error = "a value before the first key";
            return false;
        }
        return ValueLine(text, error);
    }
    error = "expected a key in brackets or a value";
    return false;
}

bool Parser::KeyLine(std::string_view text, std::string& error) {
    if (text.size() < 2 || text.back() != ']') {
        error = "unbalanced brackets: the key name has no closing ']'";
        return false;
    }
    std::string_view name = text.substr(1, text.size() - 2);
    const bool deletion = !name.empty() && name.front() == '-';
    if (deletion) {
        name.remove_prefix(1);
    }
    std::vector<std::string> path;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = std::min(name.find('\\', at), name.size());
        const std::string_view part = name.substr(at, end - at);
        if (part.empty()) {
            error = "empty key name in [" + std::string(name) + "]";
            return false;
        }
        if (part.size() > kMaxKeyNameLength) {
            error = "key name longer than 255 characters";
            return false;
        }
        path.emplace_back(part);
        if (path.size() > kMaxKeyDepth) {
            error = "keys nested deeper than 512 levels";
            return false;
        }
        if (end == name.size()) {
            break;
        }
        at = end + 1;
    }
    static constexpr std::pair<std::string_view, std::string_view> kRoots[] = {
        {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
        {"HKLM", "HKEY_LOCAL_MACHINE"},
        {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER"},
        {"HKCU", "HKEY_CURRENT_USER"},
        {"HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT"},
        {"HKCR", "HKEY_CLASSES_ROOT"},
        {"HKEY_USERS", "HKEY_USERS"},
        {"HKU", "HKEY_USERS"},
        {"HKEY_CURRENT_CONFIG", "HKEY_CURRENT_CONFIG"},
        {"HKCC", "HKEY_CURRENT_CONFIG"},
    };
    bool known = false;
    for (const auto& [alias, root] : kRoots) {
        if (!CaseInsensitiveLess{}(path[0], std::string(alias)) &&
            !CaseInsensitiveLess{}(std::string(alias), path[0])) {
            path[0] = root;
            known = true;
            break;
        }
    }
    if (!known) {
        error = "unknown root key " + path[0];
        return false;
    }
    if (deletion) {
        sink_.DeleteKey(path);
        state_ = State::InDeletedKey;
    } else {
        sink_.Key(path);
        state_ = State::InKey;
    }
    return true;
}

bool Parser::Quoted(std::string_view text, std::string& out, std::size_t& end) {
    out.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            end = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            ++i;
        }
        out.push_back(text[i]);
    }
    return false;
}

bool Parser::ValueLine(std::string_view text, std::string& error) {
    std::string name;
    std::size_t at = 1;
    if (text.front() == '"' && !Quoted(text, name, at)) {
        error = "unterminated value name (no closing '\"')";
        return false;
    }
    std::string_view rest = TrimLeft(text.substr(at));
    if (rest.empty() || rest.front() != '=') {
        error = "expected '=' after the value name";
        return false;
    }
    rest = TrimRight(TrimLeft(rest.substr(1)));
    if (rest == "-") {
        if (state_ == State::InKey) {
            sink_.DeleteValue(name);
        }
        return true;
    }
    RegValue value;
    if (!Data(rest, value, error)) {
        return false;
    }
    if (state_ == State::InKey) {  // values of a deleted key are not written
        sink_.Value(name, std::move(value));
    }
    return true;
}

bool Parser::Data(std::string_view data, RegValue& value, std::string& error) const {
    if (!data.empty() && data.front() == '"') {
        std::string text;
        std::size_t end = 0;
        if (!Quoted(data, text, end)) {
            error = "unterminated string (no closing '\"')";
            return false;
        }
        if (end != data.size()) {
            error = "unexpected text after the closing '\"'";
            return false;
        }
        value = RegValue::String(text);
        return true;
    }
    if (data.substr(0, 6) == "dword:") {
        const std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) {
            error = "bad dword: expected 1 to 8 hexadecimal digits";
            return false;
        }
        std::uint64_t dword = 0;
        if (!ParseHexDigits(digits, dword)) {
            error = "bad dword: expected 1 to 8 hexadecimal digits";
            return false;
        }
        value = RegValue::Dword(static_cast<win::DWORD>(dword));
        return true;
    }
    std::string_view bytes;
    if (data.substr(0, 4) == "hex:") {
        value.type = win::REG_BINARY;
        bytes = data.substr(4);
    } else if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos || close == 4 || close > 12 ||
            data.substr(close + 1, 1) != ":") {
            error = "bad value type: expected hex(N): with N in hexadecimal";
            return false;
        }
        std::uint64_t type = 0;
        if (!ParseHexDigits(data.substr(4, close - 4), type)) {
            error = "bad value type: expected hex(N): with N in hexadecimal";
            return false;
        }
        value.type = static_cast<win::DWORD>(type);
        bytes = data.substr(close + 2);
    } else {
        error = "unknown value data (expected \"...\", dword:, hex: or hex(N):)";
        return false;
    }
    if (!HexBytes(bytes, value.data, error)) {
        return false;
    }
    if (wideData_ && IsStringType(value.type)) {
        value.data = Narrow(value.data);
    }
    return true;
}

bool Parser::HexBytes(std::string_view text, std::vector<std::uint8_t>& out, std::string& error) {
    out.reserve(text.size() / 3 + 1);
    text = TrimLeft(text);
    while (!text.empty()) {
        std::size_t digits = 0;
        int byte = 0;
        while (digits < text.size() && HexDigitValue(text[digits]) >= 0) {
            byte = byte << 4 | HexDigitValue(text[digits]);
            ++digits;
        }
        if (digits == 0 || digits > 2) {
            error = "bad hex data: expected byte pairs separated by commas";
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(byte));
        text = TrimLeft(text.substr(digits));
        if (text.empty()) {
            break;
        }
        if (text.front() != ',') {
            error = "bad hex data: expected byte pairs separated by commas";
            return false;
        }
        text = TrimLeft(text.substr(1));
        if (text.empty()) {
            error = "bad hex data: a comma without a byte after it";
            return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> Parser::Narrow(const std::vector<std::uint8_t>& utf16) const {
    std::u16string wide;
    wide.reserve(utf16.size() / 2);
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        wide.push_back(static_cast<char16_t>(utf16[i] | utf16[i + 1] << 8));
    }
    const std::string narrow = WideToAnsi(wide);
    return std::vector<std::uint8_t>(narrow.begin(), narrow.end());
}

}  // namespace

bool ParseRegFile(const std::uint8_t* data, std::size_t size, RegFileSink& sink,
                  RegFileError& error) {
    error = RegFileError{};
    if (data == nullptr || size == 0) {
        error.message = "empty file: not a registry export";
        return false;
    }
    RegFileEncoding encoding = RegFileEncoding::Ansi;
    std::size_t skip = 0;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        encoding = RegFileEncoding::Utf16;
        skip = 2;
    } else if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
        error.message = "UTF-16 big-endian text: export with regedit or reg export unchanged";
        return false;
    } else if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        encoding = RegFileEncoding::Utf8;
        skip = 3;
    } else if (size >= 4 && data[1] == 0 && data[3] == 0) {
        error.message = "UTF-16 text without a byte order mark";
        return false;
    }

    RegFileLineReader reader(data + skip, size - skip, encoding);
    std::string line;
    std::string message;
    if (!reader.Next(line, message)) {
        error.line = 1;
        error.message = message.empty() ? "empty file: not a registry export" : message;
        return false;
    }
    const std::string_view header = TrimRight(line);
    if (header != kHeader5 && header != kHeader4) {
        error.line = 1;
        error.message =
            "not a registry export: the first line is neither \"Windows Registry Editor "
            "Version 5.00\" nor \"REGEDIT4\"";
        return false;
    }
    Parser parser(sink, header == kHeader5);

    std::string logical;
    std::size_t start = 0;
    while (reader.Next(line, message)) {
        std::string_view text = line;
        if (!logical.empty()) {
            text = TrimLeft(text);
        } else {
            start = reader.Number();
        }
        const std::string_view trimmed = TrimRight(text);
        // Only value data is continued; a key or comment ending in '\' is not.
        const std::string_view first = TrimLeft(trimmed).substr(0, 1);
        if (!trimmed.empty() && trimmed.back() == '\\' &&
            (!logical.empty() || (first != "[" && first != ";"))) {
            logical.append(trimmed.substr(0, trimmed.size() - 1));
            continue;
        }
        bool ok = false;
        if (logical.empty()) {
            ok = parser.Line(text, message);
        } else {
            logical.append(text);
            ok = parser.Line(logical, message);
            logical.clear();
        }
        if (!ok) {
            error.line = start;
            error.message = message;
            return false;
        }
    }
    if (!message.empty()) {
        error.line = reader.Number();
        error.message = message;
        return false;
    }
    if (!logical.empty()) {
        error.line = start;
        error.message = "the file ends inside a value continued with '\\'";
        return false;
    }
    return true;
}

}  // namespace machine
