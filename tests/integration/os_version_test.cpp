// Version probing through the real version functions, side by side with a
// described machine that holds the facts GetVersionExA reports. Run by
// os_version.sh once for each Windows version the prefix is set to.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "log/log_config.h"
#include "log/trace_log.h"
#include "osinfo/os_identification.h"
#include "osinfo/product_suite_query.h"
#include "osinfo/version_probe.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/win32/win32_platform.h"
#include "report/report.h"
#include "support/log_capture.h"

namespace {

struct Probed {
    StatusCode osStatus = 0;
    OperatingSystemId os = OperatingSystemId::Unknown;
    bool is64BitWindows = false;
    StatusCode numberStatus[5] = {};
    std::uint32_t number[5] = {};
    StatusCode typeStatus = 0;
    std::uint8_t productType = 0;
    StatusCode suiteStatus = 0;
    std::uint16_t suiteMask = 0;
    std::uint16_t suiteCount = 0;
    std::string section;
    std::vector<std::string> problems;
};

constexpr win::DWORD kNumberKinds[5] = {win::VER_MAJORVERSION, win::VER_MINORVERSION,
                                        win::VER_BUILDNUMBER, win::VER_SERVICEPACKMAJOR,
                                        win::VER_SERVICEPACKMINOR};

// Everything the probing finds on the platform installed now.
Probed ProbeAll() {
    ResetLogState();
    InitLog(DefaultLogConfig());
    Probed probed;
    LogCapture log;
    OsIdentification identification;
    probed.osStatus = identification.GetOperatingSystem(probed.os);
    probed.is64BitWindows = identification.is64BitWindows;
    for (int i = 0; i < 5; ++i) {
        probed.numberStatus[i] = GetVersionNumber(kNumberKinds[i], probed.number[i]);
    }
    probed.typeStatus = GetProductType(probed.productType);
    ProductSuiteQuery suites;
    probed.suiteStatus = suites.GetProductSuites(probed.suiteMask);
    probed.suiteCount = suites.suiteCount;
    probed.problems = log.Problems();
    Report report;
    report.SetIndent(3);
    report.AddSystemInfo();
    probed.section = report.GetText();
    ResetLogState();
    return probed;
}

class OsVersionOnWine : public ::testing::Test {
  protected:
    OsVersionOnWine() {
        win::OSVERSIONINFOEXA info{};
        info.dwOSVersionInfoSize = sizeof info;
        EXPECT_TRUE(real.GetVersionExA(reinterpret_cast<win::OSVERSIONINFOA*>(&info)));
        machine::OsFacts& os = described.os;
        os.platformId = info.dwPlatformId;
        os.major = info.dwMajorVersion;
        os.minor = info.dwMinorVersion;
        os.build = info.dwBuildNumber;
        os.csdVersion = info.szCSDVersion;
        os.servicePackMajor = info.wServicePackMajor;
        os.servicePackMinor = info.wServicePackMinor;
        os.productType = info.wProductType;
        os.suiteMask = info.wSuiteMask;
        os.is64BitProcess = sizeof(void*) == 8;
        win::BOOL wow64 = win::FALSE;
        os.hasIsWow64Process =
            real.GetProcAddress(real.GetModuleHandleA("kernel32"), "IsWow64Process") != nullptr;
        os.is64BitWindows =
            os.is64BitProcess || (real.IsWow64Process(real.GetCurrentProcess(), &wow64) && wow64);
        win::SYSTEM_INFO system{};
        real.GetSystemInfo(&system);
        os.processorCount = system.dwNumberOfProcessors;
    }

    Probed ProbeReal() {
        win::ScopedPlatform scope(real);
        return ProbeAll();
    }
    Probed ProbeDescribed() {
        sim::SimulatedPlatform machine(described);
        win::ScopedPlatform scope(machine);
        return ProbeAll();
    }

