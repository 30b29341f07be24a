#include "text/guid_text.h"

#include "text/print_format.h"

std::string GuidText(const win::GUID& guid) {
    char buffer[40];
    FormatPrint(buffer, sizeof buffer, "{%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return buffer;
}
