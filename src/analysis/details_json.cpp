#include "analysis/details_json.h"

#include "analysis/device_facts.h"

namespace analysis {

namespace {

void Text(JsonWriter& json, const char* key, const DeviceDetails& details, DetailField field) {
    json.Key(key);
    json.OptionalString(FieldText(details, field));
}

void Status(JsonWriter& json, const DeviceDetails& details) {
    json.Key("status");
    const std::optional<StatusFacts> status = StatusOf(details);
    if (!status) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("text");
    json.String(*FieldText(details, DetailField::Status));
    json.Key("state");
    json.Utf8(DeviceStateName(status->state));
    json.Key("problemCode");
    if (status->problemCode) {
        json.Number(*status->problemCode);
    } else {
        json.Null();
    }
    json.Key("problemName");
    json.OptionalString(status->problemName.empty() ? nullptr : &status->problemName);
    json.Key("meaning");
    json.OptionalString(status->meaning.empty() ? nullptr : &status->meaning);
    json.EndObject();
}

void Ids(JsonWriter& json, const char* key, const DeviceDetails& details, DetailField field) {
    json.Key(key);
    json.BeginArray();
    for (const std::string& id : details.fields[static_cast<std::size_t>(field)]) {
        json.String(id);
    }
    json.EndArray();
}

void ConfigFlags(JsonWriter& json, const DeviceDetails& details) {
    json.Key("configFlags");
    const std::string* text = FieldText(details, DetailField::ConfigFlags);
    if (text == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("text");
    json.String(*text);
    json.Key("value");
    const std::optional<std::uint32_t> value = ConfigFlagsOf(details);
    if (value) {
        json.Number(*value);
    } else {
        json.Null();
    }
    json.Key("names");
    json.BeginArray();
    for (const std::string& name : ConfigFlagNames(details)) {
        json.String(name);
    }
    json.EndArray();
    json.EndObject();
}

void Package(JsonWriter& json, const DeviceDetails& details) {
    json.Key("driverPackage");
    if (NoDriverValue(details)) {
        json.Null();
        return;
    }
    json.BeginObject();
    Text(json, "driverKey", details, DetailField::DriverKey);
    json.Key("keyExists");
    if (FieldText(details, DetailField::DriverKey) == nullptr) {
        json.Null();
    } else {
        json.Bool(!DriverKeyMissing(details));
    }
    Text(json, "provider", details, DetailField::DriverProvider);
    Text(json, "driverVersion", details, DetailField::DriverVersion);
    Text(json, "driverDate", details, DetailField::DriverDate);
    Text(json, "infFile", details, DetailField::InfFile);
    json.Key("infFileMissing");
    json.Bool(InfFileMissing(details));
    Text(json, "infSection", details, DetailField::InfSection);
    Text(json, "matchingDeviceId", details, DetailField::MatchingDeviceId);
    Text(json, "driverDescription", details, DetailField::DriverDescription);
    json.EndObject();
}

}  // namespace

void WriteDeviceDetails(JsonWriter& json, const Device& device) {
    json.Key("details");
    if (!device.details) {
        json.Null();
        return;
    }
    const DeviceDetails& details = *device.details;
    json.BeginObject();
    Status(json, details);
    Text(json, "manufacturer", details, DetailField::Manufacturer);
    Ids(json, "hardwareIds", details, DetailField::HardwareIds);
    Ids(json, "compatibleIds", details, DetailField::CompatibleIds);
    ConfigFlags(json, details);
    Package(json, details);
    json.EndObject();
}

}  // namespace analysis
