#include "analysis/report_writer.h"

#include <cstdint>
#include <string_view>

#include "text/print_format.h"

namespace analysis {

namespace {

// The report document's primitives: columns count from the indentation, a
// line break is "\r\n" and the indentation, and a re-indent of an untouched
// line replaces the spaces just written.
class Layout {
  public:
    void Text(std::string_view s, std::size_t c) {
        if (column_ < c) {
            text_.append(c - column_, ' ');
            column_ = c;
        }
        text_ += s;
        column_ += s.size();
    }
    void NewLines(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            text_ += "\r\n";
            text_.append(indent_, ' ');
        }
        column_ = 0;
        lineIndent_ = indent_;
    }
    void Indent(std::size_t width) {
        indent_ = width;
        if (column_ != 0) {
            return;
        }
        if (lineIndent_ < width) {
            text_.append(width - lineIndent_, ' ');
        } else if (lineIndent_ > width) {
            text_.erase(text_.find_last_not_of(' ') + 1);
            text_.append(width, ' ');
        }
        lineIndent_ = width;
    }
    void Line(const char* label, std::size_t column, const std::string& value) {
        Text(label, 0);
        Text(value, column);
        NewLines(1);
    }
    void Traces(const TraceLines& traces, TraceSlot slot) {
        for (const TraceLine& trace : traces) {
            if (trace.slot != slot) {
                continue;
            }
            const bool error = trace.kind == TraceKind::Error;
            Text(error ? "ERROR:" : "WARNING:", 0);
            // A message the trace log cut lost its line feed.
            Text(trace.message.size() < kTraceMessageLimit ? trace.message + "\n" : trace.message,
                 error ? 7 : 9);
            NewLines(1);
        }
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
    std::size_t indent_ = 0;
    std::size_t column_ = 0;
    std::size_t lineIndent_ = 0;
};

void WriteSystem(Layout& out, const SystemFacts& system) {
    const TraceLines& t = system.traces;
    out.Traces(t, TraceSlot::OperatingSystem);
    out.Line("Operating System:", 31, system.operatingSystem);
    out.Traces(t, TraceSlot::VersionNumber);
    out.Line("Version Number:", 31, system.versionNumber);
    out.Traces(t, TraceSlot::ServicePack);
    out.Line("Service Pack:", 31, system.servicePack);
    out.Traces(t, TraceSlot::ProductType);
    out.Line("Product Type:", 31, system.productType);
    out.Traces(t, TraceSlot::ProductSuites);
    out.Text(system.productSuites.size() >= 2 ? "Product Suites:" : "Product Suite:", 0);
    for (const std::string& suite : system.productSuites) {
        out.Text(suite, 31);
        out.NewLines(1);
    }
    out.Traces(t, TraceSlot::Processors);
    out.Line("Number of Logical Processors:", 31, system.processors);
}

void WriteFields(Layout& out, const Device& device, std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) {
        const auto field = static_cast<DetailField>(i);
        out.Traces(device.traces, DetailFieldSlot(field));
        const std::vector<std::string>& values = device.details->fields[i];
        for (std::size_t j = 0; j < values.size(); ++j) {
            if (j == 0) {
                out.Text(DetailFieldLabel(field), 0);
            }
            out.Text(values[j], 21);
            out.NewLines(1);
        }
    }
}

// The device's detail lines, then the driver package block under it.
void WriteDetails(Layout& out, const Device& device) {
    WriteFields(out, device, 0, kDeviceDetailFields);
    out.NewLines(1);
    out.Text("Driver Package:", 0);
    out.NewLines(1);
    out.Indent(9);
    WriteFields(out, device, kDeviceDetailFields, kDetailFields);
    out.Traces(device.traces, TraceSlot::DriverPackageEnd);
    out.Indent(6);
}

void WriteDevice(Layout& out, const Device& device) {
    out.Indent(3);
    out.Text("Device:", 0);
    out.NewLines(1);
    out.Indent(6);
    out.Traces(device.traces, TraceSlot::Description);
    if (device.description) {
        out.Line("Description:", 21, *device.description);
    }
    out.Traces(device.traces, TraceSlot::InstanceId);
    if (device.instanceId) {
        out.Line("Device Instance ID:", 21, *device.instanceId);
    }
    if (device.details) {
        WriteDetails(out, device);
    }
    out.NewLines(1);
    out.Text("Driver Stack:", 0);
    out.NewLines(1);
    out.Indent(9);
    out.Traces(device.traces, TraceSlot::DriverStack);
    if (!device.stack.loaded) {
        return;
    }
    for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
        const std::vector<std::string>& names = device.stack.layers[layer];
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i == 0) {
                out.Text(StackLayerLabel(static_cast<StackLayer>(layer)), 0);
            }
            out.Text(names[i], 42);
            out.NewLines(1);
        }
    }
}

