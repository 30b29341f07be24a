#include "analysis/device_checks.h"

#include "analysis/device_facts.h"
#include "analysis/report_diff.h"
#include "text/joined.h"

namespace analysis {

namespace {

constexpr std::uint32_t kFlagDisabled = 0x00000001;
constexpr std::uint32_t kFlagReinstall = 0x00000020;
constexpr std::uint32_t kFlagFailedInstall = 0x00000040;

struct Advice {
    std::uint32_t code;
    const char* action;
};

constexpr Advice kAdvice[] = {
    {1, "Install the device's driver: update it in Device Manager from the maker's package."},
    {3,
     "Close programs or add memory; if the code stays, reinstall the driver, which may be "
     "damaged."},
    {10,
     "Reinstall the device's driver from its maker, look in the system event log for the "
     "driver's own message, and try another port."},
    {12,
     "Free resources: disable a device it conflicts with, or change the firmware settings of "
     "its slot."},
    {14, "Restart the computer."},
    {18,
     "Reinstall the drivers: uninstall the device in Device Manager, then scan for hardware "
     "changes."},
    {19,
     "Uninstall the device and scan for hardware changes; remove stale UpperFilters and "
     "LowerFilters values of its class."},
    {21, "Refresh Device Manager after a moment; if the code stays, restart the computer."},
    {22, "Enable the device in Device Manager if it should work."},
    {24, "Check that the device is connected; reinstall its driver, or replace the hardware."},
    {28,
     "Install the device's driver package (Update Driver in Device Manager), then restart the "
     "device."},
    {31, "Reinstall the driver: one that cannot add the device is the wrong one or damaged."},
    {32,
     "Set the start type of the driver's service back to what its package installs (usually "
     "3, demand), or reinstall the driver."},
    {37, "Reinstall the driver; if the code stays, get a release made for this Windows."},
    {39, "Reinstall the driver: its file is missing or damaged."},
    {41, "Check that the hardware is connected, and install the driver made for this device."},
    {43,
     "Reconnect the device and update its driver and firmware: the driver saw the device "
     "fail."},
    {45, "Reconnect the device; one that is gone for good can be uninstalled in Device Manager."},
    {48,
     "Get an updated driver from its maker: this one is blocked because it is known to cause "
     "trouble."},
    {52, "Install a signed release of the driver: Windows could not verify this one."},
};

std::string Subject(const Device& d) {
    return Joined({"device ", d.instanceId.value_or("?")});
}

std::size_t LineOf(const DeviceDetails& details, DetailField field) {
    return details.lines[static_cast<std::size_t>(field)];
}

const Service* FindService(const SetupClass& c, const std::string& name) {
    for (const Service& s : c.services) {
        if (s.opened && SameName(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

// "1.2.3.4" and "1.2.3" as numbers part by part, missing parts 0; nothing
// for text that is not a dotted version.
std::optional<std::vector<unsigned long>> VersionParts(const std::string& text) {
    std::vector<unsigned long> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t dot = text.find('.', start);
        const std::string part = text.substr(start, dot - start);
        if (part.empty() || part.size() > 9 || part.find_first_not_of("0123456789") != part.npos) {
            return std::nullopt;
        }
        parts.push_back(std::stoul(part));
        if (dot == std::string::npos) {
            break;
        }
        start = dot + 1;
    }
    while (parts.size() < 4) {
        parts.push_back(0);
    }
    return parts;
}

void Status(Checker& check, const Device& d, const DeviceDetails& details) {
    const std::optional<StatusFacts> status = StatusOf(details);
    const std::optional<std::uint32_t> flags = ConfigFlagsOf(details);
    const std::size_t statusLine = LineOf(details, DetailField::Status);
    const std::size_t flagsLine = LineOf(details, DetailField::ConfigFlags);
    if (status && status->state == DeviceState::Problem) {
        const std::uint32_t code = *status->problemCode;
        // Without a driver installed (codes 1 and 28) the device names no
        // function driver: the failed stack's ERROR lines say only that.
        std::vector<std::size_t> lines = {statusLine};
        for (const TraceLine& t : d.traces) {
            if ((code == 1 || code == 28) && t.slot == TraceSlot::DriverStack) {
                check.Explain(t);
                lines.push_back(t.line);
            }
        }
        const bool named = !status->problemName.empty();
        const bool explained = !status->meaning.empty();
        check.Add(Severity::Error, "device-problem", Subject(d), lines,
                  Joined({d.description.value_or("the device"), " has problem code ",
                          std::to_string(code), named ? " (" : "", status->problemName,
                          named ? ")" : "", explained ? ": " : "", status->meaning}),
                  ProblemAdvice(code));
    }
    const bool disabledNow = status && status->state == DeviceState::Disabled;
    if (disabledNow || (flags && (*flags & kFlagDisabled) != 0)) {
        check.Add(Severity::Info, "device-disabled", Subject(d),
                  {disabledNow ? statusLine : flagsLine},
                  Joined({d.description.value_or("the device"),
                          disabledNow ? " is disabled (code 22)"
                                      : " is disabled: its configuration flags say so"}),
                  ProblemAdvice(22));
    }
    if (flags && (*flags & (kFlagFailedInstall | kFlagReinstall)) != 0) {
        const bool failed = (*flags & kFlagFailedInstall) != 0;
        check.Add(Severity::Warning, "install-flags", Subject(d), {flagsLine},
                  Joined({"the configuration flags of ", d.description.value_or("the device"),
                          failed ? " say its installation failed" : " ask for its reinstallation"}),
                  "Reinstall the device's driver (Update Driver in Device Manager, or uninstall "
                  "the device and scan for hardware changes), then restart.");
    }
}

void Package(Checker& check, const SetupClass& c, const Device& d, const DeviceDetails& details) {
    const std::vector<std::string>& function =
        d.stack.layers[static_cast<std::size_t>(StackLayer::FunctionDriver)];
    const std::string driver = function.empty() ? std::string() : function.front();
    const std::size_t keyLine = LineOf(details, DetailField::DriverKey);
    if (!driver.empty() && (NoDriverValue(details) || DriverKeyMissing(details))) {
        const bool noValue = NoDriverValue(details);
        check.Add(Severity::Warning, "no-driver-package", Subject(d), {keyLine},
                  Joined({d.description.value_or("the device"), " runs ", driver,
                          noValue ? " but has no driver package (no Driver value)"
                                  : " but its driver key ",
                          noValue ? "" : *FieldText(details, DetailField::DriverKey),
                          noValue ? "" : " does not exist"}),
                  "Reinstall the device's driver from its package, so that Windows records what "
                  "is installed and can update or roll it back.");
    }
    const std::string* version = FieldText(details, DetailField::DriverVersion);
    const Service* service = driver.empty() ? nullptr : FindService(c, driver);
    if (version != nullptr && service != nullptr && service->versionLoaded) {
        const auto package = VersionParts(*version);
        const auto file = VersionParts(service->fileVersion);
        if (package && file && *package != *file) {
            check.Add(Severity::Info, "version-mismatch", Subject(d),
                      {LineOf(details, DetailField::DriverVersion), service->versionLine},
                      Joined({"the driver package says version ", *version, ", the file of ",
                              driver, " is ", service->fileVersion}),
                      "If the device misbehaves, check that the file in system32\\drivers is the "
                      "one its package installed: another package may have replaced it.");
        }
    }
    if (InfFileMissing(details)) {
        check.Add(Severity::Warning, "inf-missing", Subject(d),
                  {LineOf(details, DetailField::InfFile)},
                  Joined({"the INF file ", *FieldText(details, DetailField::InfFile),
                          " of the driver package is not in the Windows folder"}),
                  "Reinstall the driver package: without its INF file Windows cannot reinstall or "
                  "repair the device's driver.");
    }
}

// A service of a device's stack whose start type is 4 (disabled).
void DisabledServices(Checker& check, const SetupClass& c) {
    for (const Service& s : c.services) {
        if (!s.opened || !s.startType || s.startType->rfind("4", 0) != 0 ||
            (s.startType->size() > 1 && (*s.startType)[1] != ' ')) {
            continue;
        }
        check.Add(Severity::Warning, "service-disabled", Joined({"service ", s.name}),
                  {s.startTypeLine},
                  Joined({"the service ", s.name,
                          " is disabled (start type 4): no device whose stack names it can start"}),
                  "Set its start type back to what its driver package installs (usually 3, "
                  "demand), or remove it from the stacks that name it.");
    }
}

}  // namespace

const char* ProblemAdvice(std::uint32_t code) {
    for (const Advice& advice : kAdvice) {
        if (advice.code == code) {
            return advice.action;
        }
    }
    return "Look the code up in the system's documentation; reinstalling the device's driver "
           "helps with most codes.";
}

void DeviceRules(Checker& check, const SetupClass& c) {
    for (const Device& d : c.devices) {
        if (d.details) {
            Status(check, d, *d.details);
            Package(check, c, d, *d.details);
        }
    }
    DisabledServices(check, c);
}

}  // namespace analysis
