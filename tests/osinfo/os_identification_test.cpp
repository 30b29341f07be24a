#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "osinfo/os_identification.h"
#include "support/machine_test.h"

namespace {

using Id = OperatingSystemId;

enum class Bitness {
    Windows32,
    Wow64,   // the 32-bit program on 64-bit Windows
    Native,  // the 64-bit program on 64-bit Windows
};

struct ReleaseCase {
    win::DWORD major;
    win::DWORD minor;
    win::BYTE productType;
    win::WORD suites;
    bool is64Bit;
    Id expected;
};

constexpr win::BYTE kWorkstation = win::VER_NT_WORKSTATION;
constexpr win::BYTE kServer = win::VER_NT_SERVER;
constexpr win::BYTE kDomainController = win::VER_NT_DOMAIN_CONTROLLER;
constexpr win::WORD kHome = win::VER_SUITE_WH_SERVER;

const ReleaseCase kReleaseCases[] = {
    {5, 0, kWorkstation, 0, false, Id::Windows2000},
    {5, 0, kServer, 0, true, Id::Windows2000},
    {5, 1, kWorkstation, win::VER_SUITE_PERSONAL, false, Id::WindowsXP},
    {5, 1, kWorkstation, 0, true, Id::WindowsXP},
    {5, 2, kWorkstation, 0, true, Id::WindowsXP},
    {5, 2, kServer, 0, true, Id::WindowsServer2003},
    {5, 2, kDomainController, 0, true, Id::WindowsServer2003},
    {5, 2, kServer, kHome, true, Id::WindowsServer2003},
    {5, 2, kServer, 0, false, Id::WindowsServer2003},
    {5, 2, kWorkstation, 0, false, Id::WindowsServer2003},
    {5, 2, kServer, kHome, false, Id::WindowsHomeServer},
    {5, 2, kWorkstation, kHome, false, Id::WindowsHomeServer},
    {6, 0, kWorkstation, 0, false, Id::WindowsVista},
    {6, 0, kServer, 0, false, Id::WindowsServer2008},
    {6, 0, kWorkstation, 0, true, Id::WindowsVista},
    {6, 0, kDomainController, 0, true, Id::WindowsServer2008},
    {6, 1, kWorkstation, 0, true, Id::Windows7},
    {6, 1, kWorkstation, kHome, true, Id::Windows7},
    {6, 1, kServer, 0, true, Id::WindowsServer2008R2},
    {6, 1, kServer, kHome, true, Id::WindowsHomeServer2011},
    {6, 1, kServer, kHome, false, Id::Windows7},
    {6, 1, kWorkstation, 0, false, Id::Windows7},
    {6, 2, kWorkstation, 0, true, Id::Windows8},
    {6, 2, kServer, 0, true, Id::WindowsServer2012},
    {6, 2, kServer, 0, false, Id::Windows8},
    {6, 3, kWorkstation, 0, true, Id::Windows81},
    {6, 3, kServer, 0, true, Id::WindowsServer2012R2},
    {6, 3, kServer, 0, false, Id::Windows81},
    {10, 0, kWorkstation, 0, true, Id::Windows10},
    {10, 0, kServer, 0, true, Id::WindowsServer2016},
    {10, 0, kServer, 0, false, Id::Windows10},
    {10, 0, kWorkstation, 0, false, Id::Windows10},
    {6, 4, kWorkstation, 0, true, Id::Unknown},
    {11, 0, kWorkstation, 0, false, Id::Unknown},
    {4, 0, kWorkstation, 0, false, Id::Unknown},
};

class OsIdentificationTest : public MachineTest {
  protected:
    void Describe(win::DWORD major, win::DWORD minor, Bitness bitness) {
        machine::OsFacts& os = machine().os;
        os.major = major;
        os.minor = minor;
        os.is64BitWindows = bitness != Bitness::Windows32;
        os.is64BitProcess = bitness == Bitness::Native;
    }
    sim::CallLog& calls() { return platform.calls(); }
};

TEST_F(OsIdentificationTest, EveryReleaseOfEveryBitness) {
    for (const ReleaseCase& c : kReleaseCases) {
        const std::vector<Bitness> bitnesses = c.is64Bit
                                                   ? std::vector{Bitness::Wow64, Bitness::Native}
                                                   : std::vector{Bitness::Windows32};
        for (Bitness bitness : bitnesses) {
            SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor) + " type " +
                         std::to_string(c.productType) + " suites " + std::to_string(c.suites) +
                         (bitness == Bitness::Native ? " native" : "") +
                         (bitness == Bitness::Wow64 ? " wow64" : ""));
            Describe(c.major, c.minor, bitness);
            machine().os.productType = c.productType;
            machine().os.suiteMask = c.suites;
            calls().Clear();

            OsIdentification identification;
            Id os = Id::WindowsServer2016;
            EXPECT_EQ(0u, identification.GetOperatingSystem(os));
            EXPECT_EQ(c.expected, os);
            EXPECT_EQ(c.is64Bit, identification.is64BitWindows);
            EXPECT_EQ(bitness == Bitness::Wow64, identification.isWow64Process);
            // The product type search stops at the type, the suites take 16
            // questions, then the pairs up to the one that holds.
            std::size_t pairs = 8;
            const std::pair<win::DWORD, win::DWORD> order[] = {{5, 0}, {5, 1}, {5, 2}, {6, 0},
                                                               {6, 1}, {6, 2}, {6, 3}, {10, 0}};
            for (std::size_t i = 0; i < 8; ++i) {
                if (order[i] == std::pair{c.major, c.minor}) {
                    pairs = i + 1;
                }
            }
            EXPECT_EQ(c.productType + 1u, calls().Count("VerifyVersionInfoA", "0x80"));
            EXPECT_EQ(16u, calls().Count("VerifyVersionInfoA", "0x40"));
            EXPECT_EQ(pairs, calls().Count("VerifyVersionInfoA", "0x03"));
            EXPECT_TRUE(log.Problems().empty());
        }
    }
}

