#include "analysis/details_reader.h"

namespace analysis {

namespace {

constexpr std::size_t kDeviceIndent = 6;
constexpr std::size_t kPackageIndent = 9;
constexpr std::size_t kColumn = 21;

// Fields whose value may go on below the labelled line.
bool Continues(DetailField field) {
    return field == DetailField::Status || field == DetailField::HardwareIds ||
           field == DetailField::CompatibleIds || field == DetailField::DriverKey ||
           field == DetailField::InfFile;
}

// The fields from `first` to before `last`, each after its trace lines.
bool ReadFields(ReportCursor& in, Device& device, DeviceDetails& details, std::size_t first,
                std::size_t last, std::size_t indent) {
    bool any = false;
    std::string value;
    for (std::size_t i = first; i < last; ++i) {
        const auto field = static_cast<DetailField>(i);
        in.Traces(device.traces, DetailFieldSlot(field));
        const std::size_t line = in.LineNumber();
        if (!in.Labeled(indent, DetailFieldLabel(field), kColumn, value)) {
            continue;
        }
        any = true;
        details.lines[i] = line;
        details.fields[i].push_back(value);
        while (Continues(field) && in.Continuation(indent + kColumn, value)) {
            details.fields[i].push_back(value);
        }
    }
    return any;
}

}  // namespace

bool ReadDeviceDetails(ReportCursor& in, Device& device) {
    DeviceDetails details;
    const bool lines = ReadFields(in, device, details, 0, kDeviceDetailFields, kDeviceIndent);
    if (!(in.PeekBlank() && in.PeekHeading("Driver Package:", 1))) {
        if (lines) {
            in.Fail("\"      Driver Package:\"");
        }
        return false;
    }
    in.Skip();
    in.Skip();
    ReadFields(in, device, details, kDeviceDetailFields, kDetailFields, kPackageIndent);
    in.Traces(device.traces, TraceSlot::DriverPackageEnd);
    device.details = std::move(details);
    return true;
}

void ReadStartType(ReportCursor& in, Service& service) {
    in.Traces(service.traces, TraceSlot::StartType);
    const std::size_t line = in.LineNumber();
    std::string value;
    if (in.Labeled(kDeviceIndent, "Start Type:", kColumn, value)) {
        service.startType = value;
        service.startTypeLine = line;
    }
}

}  // namespace analysis
