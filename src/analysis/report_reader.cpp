#include "analysis/report_reader.h"

#include <utility>

#include "analysis/details_reader.h"
#include "analysis/language_line.h"
#include "analysis/report_cursor.h"
#include "analysis/report_lines.h"
#include "analysis/report_writer.h"
#include "analysis/service_reader.h"

namespace analysis {

namespace {

// Value columns as the generator writes them, counted after the indentation.
constexpr std::size_t kSystemColumn = 31;
constexpr std::size_t kClassColumn = 7;
constexpr std::size_t kDeviceColumn = 21;
constexpr std::size_t kStackColumn = 42;

void ReadSystem(ReportCursor& in, SystemFacts& system) {
    TraceLines& t = system.traces;
    in.Traces(t, TraceSlot::OperatingSystem);
    in.ExpectLabeled(3, "Operating System:", kSystemColumn, system.operatingSystem);
    in.Traces(t, TraceSlot::VersionNumber);
    in.ExpectLabeled(3, "Version Number:", kSystemColumn, system.versionNumber);
    in.Traces(t, TraceSlot::ServicePack);
    in.ExpectLabeled(3, "Service Pack:", kSystemColumn, system.servicePack);
    in.Traces(t, TraceSlot::ProductType);
    in.ExpectLabeled(3, "Product Type:", kSystemColumn, system.productType);
    in.Traces(t, TraceSlot::ProductSuites);
    std::string suite;
    if (!in.Labeled(3, "Product Suites:", kSystemColumn, suite)) {
        in.ExpectLabeled(3, "Product Suite:", kSystemColumn, suite);
    }
    system.productSuites.push_back(suite);
    while (in.Continuation(3 + kSystemColumn, suite)) {
        system.productSuites.push_back(suite);
    }
    in.Traces(t, TraceSlot::Processors);
    in.ExpectLabeled(3, "Number of Logical Processors:", kSystemColumn, system.processors);
}

void ReadDevice(ReportCursor& in, Device& device) {
    device.line = in.LineNumber();
    in.Heading("Device:");
    std::string value;
    in.Traces(device.traces, TraceSlot::Description);
    if (in.Labeled(6, "Description:", kDeviceColumn, value)) {
        device.description = value;
    }
    in.Traces(device.traces, TraceSlot::InstanceId);
    if (in.Labeled(6, "Device Instance ID:", kDeviceColumn, value)) {
        device.instanceId = value;
    }
    if (!ReadDeviceDetails(in, device) && !device.instanceId && !in.PeekBlank()) {
        in.Fail("\"      Device Instance ID:\"");
    }
    in.Blank();
    in.Heading("Driver Stack:");
    in.Traces(device.traces, TraceSlot::DriverStack);
    DriverStack& stack = device.stack;
    stack.loaded = false;
    for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
        const auto which = static_cast<StackLayer>(layer);
        const std::size_t line = in.LineNumber();
        if (in.Labeled(9, StackLayerLabel(which), kStackColumn, value)) {
            stack.lines[layer] = line;
            stack.layers[layer].push_back(value);
            while (which != StackLayer::FunctionDriver &&
                   in.Continuation(9 + kStackColumn, value)) {
                stack.layers[layer].push_back(value);
            }
            stack.loaded = stack.loaded || which == StackLayer::FunctionDriver;
        } else if (which == StackLayer::FunctionDriver) {
            if (!stack.layers[0].empty() || !stack.layers[1].empty()) {
                in.Fail("\"         Function Driver Service Name:\"");
            }
            return;  // the stack did not load: its ERROR lines stand alone
        }
    }
}

void ReadClass(ReportCursor& in, SetupClass& setupClass) {
    setupClass.line = in.LineNumber();
    in.Heading("Device Setup Class:");
    in.Blank();
    in.Traces(setupClass.traces, TraceSlot::ClassName);
    std::string value;
    if (in.Labeled(3, "Name:", kClassColumn, value)) {
        setupClass.name = value;
    }
    in.ExpectLabeled(3, "GUID:", kClassColumn, setupClass.guid);
    in.Blank();
    in.Traces(setupClass.traces, TraceSlot::DeviceList);
    if (in.PeekHeading("No devices installed.")) {
        in.Skip();
        in.Traces(setupClass.traces, TraceSlot::ClassEnd);
        return;
    }
    if (!in.PeekHeading("Device:")) {
        setupClass.devicesListed = false;
        MoveClassEnd(setupClass.traces, TraceSlot::DeviceList, setupClass);
        return;
    }
    while (in.PeekHeading("Device:")) {
        setupClass.devices.emplace_back();
        ReadDevice(in, setupClass.devices.back());
    }
    in.Blank();
    ReadServices(in, setupClass);
}

ReportData ReadStructure(ReportCursor& in) {
    ReportData report;
    report.title = TrimRight(in.Peek());
    if (report.title.empty()) {
        in.Fail("the title line");
    }
    in.Skip();
    in.Heading(std::string(report.title.size(), '-'));
    in.Blank();
    in.Heading("System:");
    in.Blank();
    ReadSystem(in, report.system);
    in.Blank();
    in.Blank();
    // Listing the installed classes failed: where their sections would start.
    in.Traces(report.system.traces, TraceSlot::SetupClasses);
    // Any number of classes, two empty lines between them.
    const char* heading = "Device Setup Class:";
    for (;;) {
        if (!report.classes.empty() && in.PeekBlank() && in.PeekBlank(1) &&
            in.PeekHeading(heading, 2)) {
            in.Skip();
            in.Skip();
        } else if (!report.classes.empty() || !in.PeekHeading(heading)) {
            break;
        }
        report.classes.emplace_back();
        ReadClass(in, report.classes.back());
    }
    while (!in.AtEnd()) {
        if (!in.PeekBlank()) {
            in.Fail("\"Device Setup Class:\" or the end of the report");
        }
        in.Skip();
    }
    return report;
}

// Every line written back from the data must be the line read (trailing
// spaces aside); empty lines at the end do not count.
void CompareWithWritten(const ReportLines& lines, const ReportData& report) {
    const std::string text = WriteReportText(report);
    std::string_view rest = text;
    for (std::size_t i = 0; i < lines.Count() || !rest.empty(); ++i) {
        const std::size_t end = rest.find('\n');
        std::string_view written = rest.substr(0, end);
        if (!written.empty() && written.back() == '\r' && end != std::string_view::npos) {
            written.remove_suffix(1);
        }
        written = TrimRight(written);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const std::string_view found = i < lines.Count() ? TrimRight(lines[i]) : "";
        if (written != found) {
            throw Refusal{{i + 1, written.empty() ? "an empty line" : QuoteLine(written),
                           i < lines.Count() ? QuoteLine(found) : "the end of the text"}};
        }
    }
}

}  // namespace

bool ReadReport(std::string_view bytes, const CodePage& codePage, ReportData& report,
                ReadFailure& failure) {
    ReportLines lines;
    if (!lines.Load(bytes, codePage, failure)) {
        return false;
    }
    try {
        ReportCursor in(lines);
        ReportData read = ReadStructure(in);
        CompareWithWritten(lines, read);
        report = std::move(read);
        return true;
    } catch (const Refusal& refusal) {
        failure = refusal.failure;
        return false;
    }
}

}  // namespace analysis
