#include "machine/machine_loader.h"

#include <utility>

#include "host/host_files.h"
#include "machine/fault_reader.h"
#include "machine/json_parser.h"
#include "machine/os_facts_reader.h"
#include "machine/reg_value_reader.h"
#include "machine/version_fields_reader.h"
#include "machine/windows_names.h"

namespace sim {

MachineLoader::MachineLoader(std::string source, std::string baseDir)
    : reader_(std::move(source)), baseDir_(std::move(baseDir)) {}

bool MachineLoader::FromFile(const std::string& path, Machine& machine, std::string& error) {
    MachineLoader loader(path, host::ParentFolder(path));
    const bool ok = loader.LoadFile(path, machine);
    error = loader.Error();
    return ok;
}

bool MachineLoader::LoadFile(const std::string& path, Machine& machine) {
    std::string text;
    std::string reason;
    if (!host::ReadFileBytes(path, text, reason)) {
        reader_.FailWith(reader_.Source() + ": cannot be read: " + reason);
        return false;
    }
    return LoadText(text, machine);
}

bool MachineLoader::LoadText(std::string_view text, Machine& machine) {
    JsonValue root;
    JsonError syntax;
    if (!JsonParser::Parse(text, root, syntax)) {
        reader_.FailWith(reader_.Source() + ":" + std::to_string(syntax.line) + ":" +
                         std::to_string(syntax.column) + ": " + syntax.message);
        return false;
    }
    Machine loaded;
    if (!ReadMachine(root, loaded)) {
        return false;
    }
    machine = std::move(loaded);
    return true;
}

bool MachineLoader::ReadClass(const JsonValue& value, const std::string& path, SetupClass& cls) {
    if (!reader_.CheckMembers(value, path, {"guid", "name", "values"})) {
        return false;
    }
    const JsonValue* guid = value.Find("guid");
    if (guid == nullptr) {
        return reader_.Fail(Member(path, "guid"), "missing (every class needs its GUID)");
    }
    if (!reader_.ReadGuid(*guid, Member(path, "guid"), cls.guid)) {
        return false;
    }
    if (const JsonValue* name = value.Find("name")) {
        if (!reader_.ReadNarrow(*name, Member(path, "name"), cls.name)) {
            return false;
        }
    }
    if (const JsonValue* values = value.Find("values")) {
        const std::string at = Member(path, "values");
        if (!values->IsObject()) {
            return reader_.Fail(at, "expected an object of registry values by name");
        }
        for (const JsonValue::Member& m : values->Members()) {
            RegValue reg;
            if (!ReadRegValue(reader_, m.second, Member(at, m.first), reg)) {
                return false;
            }
            if (!cls.values.emplace(m.first, std::move(reg)).second) {
                return reader_.Fail(Member(at, m.first),
                                    "duplicate value name (names ignore case)");
            }
        }
    }
    return true;
}

bool MachineLoader::ReadDevice(const JsonValue& value, const std::string& path, Device& device) {
    if (!reader_.CheckMembers(value, path, {"instanceId", "present", "properties"})) {
        return false;
    }
    const JsonValue* id = value.Find("instanceId");
    if (id == nullptr) {
        return reader_.Fail(Member(path, "instanceId"),
                            "missing (every device needs its instance ID)");
    }
    if (!reader_.ReadNarrow(*id, Member(path, "instanceId"), device.instanceId)) {
        return false;
    }
    if (const JsonValue* present = value.Find("present")) {
        if (!reader_.ReadBool(*present, Member(path, "present"), device.present)) {
            return false;
        }
    }
    if (const JsonValue* properties = value.Find("properties")) {
        const std::string at = Member(path, "properties");
        if (!properties->IsObject()) {
            return reader_.Fail(at, "expected an object of properties by name");
        }
        for (const JsonValue::Member& m : properties->Members()) {
            const NamedValue* known = FindNamed(DevicePropertyNames(), m.first);
            win::DWORD code = 0;
            if (known != nullptr) {
                code = known->value;
            } else {
                std::uint64_t number = 0;
                bool digits = !m.first.empty() && m.first.size() <= 9;
                for (char c : m.first) {
                    digits = digits && c >= '0' && c <= '9';
                    number = number * 10 + static_cast<std::uint64_t>(c - '0');
                }
                if (!digits) {
                    return reader_.Fail(
                        Member(at, m.first),
                        "unknown property (expected one of: " + NameList(DevicePropertyNames()) +
                            ", or a property code in decimal)");
                }
                code = static_cast<win::DWORD>(number);
            }
            RegValue reg;
            if (!ReadRegValue(reader_, m.second, Member(at, m.first), reg)) {
                return false;
            }
            if (!device.properties.emplace(code, std::move(reg)).second) {
                return reader_.Fail(Member(at, m.first), "the same property twice");
            }
        }
    }
    return true;
}

bool MachineLoader::ReadService(const JsonValue& value, const std::string& path, Service& service) {
    if (!reader_.CheckMembers(
            value, path,
            {"name", "binaryPath", "serviceType", "startType", "errorControl", "displayName"})) {
        return false;
    }
    const JsonValue* name = value.Find("name");
    if (name == nullptr) {
        return reader_.Fail(Member(path, "name"), "missing (every service needs its name)");
    }
    if (!reader_.ReadNarrow(*name, Member(path, "name"), service.name)) {
        return false;
    }
    if (const JsonValue* bin = value.Find("binaryPath")) {
        std::string text;
        if (!reader_.ReadNarrow(*bin, Member(path, "binaryPath"), text)) {
            return false;
        }
        service.binaryPath = text;
    }
    if (const JsonValue* v = value.Find("serviceType");
        v != nullptr &&
        !reader_.ReadInteger(*v, Member(path, "serviceType"), service.serviceType)) {
        return false;
    }
    if (const JsonValue* v = value.Find("startType");
        v != nullptr && !reader_.ReadInteger(*v, Member(path, "startType"), service.startType)) {
        return false;
    }
    if (const JsonValue* v = value.Find("errorControl");
        v != nullptr &&
        !reader_.ReadInteger(*v, Member(path, "errorControl"), service.errorControl)) {
        return false;
    }
    if (const JsonValue* v = value.Find("displayName");
        v != nullptr && !reader_.ReadNarrow(*v, Member(path, "displayName"), service.displayName)) {
        return false;
    }
    return true;
}

bool MachineLoader::ReadFile(const JsonValue& value, const std::string& path, DriverFile& file) {
    if (!reader_.CheckMembers(value, path, {"path", "version", "peFile", "rawBlock"})) {
        return false;
    }
    const JsonValue* p = value.Find("path");
    if (p == nullptr) {
        return reader_.Fail(Member(path, "path"),
                            "missing (every file needs its full Windows path)");
    }
    if (!reader_.ReadNarrow(*p, Member(path, "path"), file.path)) {
        return false;
    }
    const int sources = (value.Find("version") != nullptr ? 1 : 0) +
                        (value.Find("peFile") != nullptr ? 1 : 0) +
                        (value.Find("rawBlock") != nullptr ? 1 : 0);
    if (sources > 1) {
        return reader_.Fail(path, "expected at most one of \"version\", \"peFile\", \"rawBlock\"");
    }
    if (const JsonValue* v = value.Find("version")) {
        VersionFields fields;
        if (!ReadVersionFields(reader_, *v, Member(path, "version"), fields)) {
            return false;
        }
        file.version = std::move(fields);
    }
    if (const JsonValue* v = value.Find("peFile")) {
        std::string pe;
        if (!reader_.ReadNarrow(*v, Member(path, "peFile"), pe)) {
            return false;
        }
        AttachPeFile(file, host::IsRooted(pe) ? pe : host::JoinPath(baseDir_, pe));
    }
    if (const JsonValue* v = value.Find("rawBlock")) {
        std::vector<std::uint8_t> bytes;
        if (!reader_.ReadHex(*v, Member(path, "rawBlock"), bytes)) {
            return false;
        }
        file.rawBlock = std::move(bytes);
    }
    return true;
}

bool MachineLoader::ReadMachine(const JsonValue& root, Machine& machine) {
    if (!reader_.CheckMembers(root, "$",
                              {"description", "os", "systemDirectory", "moduleFileName", "classes",
                               "devices", "services", "files", "faults"})) {
        return false;
    }
    if (const JsonValue* v = root.Find("description"); v != nullptr && !v->IsString()) {
        return reader_.Fail("$.description", "expected a string (free text, ignored)");
    }
    if (const JsonValue* v = root.Find("os");
        v != nullptr && !ReadOsFacts(reader_, *v, "$.os", machine.os)) {
        return false;
    }
    if (const JsonValue* v = root.Find("systemDirectory");
        v != nullptr && !reader_.ReadNarrow(*v, "$.systemDirectory", machine.systemDirectory)) {
        return false;
    }
    if (const JsonValue* v = root.Find("moduleFileName");
        v != nullptr && !reader_.ReadNarrow(*v, "$.moduleFileName", machine.moduleFileName)) {
        return false;
    }
    // The lists: each an array of objects read by `read`.
    auto readList = [&](const char* name, auto&& read) {
        const JsonValue* list = root.Find(name);
        if (list == nullptr) {
            return true;
        }
        const std::string at = Member("$", name);
        if (!list->IsArray()) {
            return reader_.Fail(
                at, std::string("expected an array, found ") + DescribeJsonType(list->type()));
        }
        for (std::size_t i = 0; i < list->Items().size(); ++i) {
            if (!read(list->Items()[i], Index(at, i))) {
                return false;
            }
        }
        return true;
    };
    return readList("classes",
                    [&](const JsonValue& v, const std::string& at) {
                        SetupClass cls;
                        if (!ReadClass(v, at, cls)) {
                            return false;
                        }
                        for (const SetupClass& other : machine.classes) {
                            if (other.guid == cls.guid) {
                                return reader_.Fail(Member(at, "guid"), "a class described twice");
                            }
                        }
                        machine.classes.push_back(std::move(cls));
                        return true;
                    }) &&
           readList("devices",
                    [&](const JsonValue& v, const std::string& at) {
                        Device device;
                        if (!ReadDevice(v, at, device)) {
                            return false;
                        }
                        machine.devices.push_back(std::move(device));
                        return true;
                    }) &&
           readList("services",
                    [&](const JsonValue& v, const std::string& at) {
                        Service service;
                        if (!ReadService(v, at, service)) {
                            return false;
                        }
                        const std::string name = service.name;
                        if (!machine.services.emplace(name, std::move(service)).second) {
                            return reader_.Fail(Member(at, "name"),
                                                "a service described twice (names ignore case)");
                        }
                        return true;
                    }) &&
           readList("files",
                    [&](const JsonValue& v, const std::string& at) {
                        DriverFile file;
                        if (!ReadFile(v, at, file)) {
                            return false;
                        }
                        const std::string key = file.path;
                        if (!machine.files.emplace(key, std::move(file)).second) {
                            return reader_.Fail(Member(at, "path"),
                                                "a file described twice (paths ignore case)");
                        }
                        return true;
                    }) &&
           readList("faults", [&](const JsonValue& v, const std::string& at) {
               Fault fault;
               if (!ReadFault(reader_, v, at, fault)) {
                   return false;
               }
               machine.faults.push_back(std::move(fault));
               return true;
           });
}

}  // namespace sim
