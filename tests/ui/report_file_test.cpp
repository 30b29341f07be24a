#include "ui/report_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

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
// The data reach the device only when the stream is flushed at close: a
// full disk must not pass for a saved report.
TEST(ReportFileErrorTest, AFullDeviceIsAFailedWrite) {
    EXPECT_EQ(WriteReportFile("/dev/full", "report").outcome, ReportFileResult::WriteFailed);
}
#endif

}  // namespace
