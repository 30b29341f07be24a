// The device details of a report: what each answer of the system becomes,
// above all the answers that must not be taken at face value.
#include <gtest/gtest.h>

#include "devices/dev_node_list.h"
#include "devices/dev_node_status.h"
#include "devices/device_machine.h"
#include "devices/driver_date.h"
#include "report/report.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

constexpr char kDriverKey[] = "{36fc9e60-c465-11cf-8056-444553540000}\\0001";

class DeviceDetailsTest : public MachineTest {
  protected:
    DeviceDetailsTest() {
        machine().classes.push_back(Class(kUsbClass, "USB"));
        machine().devices.push_back(Device("USB\\HUB\\1", kUsbText, "usbhub"));
    }

    machine::Device& device() { return machine().devices[0]; }
    const DevNode& Node() {
        if (list.Count() == 0) {
            EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
        }
        return list.At(0);
    }
    std::string Details() {
        Report report;
        report.AddDevNodeDetails(Node(), false);
        return report.GetText();
    }
    std::string Package() {
        Report report;
        report.AddDriverPackageInfo(Node());
        return report.GetText();
    }

    DevNodeList list;
};

// Wine's CM_Get_DevNode_Status succeeds and writes nothing.
class SilentStatusPlatform : public sim::SimulatedPlatform {
  public:
    win::CONFIGRET CM_Get_DevNode_Status(win::ULONG*, win::ULONG*, win::DEVINST,
                                         win::ULONG) override {
        return win::CR_SUCCESS;
    }
};

TEST_F(DeviceDetailsTest, AStatusNobodyWroteIsUnknownNeverStarted) {
    SilentStatusPlatform silent;
    silent.machine() = machine();
    win::ScopedPlatform scope(silent);
    DevNodeList devices;
    ASSERT_EQ(0u, devices.LoadDevices(&kUsbClass));
    DevNodeStatus status{win::DN_STARTED, 22};  // what an earlier device left
    EXPECT_EQ(0u, GetDevNodeStatus(devices.At(0), status));
    EXPECT_EQ(0u, status.status);
    EXPECT_EQ(0u, status.problem);
    Report report;
    report.AddDevNodeDetails(devices.At(0), false);
    EXPECT_EQ("Status:              Unknown\r\n", report.GetText());
}

TEST_F(DeviceDetailsTest, StatusesAndProblemCodes) {
    EXPECT_EQ("Status:              Started\r\n", Details());
    device().devNodeStatus = machine::kProblemDevNode;
    device().problem = 10;
    EXPECT_EQ(
        "Status:              Problem, code 10 (CM_PROB_FAILED_START)\r\n"
        "                     The device could not start.\r\n",
        Details());
    device().problem = 22;
    EXPECT_EQ(0u, Details().find("Status:              Disabled, code 22 (CM_PROB_DISABLED)\r\n"));
    // A code newer than this program: its number, never another code's name.
    device().problem = 99;
    EXPECT_EQ(
        "Status:              Problem, code 99\r\n"
        "                     Unknown problem code.\r\n",
        Details());
    // The problem number counts only with DN_HAS_PROBLEM.
    device().devNodeStatus = win::DN_DRIVER_LOADED;
    EXPECT_EQ("Status:              Not started\r\n", Details());
    Report offline;
    offline.AddDevNodeDetails(Node(), true);
    EXPECT_EQ("Status:              Not known offline\r\n", offline.GetText());
}

TEST_F(DeviceDetailsTest, IdsStopAtTheFirstEmptyStringAndFlagsAreNamed) {
    // Wine leaves bytes after a multi-string's terminating pair.
    device().properties[win::SPDRP_HARDWAREID] =
        Bytes(win::REG_MULTI_SZ, std::string("USB\\A\0USB\\B\0\0JUNK\0\0", 19));
    device().properties[win::SPDRP_COMPATIBLEIDS] = machine::RegValue::MultiString({"USB\\C"});
    device().properties[win::SPDRP_MFG] = machine::RegValue::String("Maker");
    device().properties[win::SPDRP_CONFIGFLAGS] = machine::RegValue::Dword(0x441);
    EXPECT_EQ(
        "Status:              Started\r\n"
        "Manufacturer:        Maker\r\n"
        "Hardware IDs:        USB\\A\r\n"
        "                     USB\\B\r\n"
        "Compatible IDs:      USB\\C\r\n"
        "Config Flags:        0x00000441 (disabled, failed install, finish install)\r\n",
        Details());
}

