#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/report.h"
#include "support/machine_test.h"

namespace {

class SystemSectionTest : public MachineTest {
  protected:
    SystemSectionTest() {
        machine::OsFacts& os = machine().os;
        os.major = 6;
        os.minor = 1;
        os.servicePackMajor = 1;
        os.productType = win::VER_NT_WORKSTATION;
        os.suiteMask = win::VER_SUITE_SINGLEUSERTS;
        os.is64BitWindows = true;
        os.processorCount = 4;
    }

    // The section as the generator writes it, under indentation 3.
    std::string Section() {
        Report report;
        report.SetIndent(3);
        report.AddSystemInfo();
        return report.GetText();
    }
    // The lines of the section, without the indentation of each.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        const std::string text = Section();
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(text.substr(start + 3, end - start - 3));
        }
        return lines;
    }
    static std::string Line(const std::string& label, const std::string& value) {
        return label + std::string(31 - label.size(), ' ') + value;
    }
};

TEST_F(SystemSectionTest, LabelsAndValuesAtColumn31) {
    const std::string text = Section();
    EXPECT_EQ(
        "   Operating System:              Windows 7 (64 bit)\r\n"
        "   Version Number:                6.1\r\n"
        "   Service Pack:                  1\r\n"
        "   Product Type:                  Workstation\r\n"
        "   Product Suite:                 Single Interactive Session\r\n"
        "   Number of Logical Processors:  4\r\n"
        "   ",
        text);
    // Every value starts at byte 34 of its line.
    for (std::size_t start = 0; start + 3 < text.size(); start = text.find("\r\n", start) + 2) {
        EXPECT_NE(' ', text[start + 34]);
        EXPECT_EQ(' ', text[start + 33]);
    }
    EXPECT_EQ(std::vector<std::string>{"Report::AddSystemInfo...\n"}, log.Texts(LOG_INFO));
}

TEST_F(SystemSectionTest, ReleaseBitnessServicePackAndProductType) {
    machine().os.is64BitWindows = false;
    machine().os.servicePackMajor = 0;
    machine().os.productType = 4;
    std::vector<std::string> lines = Lines();
    EXPECT_EQ(Line("Operating System:", "Windows 7 (32 bit)"), lines[0]);
    EXPECT_EQ(Line("Service Pack:", "---"), lines[2]);
    EXPECT_EQ(Line("Product Type:", "Unknown"), lines[3]);

    machine().os.major = 10;
    machine().os.minor = 0;
    machine().os.servicePackMajor = 2;
    machine().os.productType = win::VER_NT_DOMAIN_CONTROLLER;
    machine().os.is64BitProcess = true;
    machine().os.is64BitWindows = true;
    lines = Lines();
    EXPECT_EQ(Line("Operating System:", "Windows Server 2016 (64 bit)"), lines[0]);
    EXPECT_EQ(Line("Version Number:", "10.0"), lines[1]);
    EXPECT_EQ(Line("Service Pack:", "2"), lines[2]);
    EXPECT_EQ(Line("Product Type:", "Domain Controller"), lines[3]);

    machine().os.major = 6;
    machine().os.minor = 4;
    machine().os.productType = win::VER_NT_SERVER;
    lines = Lines();
    EXPECT_EQ(Line("Operating System:", "Unknown (64 bit)"), lines[0]);
    EXPECT_EQ(Line("Product Type:", "Server"), lines[3]);
}

