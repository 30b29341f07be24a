#include "machine/machine_loader.h"

#include <string>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace {

using machine::Machine;
using machine::MachineLoader;

Machine LoadOk(const std::string& text) {
    MachineLoader loader("m.json", "/descriptions");
    Machine machine;
    EXPECT_TRUE(loader.LoadText(text, machine)) << loader.Error();
    return machine;
}

std::string LoadError(const std::string& text) {
    MachineLoader loader("m.json", "");
    Machine machine;
    machine.systemDirectory = "untouched";
    EXPECT_FALSE(loader.LoadText(text, machine)) << text;
    EXPECT_EQ("untouched", machine.systemDirectory);  // nothing half-loaded
    return loader.Error();
}

TEST(MachineLoaderTest, EmptyObjectIsTheDefaultMachine) {
    const Machine m = LoadOk("{}");
    const Machine defaults;
    EXPECT_EQ(defaults.os.major, m.os.major);
    EXPECT_EQ(defaults.systemDirectory, m.systemDirectory);
    EXPECT_TRUE(m.devices.empty());
}

TEST(MachineLoaderTest, ReadsEveryPart) {
    const Machine m = LoadOk(R"({
      "os": {"major": 5, "minor": 1, "productType": "server", "suites": ["Terminal", "Blade"],
             "suiteMask": "0x0100", "is64BitWindows": true, "processorCount": 8,
             "csdVersion": "Service Pack 3"},
      "systemDirectory": "C:\\WINNT\\system32",
      "moduleFileName": "C:\\Tools\\ZEP.exe",
      "classes": [{"guid": "{36FC9E60-C465-11cf-8056-444553540000}", "name": "USB",
                   "values": {"UpperFilters": ["a", "b"], "LowerFilters":
                              {"type": "REG_MULTI_SZ", "hex": "61 00 62"}}}],
      "devices": [{"instanceId": "USB\\X\\1", "present": false,
                   "properties": {"DEVICEDESC": "Caf\u00e9", "UPPERFILTERS": [],
                                  "33": 7, "DRIVER": {"type": 2, "string": "%x%"}}}],
      "services": [{"name": "svc", "binaryPath": "a.sys", "startType": 0}, {"name": "nobin"}],
      "files": [{"path": "C:\\f.sys", "version": {"fileVersion": "1.2.3.65535",
                 "productVersion": "0.0.0.0", "translations": ["040904b0", 1252],
                 "strings": {"040904b0": {"CompanyName": "Co"}}, "hasFixedInfo": false}},
                {"path": "C:\\pe.sys", "peFile": "drivers/pe.sys"},
                {"path": "C:\\raw.sys", "rawBlock": "00 01"},
                {"path": "C:\\plain.sys"}],
      "faults": [{"function": "OpenServiceA", "argument": "svc", "error": 1060},
                 {"function": "SetupDiEnumDeviceInfo", "callNumber": 2, "error": "0xE000020B"}]
    })");
    EXPECT_EQ(5u, m.os.major);
    EXPECT_EQ(win::VER_NT_SERVER, m.os.productType);
    EXPECT_EQ(win::VER_SUITE_TERMINAL | win::VER_SUITE_BLADE | win::VER_SUITE_SINGLEUSERTS,
              m.os.suiteMask);
    EXPECT_TRUE(m.os.is64BitWindows);
    EXPECT_EQ(8u, m.os.processorCount);
    EXPECT_EQ("C:\\Tools\\ZEP.exe", m.moduleFileName);

    ASSERT_EQ(1u, m.classes.size());
    EXPECT_EQ(0x36FC9E60u, m.classes[0].guid.Data1);
    EXPECT_EQ(0x44u, m.classes[0].guid.Data4[2]);
    const machine::RegValue& upper = m.classes[0].values.at("upperfilters");
    EXPECT_EQ(win::REG_MULTI_SZ, upper.type);
    EXPECT_EQ((std::vector<std::uint8_t>{'a', 0, 'b', 0, 0}), upper.data);
    // Malformed on purpose: no terminators.
    EXPECT_EQ((std::vector<std::uint8_t>{'a', 0, 'b'}),
              m.classes[0].values.at("LowerFilters").data);

    ASSERT_EQ(1u, m.devices.size());
    const machine::Device& d = m.devices[0];
    EXPECT_FALSE(d.present);
    EXPECT_EQ((std::vector<std::uint8_t>{'C', 'a', 'f', 0xE9, 0}),
              d.properties.at(win::SPDRP_DEVICEDESC).data);
    EXPECT_EQ((std::vector<std::uint8_t>{0}), d.properties.at(win::SPDRP_UPPERFILTERS).data);
    EXPECT_EQ(win::REG_DWORD, d.properties.at(33).type);
    EXPECT_EQ(win::REG_EXPAND_SZ, d.properties.at(win::SPDRP_DRIVER).type);

    EXPECT_EQ("a.sys", m.services.at("SVC").binaryPath.value_or(""));
    EXPECT_EQ(0u, m.services.at("svc").startType);
    EXPECT_FALSE(m.services.at("nobin").binaryPath);

    const machine::VersionFields& v = *m.files.at("c:\\F.SYS").version;
    EXPECT_EQ(65535u, v.fileVersion[3]);
    EXPECT_EQ((std::vector<win::DWORD>{0x04B00409u, 1252u}), v.translations);
    EXPECT_EQ("Co", v.strings.at("040904b0").at("CompanyName"));
    EXPECT_FALSE(v.hasFixedInfo);
    EXPECT_TRUE(v.hasTranslationValue);
    EXPECT_NE(std::string::npos, m.files.at("C:\\pe.sys").peFile->find("descriptions"));
    EXPECT_EQ((std::vector<std::uint8_t>{0, 1}), *m.files.at("C:\\raw.sys").rawBlock);
    EXPECT_FALSE(m.files.at("C:\\plain.sys").version || m.files.at("C:\\plain.sys").peFile);

    ASSERT_EQ(2u, m.faults.size());
    EXPECT_EQ("svc", m.faults[0].argument.value_or(""));
    EXPECT_EQ(2u, m.faults[1].callNumber.value_or(0));
    EXPECT_EQ(win::ERROR_NO_SUCH_DEVINST, m.faults[1].error);
}

