// The report's own labels, which its reader and writer share.
#include "analysis/report_data.h"

namespace analysis {

const char* StackLayerLabel(StackLayer layer) {
    static constexpr const char* kLabels[] = {
        "Upper Level Class Filter Service Names:", "Upper Level Device Filter Service Names:",
        "Function Driver Service Name:", "Lower Level Class Filter Service Names:",
        "Lower Level Device Filter Service Names:"};
    return kLabels[static_cast<std::size_t>(layer)];
}

const char* VersionStringLabel(std::size_t index) {
    static constexpr const char* kLabels[] = {
        "Provider:", "Internal Name:", "Original Filename:", "Product Name:", "File Description:"};
    return kLabels[index];
}

const char* DetailFieldLabel(DetailField field) {
    static constexpr const char* kLabels[] = {"Status:",
                                              "Manufacturer:",
                                              "Hardware IDs:",
                                              "Compatible IDs:",
                                              "Config Flags:",
                                              "Driver Key:",
                                              "Driver Provider:",
                                              "Driver Version:",
                                              "Driver Date:",
                                              "INF File:",
                                              "INF Section:",
                                              "Matching Device ID:",
                                              "Driver Description:"};
    return kLabels[static_cast<std::size_t>(field)];
}

TraceSlot DetailFieldSlot(DetailField field) {
    return static_cast<TraceSlot>(static_cast<std::size_t>(TraceSlot::Status) +
                                  static_cast<std::size_t>(field));
}

}  // namespace analysis
