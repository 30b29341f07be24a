#include <string>

#include <gtest/gtest.h>

#include "devices/guid_util.h"
#include "support/machine_test.h"

namespace {

using GuidUtilTest = MachineTest;

const win::GUID kUsb{0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

TEST_F(GuidUtilTest, TextFormIsBracedLowerCaseAndAppended) {
    std::string text;
    GuidToString(win::GUID{}, text);
    EXPECT_EQ("{00000000-0000-0000-0000-000000000000}", text);
    text = "GUID ";
    GuidToString(win::GUID{0xABCDEF01, 0xFEDC, 0xBA98, {0xFF, 0xEE, 1, 2, 3, 4, 5, 0xA6}}, text);
    EXPECT_EQ("GUID {abcdef01-fedc-ba98-ffee-0102030405a6}", text);
}

TEST_F(GuidUtilTest, RoundTripInEitherCase) {
    std::string text;
    GuidToString(kUsb, text);
    win::GUID parsed{};
    EXPECT_EQ(0u, GuidFromString(parsed, text.c_str()));
    EXPECT_EQ(kUsb, parsed);
    EXPECT_EQ(0u, GuidFromString(parsed, "{36FC9E60-C465-11CF-8056-444553540000}"));
    EXPECT_EQ(kUsb, parsed);
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(GuidUtilTest, NullIsRefusedWithoutAskingThePlatform) {
    win::GUID parsed{};
    EXPECT_EQ(1u, GuidFromString(parsed, nullptr));
    EXPECT_EQ(0u, platform.calls().Count("CLSIDFromString"));
    EXPECT_TRUE(
        log.Contains("GuidFromString: NULL pointer found instead of a pointer to a guid string\n"));
}

TEST_F(GuidUtilTest, MalformedTextIsRefusedAndTheHresultTraced) {
    const char* bad[] = {
        "",
        "36fc9e60-c465-11cf-8056-444553540000",     // no braces
        "{36fc9e60-c465-11cf-8056-44455354000}",    // a digit short
        "{36fc9e60-c465-11cf-8056-4445535400000}",  // a digit long
        "{36fc9e60-c465-11cf-8056-444553540000}x",  // text after the brace
        "{36fc9e60xc465-11cf-8056-444553540000}",   // wrong separator
        "{36fc9e6g-c465-11cf-8056-444553540000}",   // not a digit
        "{+6fc9e60-c465-11cf-8056-444553540000}",
    };
    for (const char* text : bad) {
        win::GUID parsed{};
        EXPECT_EQ(1u, GuidFromString(parsed, text)) << text;
    }
    EXPECT_EQ(std::size(bad), log.Texts(LOG_ERROR).size());
    EXPECT_TRUE(
        log.Contains("GuidFromString: CLSIDFromString failed with error = 0x800401F3 (HRESULT)\n"));
}

TEST_F(GuidUtilTest, OnlyTheFirst99CharactersReachTheParser) {
    const std::string text = "{36fc9e60-c465-11cf-8056-444553540000}" + std::string(200, 'z');
    win::GUID parsed{};
    EXPECT_EQ(1u, GuidFromString(parsed, text.c_str()));
    ASSERT_EQ(1u, platform.calls().Calls().size());
    EXPECT_EQ(99u, platform.calls().Calls()[0].argument.size());
}

TEST_F(GuidUtilTest, PlatformFailureIsReportedAsStatusOne) {
    platform.faults().Add("CLSIDFromString", win::ERROR_GEN_FAILURE);
    win::GUID parsed = kUsb;
    EXPECT_EQ(1u, GuidFromString(parsed, "{36fc9e60-c465-11cf-8056-444553540000}"));
    EXPECT_EQ(win::GUID{}, parsed);
    EXPECT_TRUE(
        log.Contains("GuidFromString: CLSIDFromString failed with error = 0x8007001F (HRESULT)\n"));
}

}  // namespace
