#include "services/system_dir.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/buffer.h"
#include "support/machine_test.h"

namespace {

using SystemDirTest = MachineTest;

TEST_F(SystemDirTest, AppendsTheBackslashOnlyWhenMissing) {
    std::string dir = "old";
    EXPECT_EQ(0u, GetSystemDir(dir));
    EXPECT_EQ("C:\\WINDOWS\\system32\\", dir);
    machine().systemDirectory = "D:\\";
    EXPECT_EQ(0u, GetSystemDir(dir));
    EXPECT_EQ("D:\\", dir);
    EXPECT_EQ(2u, platform.calls().Count("GetSystemDirectoryA"));  // nothing cached
}

TEST_F(SystemDirTest, LongDirectoryTakesTheSecondAttempt) {
    for (const std::size_t length : {259u, 260u, 300u}) {
        machine().systemDirectory = "C:\\" + std::string(length - 3, 'd');
        log.messages.clear();
        platform.calls().Clear();
        std::string dir;
        EXPECT_EQ(0u, GetSystemDir(dir));
        EXPECT_EQ(machine().systemDirectory + "\\", dir);
        const bool second = length >= 260;
        EXPECT_EQ(second ? 2u : 1u, platform.calls().Count("GetSystemDirectoryA"));
        EXPECT_EQ(second, log.Contains("GetSystemDir: buffer too small. Current size = 260, "
                                       "required size = " +
                                       std::to_string(length + 2) + ". Trying again...\n"));
    }
}

TEST_F(SystemDirTest, FailuresLeaveTheDirectoryEmpty) {
    std::string dir = "old";
    platform.faults().Add("GetSystemDirectoryA", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, GetSystemDir(dir));
    EXPECT_EQ("", dir);
    EXPECT_TRUE(log.Contains("GetSystemDir: GetSystemDirectory failed with error = 0x00000005\n"));

    platform.faults().Clear();
    machine().systemDirectory = "C:\\" + std::string(400, 'd');
    platform.faults().AddOnCall("GetSystemDirectoryA", 2, win::ERROR_GEN_FAILURE);
    EXPECT_EQ(win::ERROR_GEN_FAILURE, GetSystemDir(dir));
    EXPECT_EQ("", dir);

    platform.faults().Clear();
    FailAllocations(0, 1);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, GetSystemDir(dir));
    ResetAllocationFailures();
}

// A platform whose directory grows between the two calls.
class GrowingDirectory : public sim::SimulatedPlatform {
  public:
    win::UINT GetSystemDirectoryA(char* buffer, win::UINT size) override {
        machine().systemDirectory += std::string(10, 'x');
        return SimulatedPlatform::GetSystemDirectoryA(buffer, size);
    }
};

TEST(SystemDirGrowth, NoThirdAttempt) {
    ResetLogState();
    InitLog(DefaultLogConfig());
    LogCapture log;
    GrowingDirectory platform;
    platform.machine().systemDirectory = "C:\\" + std::string(297, 'd');
    win::ScopedPlatform scope(platform);
    std::string dir;
    EXPECT_EQ(1u, GetSystemDir(dir));
    EXPECT_EQ("", dir);
    EXPECT_TRUE(
        log.Contains("GetSystemDir: failed again with too small buffer. Current size = "
                     "312, required size = 322.\n"));
    ResetLogState();
}

}  // namespace
