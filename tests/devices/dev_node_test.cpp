#include <gtest/gtest.h>

#include "devices/dev_node.h"
#include "devices/dev_node_list.h"
#include "devices/device_setup_class.h"
#include "devices/device_machine.h"
#include "platform/buffer.h"
#include "support/machine_test.h"

namespace {

using namespace devtest;

const char kUnexpectedType[] = "GetRegistryProperty: property (ID = %u) is of unexpected type %u\n";
const char kCount[] = "GetRegistryProperty: found property values = %u, expected: 1\n";

// One device opened into a list, as the report reads it.
class DevNodeTest : public MachineTest {
  protected:
    DevNodeTest() {
        machine().classes.push_back(Class(kUsbClass, "USB"));
        machine().devices.push_back(Device("USB\\ROOT_HUB\\1", kUsbText, "usbhub"));
    }
    ~DevNodeTest() override { ResetAllocationFailures(); }

    machine::Device& device() { return machine().devices[0]; }
    const DevNode& Node() {
        if (list.Count() == 0) {
            EXPECT_EQ(0u, list.LoadDevice(device().instanceId));
        }
        log.messages.clear();
        return list.At(0);
    }

    DevNodeList list;
};

TEST_F(DevNodeTest, InstanceId) {
    std::string id = "stale";
    EXPECT_EQ(0u, GetDeviceInstanceID(Node(), id));
    EXPECT_EQ("USB\\ROOT_HUB\\1", id);
    EXPECT_EQ(2u, platform.calls().Count("SetupDiGetDeviceInstanceIdA"));
}

TEST_F(DevNodeTest, InstanceIdFailuresLeaveItEmpty) {
    const DevNode& node = Node();
    std::string id = "stale";
    platform.faults().AddOnCall("SetupDiGetDeviceInstanceIdA", 1, win::ERROR_INVALID_HANDLE);
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, GetDeviceInstanceID(node, id));
    EXPECT_EQ("", id);
    id = "stale";
    platform.faults().AddOnCall("SetupDiGetDeviceInstanceIdA", 3, win::ERROR_GEN_FAILURE);
    EXPECT_EQ(win::ERROR_GEN_FAILURE, GetDeviceInstanceID(node, id));
    EXPECT_EQ("", id);
    FailAllocations(0, 1);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, GetDeviceInstanceID(node, id));
    EXPECT_EQ((std::vector<std::string>{
                  "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve required "
                  "buffer size failed with error = 0x00000006\n",
                  "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve device "
                  "instance ID failed with error = 0x0000001F\n"}),
              log.Problems());
}

