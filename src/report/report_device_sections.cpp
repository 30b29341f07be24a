// The setup class, device and driver stack sections.
#include "devices/dev_node.h"
#include "devices/device_setup_class.h"
#include "devices/driver_stack.h"
#include "log/trace_log.h"
#include "report/report.h"

namespace {

constexpr std::uint32_t kClassColumn = 7;
constexpr std::uint32_t kDeviceColumn = 21;
constexpr std::uint32_t kStackColumn = 42;

// Filter lists are written from the last entry stored to the first; the
// label stands on the first line written.
void AddFilterLines(Report& report, const char* label, const StringList& filters,
                    StringList* serviceNames) {
    for (auto name = filters.rbegin(); name != filters.rend(); ++name) {
        if (name == filters.rbegin()) {
            report.AddText(label, 0);
        }
        report.AddText(*name, kStackColumn);
        report.AddNewLines(1);
        if (serviceNames != nullptr) {
            serviceNames->push_back(*name);
        }
    }
}

}  // namespace

void Report::AddSetupClassInfo(const win::GUID& classGuid) {
    Trace(LOG_INFO, "Report::AddSetupClassInfo...\n");
    std::string name;
    const StatusCode result = DeviceSetupClass(classGuid).GetClassName(name);
    if (result == 0) {
        AddText("Name:", 0);
        AddText(name, kClassColumn);
        AddNewLines(1);
    } else if (result == win::ERROR_INVALID_CLASS) {
        AddText("Name:", 0);
        AddText("??? (Class is not installed on the system.)", kClassColumn);
        AddNewLines(1);
    } else {
        Trace(LOG_ERROR, "AddSetupClassInfo: GetClassName failed with error 0x%08X.\n", result);
    }
    AddText("GUID:", 0);
    AddGuid(classGuid);
    AddNewLines(1);
}

void Report::AddCommonDevNodeInfo(const DevNode& devNode) {
    Trace(LOG_INFO, "Report::AddCommonDevNodeInfo...\n");
    std::string description;
    StatusCode result = GetDescription(devNode, description);
    if (result == 0) {
        AddText("Description:", 0);
        AddText(description, kDeviceColumn);
        AddNewLines(1);
    } else {
        Trace(LOG_ERROR, "AddCommonDevNodeInfo: GetDescription failed with error 0x%08X.\n",
              result);
    }
    std::string instanceId;
    result = GetDeviceInstanceID(devNode, instanceId);
    if (result == 0) {
        AddText("Device Instance ID:", 0);
        AddText(instanceId, kDeviceColumn);
        AddNewLines(1);
    } else {
        Trace(LOG_ERROR, "AddCommonDevNodeInfo: GetDeviceInstanceID failed with error 0x%08X.\n",
              result);
    }
}

void Report::AddDevNodeDriverStackInfo(const DevNode& devNode, StringList* serviceNames) {
    Trace(LOG_INFO, "Report::AddDevNodeDriverStackInfo...\n");
    if (serviceNames != nullptr) {
        serviceNames->clear();
    }
    DriverStack stack;
    const StatusCode result = stack.LoadStack(devNode);
    if (result != 0) {
        Trace(LOG_ERROR, "AddDevNodeDriverStackInfo: LoadStack failed with error 0x%08X.\n",
              result);
        return;
    }
    AddFilterLines(*this, "Upper Level Class Filter Service Names:", stack.UpperClassFilters,
                   serviceNames);
    AddFilterLines(*this, "Upper Level Device Filter Service Names:", stack.UpperDeviceFilters,
                   serviceNames);
    AddText("Function Driver Service Name:", 0);
    AddText(stack.FunctionDriverService, kStackColumn);
    AddNewLines(1);
    if (serviceNames != nullptr) {
        serviceNames->push_back(stack.FunctionDriverService);
    }
    AddFilterLines(*this, "Lower Level Class Filter Service Names:", stack.LowerClassFilters,
                   serviceNames);
    AddFilterLines(*this, "Lower Level Device Filter Service Names:", stack.LowerDeviceFilters,
                   serviceNames);
}
