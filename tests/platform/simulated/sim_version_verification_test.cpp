#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/simulated/simulated_platform.h"

namespace {

using win::DWORDLONG;

class VersionVerificationTest : public ::testing::Test {
  protected:
    VersionVerificationTest() {
        machine::OsFacts& os = machine.machine().os;  // 6.1 SP1.0 build 7601, a server
        os.productType = win::VER_NT_SERVER;
        os.suiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_ENTERPRISE;
    }
    DWORDLONG Mask(win::DWORD type, win::BYTE condition, DWORDLONG mask = 0) {
        return machine.VerSetConditionMask(mask, type, condition);
    }
    // 0 when confirmed, else the last error.
    win::DWORD Ask(win::OSVERSIONINFOEXA request, win::DWORD typeMask, DWORDLONG mask) {
        return machine.VerifyVersionInfoA(&request, typeMask, mask) ? 0 : machine.GetLastError();
    }
    static win::OSVERSIONINFOEXA Version(win::DWORD major, win::DWORD minor, win::WORD sp = 0) {
        win::OSVERSIONINFOEXA request{};
        request.dwOSVersionInfoSize = sizeof request;
        request.dwMajorVersion = major;
        request.dwMinorVersion = minor;
        request.wServicePackMajor = sp;
        return request;
    }

    sim::SimulatedPlatform machine;
};

constexpr win::DWORD kOld = win::ERROR_OLD_WIN_VERSION;

TEST_F(VersionVerificationTest, ConditionMaskHoldsThreeBitsPerFieldType) {
    EXPECT_EQ(0x1ull, Mask(win::VER_MINORVERSION, win::VER_EQUAL));
    EXPECT_EQ(0x3ull << 6, Mask(win::VER_BUILDNUMBER, win::VER_GREATER_EQUAL));
    EXPECT_EQ(0x2ull << 15, Mask(win::VER_SERVICEPACKMAJOR, win::VER_GREATER));
    EXPECT_EQ(0x7ull << 18, Mask(win::VER_SUITENAME, win::VER_OR));
    EXPECT_EQ(0x6ull << 21, Mask(win::VER_PRODUCT_TYPE, win::VER_AND));
    // Only the highest type bit of one call; three bits of the condition;
    // nothing to set leaves the mask alone; conditions are ORed in.
    EXPECT_EQ(0x1ull << 3, Mask(win::VER_MAJORVERSION | win::VER_MINORVERSION, win::VER_EQUAL));
    EXPECT_EQ(0x1ull << 3, Mask(win::VER_MAJORVERSION, 0x09));
    EXPECT_EQ(0x1234ull, Mask(win::VER_MAJORVERSION, 0, 0x1234));
    EXPECT_EQ(0x1234ull, Mask(0x100, win::VER_EQUAL, 0x1234));
    EXPECT_EQ(0x3ull << 3, Mask(win::VER_MAJORVERSION, win::VER_GREATER, 0x1ull << 3));
}

TEST_F(VersionVerificationTest, SeparateFieldsEachMustHold) {
    win::OSVERSIONINFOEXA request = Version(0, 0);
    request.dwBuildNumber = 7600;
    EXPECT_EQ(kOld, Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_EQUAL)));
    EXPECT_EQ(0u, Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_GREATER)));
    EXPECT_EQ(kOld, Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_LESS)));
    request.wProductType = win::VER_NT_WORKSTATION;
    EXPECT_EQ(0u, Ask(request, win::VER_PRODUCT_TYPE,
                      Mask(win::VER_PRODUCT_TYPE, win::VER_GREATER_EQUAL)));
    // The product type holds, the build does not; a field without a relation never holds.
    DWORDLONG both = Mask(win::VER_PRODUCT_TYPE, win::VER_GREATER);
    both = Mask(win::VER_BUILDNUMBER, win::VER_EQUAL, both);
    EXPECT_EQ(kOld, Ask(request, win::VER_PRODUCT_TYPE | win::VER_BUILDNUMBER, both));
    EXPECT_EQ(kOld, Ask(request, win::VER_PRODUCT_TYPE | win::VER_PLATFORMID,
                        Mask(win::VER_PRODUCT_TYPE, win::VER_GREATER)));
}