TEST_F(OsIdentificationTest, NativeProcessAsksNoWow64Question) {
    Describe(10, 0, Bitness::Native);
    OsIdentification identification;
    EXPECT_EQ(0u, identification.Is64BitWindows());
    EXPECT_TRUE(identification.is64BitWindows);
    EXPECT_FALSE(identification.isWow64Process);
    EXPECT_EQ(1u, calls().Count("GetSystemInfo"));
    EXPECT_EQ(0u, calls().Count("GetModuleHandleA"));
    EXPECT_EQ(0u, calls().Count("IsWow64Process"));

    // Under WOW64 the system information says x86: the question is asked.
    Describe(10, 0, Bitness::Wow64);
    EXPECT_EQ(0u, identification.Is64BitWindows());
    EXPECT_TRUE(identification.is64BitWindows);
    EXPECT_TRUE(identification.isWow64Process);
    EXPECT_EQ(1u, calls().Count("IsWow64Process"));
}

TEST_F(OsIdentificationTest, KernelWithoutIsWow64ProcessIs32Bit) {
    Describe(5, 0, Bitness::Windows32);
    machine().os.hasIsWow64Process = false;
    OsIdentification identification;
    identification.is64BitWindows = true;
    EXPECT_EQ(0u, identification.Is64BitWindows());
    EXPECT_FALSE(identification.is64BitWindows);
    EXPECT_EQ(0u, calls().Count("IsWow64Process"));
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(OsIdentificationTest, Wow64QuestionFailures) {
    Describe(6, 1, Bitness::Wow64);
    platform.faults().Add("GetModuleHandleA", win::ERROR_MOD_NOT_FOUND);
    OsIdentification identification;
    EXPECT_EQ(win::ERROR_MOD_NOT_FOUND, identification.Is64BitWindows());
    EXPECT_FALSE(identification.is64BitWindows);
    EXPECT_EQ(std::vector<std::string>{"IsWow64Process: GetModuleHandle failed with error "
                                       "0x0000007E.\n"},
              log.Problems());

    platform.faults().Clear();
    platform.faults().Add("IsWow64Process", win::ERROR_ACCESS_DENIED);
    log.messages.clear();
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, identification.Is64BitWindows());
    EXPECT_FALSE(identification.is64BitWindows);
    EXPECT_FALSE(identification.isWow64Process);
    EXPECT_EQ(std::vector<std::string>{"IsWow64Process: IsWow64Process failed with error "
                                       "0x00000005.\n"},
              log.Problems());

    // A failure that leaves no error code still fails.
    platform.faults().Clear();
    platform.faults().Add("IsWow64Process", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, identification.Is64BitWindows());
}

