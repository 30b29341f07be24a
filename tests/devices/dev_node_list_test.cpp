#include <chrono>

#include <gtest/gtest.h>

#include "devices/dev_node_list.h"
#include "devices/device_machine.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

class DevNodeListTest : public MachineTest {
  protected:
    DevNodeListTest() {
        machine().classes.push_back(Class(kUsbClass, "USB"));
        machine().classes.push_back(Class(kHidClass, "HIDClass"));
    }
    ~DevNodeListTest() override {
        list.SetEmpty();
        EXPECT_EQ(0u, platform.OpenDeviceInfoSets());
    }

    void AddUsb(const std::string& id, bool present = true) {
        machine().devices.push_back(Device(id, kUsbText, "svc", present));
    }
    StringList Ids() {
        StringList ids;
        for (std::uint32_t i = 0; i < list.Count(); ++i) {
            std::string id;
            EXPECT_EQ(0u, GetDeviceInstanceID(list.At(i), id));
            ids.push_back(id);
        }
        return ids;
    }

    DevNodeList list;
};

TEST_F(DevNodeListTest, PresentDevicesOfTheClassInEnumerationOrder) {
    AddUsb("USB\\B\\1");
    machine().devices.push_back(Device("HID\\K\\1", kHidText));
    AddUsb("USB\\GONE\\1", false);
    AddUsb("USB\\A\\1");
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_EQ((StringList{"USB\\B\\1", "USB\\A\\1"}), Ids());
    EXPECT_TRUE(log.Contains("LoadDevices: 2 device(s) found.\n"));
    EXPECT_FALSE(log.Contains("LoadDevice: rejecting old devices...\n"));
    // The temporary set is gone; the list's own set remains.
    EXPECT_EQ(1u, platform.OpenDeviceInfoSets());
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DevNodeListTest, WithoutClassEveryPresentDevice) {
    AddUsb("USB\\A\\1");
    machine().devices.push_back(Device("HID\\K\\1", kHidText));
    AddUsb("USB\\GONE\\1", false);
    EXPECT_EQ(0u, list.LoadDevices(nullptr));
    EXPECT_EQ((StringList{"USB\\A\\1", "HID\\K\\1"}), Ids());
}

TEST_F(DevNodeListTest, ClassWithoutPresentDevices) {
    AddUsb("USB\\GONE\\1", false);
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_EQ(0u, list.Count());
    EXPECT_TRUE(log.Contains("LoadDevices: 0 device(s) found.\n"));
    // No device opened: no set of its own.
    EXPECT_EQ(0u, platform.OpenDeviceInfoSets());
    EXPECT_EQ(0u, platform.calls().Count("SetupDiCreateDeviceInfoList"));
}

TEST_F(DevNodeListTest, ReloadingReplacesTheContent) {
    AddUsb("USB\\A\\1");
    AddUsb("USB\\B\\1");
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    machine().devices[0].present = false;
    AddUsb("USB\\C\\1");
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_TRUE(log.Contains("LoadDevice: rejecting old devices...\n"));
    EXPECT_EQ((StringList{"USB\\B\\1", "USB\\C\\1"}), Ids());
    EXPECT_EQ(1u, platform.OpenDeviceInfoSets());
}

TEST_F(DevNodeListTest, EnumerationErrorInTheMiddleSkipsOnlyThatIndex) {
    for (const char* id : {"USB\\0\\1", "USB\\1\\1", "USB\\2\\1", "USB\\3\\1", "USB\\4\\1"}) {
        AddUsb(id);
    }
    platform.faults().AddOnArgument("SetupDiEnumDeviceInfo", "3", win::ERROR_GEN_FAILURE);
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_EQ((StringList{"USB\\0\\1", "USB\\1\\1", "USB\\2\\1", "USB\\4\\1"}), Ids());
    EXPECT_EQ(std::vector<std::string>{"LoadDevices: SetupDiEnumDeviceInfo failed for device "
                                       "index 3 with error = 0x0000001F\n"},
              log.Problems());
}