    win::Win32Platform real;
    machine::Machine described;
};

TEST_F(OsVersionOnWine, ProbingFindsWhatADescribedMachineGives) {
    const Probed wine = ProbeReal();
    const Probed machine = ProbeDescribed();
    EXPECT_EQ(machine.osStatus, wine.osStatus);
    EXPECT_EQ(machine.os, wine.os);
    EXPECT_EQ(machine.is64BitWindows, wine.is64BitWindows);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(kNumberKinds[i]);
        EXPECT_EQ(machine.numberStatus[i], wine.numberStatus[i]);
        EXPECT_EQ(machine.number[i], wine.number[i]);
    }
    EXPECT_EQ(machine.typeStatus, wine.typeStatus);
    EXPECT_EQ(machine.productType, wine.productType);
    EXPECT_EQ(machine.suiteStatus, wine.suiteStatus);
    EXPECT_EQ(machine.suiteMask, wine.suiteMask);
    EXPECT_EQ(machine.suiteCount, wine.suiteCount);
    EXPECT_EQ(machine.problems, wine.problems);
    EXPECT_EQ(machine.section, wine.section);
}

// The same question to both: the answer and, on a refusal, the error.
TEST_F(OsVersionOnWine, EveryComparisonAnswersAsTheDescribedMachine) {
    sim::SimulatedPlatform machine(described);
    const win::BYTE conditions[] = {0,
                                    win::VER_EQUAL,
                                    win::VER_GREATER,
                                    win::VER_GREATER_EQUAL,
                                    win::VER_LESS,
                                    win::VER_LESS_EQUAL,
                                    win::VER_AND,
                                    win::VER_OR,
                                    9};
    for (win::DWORD type = 0; type <= 0x1FF; type = type == 0 ? 1 : type << 1) {
        for (win::BYTE condition : conditions) {
            EXPECT_EQ(machine.VerSetConditionMask(0x5, type, condition),
                      real.VerSetConditionMask(0x5, type, condition))
                << type << " " << int{condition};
        }
    }
    EXPECT_EQ(machine.VerSetConditionMask(0, 0x03, win::VER_LESS),
              real.VerSetConditionMask(0, 0x03, win::VER_LESS));

    const machine::OsFacts& os = described.os;
    const win::DWORD ranked[] = {win::VER_MAJORVERSION, win::VER_MINORVERSION,
                                 win::VER_SERVICEPACKMAJOR, win::VER_SERVICEPACKMINOR};
    int asked = 0;
    auto ask = [&](win::OSVERSIONINFOEXA request, win::DWORD typeMask, win::DWORDLONG mask) {
        win::OSVERSIONINFOEXA copy = request;
        const bool expected = machine.VerifyVersionInfoA(&copy, typeMask, mask) != 0;
        const win::DWORD expectedError = expected ? 0 : machine.GetLastError();
        copy = request;
        const bool got = real.VerifyVersionInfoA(&copy, typeMask, mask) != 0;
        const win::DWORD error = got ? 0 : real.GetLastError();
        ++asked;
        EXPECT_EQ(expected, got) << "type 0x" << std::hex << typeMask << " mask 0x" << mask
                                 << std::dec << " version " << request.dwMajorVersion << "."
                                 << request.dwMinorVersion << " sp " << request.wServicePackMajor
                                 << "." << request.wServicePackMinor << " suites "
                                 << request.wSuiteMask;
        EXPECT_EQ(expectedError, error) << "type 0x" << std::hex << typeMask;
    };

    // Version and service pack around the system's, every relation on the
    // first field and a relation or none on the others.
    for (int dMajor = -1; dMajor <= 1; ++dMajor) {
        for (int dMinor = -1; dMinor <= 1; ++dMinor) {
            for (int dSp = -1; dSp <= 1; ++dSp) {
                win::OSVERSIONINFOEXA request{};
                request.dwOSVersionInfoSize = sizeof request;
                request.dwMajorVersion =
                    static_cast<win::DWORD>(static_cast<int>(os.major) + dMajor);
                request.dwMinorVersion =
                    static_cast<win::DWORD>(static_cast<int>(os.minor) + dMinor);
                request.wServicePackMajor =
                    static_cast<win::WORD>(static_cast<int>(os.servicePackMajor) + dSp);
                for (win::BYTE first = 1; first <= 5; ++first) {
                    for (win::BYTE rest : {win::BYTE{0}, win::VER_EQUAL, first,
                                           win::VER_GREATER_EQUAL, win::VER_LESS}) {
                        win::DWORDLONG mask = machine.VerSetConditionMask(0, ranked[0], first);
                        mask = machine.VerSetConditionMask(mask, ranked[1], rest);
                        mask = machine.VerSetConditionMask(mask, ranked[2], rest);
                        ask(request, ranked[0] | ranked[1] | ranked[2], mask);
                        ask(request, ranked[0] | ranked[1], mask);
                        ask(request, ranked[1] | ranked[2], mask);
                    }
                }
            }
        }
    }
    // Product type, build and platform, each relation.
    for (win::BYTE condition : conditions) {
        for (int delta = -1; delta <= 1; ++delta) {
            win::OSVERSIONINFOEXA request{};
            request.dwOSVersionInfoSize = sizeof request;
            request.wProductType = static_cast<win::BYTE>(os.productType + delta);
            request.dwBuildNumber = static_cast<win::DWORD>(static_cast<int>(os.build) + delta);
            request.dwPlatformId = static_cast<win::DWORD>(static_cast<int>(os.platformId) + delta);
            for (win::DWORD type :
                 {win::VER_PRODUCT_TYPE, win::VER_BUILDNUMBER, win::VER_PLATFORMID}) {
                ask(request, type, machine.VerSetConditionMask(0, type, condition));
            }
        }
    }
    // Suites: one bit, none and all, under either set relation and others.
    for (win::BYTE condition : conditions) {
        for (win::DWORD suites : {0x0000u, 0x0100u, 0x0110u, 0xFFFFu, 0x0001u}) {
            win::OSVERSIONINFOEXA request{};
            request.dwOSVersionInfoSize = sizeof request;
            request.wSuiteMask = static_cast<win::WORD>(suites);
            const win::DWORDLONG mask =
                machine.VerSetConditionMask(0, win::VER_SUITENAME, condition);
            ask(request, win::VER_SUITENAME, mask != 0 ? mask : 1);
        }
    }
    // Refused arguments.
    win::OSVERSIONINFOEXA request{};
    request.dwOSVersionInfoSize = sizeof request;
    ask(request, 0, 0x8);
    ask(request, win::VER_MAJORVERSION, 0);
    EXPECT_GT(asked, 1000);
}

