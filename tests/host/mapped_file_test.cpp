// A file's bytes mapped where the host can, read where it cannot, and a
// file shortened under its mapping refused with one line and exit code 2.
#include "host/mapped_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/host_files.h"
#include "support/scratch_dir.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

std::string Bytes(const host::MappedFile& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.Size());
}

TEST(MappedFileTest, MapsFilesReadsDevicesAndRefusesWhatCannotBeRead) {
    ScratchDir dir;
    std::string content(3 * 4096 + 5, 'h');
    content.replace(0, 4, "regf");
    ASSERT_TRUE(WriteWholeFile(dir.Path("system.hiv"), content));
    ASSERT_TRUE(WriteWholeFile(dir.Path("empty.hiv"), ""));
    std::string reason;
    host::MappedFile file;
    ASSERT_TRUE(file.Open(dir.Path("system.hiv"), content.size(), reason)) << reason;
    EXPECT_TRUE(file.Mapped());
    EXPECT_EQ(content, Bytes(file));
    {
#if defined(_WIN32)
        // No other program writes the file while it is mapped.
        EXPECT_FALSE(WriteWholeFile(dir.Path("system.hiv"), "shorter"));
#else
        // One mapping is guarded at a time; another file is read meanwhile.
        host::MappedFile second;
        ASSERT_TRUE(second.Open(dir.Path("system.hiv"), content.size(), reason)) << reason;
        EXPECT_FALSE(second.Mapped());
        EXPECT_EQ(content, Bytes(second));
#endif
    }

    ASSERT_TRUE(file.Open(dir.Path("empty.hiv"), 10, reason)) << reason;
    EXPECT_EQ(0u, file.Size());
    ASSERT_TRUE(file.Open(dir.Path("system.hiv"), content.size(), reason)) << reason;
    EXPECT_TRUE(file.Mapped());
#if defined(_WIN32)
    ASSERT_TRUE(file.Open("NUL", 10, reason)) << reason;
#else
    ASSERT_TRUE(file.Open("/dev/null", 10, reason)) << reason;
#endif
    EXPECT_FALSE(file.Mapped());
    EXPECT_EQ(0u, file.Size());

    EXPECT_FALSE(file.Open(dir.Path("system.hiv"), content.size() - 1, reason));
    EXPECT_EQ("larger than " + std::to_string(content.size() - 1) + " bytes", reason);
    std::string bytes;
    std::string expected;
    EXPECT_FALSE(host::ReadFileBytes(dir.Path("none.hiv"), bytes, expected));
    EXPECT_FALSE(file.Open(dir.Path("none.hiv"), 10, reason));
    EXPECT_EQ(expected, reason);
    EXPECT_EQ(nullptr, file.Data());
}

#if !defined(_WIN32)
TEST(MappedFileDeathTest, AFileShortenedWhileMappedEndsTheProgramWithOneLine) {
    ScratchDir dir;
    const std::string path = dir.Path("system.hiv");
    ASSERT_TRUE(WriteWholeFile(path, std::string(3 * 4096, 'h')));
    EXPECT_EXIT(
        {
            host::MappedFile file;
            std::string reason;
            if (!file.Open(path, 1 << 20, reason) || ::truncate(path.c_str(), 0) != 0) {
                std::_Exit(3);
            }
            const volatile std::uint8_t* lost = file.Data() + 2 * 4096;
            std::_Exit(*lost == 'h' ? 4 : 5);
        },
        ::testing::ExitedWithCode(2),
        "^[^\n]*system\\.hiv: cannot be read: it was shortened while being read\n$");
}
#endif

}  // namespace
