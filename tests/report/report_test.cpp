#include <string>

#include <gtest/gtest.h>

#include "log/trace_log.h"
#include "report/report.h"
#include "support/machine_test.h"

namespace {

using ReportTest = MachineTest;

TEST_F(ReportTest, TextAtColumnPadsOrFollowsDirectly) {
    Report report;
    report.SetIndent(3);
    report.AddText("abc", 5);
    EXPECT_EQ("   " + std::string(5, ' ') + "abc", report.GetText());
    report.AddText("de", 4);  // already past column 4: no separator
    EXPECT_EQ("   " + std::string(5, ' ') + "abcde", report.GetText());
    report.AddText("Number of Logical Processors:", 0);
    report.AddText("x", 10);
    EXPECT_EQ("   " + std::string(5, ' ') + "abcdeNumber of Logical Processors:x",
              report.GetText());
}

TEST_F(ReportTest, ValueColumnCountsFromTheIndentation) {
    Report report;
    report.SetIndent(3);
    report.AddText("Number of Logical Processors:", 0);
    report.AddDecimal(4);
    report.AddNewLines(1);
    const std::string& text = report.GetText();
    EXPECT_EQ("   Number of Logical Processors:  4\r\n   ", text);
    EXPECT_EQ('4', text[34]);
}

TEST_F(ReportTest, LineBreaksCarryTheIndentation) {
    Report report;
    report.SetIndent(3);
    report.AddNewLines(2);
    EXPECT_EQ("   \r\n   \r\n   ", report.GetText());
    report.AddNewLines(0);  // nothing written, but the line counts as fresh
    EXPECT_EQ("   \r\n   \r\n   ", report.GetText());
}

TEST_F(ReportTest, SetIndentReindentsOnlyAnUntouchedLine) {
    Report report;
    report.AddText("Device:", 0);
    report.SetIndent(9);  // text on the line: only the next lines change
    EXPECT_EQ("Device:", report.GetText());
    report.AddNewLines(1);
    EXPECT_EQ("Device:\r\n         ", report.GetText());
    report.SetIndent(3);  // shorter: the trailing spaces go, three come back
    EXPECT_EQ("Device:\r\n   ", report.GetText());
    report.SetIndent(6);  // longer: three more
    EXPECT_EQ("Device:\r\n      ", report.GetText());
    report.SetIndent(0);
    EXPECT_EQ("Device:\r\n", report.GetText());
    report.SetIndent(0);
    EXPECT_EQ("Device:\r\n", report.GetText());
}

TEST_F(ReportTest, EmbeddedLineBreaksDoNotResetTheColumn) {
    Report report;
    report.AddText("ab\r\ncd", 0);
    report.AddText("x", 7);
    EXPECT_EQ("ab\r\ncd x", report.GetText());
}

TEST_F(ReportTest, GuidAtColumnSeven) {
    Report report;
    report.AddText("GUID:", 0);
    report.AddGuid(
        win::GUID{0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0, 0}});
    EXPECT_EQ("GUID:  {36fc9e60-c465-11cf-8056-444553540000}", report.GetText());
}

TEST_F(ReportTest, ErrorAndWarningMessagesBecomeLines) {
    Report report;
    report.SetIndent(6);
    Trace(LOG_ERROR, "Something failed.\n");
    EXPECT_EQ("      ERROR: Something failed.\n\r\n      ", report.GetText());
    Trace(LOG_INFO, "Op...\n");
    EXPECT_EQ("      ERROR: Something failed.\n\r\n      ", report.GetText());
    Trace(LOG_WARNING, "Careful.\n");
    EXPECT_EQ("      ERROR: Something failed.\n\r\n      WARNING: Careful.\n\r\n      ",
              report.GetText());
}

TEST_F(ReportTest, MessageOnALineWithTextIsAppendedDirectly) {
    Report report;
    report.AddText("Name:", 0);
    report.Output(LOG_ERROR, "x\n");
    EXPECT_EQ("Name:ERROR:x\n\r\n", report.GetText());
    report.Output(8, "ignored\n");
    EXPECT_EQ("Name:ERROR:x\n\r\n", report.GetText());
}

TEST_F(ReportTest, OnlyALivingReportReceivesMessages) {
    Trace(LOG_ERROR, "before\n");
    std::string text;
    {
        Report report;
        Trace(LOG_ERROR, "during\n");
        text = report.GetText();
    }
    Trace(LOG_ERROR, "after\n");
    EXPECT_EQ("ERROR: during\n\r\n", text);
}

}  // namespace
