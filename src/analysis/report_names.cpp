// The names the JSON twin and the differences give the report's parts (and
// the version its title shows); the window program reads reports but
// writes neither.
#include "analysis/report_data.h"

namespace analysis {

std::string TitleVersion(const std::string& title) {
    const std::size_t v = title.rfind(" v");
    return v == std::string::npos ? std::string() : title.substr(v + 2);
}

const char* TraceSlotName(TraceSlot slot) {
    static constexpr const char* kNames[] = {
        "Operating System",
        "Version Number",
        "Service Pack",
        "Product Type",
        "Product Suites",
        "Number of Logical Processors",
        "Name",
        "devices",
        "services",
        "Description",
        "Device Instance ID",
        "Driver Stack",
        "Service",
        "Binary",
        "File Version",
        "Product Version",
        "languages",
        "Provider",
        "Internal Name",
        "Original Filename",
        "Product Name",
        "File Description",
        "end",
        "end",
        "setupClasses",
        "Status",
        "Manufacturer",
        "Hardware IDs",
        "Compatible IDs",
        "Config Flags",
        "Driver Key",
        "Driver Provider",
        "Driver Version",
        "Driver Date",
        "INF File",
        "INF Section",
        "Matching Device ID",
        "Driver Description",
        "end of driver package",
        "Start Type",
    };
    return kNames[static_cast<std::size_t>(slot)];
}

bool IsEndSlot(TraceSlot slot) {
    return slot == TraceSlot::ServiceEnd || slot == TraceSlot::ClassEnd;
}

const char* StackLayerName(StackLayer layer) {
    static constexpr const char* kNames[] = {"upperClassFilters", "upperDeviceFilters",
                                             "functionDriver", "lowerClassFilters",
                                             "lowerDeviceFilters"};
    return kNames[static_cast<std::size_t>(layer)];
}

const char* VersionStringName(std::size_t index) {
    static constexpr const char* kNames[] = {"provider", "internalName", "originalFilename",
                                             "productName", "fileDescription"};
    return kNames[index];
}

const char* DetailFieldName(DetailField field) {
    static constexpr const char* kNames[] = {
        "status",     "manufacturer",     "hardwareIds",      "compatibleIds", "configFlags",
        "driverKey",  "driverProvider",   "driverVersion",    "driverDate",    "infFile",
        "infSection", "matchingDeviceId", "driverDescription"};
    return kNames[static_cast<std::size_t>(field)];
}

}  // namespace analysis
