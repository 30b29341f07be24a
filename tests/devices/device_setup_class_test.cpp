#include <gtest/gtest.h>

#include "devices/device_machine.h"
#include "devices/device_setup_class.h"
#include "platform/buffer.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

class DeviceSetupClassTest : public MachineTest {
  protected:
    DeviceSetupClassTest() { machine().classes.push_back(Class(kUsbClass, "USB")); }
    ~DeviceSetupClassTest() override {
        ResetAllocationFailures();
        EXPECT_EQ(0u, platform.OpenRegistryKeys());
    }

    void SetValue(const std::string& name, machine::RegValue value) {
        machine().classes[0].values[name] = std::move(value);
    }

    DeviceSetupClass usb{kUsbClass};
};

TEST_F(DeviceSetupClassTest, ClassName) {
    std::string name = "stale";
    EXPECT_EQ(0u, usb.GetClassName(name));
    EXPECT_EQ("USB", name);

    name = "stale";
    EXPECT_EQ(win::ERROR_INVALID_CLASS, DeviceSetupClass(kMissingClass).GetClassName(name));
    EXPECT_EQ("", name);
    EXPECT_EQ(std::vector<std::string>{"GetClassName: SetupDiClassNameFromGuid failed with error "
                                       "0xE0000206.\n"},
              log.Problems());
}

TEST_F(DeviceSetupClassTest, ClassNameOfThirtyOneCharactersFitsThirtyTwoDoNot) {
    machine().classes[0].name = std::string(31, 'n');
    std::string name;
    EXPECT_EQ(0u, usb.GetClassName(name));
    EXPECT_EQ(std::string(31, 'n'), name);

    machine().classes[0].name = std::string(32, 'n');
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, usb.GetClassName(name));
    EXPECT_EQ("", name);
}

TEST_F(DeviceSetupClassTest, FiltersInStoredOrder) {
    SetValue("UpperFilters", machine::RegValue::MultiString({"fltB", "fltA"}));
    SetValue("LowerFilters", machine::RegValue::String("low"));
    StringList filters = {"stale"};
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_EQ((StringList{"fltB", "fltA"}), filters);
    EXPECT_EQ(0u, usb.GetLowerFilters(filters));
    EXPECT_EQ(StringList{"low"}, filters);
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DeviceSetupClassTest, AbsentFilterValueIsNoFailure) {
    StringList filters = {"stale"};
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    EXPECT_EQ((std::vector<std::string>{"DeviceSetupClass::GetUpperFilters ...\n",
                                        "DeviceSetupClass::GetRegistryValue 'UpperFilters'...\n",
                                        "GetRegistryValue: value 'UpperFilters' not found.\n"}),
              log.Texts(LOG_INFO));
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DeviceSetupClassTest, MultiStringsWithoutTerminatorsStillYieldAllNames) {
    StringList filters;
    SetValue("UpperFilters", Bytes(win::REG_MULTI_SZ, std::string("a\0bc\0", 5)));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_EQ((StringList{"a", "bc"}), filters);

    SetValue("UpperFilters", Bytes(win::REG_MULTI_SZ, std::string("a\0bc", 4)));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_EQ((StringList{"a", "bc"}), filters);

    SetValue("UpperFilters", Bytes(win::REG_SZ, "abc"));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_EQ(StringList{"abc"}, filters);
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DeviceSetupClassTest, TinyStringValues) {
    StringList filters = {"stale"};
    SetValue("UpperFilters", Bytes(win::REG_MULTI_SZ, ""));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    // One byte: nothing to split, and no trace.
    SetValue("UpperFilters", Bytes(win::REG_MULTI_SZ, "x"));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    SetValue("UpperFilters", Bytes(win::REG_EXPAND_SZ, ""));
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DeviceSetupClassTest, ExpandStringIsNotExpanded) {
    SetValue("LowerFilters", machine::RegValue::String("%SystemRoot%\\x", win::REG_EXPAND_SZ));
    StringList filters;
    EXPECT_EQ(0u, usb.GetLowerFilters(filters));
    EXPECT_EQ(StringList{"%SystemRoot%\\x"}, filters);
}

