// Reading the braced form, apart from writing it: the window program only
// writes GUIDs.
#include <string_view>

#include "text/guid_text.h"
#include "text/hex_digit.h"

bool ParseGuidText(const std::string& text, win::GUID& guid) {
    if (text.size() != 38 || text[0] != '{' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-' || text[37] != '}') {
        return false;
    }
    const std::string_view view(text);
    win::GUID parsed{};
    std::uint64_t v = 0;
    if (!ParseHexDigits(view.substr(1, 8), v)) {
        return false;
    }
    parsed.Data1 = static_cast<win::DWORD>(v);
    if (!ParseHexDigits(view.substr(10, 4), v)) {
        return false;
    }
    parsed.Data2 = static_cast<win::WORD>(v);
    if (!ParseHexDigits(view.substr(15, 4), v)) {
        return false;
    }
    parsed.Data3 = static_cast<win::WORD>(v);
    const std::size_t positions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!ParseHexDigits(view.substr(positions[i], 2), v)) {
            return false;
        }
        parsed.Data4[i] = static_cast<win::BYTE>(v);
    }
    guid = parsed;
    return true;
}
