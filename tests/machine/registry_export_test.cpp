#include <gtest/gtest.h>

#include "machine/registry_export.h"

namespace {

TEST(RegistryExportTest, WritesKeysAndValuesInRegedit4Form) {
    machine::RegistryExport reg;
    reg.Key("HKEY_LOCAL_MACHINE\\SYSTEM\\Test");
    reg.String("", "default");
    reg.String("Path", "C:\\a \"b\"");
    reg.Value("Count", machine::RegValue::Dword(0x1234));
    reg.Value("List", machine::RegValue::MultiString({"a", "b"}));
    reg.Raw("Bin", 3, {0x01, 0xff});
    EXPECT_EQ(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Test]\r\n"
        "@=\"default\"\r\n"
        "\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n"
        "\"Count\"=dword:00001234\r\n"
        "\"List\"=hex(7):61,00,62,00,00\r\n"
        "\"Bin\"=hex:01,ff\r\n",
        reg.Text());
}

TEST(RegistryExportTest, StringsThatTheQuotedFormCannotCarryGoRaw) {
    machine::RegistryExport reg;
    machine::RegValue unterminated{1, {'a', 'b'}};
    reg.Value("U", unterminated);
    reg.Value("E", machine::RegValue::String("x", 2));
    reg.Value("Z", machine::RegValue{1, {}});
    EXPECT_EQ("REGEDIT4\r\n\"U\"=hex(1):61,62\r\n\"E\"=hex(2):78,00\r\n\"Z\"=hex(1):\r\n",
              reg.Text());
}

TEST(RegistryExportTest, LongDataIsContinued) {
    machine::RegistryExport reg;
    reg.Raw("Long", 3, std::vector<std::uint8_t>(100, 0xab));
    const std::string& text = reg.Text();
    EXPECT_NE(std::string::npos, text.find(",\\\r\n  ab"));
    std::size_t longest = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        longest = std::max(longest, end - start);
    }
    EXPECT_LE(longest, 80u);
}

}  // namespace
