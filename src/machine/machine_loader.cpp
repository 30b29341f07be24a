#include "machine/machine_loader.h"
#include "machine/hex_digit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include "host/host_files.h"
#include "machine/guid_text.h"
#include "machine/json_parser.h"

namespace sim {

namespace {

struct Named {
    const char* name;
    std::uint32_t value;
};

constexpr Named kProperties[] = {
    {"DEVICEDESC", win::SPDRP_DEVICEDESC},
    {"HARDWAREID", win::SPDRP_HARDWAREID},
    {"COMPATIBLEIDS", win::SPDRP_COMPATIBLEIDS},
    {"SERVICE", win::SPDRP_SERVICE},
    {"CLASS", win::SPDRP_CLASS},
    {"CLASSGUID", win::SPDRP_CLASSGUID},
    {"DRIVER", win::SPDRP_DRIVER},
    {"MFG", win::SPDRP_MFG},
    {"FRIENDLYNAME", win::SPDRP_FRIENDLYNAME},
    {"UPPERFILTERS", win::SPDRP_UPPERFILTERS},
    {"LOWERFILTERS", win::SPDRP_LOWERFILTERS},
};

constexpr Named kRegTypes[] = {
    {"REG_NONE", win::REG_NONE},
    {"REG_SZ", win::REG_SZ},
    {"REG_EXPAND_SZ", win::REG_EXPAND_SZ},
    {"REG_BINARY", win::REG_BINARY},
    {"REG_DWORD", win::REG_DWORD},
    {"REG_DWORD_BIG_ENDIAN", win::REG_DWORD_BIG_ENDIAN},
    {"REG_LINK", win::REG_LINK},
    {"REG_MULTI_SZ", win::REG_MULTI_SZ},
    {"REG_RESOURCE_LIST", win::REG_RESOURCE_LIST},
    {"REG_QWORD", win::REG_QWORD},
};

constexpr Named kProductTypes[] = {
    {"workstation", win::VER_NT_WORKSTATION},
    {"domainController", win::VER_NT_DOMAIN_CONTROLLER},
    {"server", win::VER_NT_SERVER},
};

constexpr Named kSuites[] = {
    {"SmallBusiness", win::VER_SUITE_SMALLBUSINESS},
    {"Enterprise", win::VER_SUITE_ENTERPRISE},
    {"BackOffice", win::VER_SUITE_BACKOFFICE},
    {"Communications", win::VER_SUITE_COMMUNICATIONS},
    {"Terminal", win::VER_SUITE_TERMINAL},
    {"SmallBusinessRestricted", win::VER_SUITE_SMALLBUSINESS_RESTRICTED},
    {"EmbeddedNT", win::VER_SUITE_EMBEDDEDNT},
    {"DataCenter", win::VER_SUITE_DATACENTER},
    {"SingleUserTS", win::VER_SUITE_SINGLEUSERTS},
    {"Personal", win::VER_SUITE_PERSONAL},
    {"Blade", win::VER_SUITE_BLADE},
    {"EmbeddedRestricted", win::VER_SUITE_EMBEDDED_RESTRICTED},
    {"SecurityAppliance", win::VER_SUITE_SECURITY_APPLIANCE},
    {"StorageServer", win::VER_SUITE_STORAGE_SERVER},
    {"ComputeServer", win::VER_SUITE_COMPUTE_SERVER},
    {"HomeServer", win::VER_SUITE_WH_SERVER},
};

template <std::size_t N>
const Named* Lookup(const Named (&table)[N], const std::string& name) {
    for (const Named& entry : table) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

template <std::size_t N>
std::string Choices(const Named (&table)[N]) {
    std::string text;
    for (const Named& entry : table) {
        text += text.empty() ? "" : ", ";
        text += entry.name;
    }
    return text;
}

// Member names come from the description: one with a control character or
// a quote is written quoted and escaped, so that a message stays one line.
std::string Member(const std::string& path, const std::string& name) {
    bool plain = !name.empty();
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        plain = plain && u >= 0x20 && u != 0x7F && c != '"' && c != '\\' && c != '.' && c != '[' &&
                c != ']';
    }
    if (plain) {
        return path + "." + name;
    }
    std::string quoted = path + "[\"";
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (u < 0x20 || u == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(u));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"]";
}

std::string Index(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

int HexDigit(char c) {
    return HexDigitValue(static_cast<unsigned char>(c));
}

bool ParseHexNumber(const std::string& text, std::uint64_t& out) {
    if (text.size() < 3 || text.size() > 18 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    out = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            return false;
        }
        out = out * 16 + static_cast<std::uint64_t>(digit);
    }
    return true;
}

}  // namespace

MachineLoader::MachineLoader(std::string source, std::string baseDir)
    : source_(std::move(source)), baseDir_(std::move(baseDir)) {}

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
        error_ = source_ + ": cannot be read: " + reason;
        return false;
    }
    return LoadText(text, machine);
}

