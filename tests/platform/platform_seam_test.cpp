#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/simulated/simulated_platform.h"

namespace {

TEST(PlatformSeamTest, WithoutAPlatformEveryCallFailsNotImplemented) {
    win::Platform& none = win::Current();
    EXPECT_EQ(nullptr, none.OpenSCManagerA(nullptr, nullptr, win::GENERIC_READ));
    EXPECT_EQ(win::ERROR_CALL_NOT_IMPLEMENTED, none.GetLastError());
    none.SetLastError(0);
    char buffer[8] = "x";
    EXPECT_EQ(0u, none.GetSystemDirectoryA(buffer, sizeof buffer));
    EXPECT_EQ(win::ERROR_CALL_NOT_IMPLEMENTED, none.GetLastError());
    EXPECT_EQ(win::InvalidHandleValue(),
              none.SetupDiGetClassDevsA(nullptr, nullptr, nullptr, win::DIGCF_PRESENT));
    win::GUID guid{};
    EXPECT_NE(win::S_OK, none.CLSIDFromString(u"{00000000-0000-0000-0000-000000000000}", &guid));
    win::SYSTEM_INFO info;
    std::memset(&info, 0xAB, sizeof info);
    none.GetSystemInfo(&info);
    EXPECT_EQ(0u, info.dwNumberOfProcessors);
    char value[8];
    EXPECT_EQ(3u, none.GetPrivateProfileStringA("s", "k", "def", value, sizeof value, "f.cfg"));
    EXPECT_STREQ("def", value);
}

TEST(PlatformSeamTest, ScopedPlatformNestsAndRestores) {
    sim::SimulatedPlatform outer;
    sim::SimulatedPlatform inner;
    win::Platform* before = &win::Current();
    {
        win::ScopedPlatform a(outer);
        EXPECT_EQ(&outer, &win::Current());
        {
            win::ScopedPlatform b(inner);
            EXPECT_EQ(&inner, &win::Current());
        }
        EXPECT_EQ(&outer, &win::Current());
    }
    EXPECT_EQ(before, &win::Current());
}

TEST(FaultTableTest, AlwaysOnTheNthCallOrOnAMatchingArgument) {
    sim::SimulatedPlatform machine;
    machine.faults().AddOnCall("GetSystemDirectoryA", 2, win::ERROR_ACCESS_DENIED);
    machine.faults().AddOnArgument("GetModuleHandleA", "user32", win::ERROR_GEN_FAILURE);
    char dir[64];
    EXPECT_NE(0u, machine.GetSystemDirectoryA(dir, sizeof dir));
    EXPECT_EQ(0u, machine.GetSystemDirectoryA(dir, sizeof dir));
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, machine.GetLastError());
    EXPECT_NE(0u, machine.GetSystemDirectoryA(dir, sizeof dir));
    EXPECT_NE(nullptr, machine.GetModuleHandleA("kernel32"));
    EXPECT_EQ(nullptr, machine.GetModuleHandleA("user32"));
    EXPECT_EQ(win::ERROR_GEN_FAILURE, machine.GetLastError());

    machine.faults().Clear();
    machine.faults().Add("GetModuleHandleA", win::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(nullptr, machine.GetModuleHandleA("kernel32"));
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, machine.GetLastError());
}

TEST(FaultTableTest, FaultsFromTheDescriptionApply) {
    machine::Machine described;
    described.faults.push_back(machine::Fault{"GetSystemDirectoryA", std::nullopt, 1, 5});
    sim::SimulatedPlatform machine(described);
    char dir[64];
    EXPECT_EQ(0u, machine.GetSystemDirectoryA(dir, sizeof dir));
    EXPECT_EQ(5u, machine.GetLastError());
}

TEST(CallLogTest, RecordsFunctionsAndIdentifyingArguments) {
    sim::SimulatedPlatform machine;
    machine.GetModuleHandleA("kernel32");
    machine.GetProcAddress(machine.GetModuleHandleA("kernel32"), "IsWow64Process");
    ASSERT_EQ(3u, machine.calls().Total());
    EXPECT_EQ(2u, machine.calls().Count("GetModuleHandleA"));
    EXPECT_EQ(1u, machine.calls().Count("GetProcAddress", "IsWow64Process"));
    EXPECT_EQ("GetProcAddress", machine.calls().Calls()[2].function);
    machine.calls().SetEnabled(false);
    machine.GetModuleHandleA("kernel32");
    EXPECT_EQ(3u, machine.calls().Total());
}

