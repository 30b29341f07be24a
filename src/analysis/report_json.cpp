#include "analysis/report_json.h"

#include "analysis/details_json.h"
#include "text/print_format.h"

namespace analysis {

namespace {

std::string Hex16(std::uint16_t value) {
    char text[8];
    FormatPrint(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& values) {
    json.BeginArray();
    for (const std::string& value : values) {
        json.String(value);
    }
    json.EndArray();
}

void WriteSystem(JsonWriter& json, const SystemFacts& system) {
    json.BeginObject();
    json.Key("operatingSystem");
    json.String(system.operatingSystem);
    json.Key("versionNumber");
    json.String(system.versionNumber);
    json.Key("servicePack");
    json.String(system.servicePack);
    json.Key("productType");
    json.String(system.productType);
    json.Key("productSuites");
    WriteStrings(json, system.productSuites);
    json.Key("logicalProcessors");
    json.String(system.processors);
    json.Key("traces");
    WriteTraces(json, system.traces);
    json.EndObject();
}

void WriteDevice(JsonWriter& json, const Device& device) {
    json.BeginObject();
    json.Key("line");
    json.Number(device.line);
    json.Key("description");
    json.OptionalString(device.description ? &*device.description : nullptr);
    json.Key("instanceId");
    json.OptionalString(device.instanceId ? &*device.instanceId : nullptr);
    json.Key("driverStack");
    if (device.stack.loaded) {
        json.BeginObject();
        for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
            json.Key(StackLayerName(static_cast<StackLayer>(layer)));
            if (static_cast<StackLayer>(layer) == StackLayer::FunctionDriver) {
                json.String(device.stack.layers[layer].front());
            } else {
                WriteStrings(json, device.stack.layers[layer]);
            }
        }
        json.EndObject();
    } else {
        json.Null();
    }
    WriteDeviceDetails(json, device);
    json.Key("traces");
    WriteTraces(json, device.traces);
    json.EndObject();
}

void WriteLanguages(JsonWriter& json, const Service& service) {
    if (!service.languagesListed) {
        json.Null();
        return;
    }
    json.BeginArray();
    for (const LanguageBlock& block : service.languages) {
        json.BeginObject();
        json.Key("language");
        json.Utf8(Hex16(block.language));
        json.Key("codePage");
        json.Utf8(Hex16(block.codePage));
        for (std::size_t i = 0; i < kVersionStrings; ++i) {
            json.Key(VersionStringName(i));
            json.String(block.strings[i]);
        }
        json.Key("traces");
        WriteTraces(json, block.traces);
        json.EndObject();
    }
    json.EndArray();
}

void WriteService(JsonWriter& json, const Service& service) {
    json.BeginObject();
    json.Key("line");
    json.Number(service.line);
    json.Key("opened");
    json.Bool(service.opened);
    json.Key("name");
    json.String(service.name);
    json.Key("binary");
    json.OptionalString(service.binary ? &*service.binary : nullptr);
    json.Key("startType");
    json.OptionalString(service.startType ? &*service.startType : nullptr);
    json.Key("versionResource");
    if (service.opened && service.versionLoaded) {
        json.BeginObject();
        json.Key("fileVersion");
        json.String(service.fileVersion);
        json.Key("productVersion");
        json.String(service.productVersion);
        json.Key("languages");
        WriteLanguages(json, service);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("traces");
    WriteTraces(json, service.traces);
    json.EndObject();
}

void WriteClass(JsonWriter& json, const SetupClass& setupClass) {
    json.BeginObject();
    json.Key("line");
    json.Number(setupClass.line);
    json.Key("name");
    const bool notInstalled = setupClass.name && *setupClass.name == kClassNotInstalled;
    json.OptionalString(setupClass.name && !notInstalled ? &*setupClass.name : nullptr);
    json.Key("installed");
    json.Bool(!notInstalled);
    json.Key("guid");
    json.String(setupClass.guid);
    json.Key("devicesListed");
    json.Bool(setupClass.devicesListed);
    json.Key("devices");
    json.BeginArray();
    for (const Device& device : setupClass.devices) {
        WriteDevice(json, device);
    }
    json.EndArray();
    json.Key("serviceManagerOpened");
    json.Bool(setupClass.managerOpened);
    json.Key("services");
    json.BeginArray();
    for (const Service& service : setupClass.services) {
        WriteService(json, service);
    }
    json.EndArray();
    json.Key("traces");
    WriteTraces(json, setupClass.traces);
    json.EndObject();
}

}  // namespace

void WriteTraces(JsonWriter& json, const TraceLines& traces) {
    json.BeginArray();
    for (const TraceLine& trace : traces) {
        json.BeginObject();
        json.Key("kind");
        json.Utf8(trace.kind == TraceKind::Error ? "ERROR" : "WARNING");
        json.Key("message");
        json.String(trace.message);
        json.Key("before");
        json.Utf8(TraceSlotName(trace.slot));
        json.Key("line");
        json.Number(trace.line);
        json.EndObject();
    }
    json.EndArray();
}

std::string ReportToJson(const ReportData& report, const CodePage& codePage, bool pretty,
                         const std::string& source, const std::vector<Finding>* findings) {
    JsonWriter json(codePage, pretty);
    json.BeginObject();
    json.Key("schemaVersion");
    json.Number(kReportSchemaVersion);
    if (!source.empty()) {
        json.Key("source");
        json.Utf8(source);
    }
    json.Key("title");
    json.String(report.title);
    json.Key("version");
    json.String(TitleVersion(report.title));
    json.Key("codePage");
    json.Number(codePage.Number());
    json.Key("system");
    WriteSystem(json, report.system);
    json.Key("setupClasses");
    json.BeginArray();
    for (const SetupClass& setupClass : report.classes) {
        WriteClass(json, setupClass);
    }
    json.EndArray();
    if (findings != nullptr) {
        json.Key("findings");
        WriteFindings(json, *findings);
    }
    json.EndObject();
    return json.Take();
}

}  // namespace analysis