bool MachineLoader::LoadText(std::string_view text, Machine& machine) {
    JsonValue root;
    JsonError syntax;
    if (!JsonParser::Parse(text, root, syntax)) {
        error_ = source_ + ":" + std::to_string(syntax.line) + ":" + std::to_string(syntax.column) +
                 ": " + syntax.message;
        return false;
    }
    Machine loaded;
    if (!ReadMachine(root, loaded)) {
        return false;
    }
    machine = std::move(loaded);
    return true;
}

bool MachineLoader::Fail(const std::string& path, const std::string& expected) {
    error_ = source_ + ": " + path + ": " + expected;
    return false;
}

bool MachineLoader::CheckMembers(const JsonValue& value, const std::string& path,
                                 std::initializer_list<const char*> allowed) {
    if (!value.IsObject()) {
        return Fail(path,
                    std::string("expected an object, found ") + DescribeJsonType(value.type()));
    }
    for (const JsonValue::Member& member : value.Members()) {
        bool known = false;
        std::string names;
        for (const char* name : allowed) {
            known = known || member.first == name;
            names += names.empty() ? "" : ", ";
            names += name;
        }
        if (!known) {
            return Fail(Member(path, member.first),
                        "unknown member (expected one of: " + names + ")");
        }
    }
    return true;
}

bool MachineLoader::ReadNarrow(const JsonValue& value, const std::string& path, std::string& out) {
    if (!value.IsString()) {
        return Fail(path,
                    std::string("expected a string, found ") + DescribeJsonType(value.type()));
    }
    // Narrow text is bytes: each character up to U+00FF stands for that byte.
    out.clear();
    const std::string& utf8 = value.AsString();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        unsigned code = lead;
        if (lead >= 0x80) {
            if ((lead & 0xE0) != 0xC0 || lead > 0xC3) {
                return Fail(path, "expected narrow text: characters up to U+00FF only");
            }
            code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        }
        if (code == 0) {
            return Fail(path, "expected narrow text without NUL (use \"hex\" for raw data)");
        }
        out += static_cast<char>(static_cast<unsigned char>(code));
    }
    return true;
}

bool MachineLoader::ReadUnsigned(const JsonValue& value, const std::string& path,
                                 std::uint64_t maximum, std::uint64_t& out) {
    const std::string expected =
        "expected an integer from 0 to " + std::to_string(maximum) + " (or a \"0x...\" string)";
    if (value.IsString()) {
        if (!ParseHexNumber(value.AsString(), out) || out > maximum) {
            return Fail(path, expected);
        }
        return true;
    }
    if (!value.IsNumber() || !value.IsIntegerLiteral() || value.AsNumber() < 0 ||
        value.AsNumber() > static_cast<double>(maximum)) {
        return Fail(path, expected);
    }
    out = static_cast<std::uint64_t>(value.AsNumber());
    return true;
}

template <typename T>
bool MachineLoader::ReadInteger(const JsonValue& value, const std::string& path, T& out) {
    std::uint64_t wide;
    if (!ReadUnsigned(value, path, static_cast<std::uint64_t>(static_cast<T>(~T{0})), wide)) {
        return false;
    }
    out = static_cast<T>(wide);
    return true;
}

