#include "services/driver_file_name.h"

#include <string>

#include <gtest/gtest.h>

#include "services/path_parts.h"

namespace {

std::string FileName(const std::string& binPath, const std::string& service = "svc") {
    std::string name = "old";
    if (!DriverFileName(binPath, service, name)) {
        EXPECT_EQ("", name);
        return "<refused>";
    }
    return name;
}

TEST(DriverFileNameTest, NameAndExtensionOfTheLastComponent) {
    EXPECT_EQ("usbhub.sys", FileName("\\SystemRoot\\system32\\drivers\\usbhub.sys"));
    EXPECT_EQ("usbhub.sys", FileName("D:\\elsewhere\\usbhub.sys"));
    EXPECT_EQ("Example.SYS", FileName("system32\\DRIVERS\\Example.SYS"));
    EXPECT_EQ("hub.sys", FileName("C:/mixed\\separators/hub.sys"));
    EXPECT_EQ("noext", FileName("system32\\drivers\\noext"));
    EXPECT_EQ("a.b.sys", FileName("dir.d\\a.b.sys"));
    // Arguments belong to the extension: the last point of the last part.
    EXPECT_EQ("svchost.exe -k netsvcs", FileName("%SystemRoot%\\system32\\svchost.exe -k netsvcs"));
    EXPECT_EQ("x.sys", FileName("C:x.sys"));
    // Only a letter names a drive; any other character before a colon is part of the name.
    EXPECT_EQ("1:digit.sys", FileName("1:digit.sys"));
    EXPECT_EQ(":x.sys", FileName("\\:x.sys"));
    EXPECT_EQ("%:pct.sys", FileName("%:pct.sys"));
    EXPECT_EQ("z.sys", FileName("z:z.sys"));
}

TEST(DriverFileNameTest, ServiceNameWhenThePathHasNoFileName) {
    EXPECT_EQ("svc.sys", FileName(""));
    EXPECT_EQ("svc.sys", FileName("C:\\drivers\\"));
    EXPECT_EQ("svc.sys", FileName("C:\\drivers\\.sys"));  // only an extension
    EXPECT_EQ("svc.sys", FileName("C:"));
}

TEST(DriverFileNameTest, PartsBeyondTheBuffersAreRefusedNotCut) {
    EXPECT_EQ(std::string(255, 'n') + ".sys", FileName("C:\\d\\" + std::string(255, 'n') + ".sys"));
    EXPECT_EQ("<refused>", FileName("C:\\d\\" + std::string(256, 'n') + ".sys"));
    EXPECT_EQ("n" + std::string(255, '.').substr(0, 1) + std::string(254, 'e'),
              FileName("n." + std::string(254, 'e')));
    EXPECT_EQ("<refused>", FileName("n." + std::string(255, 'e')));
    // Joined: 259 characters fit the 260-byte buffer, 260 do not.
    EXPECT_EQ(259u, FileName(std::string(200, 'n') + "." + std::string(58, 'e')).size());
    EXPECT_EQ("<refused>", FileName(std::string(200, 'n') + "." + std::string(59, 'e')));
    // A long directory is discarded and never limits.
    EXPECT_EQ("x.sys", FileName("C:\\" + std::string(5000, 'd') + "\\x.sys"));
    EXPECT_EQ("<refused>", FileName("", std::string(256, 's')));
    EXPECT_EQ(std::string(255, 's') + ".sys", FileName("", std::string(255, 's')));
}

TEST(PathPartsTest, SplitsAndJoinsLikeTheCLibrary) {
    PathParts parts;
    ASSERT_TRUE(SplitPath("C:\\dir/sub\\name.tar.gz", parts));
    EXPECT_EQ("C:", parts.drive);
    EXPECT_EQ("\\dir/sub\\", parts.dir);
    EXPECT_EQ("name.tar", parts.fname);
    EXPECT_EQ(".gz", parts.ext);

    std::string path;
    ASSERT_TRUE(MakePath(path, PathParts{"C", "dir", "name", "ext"}, 260));
    EXPECT_EQ("C:dir\\name.ext", path);
    ASSERT_TRUE(MakePath(path, PathParts{"", "dir/", "name", ".ext"}, 260));
    EXPECT_EQ("dir/name.ext", path);
    EXPECT_FALSE(MakePath(path, PathParts{"", "", "abc", ""}, 3));
    EXPECT_EQ("", path);

    PathPartSizes small;
    small.dir = 4;
    EXPECT_FALSE(SplitPath("\\abcd\\x", parts, small));
    EXPECT_EQ("", parts.fname);
}

}  // namespace
