#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/simulated/simulated_platform.h"

namespace {

using win::DWORDLONG;

// Windows 7 SP1, 64-bit server edition with terminal services.
sim::Machine ServerMachine() {
    sim::Machine described;
    described.os.major = 6;
    described.os.minor = 1;
    described.os.build = 7601;
    described.os.servicePackMajor = 1;
    described.os.servicePackMinor = 0;
    described.os.productType = win::VER_NT_SERVER;
    described.os.suiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_ENTERPRISE;
    return described;
}

class VersionVerificationTest : public ::testing::Test {
  protected:
    DWORDLONG Mask(win::DWORD type, win::BYTE condition, DWORDLONG mask = 0) {
        return machine.VerSetConditionMask(mask, type, condition);
    }
    // The answer to one question: 0 when confirmed, else the last error.
    win::DWORD Ask(const win::OSVERSIONINFOEXA& request, win::DWORD typeMask, DWORDLONG mask) {
        win::OSVERSIONINFOEXA copy = request;
        return machine.VerifyVersionInfoA(&copy, typeMask, mask) ? 0 : machine.GetLastError();
    }
    static win::OSVERSIONINFOEXA Version(win::DWORD major, win::DWORD minor, win::WORD spMajor = 0,
                                         win::WORD spMinor = 0) {
        win::OSVERSIONINFOEXA request{};
        request.dwOSVersionInfoSize = sizeof request;
        request.dwMajorVersion = major;
        request.dwMinorVersion = minor;
        request.wServicePackMajor = spMajor;
        request.wServicePackMinor = spMinor;
        return request;
    }

    sim::SimulatedPlatform machine{ServerMachine()};
};

TEST_F(VersionVerificationTest, ConditionMaskHoldsThreeBitsPerFieldType) {
    EXPECT_EQ(0x1ull, Mask(win::VER_MINORVERSION, win::VER_EQUAL));
    EXPECT_EQ(0x1ull << 3, Mask(win::VER_MAJORVERSION, win::VER_EQUAL));
    EXPECT_EQ(0x3ull << 6, Mask(win::VER_BUILDNUMBER, win::VER_GREATER_EQUAL));
    EXPECT_EQ(0x4ull << 9, Mask(win::VER_PLATFORMID, win::VER_LESS));
    EXPECT_EQ(0x5ull << 12, Mask(win::VER_SERVICEPACKMINOR, win::VER_LESS_EQUAL));
    EXPECT_EQ(0x2ull << 15, Mask(win::VER_SERVICEPACKMAJOR, win::VER_GREATER));
    EXPECT_EQ(0x7ull << 18, Mask(win::VER_SUITENAME, win::VER_OR));
    EXPECT_EQ(0x6ull << 21, Mask(win::VER_PRODUCT_TYPE, win::VER_AND));

    // Several type bits in one call: only the highest one is set.
    EXPECT_EQ(0x1ull << 3, Mask(win::VER_MAJORVERSION | win::VER_MINORVERSION, win::VER_EQUAL));
    // The condition keeps three bits; nothing to set leaves the mask alone.
    EXPECT_EQ(0x1ull << 3, Mask(win::VER_MAJORVERSION, 0x09));
    EXPECT_EQ(0x1234ull, Mask(win::VER_MAJORVERSION, 0, 0x1234));
    EXPECT_EQ(0x1234ull, Mask(0, win::VER_EQUAL, 0x1234));
    EXPECT_EQ(0x1234ull, Mask(0x100, win::VER_EQUAL, 0x1234));
    // Conditions are ORed in, never replaced.
    EXPECT_EQ(0x3ull << 3, Mask(win::VER_MAJORVERSION, win::VER_GREATER, 0x1ull << 3));
}

TEST_F(VersionVerificationTest, NumericFieldsAndTheirRelations) {
    win::OSVERSIONINFOEXA request = Version(0, 0);
    request.dwBuildNumber = 7601;
    EXPECT_EQ(0u, Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_EQUAL)));
    request.dwBuildNumber = 7600;
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION,
              Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_EQUAL)));
    EXPECT_EQ(0u, Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_GREATER)));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION,
              Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_LESS)));
    request.dwBuildNumber = 7601;
    EXPECT_EQ(0u,
              Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_LESS_EQUAL)));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION,
              Ask(request, win::VER_BUILDNUMBER, Mask(win::VER_BUILDNUMBER, win::VER_GREATER)));

    request.dwPlatformId = win::VER_PLATFORM_WIN32_NT;
    EXPECT_EQ(0u, Ask(request, win::VER_PLATFORMID, Mask(win::VER_PLATFORMID, win::VER_EQUAL)));
    request.wProductType = win::VER_NT_WORKSTATION;
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION,
              Ask(request, win::VER_PRODUCT_TYPE, Mask(win::VER_PRODUCT_TYPE, win::VER_EQUAL)));
    EXPECT_EQ(0u,
              Ask(request, win::VER_PRODUCT_TYPE, Mask(win::VER_PRODUCT_TYPE, win::VER_GREATER)));
    // A field in the type mask without a relation never holds.
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(request, win::VER_PRODUCT_TYPE | win::VER_PLATFORMID,
                                              Mask(win::VER_PLATFORMID, win::VER_EQUAL)));
    // Every field of the type mask must hold.
    request.dwBuildNumber = 1;
    DWORDLONG both = Mask(win::VER_PLATFORMID, win::VER_EQUAL);
    both = Mask(win::VER_BUILDNUMBER, win::VER_EQUAL, both);
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION,
              Ask(request, win::VER_PLATFORMID | win::VER_BUILDNUMBER, both));
}

