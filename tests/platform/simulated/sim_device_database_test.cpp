// The simulated device database answers as Windows does: the tests of the
// device queries rely on these answers.
#include <cstring>

#include <gtest/gtest.h>

#include "devices/device_machine.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

constexpr win::DWORD kInvalidUserBuffer = 1784;
constexpr win::DWORD kClassMismatch = 0xE0000203;

class SimDeviceDatabaseTest : public MachineTest {
  protected:
    SimDeviceDatabaseTest() {
        machine().classes.push_back(Class(kUsbClass, "USB"));
        machine().devices.push_back(Device("USB\\A\\1", kUsbText));
        machine().devices.push_back(Device("HID\\K\\1", kHidText));
        machine().devices.push_back(Device("USB\\GONE\\1", kUsbText, "svc", false));
    }

    static win::SP_DEVINFO_DATA Record() {
        win::SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        return data;
    }
    std::size_t Members(win::HDEVINFO set) {
        win::DWORD index = 0;
        for (win::SP_DEVINFO_DATA data = Record();
             platform.SetupDiEnumDeviceInfo(set, index, &data); ++index) {
        }
        EXPECT_EQ(win::ERROR_NO_MORE_ITEMS, platform.GetLastError());
        return index;
    }
};

TEST_F(SimDeviceDatabaseTest, ClassDevsHonoursPresentAndAllClasses) {
    struct Case {
        const win::GUID* guid;
        win::DWORD flags;
        std::size_t members;
    };
    for (const Case& c :
         {Case{&kUsbClass, win::DIGCF_PRESENT, 1}, Case{&kUsbClass, 0, 2},
          Case{&kHidClass, win::DIGCF_PRESENT, 1}, Case{&kMissingClass, win::DIGCF_PRESENT, 0},
          Case{nullptr, win::DIGCF_PRESENT | win::DIGCF_ALLCLASSES, 2},
          Case{&kHidClass, win::DIGCF_ALLCLASSES, 3}}) {
        const win::HDEVINFO set = platform.SetupDiGetClassDevsA(c.guid, nullptr, nullptr, c.flags);
        ASSERT_NE(win::InvalidHandleValue(), set);
        EXPECT_EQ(c.members, Members(set));
        EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
    }
    EXPECT_EQ(win::InvalidHandleValue(),
              platform.SetupDiGetClassDevsA(nullptr, nullptr, nullptr, win::DIGCF_PRESENT));
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, platform.GetLastError());
    EXPECT_EQ(0u, platform.OpenDeviceInfoSets());
}

TEST_F(SimDeviceDatabaseTest, HandlesAndRecordsAreChecked) {
    const win::HDEVINFO set =
        platform.SetupDiGetClassDevsA(&kUsbClass, nullptr, nullptr, win::DIGCF_PRESENT);
    win::SP_DEVINFO_DATA data = Record();
    data.cbSize = 20;
    EXPECT_FALSE(platform.SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(kInvalidUserBuffer, platform.GetLastError());
    data = Record();
    ASSERT_TRUE(platform.SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(kUsbClass, data.ClassGuid);

    // A record of one set names nothing in another.
    const win::HDEVINFO other = platform.SetupDiCreateDeviceInfoList(nullptr, nullptr);
    win::DWORD size = 0;
    EXPECT_FALSE(platform.SetupDiGetDeviceInstanceIdA(other, &data, nullptr, 0, &size));
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(other));

    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(platform.SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_FALSE(platform.SetupDiGetDeviceInstanceIdA(set, &data, nullptr, 0, &size));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_FALSE(platform.SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
}

TEST_F(SimDeviceDatabaseTest, TwoCallProtocols) {
    const win::HDEVINFO set = platform.SetupDiCreateDeviceInfoList(nullptr, nullptr);
    win::SP_DEVINFO_DATA data = Record();
    ASSERT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "USB\\A\\1", nullptr, 0, &data));
    win::DWORD size = 0;
    EXPECT_FALSE(platform.SetupDiGetDeviceInstanceIdA(set, &data, nullptr, 0, &size));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_EQ(8u, size);
    char id[8];
    EXPECT_FALSE(platform.SetupDiGetDeviceInstanceIdA(set, &data, id, 7, nullptr));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiGetDeviceInstanceIdA(set, &data, id, 8, nullptr));
    EXPECT_STREQ("USB\\A\\1", id);

    win::DWORD type = 0;
    EXPECT_FALSE(platform.SetupDiGetDeviceRegistryPropertyA(set, &data, win::SPDRP_SERVICE, &type,
                                                            nullptr, 0, &size));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_EQ(win::REG_SZ, type);
    EXPECT_EQ(4u, size);
    EXPECT_FALSE(platform.SetupDiGetDeviceRegistryPropertyA(set, &data, win::SPDRP_MFG, &type,
                                                            nullptr, 0, &size));
    EXPECT_EQ(win::ERROR_INVALID_DATA, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
}

TEST_F(SimDeviceDatabaseTest, OpeningIntoSets) {
    const win::HDEVINFO set = platform.SetupDiCreateDeviceInfoList(&kUsbClass, nullptr);
    win::SP_DEVINFO_DATA first = Record();
    win::SP_DEVINFO_DATA again = Record();
    EXPECT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "USB\\A\\1", nullptr, 0, &first));
    EXPECT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "usb\\a\\1", nullptr, 0, &again));
    EXPECT_EQ(first.Reserved, again.Reserved);
    EXPECT_EQ(1u, Members(set));
    EXPECT_FALSE(platform.SetupDiOpenDeviceInfoA(set, "HID\\K\\1", nullptr, 0, &again));
    EXPECT_EQ(kClassMismatch, platform.GetLastError());
    EXPECT_FALSE(platform.SetupDiOpenDeviceInfoA(set, "USB\\NONE\\1", nullptr, 0, &again));
    EXPECT_EQ(win::ERROR_NO_SUCH_DEVINST, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
}

