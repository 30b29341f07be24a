#include "report/final_report.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "devices/dev_node_list.h"
#include "devices/string_list.h"
#include "log/trace_log.h"
#include "services/svc_ctrl.h"
#include "services/svc_ctrl_manager.h"

const win::GUID UsbClassGuid = {
    0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const win::GUID Ieee1394ClassGuid = {
    0x6BDD1FC1, 0x810F, 0x11D0, {0xBE, 0xC7, 0x08, 0x00, 0x2B, 0xE2, 0x09, 0x2F}};

namespace {

// Plain byte order, as strcmp: every upper-case letter before every lower-case one.
struct ByteLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    }
};

}  // namespace

void FinalReport::Generate(const std::string& title, bool showUSB, bool show1394) {
    ClassSelection selection;
    selection.showUSB = showUSB;
    selection.show1394 = show1394;
    Generate(title, selection);
}

void FinalReport::Generate(const std::string& title, const ClassSelection& selection) {
    Trace(LOG_INFO, "FinalReport::Generate...\n");
    AddText(title, 0);
    AddNewLines(2);
    AddText("System:", 0);
    AddNewLines(2);
    SetIndent(3);
    AddSystemInfo();
    SetIndent(0);
    AddNewLines(2);
    // Listing the installed classes, when asked, happens here: its failures
    // stand between the System section and the first class.
    const std::vector<win::GUID> classes = SelectedClasses(selection);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (i > 0) {
            AddNewLines(2);
        }
        AddDevNodesReportForSetupClass(classes[i]);
    }
}

void FinalReport::AddDevNodesReportForSetupClass(const win::GUID& classGuid) {
    Trace(LOG_INFO, "FinalReport::AddDevNodesReportForSetupClass...\n");
    AddText("Device Setup Class:", 0);
    AddNewLines(2);
    SetIndent(3);
    AddSetupClassInfo(classGuid);
    AddNewLines(1);

    DevNodeList devices;
    StatusCode status = devices.LoadDevices(&classGuid);
    if (status != 0) {
        Trace(LOG_ERROR,
              "AddDevNodesReportForSetupClass: LoadDevicesOfClass failed with error 0x%08X.\n",
              status);
        return;
    }

    // Each service is described once, whichever stacks name it, in byte order.
    std::vector<std::string> serviceNames;
    if (devices.Count() == 0) {
        SetIndent(3);
        AddText("No devices installed.", 0);
        AddNewLines(1);
    } else {
        StringList stackServices;
        for (std::uint32_t i = 0; i < devices.Count(); ++i) {
            const DevNode& devNode = devices.At(i);
            SetIndent(3);
            AddText("Device:", 0);
            AddNewLines(1);
            SetIndent(6);
            AddCommonDevNodeInfo(devNode);
            if (details) {
                AddDevNodeDetails(devNode, detailsOffline);
                AddNewLines(1);
                AddText("Driver Package:", 0);
                AddNewLines(1);
                SetIndent(9);
                AddDriverPackageInfo(devNode);
                SetIndent(6);
            }
            AddNewLines(1);
            AddText("Driver Stack:", 0);
            AddNewLines(1);
            SetIndent(9);
            AddDevNodeDriverStackInfo(devNode, &stackServices);
            for (const std::string& name : stackServices) {
                const auto at =
                    std::lower_bound(serviceNames.begin(), serviceNames.end(), name, ByteLess());
                if (at == serviceNames.end() || ByteLess()(name, *at)) {
                    serviceNames.insert(at, name);
                }
            }
        }

        AddNewLines(1);
        TSvcCtrlManager manager;
        status = manager.Open();
        if (status != 0) {
            Trace(LOG_ERROR,
                  "AddDevNodesReportForSetupClass: Open service control manager failed with "
                  "error 0x%08X.\n",
                  status);
            devices.SetEmpty();
            return;
        }
        TSvcCtrl service;
        for (const std::string& name : serviceNames) {
            AddNewLines(1);
            status = service.OpenService(name, manager.ManagerHandle());
            if (status != 0) {
                Trace(LOG_ERROR,
                      "AddDevNodesReportForSetupClass: OpenService '%s' failed with error "
                      "0x%08X.\n",
                      name.c_str(), status);
                continue;
            }
            SetIndent(3);
            AddText("Service:", 0);
            AddNewLines(1);
            SetIndent(6);
            AddCommonServiceInfo(service);
            if (details) {
                AddServiceStartType(service);
            }
            AddNewLines(1);
            AddDriverVersionInfo(service);
            SetIndent(0);
            service.CloseService();
        }
    }
    devices.SetEmpty();
}
