#include "ui/setup_class_rows.h"

#include <algorithm>
#include <string>

#include "devices/setup_class_list.h"
#include "report/final_report.h"
#include "devices/guid_util.h"

namespace {

std::string DevicesText(StatusCode counted, std::uint32_t count) {
    if (counted != 0) {
        return "not counted";
    }
    return count == 0 ? "no devices"
                      : std::to_string(count) + (count == 1 ? " device" : " devices");
}

std::string GuidText(const win::GUID& guid) {
    std::string text;
    GuidToString(guid, text);
    return text;
}

bool Asked(const ClassSelection& selection, const win::GUID& guid) {
    return std::find(selection.classes.begin(), selection.classes.end(), guid) !=
           selection.classes.end();
}

}  // namespace

std::vector<SetupClassRow> SetupClassRows(const ClassSelection& current) {
    SetupClassList installed;
    installed.Load();
    installed.SortByName();
    std::vector<SetupClassRow> rows;
    // The two switches first, under the names of their menu items.
    const struct {
        const win::GUID& guid;
        const char* name;
        bool checked;
    } switches[] = {{UsbClassGuid, "USB", current.showUSB},
                    {Ieee1394ClassGuid, "IEEE 1394", current.show1394}};
    for (const auto& s : switches) {
        SetupClassRow row;
        row.guid = s.guid;
        row.name = s.name;
        row.guidText = GuidText(s.guid);
        row.checked = s.checked;
        row.devices = "not installed";
        rows.push_back(row);
    }
    for (const InstalledClass& entry : installed.Classes()) {
        std::uint32_t count = 0;
        const StatusCode counted = CountPresentDevicesOfClass(entry.guid, 0xFFFFFFFFu, count);
        const auto known =
            std::find_if(rows.begin(), rows.begin() + 2,
                         [&](const SetupClassRow& r) { return r.guid == entry.guid; });
        if (known != rows.begin() + 2) {
            known->devices = DevicesText(counted, count);
            continue;
        }
        SetupClassRow row;
        row.guid = entry.guid;
        row.name = entry.named ? entry.name : "(name not readable)";
        row.guidText = GuidText(entry.guid);
        row.devices = DevicesText(counted, count);
        row.checked = Asked(current, entry.guid) || (current.allClasses && count > 0);
        rows.push_back(row);
    }
    for (const win::GUID& guid : current.classes) {
        const bool listed = std::any_of(rows.begin(), rows.end(),
                                        [&](const SetupClassRow& r) { return r.guid == guid; });
        if (!listed) {
            SetupClassRow row;
            row.guid = guid;
            row.name = "(not installed)";
            row.guidText = GuidText(guid);
            row.devices = "not installed";
            row.checked = true;
            rows.push_back(row);
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