// Lookups by instance ID are indexed; edits of the machine between calls
// must still be seen.
TEST_F(SimDeviceDatabaseTest, OpeningFollowsEditsOfTheMachine) {
    const win::HDEVINFO set = platform.SetupDiCreateDeviceInfoList(nullptr, nullptr);
    win::SP_DEVINFO_DATA data = Record();
    ASSERT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "HID\\K\\1", nullptr, 0, &data));
    EXPECT_EQ(2u, data.DevInst);

    machine().devices.insert(machine().devices.begin(), Device("PCI\\NEW\\1", kUsbText));
    ASSERT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "pci\\new\\1", nullptr, 0, &data));
    EXPECT_EQ(1u, data.DevInst);
    ASSERT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "HID\\K\\1", nullptr, 0, &data));
    EXPECT_EQ(3u, data.DevInst);

    machine().devices[2].instanceId = "HID\\RENAMED\\1";
    EXPECT_FALSE(platform.SetupDiOpenDeviceInfoA(set, "HID\\K\\1", nullptr, 0, &data));
    EXPECT_EQ(win::ERROR_NO_SUCH_DEVINST, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "HID\\RENAMED\\1", nullptr, 0, &data));

    // Of two devices with one ID, the first in enumeration order answers.
    machine().devices.push_back(Device("USB\\A\\1", kUsbText));
    ASSERT_TRUE(platform.SetupDiOpenDeviceInfoA(set, "USB\\A\\1", nullptr, 0, &data));
    EXPECT_EQ(2u, data.DevInst);
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
}

TEST_F(SimDeviceDatabaseTest, ClassNamesAndKeys) {
    char name[win::MAX_CLASS_NAME_LEN];
    win::DWORD required = 0;
    EXPECT_FALSE(platform.SetupDiClassNameFromGuidA(&kMissingClass, name, sizeof name, &required));
    EXPECT_EQ(win::ERROR_INVALID_CLASS, platform.GetLastError());
    machine().classes[0].name = std::string(40, 'n');
    EXPECT_FALSE(platform.SetupDiClassNameFromGuidA(&kUsbClass, name, sizeof name, &required));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_EQ(41u, required);

    machine().classes[0].values["UpperFilters"] = machine::RegValue::MultiString({"ab"});
    const win::HKEY key = platform.SetupDiOpenClassRegKey(&kUsbClass, win::KEY_READ);
    win::DWORD type = 0;
    win::DWORD size = 2;
    win::BYTE data[8] = {};
    EXPECT_EQ(static_cast<win::LONG>(win::ERROR_MORE_DATA),
              platform.RegQueryValueExA(key, "upperfilters", nullptr, &type, data, &size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(0, platform.RegQueryValueExA(key, "UpperFilters", nullptr, &type, data, &size));
    EXPECT_EQ(0, std::memcmp("ab\0\0", data, 4));
    EXPECT_EQ(static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND),
              platform.RegQueryValueExA(key, "LowerFilters", nullptr, &type, nullptr, &size));
    EXPECT_EQ(0, platform.RegCloseKey(key));
    EXPECT_EQ(static_cast<win::LONG>(win::ERROR_INVALID_HANDLE),
              platform.RegQueryValueExA(key, "UpperFilters", nullptr, &type, nullptr, &size));
    EXPECT_EQ(0u, platform.OpenRegistryKeys());
}

// The class list's size protocol counts GUIDs; NoUseClass classes are
// never listed, as on Windows.
TEST_F(SimDeviceDatabaseTest, ClassListTwoCallsAndHiddenClasses) {
    machine().classes.push_back(Class(kHidClass, "HIDClass"));
    machine().classes.push_back(Class(kMissingClass, "Hidden"));
    machine().classes.back().values["NoUseClass"] = machine::RegValue::String("");
    win::DWORD required = 0;
    EXPECT_FALSE(platform.SetupDiBuildClassInfoList(0, nullptr, 0, &required));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_EQ(2u, required);
    win::GUID guids[2] = {};
    EXPECT_FALSE(platform.SetupDiBuildClassInfoList(0, guids, 1, &required));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    EXPECT_TRUE(platform.SetupDiBuildClassInfoList(0, guids, 2, &required));
    EXPECT_TRUE(guids[0] == kUsbClass && guids[1] == kHidClass);
    EXPECT_FALSE(platform.SetupDiBuildClassInfoList(0, guids, 2, nullptr));
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, platform.GetLastError());
}

}  // namespace
