#include <gtest/gtest.h>

#include "devices/dev_node_list.h"
#include "devices/device_machine.h"
#include "report/report.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

class ReportDeviceSectionsTest : public MachineTest {
  protected:
    ReportDeviceSectionsTest() {
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

    DevNodeList list;
};

TEST_F(ReportDeviceSectionsTest, ClassLines) {
    Report report;
    report.AddSetupClassInfo(kUsbClass);
    EXPECT_EQ("Name:  USB\r\nGUID:  {36fc9e60-c465-11cf-8056-444553540000}\r\n", report.GetText());
}

TEST_F(ReportDeviceSectionsTest, ClassNotInstalled) {
    Report report;
    report.AddSetupClassInfo(kMissingClass);
    EXPECT_EQ(
        "ERROR: GetClassName: SetupDiClassNameFromGuid failed with error 0xE0000206.\n\r\n"
        "Name:  ??? (Class is not installed on the system.)\r\n"
        "GUID:  {12345678-9abc-def0-1234-56789abcdef0}\r\n",
        report.GetText());
}

TEST_F(ReportDeviceSectionsTest, ClassNameFailingOtherwiseLeavesOnlyTheGuid) {
    machine().classes[0].name = std::string(40, 'n');
    Report report;
    report.AddSetupClassInfo(kUsbClass);
    EXPECT_EQ(
        "ERROR: GetClassName: SetupDiClassNameFromGuid failed with error 0x0000007A.\n\r\n"
        "ERROR: AddSetupClassInfo: GetClassName failed with error 0x0000007A.\n\r\n"
        "GUID:  {36fc9e60-c465-11cf-8056-444553540000}\r\n",
        report.GetText());
}

TEST_F(ReportDeviceSectionsTest, DeviceLines) {
    const DevNode& node = Node();
    Report report;
    report.SetIndent(6);
    report.AddCommonDevNodeInfo(node);
    EXPECT_EQ(
        "      Description:         Device USB\\HUB\\1\r\n"
        "      Device Instance ID:  USB\\HUB\\1\r\n      ",
        report.GetText());
}

TEST_F(ReportDeviceSectionsTest, DeviceLinesThatFailAreLeftOut) {
    device().properties.erase(win::SPDRP_DEVICEDESC);
    const DevNode& node = Node();
    platform.faults().Add("SetupDiGetDeviceInstanceIdA", win::ERROR_GEN_FAILURE);
    Report report;
    report.AddCommonDevNodeInfo(node);
    EXPECT_EQ(
        "ERROR: GetRegistryProperty: found property values = 0, expected: 1\n\r\n"
        "ERROR: AddCommonDevNodeInfo: GetDescription failed with error 0x00000001.\n\r\n"
        "ERROR: GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve required "
        "buffer size failed with error = 0x0000001F\n\r\n"
        "ERROR: AddCommonDevNodeInfo: GetDeviceInstanceID failed with error 0x0000001F.\n\r\n",
        report.GetText());
}

TEST_F(ReportDeviceSectionsTest, OnlyTheFunctionDriver) {
    const DevNode& node = Node();
    Report report;
    StringList names = {"stale"};
    report.AddDevNodeDriverStackInfo(node, &names);
    EXPECT_EQ("Function Driver Service Name:             usbhub\r\n", report.GetText());
    EXPECT_EQ(StringList{"usbhub"}, names);
}

TEST_F(ReportDeviceSectionsTest, FilterListsAreWrittenLastEntryFirst) {
    machine().classes[0].values["UpperFilters"] = machine::RegValue::MultiString({"cu"});
    machine().classes[0].values["LowerFilters"] = machine::RegValue::MultiString({"a", "b", "c"});
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"fltB", "fltA"});
    device().properties[win::SPDRP_LOWERFILTERS] = machine::RegValue::MultiString({"usbhub"});
    const DevNode& node = Node();
    Report report;
    report.SetIndent(9);
    StringList names;
    report.AddDevNodeDriverStackInfo(node, &names);
    const std::string pad(9 + 42, ' ');
    EXPECT_EQ(
        "         Upper Level Class Filter Service Names:   cu\r\n"
        "         Upper Level Device Filter Service Names:  fltA\r\n" +
            pad + "fltB\r\n" +
            "         Function Driver Service Name:             usbhub\r\n"
            "         Lower Level Class Filter Service Names:   c\r\n" +
            pad + "b\r\n" + pad + "a\r\n" +
            "         Lower Level Device Filter Service Names:  usbhub\r\n         ",
        report.GetText());
    // In written order; a service named twice is collected twice.
    EXPECT_EQ((StringList{"cu", "fltA", "fltB", "usbhub", "c", "b", "a", "usbhub"}), names);
}

TEST_F(ReportDeviceSectionsTest, WithoutCollectorTheSameLines) {
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"x", "y"});
    const DevNode& node = Node();
    Report collected;
    StringList names;
    collected.AddDevNodeDriverStackInfo(node, &names);
    Report plain;
    plain.AddDevNodeDriverStackInfo(node, nullptr);
    EXPECT_EQ(collected.GetText(), plain.GetText());
}

TEST_F(ReportDeviceSectionsTest, FailedStackWritesOnlyErrors) {
    device().properties.erase(win::SPDRP_SERVICE);
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"x"});
    const DevNode& node = Node();
    Report report;
    StringList names = {"stale"};
    report.AddDevNodeDriverStackInfo(node, &names);
    EXPECT_EQ(
        "ERROR: GetRegistryProperty: found property values = 0, expected: 1\n\r\n"
        "ERROR: LoadStack: GetServiceName failed with error 0x00000001.\n\r\n"
        "ERROR: AddDevNodeDriverStackInfo: LoadStack failed with error 0x00000001.\n\r\n",
        report.GetText());
    EXPECT_TRUE(names.empty());
}

}  // namespace
