// The present devices of every installed setup class, listed a way of its
// own: one enumeration of all classes' present devices, grouped by the class
// each device names, kept where the class name can be read. Prints JSON for
// setup_classes.sh to hold against malvoret-report --all-classes.
#include <windows.h>
#include <setupapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Device {
    std::string instanceId;
    std::string service;
    std::vector<std::string> upperFilters;
    std::vector<std::string> lowerFilters;
};

struct SetupClass {
    std::string name;
    std::vector<Device> devices;
};

std::string GuidText(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// A string or multi-string property; absent or unreadable: nothing.
std::vector<std::string> Property(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) {
    std::vector<std::string> values;
    DWORD type = 0;
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyA(set, &data, property, &type, nullptr, 0, &size);
    if (size == 0) {
        return values;
    }
    std::vector<char> buffer(size + 2, '\0');
    if (!SetupDiGetDeviceRegistryPropertyA(set, &data, property, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), size, nullptr)) {
        return values;
    }
    for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1) {
        values.emplace_back(p);
        if (type != REG_MULTI_SZ) {
            break;
        }
    }
    return values;
}

void Json(const std::string& text) {
    std::putchar('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            std::printf("\\%c", c);
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
            std::printf("\\u%04x", static_cast<unsigned char>(c));
        } else {
            std::putchar(c);
        }
    }
    std::putchar('"');
}

void JsonList(const std::vector<std::string>& items) {
    std::putchar('[');
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::printf(i == 0 ? "" : ", ");
        Json(items[i]);
    }
    std::putchar(']');
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    HDEVINFO set =
        SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "SetupDiGetClassDevsA: error %lu\n", GetLastError());
        return 1;
    }
    std::map<std::string, SetupClass> classes;  // by GUID text
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInfo(set, index, &data)) {
            break;
        }
        char name[256] = {};
        if (!SetupDiClassNameFromGuidA(&data.ClassGuid, name, sizeof name, nullptr)) {
            continue;  // a class that is not installed
        }
        SetupClass& setupClass = classes[GuidText(data.ClassGuid)];
        setupClass.name = name;
        char id[1024] = {};
        Device device;
        if (SetupDiGetDeviceInstanceIdA(set, &data, id, sizeof id, nullptr)) {
            device.instanceId = id;
        }
        const std::vector<std::string> service = Property(set, data, SPDRP_SERVICE);
        device.service = service.empty() ? std::string() : service.front();
        device.upperFilters = Property(set, data, SPDRP_UPPERFILTERS);
        device.lowerFilters = Property(set, data, SPDRP_LOWERFILTERS);
        setupClass.devices.push_back(device);
    }
    SetupDiDestroyDeviceInfoList(set);

    std::printf("[\n");
    bool first = true;
    for (const auto& [guid, setupClass] : classes) {
        std::printf(first ? "  {\"guid\": " : ",\n  {\"guid\": ");
        first = false;
        Json(guid);
        std::printf(", \"name\": ");
        Json(setupClass.name);
        std::printf(", \"devices\": [");
        for (std::size_t i = 0; i < setupClass.devices.size(); ++i) {
            const Device& d = setupClass.devices[i];
            std::printf(i == 0 ? "\n    {\"instanceId\": " : ",\n    {\"instanceId\": ");
            Json(d.instanceId);
            std::printf(", \"service\": ");
            Json(d.service);
            std::printf(", \"upperFilters\": ");
            JsonList(d.upperFilters);
            std::printf(", \"lowerFilters\": ");
            JsonList(d.lowerFilters);
            std::printf("}");
        }
        std::printf("]}");
    }
    std::printf("\n]\n");
    return 0;
}