TEST_F(OsIdentificationTest, EachFailedStepEndsTheSearchUnknown) {
    Describe(6, 1, Bitness::Wow64);
    machine().os.productType = kServer;

    platform.faults().Add("IsWow64Process", win::ERROR_ACCESS_DENIED);
    OsIdentification identification;
    Id os = Id::Windows7;
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, identification.GetOperatingSystem(os));
    EXPECT_EQ(Id::Unknown, os);
    EXPECT_EQ(
        (std::vector<std::string>{"IsWow64Process: IsWow64Process failed with error 0x00000005.\n",
                                  "GetOperatingSystem: Is64BitWindows failed with 0x00000005\n"}),
        log.Problems());
    EXPECT_EQ(0u, calls().Count("VerifyVersionInfoA"));

    // No product type confirmed at all: the server test fails.
    platform.faults().Clear();
    platform.faults().AddOnArgument("VerifyVersionInfoA", "0x80", win::ERROR_GEN_FAILURE);
    log.messages.clear();
    EXPECT_EQ(win::ERROR_FUNCTION_FAILED, identification.GetOperatingSystem(os));
    EXPECT_EQ(Id::Unknown, os);
    std::vector<std::string> problems = log.Problems();
    ASSERT_EQ(256u + 3u, problems.size());
    EXPECT_EQ("GetProductType: VerifyVersionInfo(255) failed with error 0x0000001F\n",
              problems[255]);
    EXPECT_EQ("GetProductType: Type not found.\n", problems[256]);
    EXPECT_EQ("IsWindowsServer: GetProductType failed with 0x0000065B\n", problems[257]);
    EXPECT_EQ("GetOperatingSystem: IsWindowsServer failed with 0x0000065B\n", problems[258]);

    platform.faults().Clear();
    platform.faults().AddOnArgument("VerifyVersionInfoA", "0x40", win::ERROR_GEN_FAILURE);
    log.messages.clear();
    EXPECT_EQ(win::ERROR_GEN_FAILURE, identification.GetOperatingSystem(os));
    EXPECT_EQ(Id::Unknown, os);
    EXPECT_TRUE(identification.is64BitWindows);  // found before the failure
    EXPECT_EQ((std::vector<std::string>{
                  "GetProductSuites: GetProductSuites failed with 0x0000001F for flag 0x00000001\n",
                  "IsWindowsHomeServer: GetProductSuites failed with 0x0000001F\n",
                  "GetOperatingSystem: IsWindowsHomeServer failed with 0x0000001F\n"}),
              log.Problems());

    // The third pair's question fails: no later pair is asked.
    platform.faults().Clear();
    // Calls are counted per function: 4 product types and 16 suites come first.
    platform.faults().AddOnCall("VerifyVersionInfoA", 4 + 16 + 3, win::ERROR_ACCESS_DENIED);
    calls().Clear();
    log.messages.clear();
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, identification.GetOperatingSystem(os));
    EXPECT_EQ(Id::Unknown, os);
    EXPECT_EQ(std::vector<std::string>{"GetOperatingSystem: VerifyVersionInfo(5, 2) failed with "
                                       "error 0x00000005\n"},
              log.Problems());
    EXPECT_EQ(3u, calls().Count("VerifyVersionInfoA", "0x03"));
}

}  // namespace