void WriteVersion(Layout& out, const Service& service) {
    const TraceLines& t = service.traces;
    out.Traces(t, TraceSlot::VersionResource);
    if (!service.versionLoaded) {
        return;
    }
    out.Line("File Version:", 21, service.fileVersion);
    out.Traces(t, TraceSlot::ProductVersion);
    out.Line("Product Version:", 21, service.productVersion);
    out.Traces(t, TraceSlot::Languages);
    if (!service.languagesListed) {
        out.NewLines(1);
        out.Text("File description for specific language/code page not available.", 0);
        out.NewLines(1);
        return;
    }
    for (const LanguageBlock& block : service.languages) {
        char header[48];
        FormatPrint(header, sizeof header,
                    "Language 0x%04X/Code Page 0x%04X:", static_cast<unsigned>(block.language),
                    static_cast<unsigned>(block.codePage));
        out.Text(header, 0);
        out.NewLines(1);
        for (std::size_t i = 0; i < kVersionStrings; ++i) {
            out.Traces(block.traces,
                       static_cast<TraceSlot>(static_cast<std::size_t>(TraceSlot::Provider) + i));
            out.Text(VersionStringLabel(i), 3);
            out.Text(block.strings[i], 24);
            out.NewLines(1);
        }
    }
}

void WriteService(Layout& out, const Service& service) {
    out.NewLines(1);
    out.Traces(service.traces, TraceSlot::OpenService);
    if (!service.opened) {
        return;
    }
    out.Indent(3);
    out.Text("Service:", 0);
    out.NewLines(1);
    out.Indent(6);
    out.Line("Name:", 21, service.name);
    out.Traces(service.traces, TraceSlot::Binary);
    if (service.binary) {
        out.Line("Binary:", 21, *service.binary);
    }
    out.Traces(service.traces, TraceSlot::StartType);
    if (service.startType) {
        out.Line("Start Type:", 21, *service.startType);
    }
    out.NewLines(1);
    WriteVersion(out, service);
    out.Indent(0);
    out.Traces(service.traces, TraceSlot::ServiceEnd);
}

void WriteClassBody(Layout& out, const SetupClass& setupClass) {
    out.Text("Device Setup Class:", 0);
    out.NewLines(2);
    out.Indent(3);
    out.Traces(setupClass.traces, TraceSlot::ClassName);
    if (setupClass.name) {
        out.Line("Name:", 7, *setupClass.name);
    }
    out.Line("GUID:", 7, setupClass.guid);
    out.NewLines(1);
    out.Traces(setupClass.traces, TraceSlot::DeviceList);
    if (!setupClass.devicesListed) {
        return;
    }
    if (setupClass.devices.empty()) {
        out.Indent(3);
        out.Text("No devices installed.", 0);
        out.NewLines(1);
        return;
    }
    for (const Device& device : setupClass.devices) {
        WriteDevice(out, device);
    }
    out.NewLines(1);
    out.Traces(setupClass.traces, TraceSlot::ServiceManager);
    if (!setupClass.managerOpened) {
        return;
    }
    for (const Service& service : setupClass.services) {
        WriteService(out, service);
    }
}

void WriteClass(Layout& out, const SetupClass& setupClass) {
    WriteClassBody(out, setupClass);
    out.Traces(setupClass.traces, TraceSlot::ClassEnd);
}

}  // namespace

std::string WriteReportText(const ReportData& report) {
    Layout out;
    out.Text(report.title + "\r\n" + std::string(report.title.size(), '-'), 0);
    out.NewLines(2);
    out.Text("System:", 0);
    out.NewLines(2);
    out.Indent(3);
    WriteSystem(out, report.system);
    out.Indent(0);
    out.NewLines(2);
    out.Traces(report.system.traces, TraceSlot::SetupClasses);
    for (std::size_t i = 0; i < report.classes.size(); ++i) {
        if (i > 0) {
            out.NewLines(2);
        }
        WriteClass(out, report.classes[i]);
    }
    return out.Take();
}

}  // namespace analysis