// A call that fails without setting an error must not pass for an answer: a
// filter list that cannot be read is not an empty one.
TEST_F(DevNodeTest, FailuresThatSetNoErrorStillFail) {
    const DevNode& node = Node();
    std::string id = "stale";
    platform.faults().Add("SetupDiGetDeviceInstanceIdA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, GetDeviceInstanceID(node, id));
    EXPECT_EQ("", id);
    platform.faults().Clear();
    platform.faults().AddOnCall("SetupDiGetDeviceRegistryPropertyA", 1, win::ERROR_SUCCESS);
    StringList filters;
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION,
              GetRegistryProperty(filters, node, win::SPDRP_UPPERFILTERS));
    device().properties[win::SPDRP_UPPERFILTERS] = machine::RegValue::MultiString({"flt"});
    platform.faults().AddOnCall("SetupDiGetDeviceRegistryPropertyA", 3, win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION,
              GetRegistryProperty(filters, node, win::SPDRP_UPPERFILTERS));
    EXPECT_TRUE(filters.empty());

    DevNodeList other;
    platform.faults().Add("SetupDiOpenDeviceInfoA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, other.LoadDevice(device().instanceId));
    EXPECT_EQ(0u, other.Count());
    platform.faults().Add("SetupDiGetClassDevsA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, other.LoadDevices(&kUsbClass));
    platform.faults().Add("SetupDiClassNameFromGuidA", win::ERROR_SUCCESS);
    std::string name;
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, DeviceSetupClass(kUsbClass).GetClassName(name));
}

TEST_F(DevNodeTest, NamedSingleValues) {
    const DevNode& node = Node();
    std::string value;
    EXPECT_EQ(0u, GetDescription(node, value));
    EXPECT_EQ("Device USB\\ROOT_HUB\\1", value);
    EXPECT_EQ(0u, GetServiceName(node, value));
    EXPECT_EQ("usbhub", value);
    EXPECT_EQ(0u, GetClassGuid(node, value));
    EXPECT_EQ(kUsbText, value);
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(DevNodeTest, ListPropertiesKeepStoredOrder) {
    device().properties[win::SPDRP_HARDWAREID] =
        machine::RegValue::MultiString({"USB\\ROOT_HUB&VID8086", "USB\\ROOT_HUB"});
    StringList values;
    EXPECT_EQ(0u, GetRegistryProperty(values, Node(), win::SPDRP_HARDWAREID));
    EXPECT_EQ((StringList{"USB\\ROOT_HUB&VID8086", "USB\\ROOT_HUB"}), values);
    // Two values are not one.
    std::string value = "kept";
    EXPECT_EQ(1u, GetRegistryProperty(value, Node(), win::SPDRP_HARDWAREID));
    EXPECT_EQ("kept", value);
    EXPECT_EQ(std::vector<std::string>{Text(kCount, 2)}, log.Problems());
}

TEST_F(DevNodeTest, MissingPropertyIsAnEmptyListButNoSingleValue) {
    device().properties.erase(win::SPDRP_SERVICE);
    const DevNode& node = Node();
    StringList values = {"stale"};
    EXPECT_EQ(0u, GetRegistryProperty(values, node, win::SPDRP_UPPERFILTERS));
    EXPECT_TRUE(values.empty());
    EXPECT_TRUE(log.Problems().empty());
    std::string value;
    EXPECT_EQ(1u, GetServiceName(node, value));
    EXPECT_EQ(std::vector<std::string>{Text(kCount, 0)}, log.Problems());
}

TEST_F(DevNodeTest, UnlistedPropertyCode) {
    // Lacking it, the first call ends the read before the code is looked at.
    StringList values = {"stale"};
    EXPECT_EQ(0u, GetRegistryProperty(values, Node(), win::SPDRP_FRIENDLYNAME));
    EXPECT_TRUE(values.empty());
    EXPECT_TRUE(log.Problems().empty());

    device().properties[win::SPDRP_FRIENDLYNAME] = machine::RegValue::String("Maker");
    EXPECT_EQ(1u, GetRegistryProperty(values, Node(), win::SPDRP_FRIENDLYNAME));
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(3u, platform.calls().Count("SetupDiGetDeviceRegistryPropertyA"));
    EXPECT_EQ((std::vector<std::string>{"GetRegistryProperty: Unexpected property (ID = 12). "
                                        "Please implement the appropriate case!\n"}),
              log.Problems());
}

TEST_F(DevNodeTest, ZeroBytePropertyWarns) {
    device().properties[win::SPDRP_DEVICEDESC] = Bytes(win::REG_SZ, "");
    const DevNode& node = Node();
    StringList values = {"stale"};
    EXPECT_EQ(0u, GetRegistryProperty(values, node, win::SPDRP_DEVICEDESC));
    EXPECT_TRUE(values.empty());
    std::string value;
    EXPECT_EQ(1u, GetDescription(node, value));
    EXPECT_EQ((std::vector<std::string>{"GetRegistryProperty: property with 0 bytes detected.\n",
                                        "GetRegistryProperty: property with 0 bytes detected.\n",
                                        Text(kCount, 0)}),
              log.Problems());
}

TEST_F(DevNodeTest, UnterminatedDataIsReadWithinTheBuffer) {
    device().properties[win::SPDRP_DEVICEDESC] = Bytes(win::REG_SZ, "Hub");
    device().properties[win::SPDRP_UPPERFILTERS] = Bytes(win::REG_MULTI_SZ, std::string("a\0b", 3));
    const DevNode& node = Node();
    std::string value;
    EXPECT_EQ(0u, GetDescription(node, value));
    EXPECT_EQ("Hub", value);
    StringList values;
    EXPECT_EQ(0u, GetRegistryProperty(values, node, win::SPDRP_UPPERFILTERS));
    EXPECT_EQ(StringList{"a"}, values);
    EXPECT_EQ(std::vector<std::string>{"ConvertMultiStringToList: Invalid multistring termination "
                                       "or invalid size 3\n"},
              log.Problems());
}

TEST_F(DevNodeTest, UnexpectedTypesWarnAndAreReadAsExpected) {
    device().properties[win::SPDRP_SERVICE] = machine::RegValue::MultiString({"usbhub"});
    device().properties[win::SPDRP_LOWERFILTERS] = machine::RegValue::String("low");
    const DevNode& node = Node();
    std::string value;
    EXPECT_EQ(0u, GetServiceName(node, value));
    EXPECT_EQ("usbhub", value);
    StringList values;
    // "low\0" read as a multi-string lacks its closing empty string.
    EXPECT_EQ(0u, GetRegistryProperty(values, node, win::SPDRP_LOWERFILTERS));
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(Text(kUnexpectedType, 4, 7), log.Problems().at(0));
    EXPECT_EQ(Text(kUnexpectedType, 18, 1), log.Problems().at(1));
}

TEST_F(DevNodeTest, PropertyReadFailures) {
    const DevNode& node = Node();
    StringList values;
    platform.faults().AddOnCall("SetupDiGetDeviceRegistryPropertyA", 1, win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, GetRegistryProperty(values, node, win::SPDRP_SERVICE));
    platform.faults().AddOnCall("SetupDiGetDeviceRegistryPropertyA", 3, win::ERROR_GEN_FAILURE);
    std::string value = "kept";
    EXPECT_EQ(win::ERROR_GEN_FAILURE, GetServiceName(node, value));
    EXPECT_EQ("kept", value);
    FailAllocations(0, 1);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, GetRegistryProperty(values, node, win::SPDRP_SERVICE));
    EXPECT_EQ((std::vector<std::string>{
                  "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve "
                  "required buffer size failed with error = 0x00000005\n",
                  "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve "
                  "property value failed with error = 0x0000001F\n",
                  "GetRegistryProperty: GetRegistryProperty failed with error = 0x0000001F\n"}),
              log.Problems());
}

}  // namespace
