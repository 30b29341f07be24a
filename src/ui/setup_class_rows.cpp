#include "ui/setup_class_rows.h"

#include <string>

#include "devices/guid_util.h"
#include "devices/setup_class_list.h"
#include "report/final_report.h"
#include "text/joined.h"

namespace {

std::string DevicesText(StatusCode counted, std::uint32_t count) {
    if (counted != 0) {
        return "not counted";
    }
    return count == 0 ? "no devices"
                      : Joined({std::to_string(count), count == 1 ? " device" : " devices"});
}

// Plain loops: the window program's size counts every algorithm it takes in.
SetupClassRow* Find(std::vector<SetupClassRow>& rows, const win::GUID& guid) {
    for (SetupClassRow& row : rows) {
        if (row.guid == guid) {
            return &row;
        }
    }
    return nullptr;
}

void AddRow(std::vector<SetupClassRow>& rows, const win::GUID& guid, const std::string& name,
            const std::string& devices, bool checked) {
    SetupClassRow row;
    row.guid = guid;
    row.name = name;
    GuidToString(guid, row.guidText);
    row.devices = devices;
    row.checked = checked;
    rows.push_back(std::move(row));
}

}  // namespace

std::vector<SetupClassRow> SetupClassRows(const ClassSelection& current) {
    SetupClassList installed;
    installed.Load();
    installed.SortByName();
    std::vector<SetupClassRow> rows;
    // The two switches first, under the names of their menu items.
    AddRow(rows, UsbClassGuid, "USB", "not installed", current.showUSB);
    AddRow(rows, Ieee1394ClassGuid, "IEEE 1394", "not installed", current.show1394);
    for (const InstalledClass& entry : installed.Classes()) {
        std::uint32_t count = 0;
        const StatusCode counted = CountPresentDevicesOfClass(entry.guid, 0xFFFFFFFFu, count);
        if (SetupClassRow* known = Find(rows, entry.guid)) {
            known->devices = DevicesText(counted, count);
            continue;
        }
        bool asked = false;
        for (const win::GUID& guid : current.classes) {
            asked = asked || guid == entry.guid;
        }
        AddRow(rows, entry.guid, entry.named ? entry.name : "(name not readable)",
               DevicesText(counted, count), asked || (current.allClasses && count > 0));
    }
    // Asked for and no longer installed: kept, so that no choice is lost silently.
    for (const win::GUID& guid : current.classes) {
        if (Find(rows, guid) == nullptr) {
            AddRow(rows, guid, "(not installed)", "not installed", true);
        }
    }
    return rows;
}

ClassSelection SelectionFromRows(const std::vector<SetupClassRow>& rows) {
    ClassSelection selection;
    selection.showUSB = false;
    selection.show1394 = false;
    for (const SetupClassRow& row : rows) {
        if (row.guid == UsbClassGuid) {
            selection.showUSB = row.checked;
        } else if (row.guid == Ieee1394ClassGuid) {
            selection.show1394 = row.checked;
        } else if (row.checked) {
            selection.classes.push_back(row.guid);
        }
    }
    return selection;
}
