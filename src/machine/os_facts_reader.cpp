#include "machine/os_facts_reader.h"

#include "machine/windows_names.h"

namespace machine {

namespace {

using Reader = DescriptionReader;

bool CsdVersion(Reader& r, const JsonValue& v, const std::string& at, OsFacts& os) {
    if (!r.ReadNarrow(v, at, os.csdVersion)) {
        return false;
    }
    return os.csdVersion.size() <= 127 || r.Fail(at, "expected at most 127 characters");
}

bool ProductType(Reader& r, const JsonValue& v, const std::string& at, OsFacts& os) {
    if (v.IsString()) {
        for (const ProductTypeName& entry : ProductTypeNames()) {
            if (v.AsString() == entry.name) {
                os.productType = entry.type;
                return true;
            }
        }
    }
    if (!v.IsNumber() || !r.ReadInteger(v, at, os.productType)) {
        return r.Fail(at, "expected " + NameList(ProductTypeNames()) + " or a number up to 255");
    }
    return true;
}

bool SuiteMask(Reader& r, const JsonValue& v, const std::string& at, OsFacts& os) {
    win::WORD mask = 0;
    const bool ok = r.ReadInteger(v, at, mask);
    os.suiteMask = static_cast<win::WORD>(os.suiteMask | mask);
    return ok;
}

bool Suites(Reader& r, const JsonValue& v, const std::string& at, OsFacts& os) {
    if (!v.IsArray()) {
        return r.Fail(at, "expected an array of suite names");
    }
    for (std::size_t i = 0; i < v.Items().size(); ++i) {
        const JsonValue& item = v.Items()[i];
        const SuiteName* suite = nullptr;
        for (const SuiteName& entry : SuiteNames()) {
            if (item.IsString() && item.AsString() == entry.name) {
                suite = &entry;
            }
        }
        if (suite == nullptr) {
            return r.Fail(Index(at, i), "expected a suite name (" + NameList(SuiteNames()) + ")");
        }
        os.suiteMask = static_cast<win::WORD>(os.suiteMask | suite->bit);
    }
    return true;
}

constexpr MemberRow<OsFacts> kMembers[] = {
    {"platformId", ReadField<&OsFacts::platformId>},
    {"major", ReadField<&OsFacts::major>},
    {"minor", ReadField<&OsFacts::minor>},
    {"build", ReadField<&OsFacts::build>},
    {"servicePackMajor", ReadField<&OsFacts::servicePackMajor>},
    {"servicePackMinor", ReadField<&OsFacts::servicePackMinor>},
    {"csdVersion", CsdVersion},
    {"productType", ProductType},
    {"suiteMask", SuiteMask},
    {"suites", Suites},
    {"is64BitWindows", ReadField<&OsFacts::is64BitWindows>},
    {"is64BitProcess", ReadField<&OsFacts::is64BitProcess>},
    {"hasIsWow64Process", ReadField<&OsFacts::hasIsWow64Process>},
    {"processorCount", ReadField<&OsFacts::processorCount>},
};

}  // namespace

bool ReadOsFacts(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                 OsFacts& os) {
    if (!reader.CheckMembers(value, path, kMembers)) {
        return false;
    }
    // In document order, so that a later "suiteMask" adds to earlier "suites".
    for (const JsonValue::Member& m : value.Members()) {
        for (const MemberRow<OsFacts>& member : kMembers) {
            if (m.first == member.name &&
                !member.read(reader, m.second, Member(path, m.first), os)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace machine
