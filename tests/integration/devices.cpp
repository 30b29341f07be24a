// Setup classes, device nodes and driver stacks through the real SetupAPI
// and registry of a Wine prefix, side by side with the described machine
// that devices.sh imported into that prefix. Where Wine answers otherwise
// than Windows, the test says so; the simulated provider keeps Windows'
// answers.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/dev_node_list.h"
#include "devices/device_machine.h"
#include "devices/device_setup_class.h"
#include "devices/driver_stack.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "machine/registry_from_machine.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/win32/win32_platform.h"
#include "report/report.h"

namespace {

using namespace devtest;

// A class of our own: the prefix has HID devices of its own.
constexpr win::GUID kTestClass = {
    0xd1f3a7c0, 0x5e2b, 0x4b8e, {0x9c, 0x41, 0x6a, 0x7d, 0x0e, 0x2f, 0x1b, 0x35}};
const char kTestText[] = "{d1f3a7c0-5e2b-4b8e-9c41-6a7d0e2f1b35}";
constexpr win::GUID kLongNameClass = {
    0x0badc1a5, 0x5e55, 0x4c1a, {0x8f, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}};

// Instance IDs are upper case and the devices stand in the order of their
// Enum keys: Wine hands IDs back upper-cased and enumerates in key order.
machine::Machine DeviceMachine() {
    machine::Machine machine;
    machine::SetupClass usb = Class(kUsbClass, "USB");
    usb.values["UpperFilters"] = machine::RegValue::MultiString({"usbup2", "usbup1"});
    usb.values["LowerFilters"] = machine::RegValue::String("usblow");
    machine::SetupClass firewire = Class(k1394Class, "1394");
    // Without its terminators: regedit adds one, which changes the bytes
    // but not the names read.
    firewire.values["LowerFilters"] = Bytes(win::REG_MULTI_SZ, std::string("fw1\0fw2", 7));
    firewire.values["UpperFilters"] = machine::RegValue::String("%Flt%up", win::REG_EXPAND_SZ);
    firewire.values["Bin"] = Bytes(win::REG_BINARY, "\x01\x02\x03");
    machine::SetupClass test = Class(kTestClass, "MalvoretTest");
    test.values["UpperFilters"] = machine::RegValue::Dword(5);
    machine.classes = {usb, firewire, test, Class(kLongNameClass, std::string(40, 'L'))};

    machine::Device camera = Device("1394\\MALVORET&CAM\\1", k1394Text, "camdrv");
    machine::Device probe = Device("ROOT\\MALVORET_TEST\\0000", kTestText, "probe");
    machine::Device hub = Device("USB\\ROOT_HUB\\4&1", kUsbText, "usbhub");
    hub.properties[win::SPDRP_HARDWAREID] =
        machine::RegValue::MultiString({"USB\\ROOT_HUB&VID8086", "USB\\ROOT_HUB"});
    hub.properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"fltB", "fltA"});
    machine::Device stick = Device("USB\\VID_0781&PID_5567\\A1", kUsbText, "USBSTOR");
    stick.properties[win::SPDRP_LOWERFILTERS] = machine::RegValue::MultiString({"lowdev"});
    machine::Device gone = Device("USB\\VID_1234&PID_0001\\GONE", kUsbText, "gone", false);
    machine::Device noService = Device("USB\\VID_FFFF&PID_0002\\NOSVC", kUsbText, "");
    machine.devices = {camera, probe, hub, stick, gone, noService};
    return machine;
}

std::string Join(const StringList& list) {
    std::string text = "[";
    for (const std::string& item : list) {
        text += (text.size() > 1 ? "," : "") + item;
    }
    return text + "]";
}

void Line(Report& report, const std::string& text) {
    report.AddText(text, 0);
    report.AddNewLines(1);
}

std::string Status(StatusCode status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", status);
    return text;
}

// What the device queries find on the platform installed now, as text: the
// report sections, the values behind them and every ERROR and WARNING.
std::string Gather(const std::vector<win::GUID>& classes) {
    ResetLogState();
    InitLog(DefaultLogConfig());
    std::string text;
    {
        Report report;
        for (const win::GUID& guid : classes) {
            report.SetIndent(0);
            report.AddSetupClassInfo(guid);
            const DeviceSetupClass setupClass(guid);
            StringList values;
            StatusCode status = setupClass.GetUpperFilters(values);
            Line(report, "UpperFilters " + Status(status) + " " + Join(values));
            status = setupClass.GetLowerFilters(values);
            Line(report, "LowerFilters " + Status(status) + " " + Join(values));
            status = setupClass.GetRegistryValue("Bin", &values, nullptr);
            Line(report, "Bin " + Status(status));
            DevNodeList list;
            const StatusCode loaded = list.LoadDevices(&guid);
            Line(report, "LoadDevices " + Status(loaded) + " " + std::to_string(list.Count()));
            for (std::uint32_t i = 0; i < list.Count(); ++i) {
                report.SetIndent(3);
                report.AddCommonDevNodeInfo(list.At(i));
                status = GetRegistryProperty(values, list.At(i), win::SPDRP_HARDWAREID);
                Line(report, "HardwareID " + Status(status) + " " + Join(values));
                report.SetIndent(6);
                StringList names;
                report.AddDevNodeDriverStackInfo(list.At(i), &names);
                Line(report, "serviceNames " + Join(names));
            }
        }
        text = report.GetText();
    }
    ResetLogState();
    return text;
}

