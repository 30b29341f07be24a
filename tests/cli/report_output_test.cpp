#include "cli/report_output.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace {

std::size_t EntriesIn(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

TEST(ReportOutputTest, ReplacesTheFileWholeAndLeavesNothingBeside) {
    ScratchDir dir;
    const std::string path = dir.Path("report.txt");
    std::string error;
    const std::string big(3 * 1024 * 1024 + 17, 'x');
    ASSERT_TRUE(WriteFileReplacing(path, "first\r\n", error)) << error;
    EXPECT_EQ("first\r\n", ReadWholeFile(path));
    ASSERT_TRUE(WriteFileReplacing(path, big, error)) << error;
    EXPECT_EQ(big, ReadWholeFile(path));
    ASSERT_TRUE(WriteFileReplacing(path, "", error)) << error;
    EXPECT_EQ("", ReadWholeFile(path));
    EXPECT_EQ(1u, EntriesIn(dir.Root()));
}

TEST(ReportOutputTest, FailureNamesThePathAndKeepsTheOldFile) {
    ScratchDir dir;
    std::string error;
    const std::string nowhere = dir.Path("missing") + "/report.txt";
    EXPECT_FALSE(WriteFileReplacing(nowhere, "x", error));
    EXPECT_EQ(0u, error.find("cannot write '" + nowhere + "': ")) << error;
    EXPECT_GT(error.size(), ("cannot write '" + nowhere + "': ").size());

    // A directory in the way: refused, and the directory is untouched.
    const std::string blocked = dir.Path("blocked");
    std::filesystem::create_directory(blocked);
    ASSERT_TRUE(WriteWholeFile(blocked + "/keep", "kept"));
    EXPECT_FALSE(WriteFileReplacing(blocked, "x", error));
    EXPECT_EQ(0u, error.find("cannot write '" + blocked + "': ")) << error;
    EXPECT_EQ("kept", ReadWholeFile(blocked + "/keep"));
    EXPECT_EQ(1u, EntriesIn(dir.Root()));
}

#if defined(__linux__)
// A link to the report (a ticket folder pointing at the latest one) stays a
// link: its target gets the new report, with the permissions it had.
TEST(ReportOutputTest, WritesThroughSymbolicLinksAndKeepsPermissions) {
    namespace fs = std::filesystem;
    ScratchDir dir;
    const std::string target = dir.Path("report.txt");
    const std::string link = dir.Path("latest.txt");
    ASSERT_TRUE(WriteWholeFile(target, "old"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("report.txt", link);
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(link, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("new", ReadWholeFile(target));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(target).permissions());
    EXPECT_EQ(2u, EntriesIn(dir.Root()));

    // A link whose target does not exist yet creates it; a loop is refused.
    const std::string dangling = dir.Path("next.txt");
    fs::create_symlink(dir.Path("sub") + "/../created.txt", dangling);
    fs::create_directory(dir.Path("sub"));
    ASSERT_TRUE(WriteFileReplacing(dangling, "created", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ("created", ReadWholeFile(dir.Path("created.txt")));
    fs::create_symlink("loop.txt", dir.Path("loop.txt"));
    EXPECT_FALSE(WriteFileReplacing(dir.Path("loop.txt"), "x", error));
    EXPECT_TRUE(fs::is_symlink(dir.Path("loop.txt")));
}

TEST(ReportOutputTest, DevicesAreWrittenIntoNotReplaced) {
    const std::filesystem::path full = "/dev/full";
    if (!std::filesystem::is_character_file(full) ||
        !std::filesystem::is_character_file("/dev/null")) {
        GTEST_SKIP() << "no /dev/full and /dev/null devices here";
    }
    std::FILE* stream = std::fopen("/dev/full", "wb");
    ASSERT_NE(nullptr, stream);
    std::string error;
    EXPECT_FALSE(WriteAll(stream, std::string(100000, 'x'), error));
    EXPECT_FALSE(error.empty());
    std::fclose(stream);

    EXPECT_FALSE(WriteFileReplacing("/dev/full", "report", error));
    EXPECT_EQ("cannot write '/dev/full': No space left on device", error);
    EXPECT_TRUE(std::filesystem::is_character_file(full));
    EXPECT_TRUE(WriteFileReplacing("/dev/null", "report", error)) << error;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}
#endif

}  // namespace
