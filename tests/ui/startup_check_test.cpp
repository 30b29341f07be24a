#include "ui/startup_check.h"

#include "support/machine_test.h"

namespace {

class StartupCheckTest : public MachineTest {};

TEST_F(StartupCheckTest, RunsOnWindows2000AndLaterNtReleases) {
    machine().os.major = 5;
    machine().os.minor = 0;
    EXPECT_EQ(CheckStartup(), StartupVerdict::Run);
    machine().os.major = 10;
    EXPECT_EQ(CheckStartup(), StartupVerdict::Run);
}

TEST_F(StartupCheckTest, RefusesNt4AndTheWindows9xFamily) {
    machine().os.major = 4;
    EXPECT_EQ(CheckStartup(), StartupVerdict::RefuseOldWindows);
    // A 9x release with a major version of 5 or more is refused too.
    machine().os.major = 5;
    machine().os.platformId = win::VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(CheckStartup(), StartupVerdict::RefuseOldWindows);
}

TEST_F(StartupCheckTest, FailedVersionQueryQuitsSilentlyWithItsTrace) {
    platform.faults().Add({"GetVersionExA", {}, {}, win::ERROR_ACCESS_DENIED});
    EXPECT_EQ(CheckStartup(), StartupVerdict::QuitSilently);
    EXPECT_TRUE(log.Contains("_tWinMain: GetVersionEx failed with error 0x00000005.\n"));
}

TEST_F(StartupCheckTest, ThirtyTwoBitProcessOnSixtyFourBitWindowsIsRefused) {
    machine().os.is64BitWindows = true;
    machine().os.is64BitProcess = false;
    EXPECT_EQ(CheckStartup(), StartupVerdict::RefuseWow64);
}

TEST_F(StartupCheckTest, NativeSixtyFourBitProcessRuns) {
    machine().os.is64BitWindows = true;
    machine().os.is64BitProcess = true;
    EXPECT_EQ(CheckStartup(), StartupVerdict::Run);
}

TEST_F(StartupCheckTest, ReleasesWithoutIsWow64ProcessRun) {
    machine().os.major = 5;
    machine().os.minor = 0;
    machine().os.hasIsWow64Process = false;
    EXPECT_EQ(CheckStartup(), StartupVerdict::Run);
}

TEST_F(StartupCheckTest, FailedWow64QueryQuitsSilentlyWithItsTrace) {
    machine().os.is64BitWindows = true;
    platform.faults().Add({"IsWow64Process", {}, {}, win::ERROR_ACCESS_DENIED});
    EXPECT_EQ(CheckStartup(), StartupVerdict::QuitSilently);
    EXPECT_TRUE(log.Contains("_tWinMain: IsWow64Process failed with error 0x00000005.\n"));
}

}  // namespace
