// GUID text from anywhere (registry values, described machines): both
// parsers agree, never read past the terminator, and a parsed GUID prints
// back as the same text in lower case.
#include <cctype>

#include "devices/guid_util.h"
#include "fuzz_support.h"
#include "text/guid_text.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    // The text up to the first NUL, as a C string would end.
    std::string text = AsText(data, size);
    text.resize(std::strlen(text.c_str()));

    win::GUID fromCore{};
    const StatusCode status = GuidFromString(fromCore, text.c_str());
    win::GUID fromSim{};
    const bool simParsed = ParseGuidText(text, fromSim);

    // The core takes at most 99 characters; longer text is never a GUID.
    FUZZ_CHECK((status == 0) == simParsed);
    if (status == 0) {
        FUZZ_CHECK(std::memcmp(&fromCore, &fromSim, sizeof fromCore) == 0);
        std::string printed;
        GuidToString(fromCore, printed);
        FUZZ_CHECK(printed == Lower(text));
        FUZZ_CHECK(GuidText(fromSim) == printed);
    } else {
        const win::GUID null{};
        FUZZ_CHECK(std::memcmp(&fromCore, &null, sizeof null) == 0);
    }
    return 0;
}