TEST_F(VersionVerificationTest, VersionAndServicePackCompareAsOneNumber) {
    const win::DWORD type =
        win::VER_MAJORVERSION | win::VER_MINORVERSION | win::VER_SERVICEPACKMAJOR;
    DWORDLONG atLeast = Mask(win::VER_MAJORVERSION, win::VER_GREATER_EQUAL);
    atLeast = Mask(win::VER_MINORVERSION, win::VER_GREATER_EQUAL, atLeast);
    atLeast = Mask(win::VER_SERVICEPACKMAJOR, win::VER_GREATER_EQUAL, atLeast);
    EXPECT_EQ(0u, Ask(Version(6, 1, 1), type, atLeast));
    EXPECT_EQ(0u, Ask(Version(6, 0, 9), type, atLeast));  // the minor decides
    EXPECT_EQ(0u, Ask(Version(5, 9, 9), type, atLeast));  // the major decides
    EXPECT_EQ(kOld, Ask(Version(6, 1, 2), type, atLeast));
    EXPECT_EQ(kOld, Ask(Version(10, 0, 0), type, atLeast));

    const win::DWORD majorMinor = win::VER_MAJORVERSION | win::VER_MINORVERSION;
    DWORDLONG greater = Mask(win::VER_MAJORVERSION, win::VER_GREATER);
    greater = Mask(win::VER_MINORVERSION, win::VER_GREATER, greater);
    EXPECT_EQ(0u, Ask(Version(6, 0), majorMinor, greater));
    EXPECT_EQ(kOld, Ask(Version(6, 1), majorMinor, greater));
    // The minor, given no condition, takes the major's.
    const DWORDLONG below = Mask(win::VER_MAJORVERSION, win::VER_LESS);
    EXPECT_EQ(kOld, Ask(Version(6, 1), majorMinor, below));
    EXPECT_EQ(0u, Ask(Version(6, 2), majorMinor, below));

    DWORDLONG equal = Mask(win::VER_MAJORVERSION, win::VER_EQUAL);
    equal = Mask(win::VER_MINORVERSION, win::VER_EQUAL, equal);
    EXPECT_EQ(0u, Ask(Version(6, 1), majorMinor, equal));
    EXPECT_EQ(kOld, Ask(Version(6, 0), majorMinor, equal));
    EXPECT_EQ(kOld, Ask(Version(5, 1), majorMinor, equal));
}

TEST_F(VersionVerificationTest, SuitesRefusedArgumentsAndFaults) {
    win::OSVERSIONINFOEXA request = Version(0, 0);
    const DWORDLONG any = Mask(win::VER_SUITENAME, win::VER_OR);
    const DWORDLONG all = Mask(win::VER_SUITENAME, win::VER_AND);
    request.wSuiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_BLADE;
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, any));
    EXPECT_EQ(kOld, Ask(request, win::VER_SUITENAME, all));
    request.wSuiteMask = win::VER_SUITE_BLADE;
    EXPECT_EQ(kOld, Ask(request, win::VER_SUITENAME, any));
    request.wSuiteMask = 0;  // no suite asked for holds either way
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, any));
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS,
              Ask(request, win::VER_SUITENAME, Mask(win::VER_SUITENAME, win::VER_EQUAL)));
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS, Ask(request, 0, any));
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS, Ask(request, win::VER_SUITENAME, 0));

    machine.faults().AddOnArgument("VerifyVersionInfoA", "0x40", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, Ask(request, win::VER_SUITENAME, any));
    EXPECT_EQ(
        0u, Ask(Version(6, 1), win::VER_MAJORVERSION, Mask(win::VER_MAJORVERSION, win::VER_EQUAL)));
}

}  // namespace