bool MachineLoader::ReadBool(const JsonValue& value, const std::string& path, bool& out) {
    if (!value.IsBool()) {
        return Fail(path,
                    std::string("expected true or false, found ") + DescribeJsonType(value.type()));
    }
    out = value.AsBool();
    return true;
}

bool MachineLoader::ReadGuid(const JsonValue& value, const std::string& path, win::GUID& out) {
    if (!value.IsString() || !ParseGuidText(value.AsString(), out)) {
        return Fail(path, "expected a GUID as \"{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\"");
    }
    return true;
}

bool MachineLoader::ReadHex(const JsonValue& value, const std::string& path,
                            std::vector<std::uint8_t>& out) {
    const char* expected = "expected a string of hexadecimal byte pairs (\"41 00 ff\")";
    if (!value.IsString()) {
        return Fail(path, expected);
    }
    out.clear();
    int high = -1;
    for (char c : value.AsString()) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',') {
            if (high >= 0) {
                return Fail(path, expected);
            }
            continue;
        }
        const int digit = HexDigit(c);
        if (digit < 0) {
            return Fail(path, expected);
        }
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0) {
        return Fail(path, expected);
    }
    return true;
}

bool MachineLoader::ReadVersionNumber(const JsonValue& value, const std::string& path,
                                      win::WORD (&out)[4]) {
    const char* expected = "expected a version \"a.b.c.d\" with parts from 0 to 65535";
    if (!value.IsString()) {
        return Fail(path, expected);
    }
    const std::string& text = value.AsString();
    std::size_t part = 0;
    std::uint32_t current = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '.') {
            if (digits == 0 || part >= 4) {
                return Fail(path, expected);
            }
            out[part++] = static_cast<win::WORD>(current);
            current = 0;
            digits = 0;
        } else if (text[i] >= '0' && text[i] <= '9' && digits < 5) {
            current = current * 10 + static_cast<std::uint32_t>(text[i] - '0');
            ++digits;
            if (current > 0xFFFF) {
                return Fail(path, expected);
            }
        } else {
            return Fail(path, expected);
        }
    }
    if (part != 4) {
        return Fail(path, expected);
    }
    return true;
}

bool MachineLoader::ReadTranslation(const JsonValue& value, const std::string& path,
                                    win::DWORD& out) {
    if (value.IsNumber()) {
        return ReadInteger(value, path, out);
    }
    // "040904b0": language, then code page, as in the string block's name.
    const char* expected =
        "expected a translation as 8 hexadecimal digits (\"040904b0\") or a number";
    if (!value.IsString() || value.AsString().size() != 8) {
        return Fail(path, expected);
    }
    std::uint32_t digits = 0;
    for (char c : value.AsString()) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            return Fail(path, expected);
        }
        digits = digits * 16 + static_cast<std::uint32_t>(digit);
    }
    out = (digits >> 16) | ((digits & 0xFFFF) << 16);
    return true;
}