TEST_F(VersionVerificationTest, VersionAndServicePackCompareAsOneNumber) {
    const win::DWORD type = win::VER_MAJORVERSION | win::VER_MINORVERSION |
                            win::VER_SERVICEPACKMAJOR | win::VER_SERVICEPACKMINOR;
    DWORDLONG atLeast = 0;
    for (win::DWORD field : {win::VER_MAJORVERSION, win::VER_MINORVERSION,
                             win::VER_SERVICEPACKMAJOR, win::VER_SERVICEPACKMINOR}) {
        atLeast = Mask(field, win::VER_GREATER_EQUAL, atLeast);
    }
    // The system is 6.1 SP1.0.
    EXPECT_EQ(0u, Ask(Version(6, 1, 1, 0), type, atLeast));
    EXPECT_EQ(0u, Ask(Version(6, 0, 9, 9), type, atLeast));  // minor decides
    EXPECT_EQ(0u, Ask(Version(5, 9, 9, 9), type, atLeast));  // major decides
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(6, 1, 2, 0), type, atLeast));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(6, 2, 0, 0), type, atLeast));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(10, 0, 0, 0), type, atLeast));

    // Strictly greater: equal versions refuse, a higher minor beats an equal major.
    DWORDLONG greater = Mask(win::VER_MAJORVERSION, win::VER_GREATER);
    greater = Mask(win::VER_MINORVERSION, win::VER_GREATER, greater);
    const win::DWORD majorMinor = win::VER_MAJORVERSION | win::VER_MINORVERSION;
    EXPECT_EQ(0u, Ask(Version(6, 0), majorMinor, greater));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(6, 1), majorMinor, greater));

    // Less than; the minor, given no condition, takes the major's.
    DWORDLONG below = Mask(win::VER_MAJORVERSION, win::VER_LESS);
    EXPECT_EQ(0u, Ask(Version(7, 0), majorMinor, below));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(6, 1), majorMinor, below));
    EXPECT_EQ(0u, Ask(Version(6, 2), majorMinor, below));  // minor decides, as less

    // Equal on both: exactly one pair holds.
    DWORDLONG equal = Mask(win::VER_MAJORVERSION, win::VER_EQUAL);
    equal = Mask(win::VER_MINORVERSION, win::VER_EQUAL, equal);
    EXPECT_EQ(0u, Ask(Version(6, 1), majorMinor, equal));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(6, 0), majorMinor, equal));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(Version(5, 1), majorMinor, equal));

    // A single field alone compares only itself.
    EXPECT_EQ(0u, Ask(Version(0, 0, 1, 0), win::VER_SERVICEPACKMAJOR,
                      Mask(win::VER_SERVICEPACKMAJOR, win::VER_EQUAL)));
    EXPECT_EQ(
        0u, Ask(Version(0, 1), win::VER_MINORVERSION, Mask(win::VER_MINORVERSION, win::VER_EQUAL)));
}

TEST_F(VersionVerificationTest, SuitesAnyOrAll) {
    win::OSVERSIONINFOEXA request = Version(0, 0);
    const DWORDLONG any = Mask(win::VER_SUITENAME, win::VER_OR);
    const DWORDLONG all = Mask(win::VER_SUITENAME, win::VER_AND);
    request.wSuiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_BLADE;
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, any));
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(request, win::VER_SUITENAME, all));
    request.wSuiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_ENTERPRISE;
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, all));
    request.wSuiteMask = win::VER_SUITE_BLADE;
    EXPECT_EQ(win::ERROR_OLD_WIN_VERSION, Ask(request, win::VER_SUITENAME, any));
    request.wSuiteMask = 0;  // asking for no suite at all holds either way
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, any));
    EXPECT_EQ(0u, Ask(request, win::VER_SUITENAME, all));
    // Suites take only the set relations.
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS,
              Ask(request, win::VER_SUITENAME, Mask(win::VER_SUITENAME, win::VER_EQUAL)));
}

TEST_F(VersionVerificationTest, RefusedArgumentsAndInjectedFaults) {
    const win::OSVERSIONINFOEXA request = Version(6, 1);
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS, Ask(request, 0, Mask(win::VER_MAJORVERSION, 1)));
    EXPECT_EQ(win::ERROR_BAD_ARGUMENTS, Ask(request, win::VER_MAJORVERSION, 0));

    machine.faults().AddOnArgument("VerifyVersionInfoA", "0x40", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(0u, Ask(request, win::VER_MAJORVERSION, Mask(win::VER_MAJORVERSION, win::VER_EQUAL)));
    EXPECT_EQ(win::ERROR_ACCESS_DENIED,
              Ask(request, win::VER_SUITENAME, Mask(win::VER_SUITENAME, win::VER_OR)));
    EXPECT_EQ(1u, machine.calls().Count("VerifyVersionInfoA", "0x40"));
}

}  // namespace
