#include "report/class_selection.h"

#include <algorithm>

#include "devices/setup_class_list.h"
#include "report/final_report.h"

namespace {

void AddOnce(std::vector<win::GUID>& guids, const win::GUID& guid) {
    if (std::find(guids.begin(), guids.end(), guid) == guids.end()) {
        guids.push_back(guid);
    }
}

}  // namespace

std::vector<win::GUID> SelectedClasses(const ClassSelection& selection) {
    std::vector<win::GUID> guids;
    if (selection.showUSB) {
        guids.push_back(UsbClassGuid);
    }
    if (selection.show1394) {
        guids.push_back(Ieee1394ClassGuid);
    }
    for (const win::GUID& guid : selection.classes) {
        AddOnce(guids, guid);
    }
    if (!selection.allClasses) {
        return guids;
    }
    SetupClassList installed;
    if (installed.Load() != 0) {
        return guids;
    }
    installed.SortByName();
    for (const InstalledClass& entry : installed.Classes()) {
        if (std::find(guids.begin(), guids.end(), entry.guid) != guids.end()) {
            continue;  // reported already: its devices need no counting
        }
        // One device tells; a class whose devices cannot be listed is shown
        // with the failure in its own section.
        std::uint32_t count = 0;
        if (CountPresentDevicesOfClass(entry.guid, 1, count) != 0 || count > 0) {
            guids.push_back(entry.guid);
        }
    }
    return guids;
}