StringList PresentIds(const win::GUID* guid) {
    DevNodeList list;
    EXPECT_EQ(0u, list.LoadDevices(guid));
    StringList ids;
    for (std::uint32_t i = 0; i < list.Count(); ++i) {
        std::string id;
        EXPECT_EQ(0u, GetDeviceInstanceID(list.At(i), id));
        ids.push_back(id);
    }
    return ids;
}

class DevicesOnWine : public ::testing::Test {
  protected:
    win::Win32Platform real;
    sim::SimulatedPlatform described{DeviceMachine()};
};

// devices.sh runs this first, with the Windows path of the file to write.
TEST_F(DevicesOnWine, WriteRegistryFile) {
    const char* path = std::getenv("MVSI_DEVICES_REG");
    if (path == nullptr) {
        GTEST_SKIP() << "MVSI_DEVICES_REG not set";
    }
    machine::RegistryExport reg;
    machine::AddDeviceKeys(reg, DeviceMachine());
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(reg.Text().size(), std::fwrite(reg.Text().data(), 1, reg.Text().size(), file));
    EXPECT_EQ(0, std::fclose(file));
}

TEST_F(DevicesOnWine, SameClassesDevicesAndStacksAsTheDescription) {
    // Wine lists devices that are not present (it ignores DIGCF_PRESENT):
    // compared with the description in which every device is present.
    machine::Machine allPresent = DeviceMachine();
    for (machine::Device& device : allPresent.devices) {
        device.present = true;
    }
    sim::SimulatedPlatform simulated(allPresent);
    const std::vector<win::GUID> classes = {kUsbClass, k1394Class, kTestClass};
    std::string expected;
    {
        win::ScopedPlatform scope(simulated);
        expected = Gather(classes);
    }
    EXPECT_EQ(0u, simulated.OpenDeviceInfoSets());
    EXPECT_EQ(0u, simulated.OpenRegistryKeys());
    win::ScopedPlatform scope(real);
    const std::string onWine = Gather(classes);
    EXPECT_EQ(expected, onWine);
}

TEST_F(DevicesOnWine, WineListsDevicesThatAreNotPresent) {
    const StringList present = {"USB\\ROOT_HUB\\4&1", "USB\\VID_0781&PID_5567\\A1",
                                "USB\\VID_FFFF&PID_0002\\NOSVC"};
    {
        win::ScopedPlatform scope(described);
        EXPECT_EQ(present, PresentIds(&kUsbClass));
    }
    win::ScopedPlatform scope(real);
    // Windows leaves out USB\VID_1234&PID_0001\GONE; Wine lists it.
    EXPECT_EQ((StringList{"USB\\ROOT_HUB\\4&1", "USB\\VID_0781&PID_5567\\A1",
                          "USB\\VID_1234&PID_0001\\GONE", "USB\\VID_FFFF&PID_0002\\NOSVC"}),
              PresentIds(&kUsbClass));
}

TEST_F(DevicesOnWine, AllClassesHoldTheDescribedDevicesInOrder) {
    StringList expected;
    {
        win::ScopedPlatform scope(described);
        expected = PresentIds(nullptr);
    }
    win::ScopedPlatform scope(real);
    // The prefix has devices of its own, and Wine adds the absent one.
    const StringList onWine = PresentIds(nullptr);
    StringList ours;
    for (const std::string& id : onWine) {
        for (const machine::Device& device : DeviceMachine().devices) {
            if (device.instanceId == id && device.present) {
                ours.push_back(id);
            }
        }
    }
    EXPECT_EQ(expected, ours);
    EXPECT_NE(onWine.end(),
              std::find(onWine.begin(), onWine.end(), "USB\\VID_1234&PID_0001\\GONE"));
}

TEST_F(DevicesOnWine, ClassNotInstalled) {
    std::string name = "stale";
    StringList filters;
    {
        win::ScopedPlatform scope(described);
        EXPECT_EQ(win::ERROR_INVALID_CLASS, DeviceSetupClass(kMissingClass).GetClassName(name));
        EXPECT_EQ(win::ERROR_INVALID_CLASS,
                  DeviceSetupClass(kMissingClass).GetUpperFilters(filters));
    }
    win::ScopedPlatform scope(real);
    // Windows: ERROR_INVALID_CLASS (0xE0000206), and the report's "???"
    // line. Wine: ERROR_FILE_NOT_FOUND, so the report writes no Name line.
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, DeviceSetupClass(kMissingClass).GetClassName(name));
    EXPECT_EQ("", name);
    // Windows refuses to open the key of a class that is not installed;
    // Wine opens one, finds no filter value there and so reports none.
    filters = {"stale"};
    EXPECT_EQ(0u, DeviceSetupClass(kMissingClass).GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
}

TEST_F(DevicesOnWine, ClassNameThatDoesNotFit) {
    std::string name = "stale";
    {
        win::ScopedPlatform scope(described);
        EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER,
                  DeviceSetupClass(kLongNameClass).GetClassName(name));
    }
    win::ScopedPlatform scope(real);
    // Windows sets ERROR_INSUFFICIENT_BUFFER; Wine fails without setting the
    // last error, so the code of the call before shows through.
    real.SetLastError(0x12345678);
    EXPECT_EQ(0x12345678u, DeviceSetupClass(kLongNameClass).GetClassName(name));
    EXPECT_EQ("", name);
}

}  // namespace
