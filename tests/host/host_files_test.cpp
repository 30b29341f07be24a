#include "host/host_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "support/scratch_dir.h"

namespace {

TEST(HostFilesTest, PathsSplitAndJoinOnTheHostsSeparators) {
    EXPECT_EQ("", host::ParentFolder("machine.json"));
    EXPECT_EQ("examples/machines", host::ParentFolder("examples/machines/x.json"));
    EXPECT_EQ("/", host::ParentFolder("/x.json"));
    EXPECT_EQ("drivers.sys", host::JoinPath("", "drivers.sys"));
    EXPECT_TRUE(host::IsRooted("/srv/pe/usbhub.sys"));
    EXPECT_FALSE(host::IsRooted("pe/usbhub.sys"));
#if defined(_WIN32)
    EXPECT_EQ("C:\\cases", host::ParentFolder("C:\\cases\\m.json"));
    EXPECT_EQ("cases\\m", host::JoinPath("cases", "m"));
    EXPECT_EQ("cases/m", host::JoinPath("cases/", "m"));
    EXPECT_TRUE(host::IsRooted("C:\\pe\\x.sys"));
    EXPECT_TRUE(host::IsRooted("\\\\server\\share\\x.sys"));
#else
    EXPECT_EQ("cases/m", host::JoinPath("cases", "m"));
    EXPECT_EQ("a\\b", host::ParentFolder("a\\b/c"));
#endif
}

TEST(HostFilesTest, KindsListingAndReplacement) {
    ScratchDir dir;
    const std::string root = dir.Root().string();
    ASSERT_TRUE(WriteWholeFile(dir.Path("b.sys"), "new"));
    ASSERT_TRUE(WriteWholeFile(dir.Path("a.sys"), "old"));
    std::filesystem::create_directory(dir.Path("sub"));
    EXPECT_EQ(host::FileKind::Directory, host::KindOf(root));
    EXPECT_EQ(host::FileKind::Regular, host::KindOf(dir.Path("a.sys")));
    EXPECT_EQ(host::FileKind::Missing, host::KindOf(dir.Path("none")));
#if defined(_WIN32)
    EXPECT_EQ(host::FileKind::Other, host::KindOf("NUL"));
#else
    EXPECT_EQ(host::FileKind::Other, host::KindOf("/dev/null"));
#endif

    std::vector<std::string> names;
    std::string reason;
    ASSERT_TRUE(host::ListRegularFiles(root, names, reason)) << reason;
    EXPECT_EQ((std::vector<std::string>{"a.sys", "b.sys"}), names);
    EXPECT_FALSE(host::ListRegularFiles(dir.Path("none"), names, reason));
    EXPECT_FALSE(reason.empty());

    ASSERT_TRUE(host::MoveOver(dir.Path("b.sys"), dir.Path("a.sys"), reason)) << reason;
    EXPECT_EQ("new", ReadWholeFile(dir.Path("a.sys")));
    EXPECT_EQ(host::FileKind::Missing, host::KindOf(dir.Path("b.sys")));
    reason.clear();
    EXPECT_FALSE(host::MoveOver(dir.Path("b.sys"), dir.Path("a.sys"), reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ("new", ReadWholeFile(dir.Path("a.sys")));
}

// The hosts' own error texts (the release programs leave out the standard
// library's categories) read word for word as the categories' did.
TEST(HostFilesTest, ErrorTextsAreWordedAsTheStandardCategories) {
    for (const int error : {ENOENT, EACCES, EEXIST, ENOSPC, 9999}) {
        EXPECT_EQ(std::generic_category().message(error), host::ErrnoText(error));
    }
#if defined(_WIN32)
    ScratchDir dir;
    std::string reason;
    EXPECT_FALSE(host::MoveOver(dir.Path("none"), dir.Path("a.sys"), reason));
    EXPECT_EQ(std::system_category().message(2), reason);  // ERROR_FILE_NOT_FOUND
    std::vector<std::string> names;
    EXPECT_FALSE(host::ListRegularFiles(dir.Path("none/deeper"), names, reason));
    EXPECT_EQ(std::system_category().message(3), reason);  // ERROR_PATH_NOT_FOUND
#endif
}

}  // namespace