bool MachineLoader::ReadRegValue(const JsonValue& value, const std::string& path, RegValue& reg) {
    const char* expected =
        "expected a string, an array of strings, an integer or an object with \"type\" and one "
        "of \"string\", \"multiString\", \"dword\", \"hex\"";
    std::string text;
    if (value.IsString()) {
        if (!ReadNarrow(value, path, text)) {
            return false;
        }
        reg = RegValue::String(text);
        return true;
    }
    if (value.IsArray()) {
        std::vector<std::string> items;
        for (std::size_t i = 0; i < value.Items().size(); ++i) {
            if (!ReadNarrow(value.Items()[i], Index(path, i), text)) {
                return false;
            }
            items.push_back(text);
        }
        reg = RegValue::MultiString(items);
        return true;
    }
    if (value.IsNumber()) {
        win::DWORD dword;
        if (!ReadInteger(value, path, dword)) {
            return false;
        }
        reg = RegValue::Dword(dword);
        return true;
    }
    if (!value.IsObject()) {
        return Fail(path, expected);
    }
    if (!CheckMembers(value, path, {"type", "string", "multiString", "dword", "hex"})) {
        return false;
    }
    const JsonValue* type = value.Find("type");
    int forms = 0;
    for (const char* form : {"string", "multiString", "dword", "hex"}) {
        forms += value.Find(form) != nullptr ? 1 : 0;
    }
    if (forms != 1) {
        return Fail(path,
                    "expected exactly one of \"string\", \"multiString\", \"dword\", \"hex\"");
    }
    if (const JsonValue* s = value.Find("string")) {
        if (!ReadNarrow(*s, Member(path, "string"), text)) {
            return false;
        }
        reg = RegValue::String(text);
    } else if (const JsonValue* m = value.Find("multiString")) {
        if (!m->IsArray()) {
            return Fail(Member(path, "multiString"), "expected an array of strings");
        }
        if (!ReadRegValue(*m, Member(path, "multiString"), reg)) {
            return false;
        }
    } else if (const JsonValue* d = value.Find("dword")) {
        win::DWORD dword;
        if (!ReadInteger(*d, Member(path, "dword"), dword)) {
            return false;
        }
        reg = RegValue::Dword(dword);
    } else {
        if (type == nullptr) {
            return Fail(Member(path, "type"), "expected a registry type with \"hex\" data");
        }
        if (!ReadHex(*value.Find("hex"), Member(path, "hex"), reg.data)) {
            return false;
        }
    }
    if (type != nullptr) {
        if (type->IsString() && Lookup(kRegTypes, type->AsString()) != nullptr) {
            reg.type = Lookup(kRegTypes, type->AsString())->value;
        } else if (!type->IsNumber() || !ReadInteger(*type, Member(path, "type"), reg.type)) {
            return Fail(Member(path, "type"),
                        "expected a registry type (" + Choices(kRegTypes) + ") or its number");
        }
    }
    return true;
}

