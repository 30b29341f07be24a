#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "osinfo/product_suite_query.h"
#include "osinfo/version_probe.h"
#include "support/machine_test.h"

namespace {

class VersionProbeTest : public MachineTest {
  protected:
    std::size_t Questions() { return platform.calls().Count("VerifyVersionInfoA"); }
};

TEST_F(VersionProbeTest, VersionNumbersOfEachKind) {
    machine::OsFacts& os = machine().os;
    os.major = 10;
    os.minor = 0;
    os.servicePackMajor = 3;
    os.servicePackMinor = 20;
    const struct {
        win::DWORD kind;
        const char* typeMask;
        std::uint32_t expected;
    } cases[] = {
        {win::VER_MAJORVERSION, "0x02", 10},
        {win::VER_MINORVERSION, "0x01", 0},
        {win::VER_SERVICEPACKMAJOR, "0x20", 3},
        {win::VER_SERVICEPACKMINOR, "0x10", 20},  // the last candidate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        platform.calls().Clear();
        std::uint32_t value = 99;
        EXPECT_EQ(0u, GetVersionNumber(c.kind, value));
        EXPECT_EQ(c.expected, value);
        EXPECT_EQ(c.expected + 1, Questions());
        EXPECT_EQ(c.expected + 1, platform.calls().Count("VerifyVersionInfoA", c.typeMask));
    }
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(VersionProbeTest, NumberOutsideTheRangeIsNotFound) {
    machine().os.build = 7601;
    std::uint32_t value = 99;
    EXPECT_EQ(win::ERROR_FUNCTION_FAILED, GetVersionNumber(win::VER_BUILDNUMBER, value));
    EXPECT_EQ(0u, value);
    EXPECT_EQ(21u, Questions());
    EXPECT_EQ(std::vector<std::string>{"GetVersionNumber: Version number of type 4 not found in "
                                       "range [0 .. 20].\n"},
              log.Problems());
}

TEST_F(VersionProbeTest, KindsThatAreNoVersionNumberAskNothing) {
    for (win::DWORD kind : {win::VER_PLATFORMID, win::VER_SUITENAME, win::VER_PRODUCT_TYPE,
                            win::VER_MAJORVERSION | win::VER_MINORVERSION, win::DWORD{0}}) {
        SCOPED_TRACE(kind);
        log.messages.clear();
        std::uint32_t value = 99;
        EXPECT_EQ(win::ERROR_INVALID_PARAMETER, GetVersionNumber(kind, value));
        EXPECT_EQ(0u, value);
        EXPECT_EQ(std::vector<std::string>{"GetVersionNumber: Unexpected version type " +
                                           std::to_string(kind) + ".\n"},
                  log.Problems());
    }
    EXPECT_EQ(0u, platform.calls().Total());
}

TEST_F(VersionProbeTest, FailedCandidateIsTracedAndTheSearchGoesOn) {
    machine().os.major = 6;
    platform.faults().AddOnCall("VerifyVersionInfoA", 3, win::ERROR_ACCESS_DENIED);
    std::uint32_t value = 0;
    EXPECT_EQ(0u, GetVersionNumber(win::VER_MAJORVERSION, value));
    EXPECT_EQ(6u, value);
    EXPECT_EQ(std::vector<std::string>{"GetVersionNumber: VerifyVersionInfo(2) failed with error "
                                       "0x00000005\n"},
              log.Problems());

    // The same for the product type, which is 200 here.
    machine().os.productType = 200;
    platform.faults().Clear();
    platform.faults().AddOnCall("VerifyVersionInfoA", 1, win::ERROR_ACCESS_DENIED);
    platform.calls().Clear();
    log.messages.clear();
    std::uint8_t type = 0;
    EXPECT_EQ(0u, GetProductType(type));
    EXPECT_EQ(200u, type);
    EXPECT_EQ(201u, Questions());
    EXPECT_EQ(std::vector<std::string>{"GetProductType: VerifyVersionInfo(0) failed with error "
                                       "0x00000005\n"},
              log.Problems());
}

TEST_F(VersionProbeTest, ProductTypeDecidesServer) {
    const struct {
        win::BYTE type;
        bool server;
    } cases[] = {{0, true}, {1, false}, {2, true}, {3, true}, {255, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.type});
        machine().os.productType = c.type;
        std::uint8_t type = 77;
        EXPECT_EQ(0u, GetProductType(type));
        EXPECT_EQ(c.type, type);
        bool server = !c.server;
        EXPECT_EQ(0u, IsWindowsServer(server));
        EXPECT_EQ(c.server, server);
    }
}

TEST_F(VersionProbeTest, SuitesOneBitAtATime) {
    const struct {
        win::WORD mask;
        std::uint16_t count;
    } cases[] = {
        {0x0000, 0}, {0x0020, 0}, {0x0021, 1}, {0x0110, 2}, {0x8000, 1}, {0xFFFF, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        machine().os.suiteMask = c.mask;
        platform.calls().Clear();
        ProductSuiteQuery query;
        std::uint16_t mask = 0x1234;
        EXPECT_EQ(0u, query.GetProductSuites(mask));
        EXPECT_EQ(c.mask, mask);
        EXPECT_EQ(c.count, query.suiteCount);
        EXPECT_EQ(16u, Questions());
        bool home = false;
        EXPECT_EQ(0u, IsWindowsHomeServer(home));
        EXPECT_EQ((c.mask & win::VER_SUITE_WH_SERVER) != 0, home);
    }
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(VersionProbeTest, FailedSuiteQuestionEndsWithTheBitsSoFar) {
    machine().os.suiteMask = 0x0013;
    platform.faults().AddOnCall("VerifyVersionInfoA", 3, win::ERROR_ACCESS_DENIED);
    ProductSuiteQuery query;
    std::uint16_t mask = 0;
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, query.GetProductSuites(mask));
    EXPECT_EQ(0x0003u, mask);
    EXPECT_EQ(2u, query.suiteCount);
    EXPECT_EQ(3u, Questions());
    EXPECT_EQ(std::vector<std::string>{"GetProductSuites: GetProductSuites failed with 0x00000005 "
                                       "for flag 0x00000004\n"},
              log.Problems());

    platform.faults().Clear();
    platform.faults().AddOnCall("VerifyVersionInfoA", 1, win::ERROR_GEN_FAILURE);
    log.messages.clear();
    bool home = true;
    EXPECT_EQ(win::ERROR_GEN_FAILURE, IsWindowsHomeServer(home));
    EXPECT_FALSE(home);
    EXPECT_EQ("IsWindowsHomeServer: GetProductSuites failed with 0x0000001F\n",
              log.Problems().back());

    // A refusal without an error code must not pass for success.
    platform.faults().Clear();
    platform.faults().AddOnCall("VerifyVersionInfoA", 1, win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, query.GetProductSuites(mask));
}

TEST_F(VersionProbeTest, NoProductTypeConfirmed) {
    platform.faults().Add("VerifyVersionInfoA", win::ERROR_GEN_FAILURE);
    std::uint8_t type = 5;
    EXPECT_EQ(win::ERROR_FUNCTION_FAILED, GetProductType(type));
    EXPECT_EQ(0u, type);
    EXPECT_EQ(256u, Questions());
    EXPECT_EQ("GetProductType: Type not found.\n", log.Problems().back());
    bool server = true;
    EXPECT_EQ(win::ERROR_FUNCTION_FAILED, IsWindowsServer(server));
    EXPECT_FALSE(server);
    EXPECT_EQ("IsWindowsServer: GetProductType failed with 0x0000065B\n", log.Problems().back());
}

}  // namespace
