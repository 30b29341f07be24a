#include "ui/report_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#if defined(__linux__)
#include <sys/resource.h>
#endif
#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

class ReportFileTest : public ::testing::Test {
  protected:
    ReportFileTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string("mvsi_report_file_") + info->name() + ".txt";
        std::remove(path_.c_str());
    }
    ~ReportFileTest() override { std::remove(path_.c_str()); }

    std::string ReadBack() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string path_;
};

TEST_F(ReportFileTest, WritesTheBytesUnchangedLineBreaksAndPercentSignsIncluded) {
    const std::string text = "Title\r\n-----\r\n\r\n   100% done, %s %d %%\r\n   \n\r";
    const ReportFileResult result = WriteReportFile(path_, text);
    EXPECT_EQ(result.outcome, ReportFileResult::Saved);
    EXPECT_EQ(ReadBack(), text);
    EXPECT_EQ(ReportFileErrorText(path_, result), "");
}

TEST_F(ReportFileTest, ReplacesTheContentOfAnExistingFile) {
    ASSERT_EQ(WriteReportFile(path_, std::string(100, 'x')).outcome, ReportFileResult::Saved);
    ASSERT_EQ(WriteReportFile(path_, "short").outcome, ReportFileResult::Saved);
    EXPECT_EQ(ReadBack(), "short");
}

TEST_F(ReportFileTest, AnEmptyReportGivesAnEmptyFile) {
    EXPECT_EQ(WriteReportFile(path_, "").outcome, ReportFileResult::Saved);
    EXPECT_EQ(ReadBack(), "");
}

#if defined(_WIN32)
// The new file takes the old one's attributes; a read-only report is refused
// as opening it for writing refuses it, and stays as it was.
TEST_F(ReportFileTest, KeepsAttributesAndRefusesReadOnlyFiles) {
    ASSERT_EQ(WriteReportFile(path_, "old").outcome, ReportFileResult::Saved);
    ASSERT_NE(0, SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(WriteReportFile(path_, "new").outcome, ReportFileResult::Saved);
    EXPECT_EQ(ReadBack(), "new");
    EXPECT_NE(0u, GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    ASSERT_NE(0, SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine keeps the attribute as the file's Unix mode, which does not stop
    // root; Windows refuses the open whoever asks.
    if (std::FILE* probe = std::fopen(path_.c_str(), "r+b")) {
        std::fclose(probe);
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this file system lets read-only files be opened for writing";
    }
    const ReportFileResult result = WriteReportFile(path_, "newer");
    EXPECT_EQ(result.outcome, ReportFileResult::OpenFailed);
    EXPECT_EQ(result.error, EACCES);
    EXPECT_EQ(ReadBack(), "new");
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

TEST(ReportFileErrorTest, AFileThatCannotBeCreatedNamesPathAndRuntimeError) {
    const std::string path = "no_such_folder_of_mvsi/report.txt";
    const ReportFileResult result = WriteReportFile(path, "text");
    EXPECT_EQ(result.outcome, ReportFileResult::OpenFailed);
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_EQ(ReportFileErrorText(path, result),
              "Open/create file 'no_such_folder_of_mvsi/report.txt' failed with error " +
                  std::to_string(ENOENT) + ".");
}

TEST(ReportFileErrorTest, WriteFailureText) {
    ReportFileResult result;
    result.outcome = ReportFileResult::WriteFailed;
    EXPECT_EQ(ReportFileErrorText("C:\\r 100%.txt", result),
              "Writing report to file 'C:\\r 100%.txt' failed.");
}

#if defined(__linux__)
// Lowers the process's file size limit for its lifetime: a write past it
// fails (EFBIG) part way, as on a full disk or a removed stick.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lower = saved_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    void (*previous_)(int);
    rlimit saved_{};
};

TEST_F(ReportFileTest, AFailedWriteLeavesTheOldReportIntact) {
    ASSERT_EQ(WriteReportFile(path_, "old report\r\n").outcome, ReportFileResult::Saved);
    {
        const FileSizeLimit limit(4096);
        const ReportFileResult result = WriteReportFile(path_, std::string(100000, 'n'));
        EXPECT_EQ(result.outcome, ReportFileResult::WriteFailed);
    }
    EXPECT_EQ(ReadBack(), "old report\r\n");
    std::size_t beside = 0;  // no temporary file left behind
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        beside += entry.path().filename().string().rfind(path_, 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(beside, 1u);
}

// The data reach the device only when the stream is flushed at close: a
// full disk must not pass for a saved report.
TEST(ReportFileErrorTest, AFullDeviceIsAFailedWrite) {
    EXPECT_EQ(WriteReportFile("/dev/full", "report").outcome, ReportFileResult::WriteFailed);
}
#endif

}  // namespace