TEST_F(SystemSectionTest, SuitesSingularPluralAndNone) {
    const struct {
        win::WORD mask;
        std::vector<std::string> lines;
    } cases[] = {
        {0x0000, {Line("Product Suite:", "---")}},
        {0x0020, {Line("Product Suite:", "---")}},
        {0x0021, {Line("Product Suite:", "Small Business Server")}},
        {0x0011,
         {Line("Product Suites:",
               "Small Business Server -> upgraded to Standard/Enterprise Edition"),
          Line("", "Terminal Services")}},
        {0xFFFF,
         {Line("Product Suites:", "Embedded"), Line("", "Embedded (restricted)"),
          Line("", "Enterprise Edition"), Line("", "Datacenter Edition"), Line("", "Home Edition"),
          Line("", "Home Server"), Line("", "Storage Server"), Line("", "Small Business Server"),
          Line("", "BackOffice"), Line("", "Office Communications Server"),
          Line("", "Terminal Services"), Line("", "Single Interactive Session"),
          Line("", "Web Edition"), Line("", "Security Appliance Edition"),
          Line("", "Compute Cluster Edition")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        machine().os.suiteMask = c.mask;
        const std::vector<std::string> lines = Lines();
        ASSERT_EQ(5 + c.lines.size(), lines.size());
        EXPECT_EQ(c.lines, std::vector<std::string>(lines.begin() + 4, lines.end() - 1));
        EXPECT_EQ(Line("Number of Logical Processors:", "4"), lines.back());
    }
}

TEST_F(SystemSectionTest, UnfoundVersionNumbersGivePlaceholders) {
    machine().os.major = 25;  // beyond the candidates
    machine().os.servicePackMajor = 21;
    std::vector<std::string> lines = Lines();
    EXPECT_EQ(Line("Operating System:", "Unknown (64 bit)"), lines[0]);
    EXPECT_EQ("ERROR: GetVersionNumber: Version number of type 2 not found in range [0 .. 20].\n",
              lines[1]);
    EXPECT_EQ("ERROR: AddSystemInfo: GetMajorVersion failed with error 0x0000065B.\n", lines[2]);
    EXPECT_EQ(Line("Version Number:", "?.1"), lines[3]);
    EXPECT_EQ("ERROR: AddSystemInfo: GetServicePack failed with error 0x0000065B.\n", lines[5]);
    EXPECT_EQ(Line("Service Pack:", "???"), lines[6]);

    machine().os.minor = 30;
    lines = Lines();
    EXPECT_EQ("ERROR: AddSystemInfo: GetMinorVersion failed with error 0x0000065B.\n", lines[4]);
    EXPECT_EQ(Line("Version Number:", "?.?"), lines[5]);
}

TEST_F(SystemSectionTest, FailedQueriesLeaveTheirPlaceholders) {
    // Every suite question fails: the home-server test fails the release too,
    // after the bitness was found.
    platform.faults().AddOnArgument("VerifyVersionInfoA", "0x40", win::ERROR_ACCESS_DENIED);
    std::vector<std::string> lines = Lines();
    EXPECT_EQ("ERROR: GetOperatingSystem: IsWindowsHomeServer failed with 0x00000005\n", lines[2]);
    EXPECT_EQ("ERROR: AddSystemInfo: GetOperatingSystem failed with error 0x00000005.\n", lines[3]);
    EXPECT_EQ(Line("Operating System:", "Unknown (64 bit)"), lines[4]);
    EXPECT_EQ(Line("Product Type:", "Workstation"), lines[7]);
    EXPECT_EQ(
        "ERROR: GetProductSuites: GetProductSuites failed with 0x00000005 for flag "
        "0x00000001\n",
        lines[8]);
    EXPECT_EQ("ERROR: AddSystemInfo: GetProductSuites failed with error 0x00000005.\n", lines[9]);
    EXPECT_EQ(Line("Product Suite:", "---"), lines[10]);

    // Suites found before a failure are not listed.
    platform.faults().Clear();
    machine().os.suiteMask = 0x0003;
    // Questions before: release (2 types, 16 suites, 5 pairs), major 6,
    // minor 1, service pack 1 and product type 1; the suites' third fails.
    platform.faults().AddOnCall("VerifyVersionInfoA", 2 + 16 + 5 + 7 + 2 + 2 + 2 + 3,
                                win::ERROR_ACCESS_DENIED);
    lines = Lines();
    EXPECT_EQ(Line("Product Suite:", "---"), lines[lines.size() - 2]);

    // No product type: "---" for the type, and the release fails as well.
    platform.faults().Clear();
    machine().os.suiteMask = win::VER_SUITE_SINGLEUSERTS;
    platform.faults().AddOnArgument("VerifyVersionInfoA", "0x80", win::ERROR_ACCESS_DENIED);
    lines = Lines();
    EXPECT_EQ(Line("Operating System:", "Unknown (64 bit)"), lines[256 + 4]);
    const std::string& typeLine = lines[lines.size() - 3];
    EXPECT_EQ(Line("Product Type:", "---"), typeLine);
    EXPECT_EQ("ERROR: AddSystemInfo: GetProductType failed with error 0x0000065B.\n",
              lines[lines.size() - 4]);
}

TEST_F(SystemSectionTest, TheWow64QuestionFails) {
    platform.faults().Add("IsWow64Process", win::ERROR_ACCESS_DENIED);
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ((std::vector<std::string>{
                  "ERROR: IsWow64Process: IsWow64Process failed with error 0x00000005.\n",
                  "ERROR: GetOperatingSystem: Is64BitWindows failed with 0x00000005\n",
                  "ERROR: AddSystemInfo: GetOperatingSystem failed with error 0x00000005.\n",
                  Line("Operating System:", "Unknown (32 bit)"),
                  Line("Version Number:", "6.1"),
              }),
              std::vector<std::string>(lines.begin(), lines.begin() + 5));
}

}  // namespace
