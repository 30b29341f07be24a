// The content of one report as data: what a saved report says, in report
// order, with every ERROR and WARNING line at the place it interrupts.
// Narrow text stays in the report's code page, byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

enum class TraceKind : std::uint8_t { Error, Warning };

// The line of its element before which a trace line stands: the query that
// failed there was made for that line (or, for the list slots, for all that
// follows it in the element).
enum class TraceSlot : std::uint8_t {
    OperatingSystem,
    VersionNumber,
    ServicePack,
    ProductType,
    ProductSuites,
    Processors,
    ClassName,       // before "Name:" of a setup class
    DeviceList,      // after the class lines: the devices could not be listed
    ServiceManager,  // after the devices: the service control manager
    Description,
    InstanceId,
    DriverStack,
    OpenService,  // in place of a service section that could not be opened
    Binary,
    VersionResource,  // before "File Version:" (or in place of the version lines)
    ProductVersion,
    Languages,  // before the language blocks
    Provider,   // the five strings of a language block, in order
    InternalName,
    OriginalFilename,
    ProductName,
    FileDescription,
    ServiceEnd,    // after a service section: closing the service
    ClassEnd,      // after all of a class: closing the manager, releasing the devices
    SetupClasses,  // after the System section: the installed classes could not be listed
    // The device details (--details), before their lines in order, and the
    // service's start type.
    Status,
    Manufacturer,
    HardwareIds,
    CompatibleIds,
    ConfigFlags,
    DriverKey,
    DriverProvider,
    DriverVersion,
    DriverDate,
    InfFile,
    InfSection,
    MatchingDeviceId,
    DriverDescription,
    DriverPackageEnd,  // after the driver package's last line
    StartType,
};

// The trace log formats a message into 1024 bytes: a longer one is cut to
// this many, its final line feed with it.
inline constexpr std::size_t kTraceMessageLimit = 1023;

struct TraceLine {
    TraceKind kind = TraceKind::Error;
    TraceSlot slot = TraceSlot::OperatingSystem;
    // Without the line feed that ends every trace message; a message of
    // kTraceMessageLimit bytes was cut and never had one.
    std::string message;
    std::size_t line = 0;  // where it was read, 1-based; 0 when not read from a file
};
using TraceLines = std::vector<TraceLine>;

struct SystemFacts {
    std::string operatingSystem;
    std::string versionNumber;
    std::string servicePack;
    std::string productType;
    std::vector<std::string> productSuites;  // "---" alone when there is none
    std::string processors;
    TraceLines traces;
};

enum class StackLayer : std::uint8_t {
    UpperClassFilters,
    UpperDeviceFilters,
    FunctionDriver,
    LowerClassFilters,
    LowerDeviceFilters,
};
constexpr std::size_t kStackLayers = 5;

struct DriverStack {
    bool loaded = true;  // false: only the ERROR lines stand below "Driver Stack:"
    // Per layer its service names in report order; the function driver layer
    // holds exactly one name (possibly empty) once the stack loaded.
    std::array<std::vector<std::string>, kStackLayers> layers;
    std::array<std::size_t, kStackLayers> lines{};  // first line of each layer
};

// The device details, field by field in report order: the device's own
// lines (status to configuration flags), then the driver package's.
enum class DetailField : std::uint8_t {
    Status,  // "Started", "Problem, code 10 (CM_PROB_FAILED_START)" and its meaning
    Manufacturer,
    HardwareIds,
    CompatibleIds,
    ConfigFlags,  // "0x00000041 (disabled, failed install)"
    DriverKey,    // "(none)", or the key and "(the key does not exist)"
    DriverProvider,
    DriverVersion,
    DriverDate,  // YYYY-MM-DD
    InfFile,     // the file, and "(not in C:\Windows\inf)" when it is missing
    InfSection,
    MatchingDeviceId,
    DriverDescription,
};
constexpr std::size_t kDetailFields = 13;
constexpr std::size_t kDeviceDetailFields = 5;  // the first five stand on the device's lines

struct DeviceDetails {
    // Per field its values as written: the labelled line's, then those of
    // the lines below it; empty when the field has no line.
    std::array<std::vector<std::string>, kDetailFields> fields;
    std::array<std::size_t, kDetailFields> lines{};  // where each line stands
};

struct Device {
    std::optional<std::string> description;  // absent: its query failed
    std::optional<std::string> instanceId;
    std::optional<DeviceDetails> details;  // absent: a report without details
    DriverStack stack;
    TraceLines traces;
    std::size_t line = 0;
};

constexpr std::size_t kVersionStrings = 5;

struct LanguageBlock {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    // Provider, internal name, original file name, product name, file
    // description; "not available" as the report writes it.
    std::array<std::string, kVersionStrings> strings;
    TraceLines traces;
    std::size_t line = 0;
};

struct Service {
    // False: the service could not be opened; only its trace lines stand
    // for it, and `name` is what the OpenService message names (if any).
    bool opened = true;
    std::string name;
    std::optional<std::string> binary;
    std::optional<std::string> startType;  // with details: "3 (demand)"
    bool versionLoaded = true;             // false: no version lines at all
    std::string fileVersion;
    std::string productVersion;
    // False: "File description for specific language/code page not available."
    bool languagesListed = true;
    std::vector<LanguageBlock> languages;
    TraceLines traces;
    std::size_t line = 0;
    std::size_t binaryLine = 0;
    std::size_t startTypeLine = 0;
    std::size_t versionLine = 0;
};

struct SetupClass {
    std::optional<std::string> name;  // absent: its query failed; may be the placeholder
    std::string guid;
    bool devicesListed = true;  // false: the device list failed; no devices, no services
    std::vector<Device> devices;
    bool managerOpened = true;  // false: no service sections
    std::vector<Service> services;
    TraceLines traces;
    std::size_t line = 0;
};

struct ReportData {
    std::string title;  // the first line: product name and version
    SystemFacts system;
    std::vector<SetupClass> classes;  // in report order: USB, IEEE 1394, then the others
};

inline constexpr const char* kClassNotInstalled = "??? (Class is not installed on the system.)";
inline constexpr const char* kNotAvailable = "not available";

// The version of the title line ("... v1.70.0"), empty when it has none.
std::string TitleVersion(const std::string& title);
// The label a trace slot stands before, e.g. "Device Instance ID"; "end"
// for the slots after an element's last line.
const char* TraceSlotName(TraceSlot slot);
bool IsEndSlot(TraceSlot slot);
const char* StackLayerLabel(StackLayer layer);      // "Upper Level Class Filter Service Names:"
const char* StackLayerName(StackLayer layer);       // "upperClassFilters"
const char* VersionStringLabel(std::size_t index);  // "Provider:"
const char* VersionStringName(std::size_t index);   // "provider"
const char* DetailFieldLabel(DetailField field);    // "Hardware IDs:"
const char* DetailFieldName(DetailField field);     // "hardwareIds"
TraceSlot DetailFieldSlot(DetailField field);       // the slot before its line

}  // namespace analysis
