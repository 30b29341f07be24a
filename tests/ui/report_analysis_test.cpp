// The window's page and findings of the report in view, and which name and
// type of the Save As dialog write the page.
#include "ui/report_analysis.h"

#include <gtest/gtest.h>

#include "analysis/golden_reports.h"

namespace {

TEST(ReportAnalysis, SaveWritesThePageForItsNamesOrItsTypeOnly) {
    EXPECT_FALSE(SavesWebPage("C:\\x\\report.txt", 1));
    EXPECT_FALSE(SavesWebPage("C:\\x\\report", 1));
    EXPECT_FALSE(SavesWebPage("C:\\x\\report.txt", 2));  // the name says text
    EXPECT_FALSE(SavesWebPage("C:\\pages.html\\report", 3));
    EXPECT_TRUE(SavesWebPage("C:\\x\\report.HTML", 1));
    EXPECT_TRUE(SavesWebPage("report.htm", 3));
    EXPECT_TRUE(SavesWebPage("C:\\x\\report", 2));
    EXPECT_TRUE(SavesWebPage("C:\\x\\report.log", 2));
}

TEST(ReportAnalysis, FindingsAndPageOfTheReportInView) {
    const std::string text = FindingsTextOfReport(GoldenReport("support-cases"));
    EXPECT_EQ(text.rfind("4 findings, 1 error.\r\n\r\nError: service exdongle\r\n", 0), 0u);
    EXPECT_NE(text.find("    What to do: Reinstall the driver that installed exdongle"),
              std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_EQ(FindingsTextOfReport(GoldenReport("worked-example")),
              "No findings: nothing in this report needs attention.\r\n");
    EXPECT_EQ(FindingsTextOfReport("not a report").rfind("The report could not be checked: ", 0),
              0u);

    std::string page;
    std::string error;
    ASSERT_TRUE(ReportPageOfText(GoldenReport("support-cases"), page, error));
    EXPECT_NE(page.find("Report of <strong>this computer</strong>"), std::string::npos);
    EXPECT_FALSE(ReportPageOfText("not a report", page, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