TEST(SimulatedSystemTest, SystemDirectorySizeContract) {
    machine::Machine described;
    described.systemDirectory = "C:\\WINNT\\system32";  // 17 characters
    sim::SimulatedPlatform machine(described);
    char small[17];
    EXPECT_EQ(18u, machine.GetSystemDirectoryA(small, sizeof small));
    char exact[18];
    EXPECT_EQ(17u, machine.GetSystemDirectoryA(exact, sizeof exact));
    EXPECT_STREQ("C:\\WINNT\\system32", exact);
    EXPECT_EQ(18u, machine.GetSystemDirectoryA(nullptr, 0));
}

TEST(SimulatedSystemTest, VersionRecordSizesAndFacts) {
    machine::Machine described;
    described.os.major = 5;
    described.os.minor = 1;
    described.os.build = 2600;
    described.os.csdVersion = "Service Pack 3";
    described.os.servicePackMajor = 3;
    sim::SimulatedPlatform machine(described);
    win::OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(machine.GetVersionExA(reinterpret_cast<win::OSVERSIONINFOA*>(&ex)));
    EXPECT_EQ(5u, ex.dwMajorVersion);
    EXPECT_EQ(2600u, ex.dwBuildNumber);
    EXPECT_STREQ("Service Pack 3", ex.szCSDVersion);
    EXPECT_EQ(3u, ex.wServicePackMajor);
    win::OSVERSIONINFOA bad{};
    bad.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(machine.GetVersionExA(&bad));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, machine.GetLastError());
}

TEST(SimulatedSystemTest, ProcessBitnessAndWow64) {
    machine::Machine described;
    described.os.is64BitWindows = true;
    described.os.processorCount = 12;
    sim::SimulatedPlatform machine(described);
    win::BOOL wow64 = win::FALSE;
    ASSERT_TRUE(machine.IsWow64Process(machine.GetCurrentProcess(), &wow64));
    EXPECT_TRUE(wow64);
    win::SYSTEM_INFO info{};
    machine.GetSystemInfo(&info);
    EXPECT_EQ(win::PROCESSOR_ARCHITECTURE_INTEL, info.wProcessorArchitecture);
    EXPECT_EQ(12u, info.dwNumberOfProcessors);

    machine.machine().os.is64BitProcess = true;
    ASSERT_TRUE(machine.IsWow64Process(machine.GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64);
    machine.GetSystemInfo(&info);
    EXPECT_EQ(win::PROCESSOR_ARCHITECTURE_AMD64, info.wProcessorArchitecture);

    machine.machine().os.hasIsWow64Process = false;
    EXPECT_EQ(nullptr,
              machine.GetProcAddress(machine.GetModuleHandleA("KERNEL32.DLL"), "IsWow64Process"));
    EXPECT_EQ(win::ERROR_PROC_NOT_FOUND, machine.GetLastError());
}

}  // namespace

TEST(SimulatedSystemTest, AnsiCodePageConversionsAsWindowsAnswers) {
    sim::SimulatedPlatform machine{machine::Machine()};
    EXPECT_EQ(1252u, machine.GetACP());
    const win::OLECHAR text[] = {u'a', 0x20AC, 0x0416, u'?', 0};  // a, euro, Cyrillic zhe
    win::BOOL usedDefault = win::TRUE;
    EXPECT_EQ(5, machine.WideCharToMultiByte(win::CP_ACP, 0, text, -1, nullptr, 0, nullptr,
                                             &usedDefault));
    char narrow[5];
    machine.SetLastError(0xDEAD);
    EXPECT_EQ(0, machine.WideCharToMultiByte(1252, 0, text, -1, narrow, 4, nullptr, nullptr));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, machine.GetLastError());
    EXPECT_EQ(5, machine.WideCharToMultiByte(1252, 0, text, -1, narrow, 5, "#", &usedDefault));
    EXPECT_STREQ("a\x80#?", narrow);
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(0, machine.WideCharToMultiByte(1251, 0, text, 1, narrow, 5, nullptr, nullptr));
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, machine.GetLastError());
}