TEST(MachineLoaderTest, SchemaErrorsNameThePathAndWhatWasExpected) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[]", "m.json: $: expected an object, found an array"},
        {R"({"os": {"major": -1}})",
         "m.json: $.os.major: expected an integer from 0 to 4294967295"},
        {R"({"os": {"servicePackMajor": 70000}})", "$.os.servicePackMajor: expected an integer"},
        {R"({"os": {"minor": 1.5}})", "$.os.minor: expected an integer"},
        {R"({"os": {"Major": 1}})", "$.os.Major: unknown member (expected one of: platformId"},
        {R"({"extra": 1})", "m.json: $.extra: unknown member"},
        {R"({"os": {"suites": ["Nope"]}})", "$.os.suites[0]: expected a suite name"},
        {R"({"devices": [{}, {"instanceId": 5}]})", "$.devices[0].instanceId: missing"},
        {R"({"devices": [{"instanceId": "a", "properties": {"BOGUS": "x"}}]})",
         "$.devices[0].properties.BOGUS: unknown property"},
        {R"({"devices": [{"instanceId": "a", "properties": {"SERVICE": {"hex": "00"}}}]})",
         "$.devices[0].properties.SERVICE.type: expected a registry type with \"hex\" data"},
        {R"({"devices": [{"instanceId": "a", "properties": {"SERVICE": {"type": "REG_SZ", "hex": "0"}}}]})",
         "properties.SERVICE.hex: expected a string of hexadecimal byte pairs"},
        {R"({"devices": [{"instanceId": "\u0100"}]})",
         "$.devices[0].instanceId: expected narrow text"},
        {R"({"devices": [{"instanceId": "a\u0000b"}]})", "expected narrow text without NUL"},
        {R"({"classes": [{"guid": "{36fc9e60-c465-11cf-8056-44455354000}"}]})",
         "$.classes[0].guid: expected a GUID"},
        {R"({"services": [{"name": "a"}, {"name": "A"}]})",
         "$.services[1].name: a service described twice"},
        {R"({"files": [{"path": "x", "version": {"fileVersion": "1.2.3"}}]})",
         "$.files[0].version.fileVersion: expected a version \"a.b.c.d\""},
        {R"({"files": [{"path": "x", "version": {}, "rawBlock": ""}]})",
         "$.files[0]: expected at most one of"},
        {R"({"faults": [{"function": "F", "callNumber": 0}]})", "$.faults[0].callNumber"},
        {R"({"faults": {}})", "$.faults: expected an array, found an object"},
        // Names from the file that would break the line or the path are quoted.
        {R"({"os": {"a\nb": 1}})", "$.os[\"a\\u000ab\"]: unknown member"},
        {R"({"x\"y\u001b[2J": 1})", "$[\"x\\\"y\\u001b[2J\"]: unknown member"},
        {R"({"os.major": 1})", "$[\"os.major\"]: unknown member"},
        {R"({"": 1})", "$[\"\"]: unknown member"},
    };
    for (const Case& c : cases) {
        const std::string error = LoadError(c.text);
        EXPECT_NE(std::string::npos, error.find(c.message)) << c.text << "\n  gave: " << error;
        EXPECT_EQ(std::string::npos, error.find('\n')) << error;
    }
}

TEST(MachineLoaderTest, FileErrorsNameTheFile) {
    ScratchDir dir;
    Machine machine;
    std::string error;
    const std::string missing = dir.Path("missing.json");
    EXPECT_FALSE(MachineLoader::FromFile(missing, machine, error));
    EXPECT_EQ(0u, error.find(missing + ": cannot be read: ")) << error;

    const std::string bad = dir.Path("bad.json");
    ASSERT_TRUE(WriteWholeFile(bad, "{\n  \"os\": {,}\n}\n"));
    EXPECT_FALSE(MachineLoader::FromFile(bad, machine, error));
    EXPECT_EQ(0u, error.find(bad + ":2:10: ")) << error;
}

}  // namespace
