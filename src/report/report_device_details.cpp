// The device details (--details, View > Device Details): the status of the
// device node, its manufacturer, hardware and compatible IDs and
// configuration flags, each on the device's own lines.
#include <string>

#include "devices/dev_node.h"
#include "devices/dev_node_status.h"
#include "devices/problem_code.h"
#include "log/trace_log.h"
#include "report/format_string.h"
#include "report/report.h"
#include "services/svc_ctrl.h"
#include "text/joined.h"

namespace {

constexpr std::uint32_t kDeviceColumn = 21;

struct FlagName {
    std::uint32_t bit;
    const char* name;
};

// The configuration flags that tell why a device does not work.
constexpr FlagName kConfigFlags[] = {
    {win::CONFIGFLAG_DISABLED, "disabled"},
    {win::CONFIGFLAG_REINSTALL, "reinstall"},
    {win::CONFIGFLAG_FAILEDINSTALL, "failed install"},
    {win::CONFIGFLAG_FINISH_INSTALL, "finish install"},
};

const char* const kStartTypes[] = {"boot", "system", "automatic", "demand", "disabled"};

}  // namespace

std::string DevNodeStatusText(std::uint32_t status, std::uint32_t problem, std::string& meaning) {
    meaning.clear();
    if (status == 0) {
        return "Unknown";  // nothing was said: Wine's answer
    }
    if ((status & win::DN_HAS_PROBLEM) != 0) {
        std::string text;
        FormatString(text, "%s, code %u", problem == win::CM_PROB_DISABLED ? "Disabled" : "Problem",
                     static_cast<unsigned>(problem));
        const ProblemCode* known = FindProblemCode(problem);
        if (known != nullptr) {
            text += Joined({" (", known->symbol, ")"});
        }
        meaning = known != nullptr ? known->meaning : "Unknown problem code.";
        return text;
    }
    return (status & win::DN_STARTED) != 0 ? "Started" : "Not started";
}

void Report::AddValueLines(const char* label, const StringList& values, std::uint32_t at) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 0) {
            AddText(label, 0);
        }
        AddText(values[i], at);
        AddNewLines(1);
    }
}

void Report::AddDevNodeDetails(const DevNode& devNode, bool offline) {
    Trace(LOG_INFO, "Report::AddDevNodeDetails...\n");
    if (offline) {
        AddValueLines("Status:", {"Not known offline"}, kDeviceColumn);
    } else {
        DevNodeStatus status;
        const StatusCode result = GetDevNodeStatus(devNode, status);
        if (result == 0) {
            std::string meaning;
            const std::string shown = DevNodeStatusText(status.status, status.problem, meaning);
            AddValueLines(
                "Status:", meaning.empty() ? StringList{shown} : StringList{shown, meaning},
                kDeviceColumn);
        } else {
            Trace(LOG_ERROR, "AddDevNodeDetails: GetDevNodeStatus failed with CONFIGRET 0x%08X.\n",
                  result);
        }
    }

    struct ListProperty {
        std::uint32_t property;
        const char* label;
        const char* what;
    };
    static const ListProperty kLists[] = {
        {win::SPDRP_MFG, "Manufacturer:", "manufacturer"},
        {win::SPDRP_HARDWAREID, "Hardware IDs:", "hardware IDs"},
        {win::SPDRP_COMPATIBLEIDS, "Compatible IDs:", "compatible IDs"},
    };
    for (const ListProperty& list : kLists) {
        StringList values;
        const StatusCode result = GetRegistryProperty(values, devNode, list.property);
        if (result != 0) {
            Trace(LOG_ERROR, "AddDevNodeDetails: get %s failed with error 0x%08X.\n", list.what,
                  result);
            continue;
        }
        // A manufacturer is one string; an absent value writes no line.
        if (list.property == win::SPDRP_MFG && values.size() > 1) {
            values.resize(1);
        }
        AddValueLines(list.label, values, kDeviceColumn);
    }

    std::optional<std::uint32_t> flags;
    const StatusCode result = GetConfigFlags(devNode, flags);
    if (result != 0) {
        Trace(LOG_ERROR, "AddDevNodeDetails: GetConfigFlags failed with error 0x%08X.\n", result);
    } else if (flags) {
        std::string hex;
        FormatString(hex, "0x%08X", static_cast<unsigned>(*flags));
        std::string names;
        for (const FlagName& flag : kConfigFlags) {
            if ((*flags & flag.bit) != 0) {
                names += names.empty() ? "" : ", ";
                names += flag.name;
            }
        }
        AddValueLines("Config Flags:", {names.empty() ? hex : Joined({hex, " (", names, ")"})},
                      kDeviceColumn);
    }
}

void Report::AddServiceStartType(TSvcCtrl& service) {
    Trace(LOG_INFO, "Report::AddServiceStartType...\n");
    std::uint32_t startType = 0;
    const StatusCode result = service.GetStartType(startType);
    if (result != 0) {
        Trace(LOG_ERROR, "AddServiceStartType: GetStartType failed with error 0x%08X.\n", result);
        return;
    }
    std::string shown;
    FormatString(shown, "%u", static_cast<unsigned>(startType));
    if (startType < sizeof kStartTypes / sizeof kStartTypes[0]) {
        shown += Joined({" (", kStartTypes[startType], ")"});
    }
    AddValueLines("Start Type:", {shown}, kDeviceColumn);
}
