#include "devices/driver_stack.h"

#include "devices/device_setup_class.h"
#include "devices/guid_util.h"
#include "log/trace_log.h"

void DriverStack::Clear() {
    Trace(LOG_INFO, "DriverStack::Clear...\n");
    UpperClassFilters.clear();
    UpperDeviceFilters.clear();
    FunctionDriverService.clear();
    LowerClassFilters.clear();
    LowerDeviceFilters.clear();
}

StatusCode DriverStack::LoadStack(const DevNode& node) {
    Trace(LOG_INFO, "DriverStack::LoadStack...\n");
    Clear();
    // The class filters come from the class the device itself names, not
    // from the class it was enumerated through.
    std::string classGuidText;
    StatusCode result = GetClassGuid(node, classGuidText);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: GetClassGuid failed with error 0x%08X.\n", result);
        return result;
    }
    win::GUID classGuid{};
    result = GuidFromString(classGuid, classGuidText.c_str());
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: GuidFromString failed with error 0x%08X.\n", result);
        return result;
    }
    const DeviceSetupClass setupClass(classGuid);
    result = setupClass.GetUpperFilters(UpperClassFilters);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: get upper class filters failed with error 0x%08X.\n", result);
        return result;
    }
    result = setupClass.GetLowerFilters(LowerClassFilters);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: get lower class filters failed with error 0x%08X.\n", result);
        return result;
    }
    result = GetRegistryProperty(UpperDeviceFilters, node, win::SPDRP_UPPERFILTERS);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: get upper device filters failed with error 0x%08X.\n", result);
        return result;
    }
    result = GetRegistryProperty(LowerDeviceFilters, node, win::SPDRP_LOWERFILTERS);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: get lower device filters failed with error 0x%08X.\n", result);
        return result;
    }
    result = GetServiceName(node, FunctionDriverService);
    if (result != 0) {
        Trace(LOG_ERROR, "LoadStack: GetServiceName failed with error 0x%08X.\n", result);
        return result;
    }
    return 0;
}
