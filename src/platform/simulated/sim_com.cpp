// CLSIDFromString for builds without COM: the braced text form only, with
// hexadecimal digits of either case; any other text is refused as Windows
// refuses a malformed class string.
#include <string>

#include "text/guid_text.h"
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// Characters beyond ASCII become '?', which no GUID text contains.
std::string Narrow(const win::OLECHAR* text) {
    std::string narrow;
    for (std::size_t i = 0; text[i] != 0; ++i) {
        narrow.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    }
    return narrow;
}

}  // namespace

win::HRESULT SimulatedPlatform::CLSIDFromString(const win::OLECHAR* text, win::GUID* clsid) {
    const std::string narrow = text != nullptr ? Narrow(text) : std::string();
    if (Enter("CLSIDFromString", narrow)) {
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
    if (!ParseGuidText(narrow, parsed)) {
        return win::CO_E_CLASSSTRING;
    }
    *clsid = parsed;
    return win::S_OK;
}

}  // namespace sim