bool MachineLoader::ReadOs(const JsonValue& value, const std::string& path, OsFacts& os) {
    if (!CheckMembers(
            value, path,
            {"platformId", "major", "minor", "build", "servicePackMajor", "servicePackMinor",
             "csdVersion", "productType", "suiteMask", "suites", "is64BitWindows", "is64BitProcess",
             "hasIsWow64Process", "processorCount"})) {
        return false;
    }
    for (const JsonValue::Member& m : value.Members()) {
        const std::string at = Member(path, m.first);
        const JsonValue& v = m.second;
        bool ok = true;
        if (m.first == "platformId") {
            ok = ReadInteger(v, at, os.platformId);
        } else if (m.first == "major") {
            ok = ReadInteger(v, at, os.major);
        } else if (m.first == "minor") {
            ok = ReadInteger(v, at, os.minor);
        } else if (m.first == "build") {
            ok = ReadInteger(v, at, os.build);
        } else if (m.first == "servicePackMajor") {
            ok = ReadInteger(v, at, os.servicePackMajor);
        } else if (m.first == "servicePackMinor") {
            ok = ReadInteger(v, at, os.servicePackMinor);
        } else if (m.first == "csdVersion") {
            ok = ReadNarrow(v, at, os.csdVersion);
            if (ok && os.csdVersion.size() > 127) {
                ok = Fail(at, "expected at most 127 characters");
            }
        } else if (m.first == "productType") {
            if (v.IsString() && Lookup(kProductTypes, v.AsString()) != nullptr) {
                os.productType = static_cast<win::BYTE>(Lookup(kProductTypes, v.AsString())->value);
            } else if (!v.IsNumber() || !ReadInteger(v, at, os.productType)) {
                ok = Fail(at, "expected " + Choices(kProductTypes) + " or a number up to 255");
            }
        } else if (m.first == "suiteMask") {
            win::WORD mask = 0;
            ok = ReadInteger(v, at, mask);
            os.suiteMask = static_cast<win::WORD>(os.suiteMask | mask);
        } else if (m.first == "suites") {
            if (!v.IsArray()) {
                ok = Fail(at, "expected an array of suite names");
            }
            for (std::size_t i = 0; ok && i < v.Items().size(); ++i) {
                const JsonValue& item = v.Items()[i];
                const Named* suite = item.IsString() ? Lookup(kSuites, item.AsString()) : nullptr;
                if (suite == nullptr) {
                    ok = Fail(Index(at, i), "expected a suite name (" + Choices(kSuites) + ")");
                } else {
                    os.suiteMask = static_cast<win::WORD>(os.suiteMask | suite->value);
                }
            }
        } else if (m.first == "is64BitWindows") {
            ok = ReadBool(v, at, os.is64BitWindows);
        } else if (m.first == "is64BitProcess") {
            ok = ReadBool(v, at, os.is64BitProcess);
        } else if (m.first == "hasIsWow64Process") {
            ok = ReadBool(v, at, os.hasIsWow64Process);
        } else if (m.first == "processorCount") {
            ok = ReadInteger(v, at, os.processorCount);
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool MachineLoader::ReadClass(const JsonValue& value, const std::string& path, SetupClass& cls) {
    if (!CheckMembers(value, path, {"guid", "name", "values"})) {
        return false;
    }
    const JsonValue* guid = value.Find("guid");
    if (guid == nullptr) {
        return Fail(Member(path, "guid"), "missing (every class needs its GUID)");
    }
    if (!ReadGuid(*guid, Member(path, "guid"), cls.guid)) {
        return false;
    }
    if (const JsonValue* name = value.Find("name")) {
        if (!ReadNarrow(*name, Member(path, "name"), cls.name)) {
            return false;
        }
    }
    if (const JsonValue* values = value.Find("values")) {
        const std::string at = Member(path, "values");
        if (!values->IsObject()) {
            return Fail(at, "expected an object of registry values by name");
        }
        for (const JsonValue::Member& m : values->Members()) {
            RegValue reg;
            if (!ReadRegValue(m.second, Member(at, m.first), reg)) {
                return false;
            }
            if (!cls.values.emplace(m.first, std::move(reg)).second) {
                return Fail(Member(at, m.first), "duplicate value name (names ignore case)");
            }
        }
    }
    return true;
}

bool MachineLoader::ReadDevice(const JsonValue& value, const std::string& path, Device& device) {
    if (!CheckMembers(value, path, {"instanceId", "present", "properties"})) {
        return false;
    }
    const JsonValue* id = value.Find("instanceId");
    if (id == nullptr) {
        return Fail(Member(path, "instanceId"), "missing (every device needs its instance ID)");
    }
    if (!ReadNarrow(*id, Member(path, "instanceId"), device.instanceId)) {
        return false;
    }
    if (const JsonValue* present = value.Find("present")) {
        if (!ReadBool(*present, Member(path, "present"), device.present)) {
            return false;
        }
    }
    if (const JsonValue* properties = value.Find("properties")) {
        const std::string at = Member(path, "properties");
        if (!properties->IsObject()) {
            return Fail(at, "expected an object of properties by name");
        }
        for (const JsonValue::Member& m : properties->Members()) {
            const Named* known = Lookup(kProperties, m.first);
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
                    return Fail(Member(at, m.first),
                                "unknown property (expected one of: " + Choices(kProperties) +
                                    ", or a property code in decimal)");
                }
                code = static_cast<win::DWORD>(number);
            }
            RegValue reg;
            if (!ReadRegValue(m.second, Member(at, m.first), reg)) {
                return false;
            }
            if (!device.properties.emplace(code, std::move(reg)).second) {
                return Fail(Member(at, m.first), "the same property twice");
            }
        }
    }
    return true;
}

bool MachineLoader::ReadService(const JsonValue& value, const std::string& path, Service& service) {
    if (!CheckMembers(
            value, path,
            {"name", "binaryPath", "serviceType", "startType", "errorControl", "displayName"})) {
        return false;
    }
    const JsonValue* name = value.Find("name");
    if (name == nullptr) {
        return Fail(Member(path, "name"), "missing (every service needs its name)");
    }
    if (!ReadNarrow(*name, Member(path, "name"), service.name)) {
        return false;
    }
    if (const JsonValue* bin = value.Find("binaryPath")) {
        std::string text;
        if (!ReadNarrow(*bin, Member(path, "binaryPath"), text)) {
            return false;
        }
        service.binaryPath = text;
    }
    if (const JsonValue* v = value.Find("serviceType");
        v != nullptr && !ReadInteger(*v, Member(path, "serviceType"), service.serviceType)) {
        return false;
    }
    if (const JsonValue* v = value.Find("startType");
        v != nullptr && !ReadInteger(*v, Member(path, "startType"), service.startType)) {
        return false;
    }
    if (const JsonValue* v = value.Find("errorControl");
        v != nullptr && !ReadInteger(*v, Member(path, "errorControl"), service.errorControl)) {
        return false;
    }
    if (const JsonValue* v = value.Find("displayName");
        v != nullptr && !ReadNarrow(*v, Member(path, "displayName"), service.displayName)) {
        return false;
    }
    return true;
}

bool MachineLoader::ReadVersion(const JsonValue& value, const std::string& path,
                                VersionFields& version) {
    if (!CheckMembers(value, path,
                      {"fileVersion", "productVersion", "translations", "strings", "hasFixedInfo",
                       "hasTranslationValue"})) {
        return false;
    }
    if (const JsonValue* v = value.Find("fileVersion");
        v != nullptr && !ReadVersionNumber(*v, Member(path, "fileVersion"), version.fileVersion)) {
        return false;
    }
    if (const JsonValue* v = value.Find("productVersion");
        v != nullptr &&
        !ReadVersionNumber(*v, Member(path, "productVersion"), version.productVersion)) {
        return false;
    }
    if (const JsonValue* v = value.Find("translations")) {
        const std::string at = Member(path, "translations");
        if (!v->IsArray()) {
            return Fail(at, "expected an array of translations");
        }
        for (std::size_t i = 0; i < v->Items().size(); ++i) {
            win::DWORD entry;
            if (!ReadTranslation(v->Items()[i], Index(at, i), entry)) {
                return false;
            }
            version.translations.push_back(entry);
        }
    }
    if (const JsonValue* v = value.Find("strings")) {
        const std::string at = Member(path, "strings");
        if (!v->IsObject()) {
            return Fail(at, "expected an object of string tables by translation (\"040904b0\")");
        }
        for (const JsonValue::Member& table : v->Members()) {
            const std::string tableAt = Member(at, table.first);
            if (!table.second.IsObject()) {
                return Fail(tableAt, "expected an object of version strings by name");
            }
            auto& strings = version.strings[table.first];
            for (const JsonValue::Member& entry : table.second.Members()) {
                std::string text;
                if (!ReadNarrow(entry.second, Member(tableAt, entry.first), text)) {
                    return false;
                }
                strings[entry.first] = text;
            }
        }
    }
    if (const JsonValue* v = value.Find("hasFixedInfo");
        v != nullptr && !ReadBool(*v, Member(path, "hasFixedInfo"), version.hasFixedInfo)) {
        return false;
    }
    if (const JsonValue* v = value.Find("hasTranslationValue");
        v != nullptr &&
        !ReadBool(*v, Member(path, "hasTranslationValue"), version.hasTranslationValue)) {
        return false;
    }
    return true;
}

bool MachineLoader::ReadFile(const JsonValue& value, const std::string& path, DriverFile& file) {
    if (!CheckMembers(value, path, {"path", "version", "peFile", "rawBlock"})) {
        return false;
    }
    const JsonValue* p = value.Find("path");
    if (p == nullptr) {
        return Fail(Member(path, "path"), "missing (every file needs its full Windows path)");
    }
    if (!ReadNarrow(*p, Member(path, "path"), file.path)) {
        return false;
    }
    const int sources = (value.Find("version") != nullptr ? 1 : 0) +
                        (value.Find("peFile") != nullptr ? 1 : 0) +
                        (value.Find("rawBlock") != nullptr ? 1 : 0);
    if (sources > 1) {
        return Fail(path, "expected at most one of \"version\", \"peFile\", \"rawBlock\"");
    }
    if (const JsonValue* v = value.Find("version")) {
        VersionFields fields;
        if (!ReadVersion(*v, Member(path, "version"), fields)) {
            return false;
        }
        file.version = std::move(fields);
    }
    if (const JsonValue* v = value.Find("peFile")) {
        std::string pe;
        if (!ReadNarrow(*v, Member(path, "peFile"), pe)) {
            return false;
        }
        file.peFile = host::IsRooted(pe) ? pe : host::JoinPath(baseDir_, pe);
    }
    if (const JsonValue* v = value.Find("rawBlock")) {
        std::vector<std::uint8_t> bytes;
        if (!ReadHex(*v, Member(path, "rawBlock"), bytes)) {
            return false;
        }
        file.rawBlock = std::move(bytes);
    }
    return true;
}

bool MachineLoader::ReadFault(const JsonValue& value, const std::string& path, Fault& fault) {
    if (!CheckMembers(value, path, {"function", "argument", "callNumber", "error"})) {
        return false;
    }
    const JsonValue* function = value.Find("function");
    if (function == nullptr) {
        return Fail(Member(path, "function"), "missing (the name of the function to fail)");
    }
    if (!ReadNarrow(*function, Member(path, "function"), fault.function)) {
        return false;
    }
    if (const JsonValue* v = value.Find("argument")) {
        std::string text;
        if (!ReadNarrow(*v, Member(path, "argument"), text)) {
            return false;
        }
        fault.argument = text;
    }
    if (const JsonValue* v = value.Find("callNumber")) {
        std::uint32_t call;
        if (!ReadInteger(*v, Member(path, "callNumber"), call)) {
            return false;
        }
        if (call == 0) {
            return Fail(Member(path, "callNumber"),
                        "expected a call number from 1 (the first call)");
        }
        fault.callNumber = call;
    }
    if (const JsonValue* v = value.Find("error");
        v != nullptr && !ReadInteger(*v, Member(path, "error"), fault.error)) {
        return false;
    }
    return true;
}

bool MachineLoader::ReadMachine(const JsonValue& root, Machine& machine) {
    if (!CheckMembers(root, "$",
                      {"description", "os", "systemDirectory", "moduleFileName", "classes",
                       "devices", "services", "files", "faults"})) {
        return false;
    }
    if (const JsonValue* v = root.Find("description"); v != nullptr && !v->IsString()) {
        return Fail("$.description", "expected a string (free text, ignored)");
    }
    if (const JsonValue* v = root.Find("os"); v != nullptr && !ReadOs(*v, "$.os", machine.os)) {
        return false;
    }
    if (const JsonValue* v = root.Find("systemDirectory");
        v != nullptr && !ReadNarrow(*v, "$.systemDirectory", machine.systemDirectory)) {
        return false;
    }
    if (const JsonValue* v = root.Find("moduleFileName");
        v != nullptr && !ReadNarrow(*v, "$.moduleFileName", machine.moduleFileName)) {
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
            return Fail(at,
                        std::string("expected an array, found ") + DescribeJsonType(list->type()));
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
                                return Fail(Member(at, "guid"), "a class described twice");
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
                            return Fail(Member(at, "name"),
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
                            return Fail(Member(at, "path"),
                                        "a file described twice (paths ignore case)");
                        }
                        return true;
                    }) &&
           readList("faults", [&](const JsonValue& v, const std::string& at) {
               Fault fault;
               if (!ReadFault(v, at, fault)) {
                   return false;
               }
               machine.faults.push_back(std::move(fault));
               return true;
           });
}

}  // namespace sim
