#include "devices/guid_util.h"

#include <cstdio>
#include <cstring>

#include "log/trace_log.h"

void GuidToString(const win::GUID& guid, std::string& text) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    text += buffer;
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
