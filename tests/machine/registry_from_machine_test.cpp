#include <gtest/gtest.h>

#include "devices/device_machine.h"
#include "machine/registry_from_machine.h"

namespace {

using namespace devtest;

TEST(RegistryFromMachineTest, ClassAndEnumKeys) {
    machine::Machine machine;
    machine.classes.push_back(Class(kUsbClass, "USB"));
    machine.classes[0].values["UpperFilters"] = machine::RegValue::MultiString({"a"});
    machine::Device device = Device("USB\\HUB\\1", kUsbText, "usbhub", false);
    device.properties[win::SPDRP_UPPERFILTERS] = Bytes(win::REG_MULTI_SZ, "b");
    // Not kept in the Enum key: left out.
    device.properties[0x0E] = machine::RegValue::String("\\Device\\USBPDO-0");
    machine.devices.push_back(device);

    machine::RegistryExport reg;
    machine::AddDeviceKeys(reg, machine);
    EXPECT_EQ(
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
        "{36fc9e60-c465-11cf-8056-444553540000}]\r\n"
        "\"Class\"=\"USB\"\r\n"
        "\"UpperFilters\"=hex(7):61,00,00\r\n"
        "\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USB\\HUB\\1]\r\n"
        "\"DeviceDesc\"=\"Device USB\\\\HUB\\\\1\"\r\n"
        "\"Service\"=\"usbhub\"\r\n"
        "\"ClassGUID\"=\"{36fc9e60-c465-11cf-8056-444553540000}\"\r\n"
        "\"UpperFilters\"=hex(7):62\r\n",
        reg.Text());
}

}  // namespace
