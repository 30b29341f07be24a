#include <gtest/gtest.h>

#include "devices/dev_node_list.h"
#include "devices/device_machine.h"
#include "devices/driver_stack.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

class DriverStackTest : public MachineTest {
  protected:
    DriverStackTest() {
        machine().classes.push_back(Class(kUsbClass, "USB"));
        machine().classes.push_back(Class(kHidClass, "HIDClass"));
        machine().devices.push_back(Device("USB\\HUB\\1", kUsbText, "usbhub"));
    }

    machine::Device& device() { return machine().devices[0]; }
    const DevNode& Node(std::uint32_t index = 0) {
        if (list.Count() == 0) {
            EXPECT_EQ(0u, list.LoadDevices(nullptr));
        }
        log.messages.clear();
        return list.At(index);
    }

    DevNodeList list;
    DriverStack stack;
};

TEST_F(DriverStackTest, NoFiltersAnywhere) {
    EXPECT_EQ(0u, stack.LoadStack(Node()));
    EXPECT_TRUE(stack.UpperClassFilters.empty());
    EXPECT_TRUE(stack.UpperDeviceFilters.empty());
    EXPECT_TRUE(stack.LowerClassFilters.empty());
    EXPECT_TRUE(stack.LowerDeviceFilters.empty());
    EXPECT_EQ("usbhub", stack.FunctionDriverService);
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DriverStackTest, EachSourceLandsInItsOwnField) {
    machine().classes[0].values["UpperFilters"] = machine::RegValue::MultiString({"cu1", "cu2"});
    machine().classes[0].values["LowerFilters"] = machine::RegValue::MultiString({"cl"});
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"du"});
    device().properties[win::SPDRP_LOWERFILTERS] = machine::RegValue::MultiString({"dl1", "dl2"});
    EXPECT_EQ(0u, stack.LoadStack(Node()));
    EXPECT_EQ((StringList{"cu1", "cu2"}), stack.UpperClassFilters);
    EXPECT_EQ(StringList{"du"}, stack.UpperDeviceFilters);
    EXPECT_EQ("usbhub", stack.FunctionDriverService);
    EXPECT_EQ(StringList{"cl"}, stack.LowerClassFilters);
    EXPECT_EQ((StringList{"dl1", "dl2"}), stack.LowerDeviceFilters);
}

TEST_F(DriverStackTest, ClassFiltersComeFromTheClassTheDeviceNames) {
    machine().classes[0].values["UpperFilters"] = machine::RegValue::MultiString({"usbflt"});
    machine().classes[1].values["UpperFilters"] = machine::RegValue::MultiString({"hidflt"});
    // Enumerated as USB, but its own class property names HID.
    EXPECT_EQ(0u, list.LoadDevices(&kUsbClass));
    device().properties[win::SPDRP_CLASSGUID] = machine::RegValue::String(kHidText);
    EXPECT_EQ(0u, stack.LoadStack(list.At(0)));
    EXPECT_EQ(StringList{"hidflt"}, stack.UpperClassFilters);
}

TEST_F(DriverStackTest, WithoutServiceEverythingButTheServiceIsLoaded) {
    device().properties.erase(win::SPDRP_SERVICE);
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"du"});
    machine().classes[0].values["LowerFilters"] = machine::RegValue::MultiString({"cl"});
    EXPECT_EQ(1u, stack.LoadStack(Node()));
    EXPECT_EQ(StringList{"du"}, stack.UpperDeviceFilters);
    EXPECT_EQ(StringList{"cl"}, stack.LowerClassFilters);
    EXPECT_EQ("", stack.FunctionDriverService);
    EXPECT_EQ(
        (std::vector<std::string>{"GetRegistryProperty: found property values = 0, expected: 1\n",
                                  "LoadStack: GetServiceName failed with error 0x00000001.\n"}),
        log.Problems());
}

TEST_F(DriverStackTest, SecondLoadKeepsNothingOfTheFirst) {
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"du"});
    machine().classes[0].values["LowerFilters"] = machine::RegValue::MultiString({"cl"});
    machine().devices.push_back(Device("HID\\K\\1", kHidText, ""));
    EXPECT_EQ(0u, stack.LoadStack(Node(0)));
    EXPECT_EQ(1u, stack.LoadStack(Node(1)));
    EXPECT_TRUE(stack.UpperDeviceFilters.empty());
    EXPECT_TRUE(stack.LowerClassFilters.empty());
    EXPECT_EQ("", stack.FunctionDriverService);
}

TEST_F(DriverStackTest, InvalidClassGuidTextEmptiesEverything) {
    machine().devices.push_back(Device("USB\\X\\1", "{not-a-guid}"));
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"du"});
    EXPECT_EQ(0u, stack.LoadStack(Node(0)));
    // Listed for all classes only: its class property names no class.
    EXPECT_EQ(1u, stack.LoadStack(Node(1)));
    EXPECT_TRUE(stack.UpperDeviceFilters.empty());
    EXPECT_EQ("", stack.FunctionDriverService);
    EXPECT_EQ((std::vector<std::string>{
                  "GuidFromString: CLSIDFromString failed with error = 0x800401F3 (HRESULT)\n",
                  "LoadStack: GuidFromString failed with error 0x00000001.\n"}),
              log.Problems());
}

TEST_F(DriverStackTest, FailuresOfEachStepAreNamed) {
    struct Case {
        const char* function;
        std::uint32_t call;  // of that function within one LoadStack
        const char* trace;
    };
    const Case cases[] = {
        {"SetupDiGetDeviceRegistryPropertyA", 1, "LoadStack: GetClassGuid failed with error"},
        {"SetupDiOpenClassRegKey", 1, "LoadStack: get upper class filters failed with error"},
        {"SetupDiOpenClassRegKey", 2, "LoadStack: get lower class filters failed with error"},
        {"SetupDiGetDeviceRegistryPropertyA", 3, "LoadStack: get upper device filters failed"},
        {"SetupDiGetDeviceRegistryPropertyA", 4, "LoadStack: get lower device filters failed"},
        {"SetupDiGetDeviceRegistryPropertyA", 5, "LoadStack: GetServiceName failed with error"},
    };
    const DevNode& node = Node();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trace);
        platform.faults().Clear();
        platform.faults().AddOnCall(c.function, c.call, win::ERROR_ACCESS_DENIED);
        log.messages.clear();
        EXPECT_EQ(win::ERROR_ACCESS_DENIED, stack.LoadStack(node));
        ASSERT_FALSE(log.Problems().empty());
        EXPECT_EQ(0u, log.Problems().back().rfind(c.trace, 0));
        EXPECT_NE(std::string::npos, log.Problems().back().find("0x00000005.\n"));
    }
    EXPECT_EQ(0u, platform.OpenRegistryKeys());
}

}  // namespace