// What the prefix was set to, and where Wine's answers differ from Windows'.
void ExpectRelease(const Probed& wine, OperatingSystemId os, std::uint32_t major,
                   std::uint32_t minor, std::uint32_t servicePack) {
    EXPECT_EQ(0u, wine.osStatus);
    EXPECT_EQ(os, wine.os);
    EXPECT_EQ(sizeof(void*) == 8, wine.is64BitWindows);  // a prefix as wide as the program
    EXPECT_EQ(major, wine.number[0]);
    EXPECT_EQ(minor, wine.number[1]);
    EXPECT_EQ(win::ERROR_FUNCTION_FAILED, wine.numberStatus[2]);  // builds lie beyond 20
    EXPECT_EQ(servicePack, wine.number[3]);
    EXPECT_EQ(0u, wine.number[4]);
    EXPECT_EQ(win::VER_NT_WORKSTATION, wine.productType);
    // Wine differs: its workstation has no suites, where Windows' workstation
    // editions always report VER_SUITE_SINGLEUSERTS (0x0100), so a Windows
    // report reads "Single Interactive Session" here rather than "---".
    EXPECT_EQ(0u, wine.suiteMask);
    EXPECT_EQ(0u, wine.suiteCount);
}

TEST_F(OsVersionOnWine, IsWindowsXP) {
    ExpectRelease(ProbeReal(), OperatingSystemId::WindowsXP, 5, 1, 3);
}

TEST_F(OsVersionOnWine, IsWindows7) {
    ExpectRelease(ProbeReal(), OperatingSystemId::Windows7, 6, 1, 1);
}

TEST_F(OsVersionOnWine, IsWindows10) {
    ExpectRelease(ProbeReal(), OperatingSystemId::Windows10, 10, 0, 0);
}

// In a 64-bit prefix: the 32-bit program runs under WOW64, the 64-bit one
// natively, and both see 64-bit Windows.
TEST_F(OsVersionOnWine, SeesA64BitPrefix) {
    win::ScopedPlatform scope(real);
    OsIdentification identification;
    EXPECT_EQ(0u, identification.Is64BitWindows());
    EXPECT_TRUE(identification.is64BitWindows);
    EXPECT_EQ(sizeof(void*) == 4, identification.isWow64Process);
}

}  // namespace
