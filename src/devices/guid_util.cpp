#include "devices/guid_util.h"

#include <cstring>

#include "log/trace_log.h"
#include "text/guid_text.h"

void GuidToString(const win::GUID& guid, std::string& text) {
    text += GuidText(guid);
}

StatusCode GuidFromString(win::GUID& guid, const char* string) {
    if (string == nullptr) {
        Trace(LOG_ERROR,
              "GuidFromString: NULL pointer found instead of a pointer to a guid string\n");
        return 1;
    }
    // Each byte widens to one 16-bit character; at most 99 are taken.
    win::OLECHAR wide[100] = {};
    for (std::size_t i = 0; i < 99 && string[i] != '\0'; ++i) {
        wide[i] = static_cast<win::OLECHAR>(static_cast<unsigned char>(string[i]));
    }
    std::memset(&guid, 0, sizeof guid);
    const win::HRESULT result = win::Current().CLSIDFromString(wide, &guid);
    if (result == win::S_OK) {
        return 0;
    }
    Trace(LOG_ERROR, "GuidFromString: CLSIDFromString failed with error = 0x%08X (HRESULT)\n",
          static_cast<unsigned>(result));
    return 1;
}
