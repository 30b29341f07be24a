#include "machine/machine_loader.h"

#include <utility>

#include "host/host_files.h"
#include "machine/driver_keys_reader.h"
#include "machine/fault_reader.h"
#include "machine/json_parser.h"
#include "machine/os_facts_reader.h"
#include "machine/reg_value_reader.h"
#include "machine/version_fields_reader.h"
#include "machine/windows_names.h"

namespace machine {

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

namespace {

using Reader = DescriptionReader;

// False, with the message, when the object lacks a member it must have.
bool Required(Reader& r, const JsonValue& value, const std::string& path, const char* name,
              const char* why) {
    return value.Find(name) != nullptr || r.Fail(Member(path, name), why);
}

bool ClassValues(Reader& r, const JsonValue& v, const std::string& at, SetupClass& cls) {
    if (!v.IsObject()) {
        return r.Fail(at, "expected an object of registry values by name");
    }
    for (const JsonValue::Member& m : v.Members()) {
        RegValue reg;
        if (!ReadRegValue(r, m.second, Member(at, m.first), reg)) {
            return false;
        }
        if (!cls.values.emplace(m.first, std::move(reg)).second) {
            return r.Fail(Member(at, m.first), "duplicate value name (names ignore case)");
        }
    }
    return true;
}

constexpr MemberRow<SetupClass> kClassMembers[] = {
    {"guid", ReadField<&SetupClass::guid>},
    {"name", ReadField<&SetupClass::name>},
    {"values", ClassValues},
};

bool ReadClass(Reader& r, const JsonValue& value, const std::string& path, SetupClass& cls) {
    return r.CheckMembers(value, path, kClassMembers) &&
           Required(r, value, path, "guid", "missing (every class needs its GUID)") &&
           r.ReadMembers(value, path, kClassMembers, cls);
}

// A property by its SPDRP_ name or its code in decimal.
bool PropertyCode(const std::string& name, win::DWORD& code) {
    if (const NamedValue* known = FindNamed(DevicePropertyNames(), name)) {
        code = known->value;
        return true;
    }
    if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != name.npos) {
        return false;
    }
    code = static_cast<win::DWORD>(std::stoul(name));
    return true;
}

bool DeviceProperties(Reader& r, const JsonValue& v, const std::string& at, Device& device) {
    if (!v.IsObject()) {
        return r.Fail(at, "expected an object of properties by name");
    }
    for (const JsonValue::Member& m : v.Members()) {
        win::DWORD code = 0;
        if (!PropertyCode(m.first, code)) {
            return r.Fail(Member(at, m.first),
                          "unknown property (expected one of: " + NameList(DevicePropertyNames()) +
                              ", or a property code in decimal)");
        }
        RegValue reg;
        if (!ReadRegValue(r, m.second, Member(at, m.first), reg)) {
            return false;
        }
        if (!device.properties.emplace(code, std::move(reg)).second) {
            return r.Fail(Member(at, m.first), "the same property twice");
        }
    }
    return true;
}

constexpr MemberRow<Device> kDeviceMembers[] = {
    {"instanceId", ReadField<&Device::instanceId>},
    {"present", ReadField<&Device::present>},
    {"properties", DeviceProperties},
    {"status", ReadField<&Device::devNodeStatus>},
    {"problem", ReadField<&Device::problem>},
};

bool ReadDevice(Reader& r, const JsonValue& value, const std::string& path, Device& device) {
    if (!r.CheckMembers(value, path, kDeviceMembers) ||
        !Required(r, value, path, "instanceId", "missing (every device needs its instance ID)") ||
        !r.ReadMembers(value, path, kDeviceMembers, device)) {
        return false;
    }
    // A problem code alone describes a device node that has the problem.
    if (value.Find("problem") != nullptr && value.Find("status") == nullptr) {
        device.devNodeStatus = kProblemDevNode;
    }
    return true;
}

bool BinaryPath(Reader& r, const JsonValue& v, const std::string& at, Service& service) {
    std::string text;
    if (!r.ReadNarrow(v, at, text)) {
        return false;
    }
    service.binaryPath = text;
    return true;
}

constexpr MemberRow<Service> kServiceMembers[] = {
    {"name", ReadField<&Service::name>},
    {"binaryPath", BinaryPath},
    {"serviceType", ReadField<&Service::serviceType>},
    {"startType", ReadField<&Service::startType>},
    {"errorControl", ReadField<&Service::errorControl>},
    {"displayName", ReadField<&Service::displayName>},
};

bool ReadService(Reader& r, const JsonValue& value, const std::string& path, Service& service) {
    return r.CheckMembers(value, path, kServiceMembers) &&
           Required(r, value, path, "name", "missing (every service needs its name)") &&
           r.ReadMembers(value, path, kServiceMembers, service);
}

}  // namespace

bool MachineLoader::ReadFile(const JsonValue& value, const std::string& path, DriverFile& file) {
    if (!reader_.CheckMembers(value, path, {"path", "version", "peFile", "rawBlock"})) {
        return false;
    }
    if (!Required(reader_, value, path, "path",
                  "missing (every file needs its full Windows path)") ||
        !reader_.ReadNarrow(*value.Find("path"), Member(path, "path"), file.path)) {
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
    if (!reader_.CheckMembers(
            root, "$",
            {"description", "os", "systemDirectory", "moduleFileName", "classes", "devices",
             "services", "files", "faults", "driverKeys", "folders"})) {
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
    if (const JsonValue* v = root.Find("driverKeys");
        v != nullptr && !ReadDriverKeys(reader_, *v, "$.driverKeys", machine.driverKeys)) {
        return false;
    }
    if (const JsonValue* v = root.Find("folders");
        v != nullptr && !ReadFolders(reader_, *v, "$.folders", machine.folders)) {
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
                        if (!ReadClass(reader_, v, at, cls)) {
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
                        if (!ReadDevice(reader_, v, at, device)) {
                            return false;
                        }
                        machine.devices.push_back(std::move(device));
                        return true;
                    }) &&
           readList("services",
                    [&](const JsonValue& v, const std::string& at) {
                        Service service;
                        if (!ReadService(reader_, v, at, service)) {
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

}  // namespace machine
