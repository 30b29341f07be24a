#include "analysis/report_reader.h"

#include <utility>

#include "analysis/details_reader.h"
#include "analysis/language_line.h"
#include "analysis/report_cursor.h"
#include "analysis/report_lines.h"
#include "analysis/report_writer.h"

namespace analysis {

namespace {

// Value columns as the generator writes them, counted after the indentation.
constexpr std::size_t kSystemColumn = 31;
constexpr std::size_t kClassColumn = 7;
constexpr std::size_t kDeviceColumn = 21;
constexpr std::size_t kStackColumn = 42;
constexpr std::size_t kStringColumn = 21;  // 24, counted from the label at 3

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

void ReadVersion(ReportCursor& in, Service& service) {
    in.Traces(service.traces, TraceSlot::VersionResource);
    service.versionLine = in.LineNumber();
    if (!in.Labeled(6, "File Version:", kDeviceColumn, service.fileVersion)) {
        service.versionLoaded = false;
        return;
    }
    in.Traces(service.traces, TraceSlot::ProductVersion);
    in.ExpectLabeled(6, "Product Version:", kDeviceColumn, service.productVersion);
    in.Traces(service.traces, TraceSlot::Languages);
    if (in.PeekBlank() &&
        in.PeekHeading("File description for specific language/code page not available.", 1)) {
        service.languagesListed = false;
        in.Skip();
        in.Skip();
        return;
    }
    std::string header;
    while (in.Peek().substr(0, 17) == "      Language 0x") {
        LanguageBlock block;
        block.line = in.LineNumber();
        unsigned language = 0;
        unsigned codePage = 0;
        if (!ScanLanguageLine(TrimRight(in.Peek()), language, codePage)) {
            in.Fail("\"      Language 0xLLLL/Code Page 0xCCCC:\"");
        }
        in.Skip();
        block.language = static_cast<std::uint16_t>(language);
        block.codePage = static_cast<std::uint16_t>(codePage);
        for (std::size_t i = 0; i < kVersionStrings; ++i) {
            in.Traces(block.traces,
                      static_cast<TraceSlot>(static_cast<std::size_t>(TraceSlot::Provider) + i));
            in.ExpectLabeled(9, VersionStringLabel(i), kStringColumn, block.strings[i]);
        }
        service.languages.push_back(std::move(block));
    }
}

void ReadService(ReportCursor& in, Service& service) {
    service.line = in.LineNumber();
    in.Heading("Service:");
    in.ExpectLabeled(6, "Name:", kDeviceColumn, service.name);
    in.Traces(service.traces, TraceSlot::Binary);
    service.binaryLine = in.LineNumber();
    std::string binary;
    if (in.Labeled(6, "Binary:", kDeviceColumn, binary)) {
        service.binary = binary;
    }
    ReadStartType(in, service);
    if (!service.binary && !service.startType && !in.PeekBlank()) {
        in.Fail("\"      Binary:\"");
    }
    in.Blank();
    ReadVersion(in, service);
}

// The service name that the message of a failed OpenService quotes.
std::string QuotedServiceName(const TraceLines& traces) {
    for (auto it = traces.rbegin(); it != traces.rend(); ++it) {
        const std::size_t start = it->message.find("OpenService '");
        const std::size_t end = it->message.rfind("' failed");
        if (start != std::string::npos && end != std::string::npos && end >= start + 13) {
            return it->message.substr(start + 13, end - start - 13);
        }
    }
    return {};
}

void ReadServices(ReportCursor& in, SetupClass& setupClass) {
    const bool managerTraces =
        !setupClass.traces.empty() && setupClass.traces.back().slot == TraceSlot::ServiceManager;
    while (!in.AtEnd() && in.PeekBlank()) {
        const std::size_t before = in.Position();
        in.Skip();
        Service service;
        in.Traces(service.traces, TraceSlot::OpenService);
        if (in.PeekHeading("Service:")) {
            ReadService(in, service);
        } else if (!service.traces.empty()) {
            service.opened = false;
            service.name = QuotedServiceName(service.traces);
            service.line = service.traces.front().line;
        } else {
            in.Rewind(before);  // the blank lines that end the class
            break;
        }
        setupClass.services.push_back(std::move(service));
    }
    setupClass.managerOpened = !setupClass.services.empty() || !managerTraces;
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
        return;
    }
    if (!in.PeekHeading("Device:")) {
        setupClass.devicesListed = false;
        return;
    }
    while (in.PeekHeading("Device:")) {
        setupClass.devices.emplace_back();
        ReadDevice(in, setupClass.devices.back());
    }
    in.Blank();
    in.Traces(setupClass.traces, TraceSlot::ServiceManager);
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
    // At most the USB and the IEEE 1394 class, two empty lines between them.
    const char* heading = "Device Setup Class:";
    while (report.classes.size() < 2) {
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
            in.Fail(report.classes.size() < 2 ? "\"Device Setup Class:\" or the end of the report"
                                              : "the end of the report");
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
