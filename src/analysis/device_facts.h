// What the device details of a saved report say, taken apart: the device
// node's state and problem code, the configuration flags, and whether the
// driver package, its key and its INF file are there. JSON, differences and
// findings read the details through these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/report_data.h"

namespace analysis {

enum class DeviceState : std::uint8_t {
    Started,
    NotStarted,
    Disabled,  // problem code 22
    Problem,
    Unknown,          // the system said nothing (Wine)
    NotKnownOffline,  // a report from files: there is no live status
    Other,            // a text the program does not write
};

struct StatusFacts {
    DeviceState state = DeviceState::Other;
    std::optional<std::uint32_t> problemCode;
    std::string problemName;  // "CM_PROB_FAILED_START"; empty for an unknown code
    std::string meaning;      // the line below the status, if any
};

const char* DeviceStateName(DeviceState state);  // "started", "notKnownOffline", ...

// The first value of a field, or null when the field has no line.
const std::string* FieldText(const DeviceDetails& details, DetailField field);
std::optional<StatusFacts> StatusOf(const DeviceDetails& details);
// The hexadecimal value of the Config Flags line, and the names after it.
std::optional<std::uint32_t> ConfigFlagsOf(const DeviceDetails& details);
std::vector<std::string> ConfigFlagNames(const DeviceDetails& details);

// "(none)": the device has no Driver value, so no driver package.
bool NoDriverValue(const DeviceDetails& details);
// The Driver value names a key that does not exist.
bool DriverKeyMissing(const DeviceDetails& details);
// The INF file is not in the Windows folder's INF folder.
bool InfFileMissing(const DeviceDetails& details);

inline constexpr const char* kNoDriverValue = "(none)";
inline constexpr const char* kKeyMissing = "(the key does not exist)";

}  // namespace analysis
