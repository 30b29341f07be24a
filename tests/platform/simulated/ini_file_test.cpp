#include "platform/simulated/ini_file.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/simulated/simulated_platform.h"
#include "support/scratch_dir.h"

namespace {

using sim::IniFile;

TEST(IniFileTest, ReadsAsTheProfileFunctionsDo) {
    const IniFile file(
        "; comment=x\r\n"
        "top=level\r\n"
        "  [ Alpha ]  \r\n"
        "  Key  =  two words  \r\n"
        "quoted=\"q v\"\r\n"
        "half=\"open\r\n"
        "dup=first\r\n"
        "dup=second\r\n"
        "novalue\r\n"
        "empty=\r\n"
        "[Beta]\n"
        "key=beta");
    EXPECT_EQ("two words", file.Get("alpha", "KEY").value_or("<none>"));
    EXPECT_EQ("q v", file.Get("Alpha", "quoted").value_or("<none>"));
    EXPECT_EQ("\"open", file.Get("Alpha", "half").value_or("<none>"));
    EXPECT_EQ("first", file.Get("Alpha", "dup").value_or("<none>"));
    EXPECT_EQ("", file.Get("Alpha", "empty").value_or("<none>"));
    EXPECT_FALSE(file.Get("Alpha", "novalue"));
    EXPECT_FALSE(file.Get("Alpha", "; comment"));
    EXPECT_FALSE(file.Get("", "top"));  // before any section
    EXPECT_EQ("beta", file.Get("BETA", "key").value_or("<none>"));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta"}), file.Sections());
    EXPECT_EQ((std::vector<std::string>{"Key", "quoted", "half", "dup", "empty"}),
              file.Keys("alpha"));
}

TEST(IniFileTest, EditsTouchOnlyTheLineConcerned) {
    IniFile file(
        "; keep me\r\n"
        "[One]\r\n"
        "  Name = old \r\n"
        "\r\n"
        "[Two]\n"
        "x=1");
    file.Set("one", "NAME", "new");  // replaced, spelling kept
    file.Set("ONE", "Added", "a");   // end of section, before the blank line
    file.Set("Two", "y", "2");       // after a last line without a break
    file.Set("Three", "z", "3");     // new section at the end
    EXPECT_EQ(
        "; keep me\r\n"
        "[One]\r\n"
        "Name=new\r\n"
        "Added=a\r\n"
        "\r\n"
        "[Two]\n"
        "x=1\r\n"
        "y=2\r\n"
        "[Three]\r\n"
        "z=3\r\n",
        file.Text());

    file.DeleteKey("two", "X");
    file.DeleteSection("one");
    EXPECT_EQ("; keep me\r\n[Two]\ny=2\r\n[Three]\r\nz=3\r\n", file.Text());
}

TEST(IniFileTest, BuildsAFileFromNothingWithoutBlankLines) {
    IniFile file;
    file.Set("Common", "ModuleToken", "ZEP");
    file.Set("S1", "Name", "");
    file.Set("S1", "Enabled", "1");
    EXPECT_EQ("[Common]\r\nModuleToken=ZEP\r\n[S1]\r\nName=\r\nEnabled=1\r\n", file.Text());
}

// The profile functions on files the provider keeps in memory.
class ProfileFunctionsTest : public ::testing::Test {
  protected:
    void Store(const std::string& text) {
        ASSERT_EQ(win::ERROR_SUCCESS, platform.profiles().Write(path, text));
    }
    std::string Stored() {
        std::string text;
        return platform.profiles().Read(path, text) == win::ERROR_SUCCESS ? text : "<missing>";
    }

    sim::SimulatedPlatform platform;
    std::string path = "C:\\Tools\\p.ini";
    char buffer[16] = {};
};

TEST_F(ProfileFunctionsTest, ReturnValueAndTruncation) {
    Store("[S]\r\nk=abcdef\r\nj=x\r\n");
    EXPECT_EQ(6u, platform.GetPrivateProfileStringA("s", "K", "d", buffer, 16, path.c_str()));
    EXPECT_STREQ("abcdef", buffer);
    EXPECT_EQ(0u, platform.GetLastError());

    // Cut to size - 1 characters, terminated, that count returned.
    EXPECT_EQ(3u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 4, path.c_str()));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(0u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 1, path.c_str()));
    EXPECT_STREQ("", buffer);

    // The default for a missing key loses its trailing blanks; null is "".
    EXPECT_EQ(4u, platform.GetPrivateProfileStringA("S", "no", "  dv  ", buffer, 16, path.c_str()));
    EXPECT_STREQ("  dv", buffer);
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, platform.GetLastError());
    EXPECT_EQ(0u, platform.GetPrivateProfileStringA("S", "no", nullptr, buffer, 16, path.c_str()));
    EXPECT_STREQ("", buffer);

    // Name lists: each terminated plus a final terminator; cut keeps both.
    EXPECT_EQ(4u, platform.GetPrivateProfileStringA("S", nullptr, "", buffer, 16, path.c_str()));
    EXPECT_EQ(0, std::memcmp("k\0j\0\0", buffer, 5));
    EXPECT_EQ(2u, platform.GetPrivateProfileStringA("S", nullptr, "", buffer, 4, path.c_str()));
    EXPECT_EQ(0, std::memcmp("k\0\0\0", buffer, 4));
    EXPECT_EQ(2u,
              platform.GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 16, path.c_str()));
    EXPECT_EQ(0, std::memcmp("S\0\0", buffer, 3));
}

TEST_F(ProfileFunctionsTest, MissingFileGivesTheDefaultAndWritingCreatesIt) {
    EXPECT_EQ(1u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 16, path.c_str()));
    EXPECT_STREQ("d", buffer);
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, platform.GetLastError());

    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("S", "k", nullptr, path.c_str()));
    EXPECT_EQ("<missing>", Stored());  // a deletion creates nothing

    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("S", "k", "v", path.c_str()));
    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("s", "K", "w", path.c_str()));
    EXPECT_EQ("[S]\r\nk=w\r\n", Stored());
    EXPECT_EQ("<missing>", ReadWholeFile(path));  // the host's file system is not touched
    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("S", nullptr, nullptr, path.c_str()));
    EXPECT_EQ("", Stored());
}

TEST_F(ProfileFunctionsTest, FileNamesMatchWithoutRegardToCase) {
    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("S", "k", "v", "c:\\TOOLS\\P.INI"));
    EXPECT_EQ(1u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 16, path.c_str()));
    EXPECT_STREQ("v", buffer);
}

TEST_F(ProfileFunctionsTest, FaultsApplyPerSectionAndKey) {
    Store("[S]\r\nk=v\r\n");
    platform.faults().AddOnArgument("GetPrivateProfileStringA", "S|k", win::ERROR_ACCESS_DENIED);
    platform.faults().AddOnArgument("WritePrivateProfileStringA", "S|w", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(0u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 16, path.c_str()));
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, platform.GetLastError());
    EXPECT_EQ(win::FALSE, platform.WritePrivateProfileStringA("S", "w", "1", path.c_str()));
    EXPECT_EQ("[S]\r\nk=v\r\n", Stored());
}

}  // namespace
