#include "tools/wine_prefix/prefix_content.h"

#include <gtest/gtest.h>

namespace {

machine::VersionFields Fields() {
    machine::VersionFields v;
    v.fileVersion[0] = 6;
    v.fileVersion[3] = 17586;
    v.translations = {0x04b00409u, 0x04e40407u};
    v.strings["040704e4"]["FileDescription"] = "Ger\xe4t \"A\" C:\\x";
    return v;
}

TEST(PrefixContentTest, ResourceScriptCarriesVersionsTranslationsAndEscapedStrings) {
    std::string script, why;
    ASSERT_TRUE(VersionResourceScript(Fields(), script, why));
    EXPECT_NE(std::string::npos, script.find("FILEVERSION 6,0,0,17586\n"));
    EXPECT_NE(std::string::npos,
              script.find("VALUE \"Translation\", 0x0409, 0x04b0, 0x0407, 0x04e4\n"));
    EXPECT_NE(std::string::npos,
              script.find("VALUE \"FileDescription\", \"Ger\\344t \"\"A\"\" C:\\\\x\"\n"));

    machine::VersionFields noTranslation = Fields();
    noTranslation.hasTranslationValue = false;
    ASSERT_TRUE(VersionResourceScript(noTranslation, script, why));
    EXPECT_EQ(std::string::npos, script.find("VarFileInfo"));

    machine::VersionFields noFixed = Fields();
    noFixed.hasFixedInfo = false;
    EXPECT_FALSE(VersionResourceScript(noFixed, script, why));
    EXPECT_FALSE(why.empty());
}

TEST(PrefixContentTest, OnlyDriverFilesTheScriptCanBuildAreKept) {
    machine::Machine m;
    m.systemDirectory = "C:\\Windows\\system32";
    auto add = [&](const std::string& path) -> machine::DriverFile& {
        machine::DriverFile& f = m.files[path];
        f.path = path;
        return f;
    };
    add("C:\\WINDOWS\\System32\\drivers\\plain.SYS");
    add("C:\\Windows\\system32\\drivers\\ver.sys").version = Fields();
    add("C:\\Windows\\system32\\drivers\\raw.sys").rawBlock = std::vector<std::uint8_t>{1};
    add("C:\\Windows\\system32\\drivers\\sub\\deep.sys");
    add("C:\\Windows\\system32\\drivers\\x;rm.sys");
    add("D:\\other\\away.sys");
    m.services["svc"].name = "svc";

    PrefixContent c = BuildPrefixContent(m);
    ASSERT_EQ(2u, c.drivers.size());
    EXPECT_EQ("plain.SYS", c.drivers[0].fileName);
    EXPECT_TRUE(c.drivers[0].script.empty());
    EXPECT_EQ("ver.sys", c.drivers[1].fileName);
    EXPECT_EQ(4u, c.notRepresented.size());
    EXPECT_NE(std::string::npos, c.reg.find("CurrentControlSet\\Services\\svc]"));

    std::string build = DriverBuildScript(c);
    EXPECT_NE(std::string::npos, build.find("-shared -s -o \"$out/plain.SYS\" driver.c\n"));
    EXPECT_NE(std::string::npos, build.find("\"$2\" -c 1252 driver1.rc"));
}

}  // namespace
