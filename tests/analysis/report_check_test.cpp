// Findings: each rule finds its case in the example machines, a healthy
// machine gives none, and ERROR lines a rule explains are not reported again
// as unexplained.
#include <string>

#include <gtest/gtest.h>

#include "analysis/golden_reports.h"
#include "analysis/report_check.h"
#include "analysis/report_reader.h"

namespace {

std::vector<analysis::Finding> Check(const std::string& golden) {
    analysis::ReportData data;
    analysis::ReadFailure failure;
    EXPECT_TRUE(ReadReport(GoldenReport(golden), analysis::CodePage::Default(), data, failure));
    return analysis::CheckReport(data);
}

const analysis::Finding* Find(const std::vector<analysis::Finding>& findings,
                              const std::string& rule, const std::string& subject) {
    for (const analysis::Finding& f : findings) {
        if (f.rule == rule && f.subject == subject) {
            return &f;
        }
    }
    return nullptr;
}

TEST(ReportCheck, EveryRuleFindsItsCaseInTheExampleMachines) {
    struct Case {
        const char* golden;
        const char* rule;
        const char* subject;
        analysis::Severity severity;
    };
    const Case cases[] = {
        {"xp-sp3-usb-1394", "service-not-installed", "service exscan", analysis::Severity::Error},
        {"support-cases", "driver-file-missing", "service exdongle", analysis::Severity::Error},
        {"xp-sp3-usb-1394", "no-version-resource", "service USBSTOR", analysis::Severity::Warning},
        {"support-cases", "binary-path", "service exempty", analysis::Severity::Warning},
        {"support-cases", "binary-path", "service exmeter", analysis::Severity::Warning},
        {"win10-x64-usb", "class-filter", "class USB", analysis::Severity::Warning},
        {"support-cases", "foreign-filter", "device USB\\VID_2A11&PID_0901\\7&3A&0&1",
         analysis::Severity::Info},
        {"faults-services", "unexplained", "service exnocfg", analysis::Severity::Warning},
        {"device-problems.details", "device-problem", "device USB\\VID_1234&PID_5678\\6&2F&0&1",
         analysis::Severity::Error},
        {"device-problems.details", "device-disabled",
         "device USB\\VID_2A11&PID_0205\\5&3A0C2D11&0&2", analysis::Severity::Info},
        {"device-problems.details", "install-flags", "device USB\\VID_2A11&PID_0101\\5&1C3B6F2&0&3",
         analysis::Severity::Warning},
        {"device-problems.details", "no-driver-package", "device USB\\VID_0403&PID_6001\\EX12345",
         analysis::Severity::Warning},
        {"device-problems.details", "no-driver-package", "device USB\\VID_0781&PID_5567\\4C530001",
         analysis::Severity::Warning},
        {"device-problems.details", "version-mismatch", "device USB\\VID_1234&PID_5678\\6&2F&0&1",
         analysis::Severity::Info},
        {"device-problems.details", "inf-missing", "device USB\\VID_1234&PID_5678\\6&2F&0&1",
         analysis::Severity::Warning},
        {"device-problems.details", "service-disabled", "service exreader",
         analysis::Severity::Warning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.golden) + " " + c.rule);
        const auto findings = Check(c.golden);
        const analysis::Finding* found = Find(findings, c.rule, c.subject);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->severity, c.severity);
        EXPECT_FALSE(found->lines.empty());
        EXPECT_FALSE(found->action.empty());
    }
}

TEST(ReportCheck, ExplainedErrorLinesAreNotUnexplainedAndHealthyMachinesPass) {
    EXPECT_TRUE(Check("worked-example").empty());
    // A device without drivers (code 28) names no function driver: its failed
    // stack is what the code says, not an incomplete report. Without details
    // nothing tells that.
    const auto problems = Check("device-problems.details");
    for (const analysis::Finding& f : problems) {
        EXPECT_NE("unexplained", f.rule) << f.message;
    }
    EXPECT_NE(Find(Check("device-problems"), "unexplained",
                   "device USB\\VID_2A11&PID_0101\\5&1C3B6F2&0&3"),
              nullptr);
    const auto xp = Check("xp-sp3-usb-1394");
    EXPECT_TRUE(analysis::HasErrors(xp));
    const analysis::Finding* missing = Find(xp, "service-not-installed", "service exscan");
    ASSERT_NE(missing, nullptr);
    for (const analysis::Finding& f : xp) {
        if (f.rule != "unexplained") {
            continue;
        }
        for (const std::size_t line : missing->lines) {
            EXPECT_EQ(std::count(f.lines.begin(), f.lines.end(), line), 0) << f.message;
        }
    }
}

}  // namespace