TEST_F(DevNodeListTest, DevicesThatCannotBeReadOrOpenedAreLeftOut) {
    AddUsb("USB\\0\\1");
    AddUsb("USB\\1\\1");
    AddUsb("USB\\2\\1");
    platform.faults().AddOnArgument("SetupDiGetDeviceInstanceIdA", "USB\\0\\1",
                                    win::ERROR_GEN_FAILURE);
    platform.faults().AddOnArgument("SetupDiOpenDeviceInfoA", "USB\\2\\1",
                                    win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_EQ(StringList{"USB\\1\\1"}, Ids());
    EXPECT_EQ(
        (std::vector<std::string>{
            "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve required "
            "buffer size failed with error = 0x0000001F\n",
            "LoadDevices: GetDeviceInstanceID failed for device index 0 with error = "
            "0x0000001F\n",
            "LoadDevice: SetupDiOpenDeviceInfo failed with error = 0x00000005\n",
            "LoadDevices: LoadAddDevice failed for device index 2 with error = 0x00000005\n"}),
        log.Problems());
}

TEST_F(DevNodeListTest, EnumerationStopsAfterOneHundredThousandIndices) {
    AddUsb("USB\\A\\1");
    platform.calls().SetEnabled(false);
    platform.faults().Add("SetupDiEnumDeviceInfo", win::ERROR_GEN_FAILURE);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    const std::vector<std::string> problems = log.Problems();
    ASSERT_EQ(100000u, problems.size());
    EXPECT_EQ(
        "LoadDevices: SetupDiEnumDeviceInfo failed for device index 99999 with error = "
        "0x0000001F\n",
        problems.back());
    EXPECT_EQ(0u, list.Count());
}

TEST_F(DevNodeListTest, FailingEnumerationLeavesTheListEmpty) {
    AddUsb("USB\\A\\1");
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    platform.faults().Add("SetupDiGetClassDevsA", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, list.LoadDevices(&kUsbClass));
    EXPECT_EQ(0u, list.Count());
    EXPECT_EQ(0u, platform.OpenDeviceInfoSets());
    EXPECT_TRUE(log.Contains("LoadDevices: SetupDiGetClassDevs failed with error = 0x00000005\n"));
}

TEST_F(DevNodeListTest, FailedDestroyOfTheTemporarySetIsOnlyTraced) {
    AddUsb("USB\\A\\1");
    platform.faults().AddOnCall("SetupDiDestroyDeviceInfoList", 1, win::ERROR_INVALID_HANDLE);
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    EXPECT_EQ(1u, list.Count());
    EXPECT_EQ(std::vector<std::string>{"LoadDevices: SetupDiDestroyDeviceInfoList for temporary "
                                       "device set failed with error = 0x00000006\n"},
              log.Problems());
}

TEST_F(DevNodeListTest, LoadDevice) {
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, list.LoadDevice(""));
    EXPECT_EQ(0u, platform.calls().Count("SetupDiCreateDeviceInfoList"));
    EXPECT_EQ(std::vector<std::string>{"LoadDevice: invalid device instance ID \"\"\n"},
              log.Problems());

    AddUsb("USB\\A\\1");
    // Phantoms open too: only the enumeration asks for present devices.
    AddUsb("USB\\GONE\\1", false);
    EXPECT_EQ(0u, list.LoadDevice("usb\\a\\1"));
    EXPECT_EQ(0u, list.LoadDevice("USB\\GONE\\1"));
    const win::HDEVINFO set = list.DeviceInfoSet();
    EXPECT_EQ(win::ERROR_NO_SUCH_DEVINST, list.LoadDevice("USB\\NONE\\1"));
    EXPECT_EQ(2u, list.Count());
    EXPECT_EQ(set, list.DeviceInfoSet());
    EXPECT_EQ((StringList{"USB\\A\\1", "USB\\GONE\\1"}), Ids());
}

TEST_F(DevNodeListTest, SetCreationFailure) {
    AddUsb("USB\\A\\1");
    platform.faults().AddOnCall("SetupDiCreateDeviceInfoList", 1, win::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, list.LoadDevice("USB\\A\\1"));
    EXPECT_EQ(win::InvalidHandleValue(), list.DeviceInfoSet());
    EXPECT_EQ(0u, list.LoadDevice("USB\\A\\1"));
    EXPECT_EQ(1u, list.Count());
}

TEST_F(DevNodeListTest, SetEmptyWithoutASetAsksNothing) {
    EXPECT_EQ(0u, list.SetEmpty());
    EXPECT_EQ(0u, platform.calls().Count("SetupDiDestroyDeviceInfoList"));
}

TEST_F(DevNodeListTest, DestroyFailureOfTheOwnSetIsTraced) {
    AddUsb("USB\\A\\1");
    EXPECT_EQ(0u, list.LoadDevice("USB\\A\\1"));
    platform.faults().AddOnCall("SetupDiDestroyDeviceInfoList", 1, win::ERROR_INVALID_HANDLE);
    EXPECT_EQ(0u, list.SetEmpty());
    EXPECT_EQ(win::InvalidHandleValue(), list.DeviceInfoSet());
    EXPECT_EQ(std::vector<std::string>{"SetEmpty: SetupDiDestroyDeviceInfoList failed with error "
                                       "= 0x00000006\n"},
              log.Problems());
}

}  // namespace
