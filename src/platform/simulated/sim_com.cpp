// CLSIDFromString for builds without COM: the braced text form only, with
// hexadecimal digits of either case; any other text is refused as Windows
// refuses a malformed class string.
#include <string>

#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

int HexValue(win::OLECHAR c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Reads `digits` hexadecimal digits at text[pos]; false on anything else.
// Never reads past a terminator: a NUL is not a digit.
bool ReadHex(const win::OLECHAR* text, std::size_t pos, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + static_cast<std::size_t>(i)]);
        if (v < 0) {
            return false;
        }
        value = (value << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

bool ParseBracedGuid(const win::OLECHAR* text, win::GUID& guid) {
    // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
    if (text[0] != u'{') {
        return false;
    }
    std::uint32_t v = 0;
    if (!ReadHex(text, 1, 8, v) || text[9] != u'-') {
        return false;
    }
    guid.Data1 = v;
    if (!ReadHex(text, 10, 4, v) || text[14] != u'-') {
        return false;
    }
    guid.Data2 = static_cast<win::WORD>(v);
    if (!ReadHex(text, 15, 4, v) || text[19] != u'-') {
        return false;
    }
    guid.Data3 = static_cast<win::WORD>(v);
    for (std::size_t i = 0; i < 2; ++i) {
        if (!ReadHex(text, 20 + 2 * i, 2, v)) {
            return false;
        }
        guid.Data4[i] = static_cast<win::BYTE>(v);
    }
    if (text[24] != u'-') {
        return false;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (!ReadHex(text, 25 + 2 * i, 2, v)) {
            return false;
        }
        guid.Data4[2 + i] = static_cast<win::BYTE>(v);
    }
    return text[37] == u'}' && text[38] == 0;
}

std::string Narrow(const win::OLECHAR* text) {
    std::string narrow;
    for (std::size_t i = 0; text[i] != 0; ++i) {
        narrow.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    }
    return narrow;
}

}  // namespace

win::HRESULT SimulatedPlatform::CLSIDFromString(const win::OLECHAR* text, win::GUID* clsid) {
    if (Enter("CLSIDFromString", text != nullptr ? Narrow(text) : std::string())) {
        return win::HresultFromWin32(lastError_);
    }
    if (clsid == nullptr) {
        return win::E_INVALIDARG;
    }
    *clsid = win::GUID{};
    if (text == nullptr) {
        return win::S_OK;  // Windows answers a null string with the null CLSID
    }
    win::GUID parsed{};
    if (!ParseBracedGuid(text, parsed)) {
        return win::CO_E_CLASSSTRING;
    }
    *clsid = parsed;
    return win::S_OK;
}

}  // namespace sim
