// Where a file an offline installation names lies on this computer: its own
// Windows folder in every spelling Windows uses, other drives only where the
// user mounted them, and never outside the folder.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "machine/windows_folder.h"
#include "support/scratch_dir.h"

namespace {

TEST(WindowsFolderTest, MapsTheInstallationsPathsIntoTheMountedFolders) {
    ScratchDir dir;
    const std::string windows = dir.Path("WINDOWS");
    std::filesystem::create_directories(windows + "/system32/drivers");
    std::filesystem::create_directories(dir.Path("data/Tools"));
    ASSERT_TRUE(WriteWholeFile(windows + "/system32/drivers/usbhub.sys", "MZ"));
    ASSERT_TRUE(WriteWholeFile(dir.Path("data/Tools/filter.sys"), "MZ"));
    const std::string hub = machine::WindowsFolder(windows).HostPath(
        "\\SystemRoot\\system32\\drivers\\usbhub.sys", "C:\\WINDOWS");
    ASSERT_FALSE(hub.empty());

    const machine::WindowsFolder plain(windows);
    const machine::WindowsFolder mounted(windows, {{'D', dir.Path("data")}});
    const std::string root = "C:\\WINDOWS";
    for (const char* path :
         {"\\SystemRoot\\System32\\DRIVERS\\USBHUB.SYS",
          "%SystemRoot%\\system32\\drivers\\usbhub.sys", "System32\\drivers\\usbhub.sys",
          "C:\\WINDOWS\\system32\\drivers\\usbhub.sys",
          "c:\\windows\\system32\\drivers\\usbhub.sys",
          "\\??\\C:\\WINDOWS\\system32\\drivers\\usbhub.sys",
          "\\WINDOWS\\system32\\drivers\\usbhub.sys"}) {
        const std::string found = plain.HostPath(path, root);
        // Windows hands back the name as asked; POSIX hosts as stored.
        EXPECT_TRUE(!found.empty() && std::filesystem::equivalent(hub, found)) << path;
    }
    EXPECT_EQ("", plain.HostPath("D:\\Tools\\filter.sys", root));
    EXPECT_FALSE(mounted.HostPath("D:\\Tools\\filter.sys", root).empty());
    EXPECT_FALSE(mounted.HostPath("d:\\tools\\FILTER.SYS", root).empty());
    EXPECT_EQ("", mounted.HostPath("E:\\Tools\\filter.sys", root));
    EXPECT_EQ("", plain.HostPath("C:\\Program Files\\x.sys", root));
    EXPECT_EQ("", plain.HostPath("System32\\..\\..\\data\\Tools\\filter.sys", root));
    EXPECT_EQ("", plain.HostPath("\\SystemRoot\\system32\\drivers\\missing.sys", root));
}

}  // namespace