TEST_F(DeviceSetupClassTest, UnsupportedTypesFail) {
    StringList filters = {"stale"};
    SetValue("UpperFilters", machine::RegValue::Dword(7));
    EXPECT_EQ(1u, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    SetValue("UpperFilters", Bytes(win::REG_BINARY, "\x01\x02"));
    EXPECT_EQ(1u, usb.GetUpperFilters(filters));
    EXPECT_EQ((std::vector<std::string>{
                  "GetRegistryValue: parameter 'DwordValue' is NULL but required to return the "
                  "value.\n",
                  "GetUpperFilters: GetRegistryValue failed with error 0x00000001.\n",
                  "GetRegistryValue: registry value type 3 is currently not supported.\n",
                  "GetUpperFilters: GetRegistryValue failed with error 0x00000001.\n"}),
              log.Problems());
}

TEST_F(DeviceSetupClassTest, DestinationsAreChecked) {
    SetValue("Flags", machine::RegValue::Dword(0x1234));
    SetValue("Name", machine::RegValue::String("x"));
    std::uint32_t dword = 0;
    EXPECT_EQ(0u, usb.GetRegistryValue("Flags", nullptr, &dword));
    EXPECT_EQ(0x1234u, dword);
    EXPECT_EQ(1u, usb.GetRegistryValue("Name", nullptr, &dword));
    EXPECT_EQ((std::vector<std::string>{"GetRegistryValue: parameter 'Strings' is NULL but "
                                        "required to return the value.\n"}),
              log.Problems());
    StringList strings;
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, usb.GetRegistryValue("None", &strings, nullptr));
    // The class name is a value of the class key too.
    EXPECT_EQ(0u, usb.GetRegistryValue("Class", &strings, nullptr));
    EXPECT_EQ(StringList{"USB"}, strings);
}

TEST_F(DeviceSetupClassTest, PlatformFailuresArePassedUpAndTheKeyClosed) {
    StringList filters = {"stale"};
    EXPECT_EQ(win::ERROR_INVALID_CLASS, DeviceSetupClass(kMissingClass).GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());

    SetValue("UpperFilters", machine::RegValue::MultiString({"a"}));
    platform.faults().AddOnCall("RegQueryValueExA", 1, win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, usb.GetUpperFilters(filters));
    platform.faults().AddOnCall("RegQueryValueExA", 3, win::ERROR_MORE_DATA);
    EXPECT_EQ(win::ERROR_MORE_DATA, usb.GetUpperFilters(filters));
    EXPECT_TRUE(filters.empty());
    EXPECT_EQ((std::vector<std::string>{
                  "GetRegistryValue: SetupDiOpenClassRegKey failed with error 0xE0000206.\n",
                  "GetUpperFilters: GetRegistryValue failed with error 0xE0000206.\n",
                  "GetRegistryValue: RegQueryValueEx failed to get value type and size with "
                  "error 0x00000005.\n",
                  "GetUpperFilters: GetRegistryValue failed with error 0x00000005.\n",
                  "GetRegistryValue: RegQueryValueEx failed to get string type value with error "
                  "0x000000EA.\n",
                  "GetUpperFilters: GetRegistryValue failed with error 0x000000EA.\n"}),
              log.Problems());
}

TEST_F(DeviceSetupClassTest, NoMemoryForTheValue) {
    SetValue("UpperFilters", machine::RegValue::MultiString({"a"}));
    FailAllocations(0, 1);
    StringList filters;
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, usb.GetUpperFilters(filters));
}

TEST_F(DeviceSetupClassTest, FailedCloseIsTracedButNotAFailure) {
    SetValue("UpperFilters", machine::RegValue::MultiString({"a"}));
    platform.faults().Add("RegCloseKey", win::ERROR_INVALID_HANDLE);
    StringList filters;
    EXPECT_EQ(0u, usb.GetUpperFilters(filters));
    EXPECT_EQ(StringList{"a"}, filters);
    EXPECT_EQ(
        (std::vector<std::string>{"GetRegistryValue: RegCloseKey failed with error 0x00000006.\n"}),
        log.Problems());
    // A close that failed left the key open.
}

}  // namespace