TEST_F(DeviceDetailsTest, ADanglingDriverValueIsAFactNotAnError) {
    EXPECT_EQ("Driver Key:          (none)\r\n", Package());
    device().properties[win::SPDRP_DRIVER] = machine::RegValue::String(kDriverKey);
    EXPECT_EQ(
        "Driver Key:          {36fc9e60-c465-11cf-8056-444553540000}\\0001\r\n"
        "                     (the key does not exist)\r\n",
        Package());
    // Any other failure to open it is an error, where it happened.
    machine().driverKeys[kDriverKey] = {};
    platform.faults().Add("SetupDiOpenDevRegKey", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(
        "Driver Key:          {36fc9e60-c465-11cf-8056-444553540000}\\0001\r\n"
        "ERROR: DriverKey::Open: SetupDiOpenDevRegKey failed with error 0x00000005.\n\r\n"
        "ERROR: AddDriverPackageInfo: open driver key failed with error 0x00000005.\n\r\n",
        Package());
}

TEST_F(DeviceDetailsTest, ThePackageAndBothFormsOfItsDate) {
    device().properties[win::SPDRP_DRIVER] = machine::RegValue::String(kDriverKey);
    machine::RegValues& key = machine().driverKeys[kDriverKey];
    key["ProviderName"] = machine::RegValue::String("Maker");
    key["DriverDate"] = machine::RegValue::String("7-3-2012");
    key["InfPath"] = machine::RegValue::String("oem7.inf");
    machine().folders.insert("C:\\WINDOWS\\inf");
    EXPECT_EQ(
        "Driver Key:          {36fc9e60-c465-11cf-8056-444553540000}\\0001\r\n"
        "Driver Provider:     Maker\r\n"
        "Driver Date:         2012-07-03\r\n"
        "INF File:            oem7.inf\r\n"
        "                     (not in C:\\WINDOWS\\inf)\r\n",
        Package());
    // The FILETIME wins over the text; the INF file is found.
    key["DriverDateData"] =
        Bytes(win::REG_BINARY, std::string("\x00\x80\xed\x90\xa4\xf8\xcb\x01", 8));
    machine().files["C:\\WINDOWS\\inf\\oem7.inf"].path = "C:\\WINDOWS\\inf\\oem7.inf";
    EXPECT_NE(std::string::npos, Package().find("Driver Date:         2011-04-12\r\n"
                                                "INF File:            oem7.inf\r\n"));
    EXPECT_EQ(0u, platform.OpenRegistryKeys());
}

TEST(DriverDate, BothFormsAndWhatIsNoDate) {
    std::string date;
    const std::uint8_t epoch[8] = {};
    ASSERT_TRUE(DateFromFileTime(epoch, 8, date));
    EXPECT_EQ("1601-01-01", date);
    const std::uint8_t leap[8] = {0x00, 0x80, 0x21, 0x8d, 0x46, 0x15, 0xce, 0x01};  // 2013-02-28
    ASSERT_TRUE(DateFromFileTime(leap, 8, date));
    EXPECT_EQ("2013-02-28", date);
    EXPECT_FALSE(DateFromFileTime(leap, 7, date));
    ASSERT_TRUE(DateFromDriverDate("12-31-1999", date));
    EXPECT_EQ("1999-12-31", date);
    ASSERT_TRUE(DateFromDriverDate("1/2/2006", date));
    EXPECT_EQ("2006-01-02", date);
    for (const char* bad : {"", "2006-01-02", "13-1-2006", "1-32-2006", "1-1-06", "1-1-2006x"}) {
        EXPECT_FALSE(DateFromDriverDate(bad, date)) << bad;
    }
}

}  // namespace
