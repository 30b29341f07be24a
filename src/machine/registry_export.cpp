#include "machine/registry_export.h"

#include "text/print_format.h"

namespace machine {

std::string QuoteRegString(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

RegistryExport::RegistryExport() : text_("REGEDIT4\r\n") {}

void RegistryExport::Key(const std::string& path) {
    text_ += "\r\n[" + path + "]\r\n";
}

void RegistryExport::Name(const std::string& name) {
    text_ += name.empty() ? std::string("@") : QuoteRegString(name);
    text_ += '=';
}

void RegistryExport::String(const std::string& name, const std::string& value) {
    Name(name);
    text_ += QuoteRegString(value);
    text_ += "\r\n";
}

void RegistryExport::Dword(const std::string& name, win::DWORD value) {
    Name(name);
    char digits[16];
    FormatPrint(digits, sizeof digits, "dword:%08x", value);
    text_ += digits;
    text_ += "\r\n";
}

void RegistryExport::Raw(const std::string& name, win::DWORD type,
                         const std::vector<std::uint8_t>& data) {
    Name(name);
    std::string line;
    if (type == win::REG_BINARY) {
        line = "hex:";
    } else {
        char prefix[24];
        FormatPrint(prefix, sizeof prefix, "hex(%x):", type);
        line = prefix;
    }
    // Continuation lines keep each line short, as regedit writes them.
    std::size_t width = name.size() + line.size() + 3;
    for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        FormatPrint(byte, sizeof byte, "%02x", data[i]);
        line += byte;
        width += 3;
        if (i + 1 < data.size()) {
            line += ',';
            if (width > 76) {
                line += "\\\r\n  ";
                width = 2;
            }
        }
    }
    text_ += line;
    text_ += "\r\n";
}

void RegistryExport::Value(const std::string& name, const RegValue& value) {
    if (value.type == win::REG_DWORD && value.data.size() == 4) {
        const win::DWORD dword = static_cast<win::DWORD>(value.data[0]) |
                                 static_cast<win::DWORD>(value.data[1]) << 8 |
                                 static_cast<win::DWORD>(value.data[2]) << 16 |
                                 static_cast<win::DWORD>(value.data[3]) << 24;
        Dword(name, dword);
        return;
    }
    if (value.type == win::REG_SZ && !value.data.empty() && value.data.back() == 0) {
        // The quoted form carries a string with one terminator and no line
        // breaks or NULs inside.
        const std::string text(value.data.begin(), value.data.end() - 1);
        if (text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos) {
            String(name, text);
            return;
        }
    }
    Raw(name, value.type, value.data);
}

}  // namespace machine
