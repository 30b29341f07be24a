// Reading the braced form, apart from writing it: the window program only
// writes GUIDs.
#include <string_view>

#include "text/guid_text.h"
#include "text/hex_digit.h"

bool ParseGuidText(std::string_view view, win::GUID& guid) {
    if (view.size() != 38 || view[0] != '{' || view[9] != '-' || view[14] != '-' ||
        view[19] != '-' || view[24] != '-' || view[37] != '}') {
        return false;
    }
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
