// One complete report: title, System section, and one section per selected
// setup class.
#pragma once

#include <string>

#include "platform/platform.h"
#include "report/class_selection.h"
#include "report/report.h"

class FinalReport : public Report {
  public:
    FinalReport() = default;
    ~FinalReport() override = default;

    void Generate(const std::string& title, bool showUSB, bool show1394);
    // The classes of `selection` (SelectedClasses), each with the same
    // sections, two line breaks between them.
    void Generate(const std::string& title, const ClassSelection& selection);
    void AddDevNodesReportForSetupClass(const win::GUID& classGuid);

    // Before Generate: add the device details (and the services' start
    // types); offline, the device status is not known.
    void ShowDetails(bool on, bool offline = false) {
        details = on;
        detailsOffline = offline;
    }

  private:
    bool details = false;
    bool detailsOffline = false;
};

// The setup classes the report knows.
extern const win::GUID UsbClassGuid;       // {36FC9E60-C465-11CF-8056-444553540000}
extern const win::GUID Ieee1394ClassGuid;  // {6BDD1FC1-810F-11D0-BEC7-08002BE2092F}
