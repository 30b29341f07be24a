// The Setup Classes dialog's rows: the two switches first as they stand,
// then every other installed class by name with its present devices, and
// the check marks back into the same selection.
#include <gtest/gtest.h>

#include "devices/device_machine.h"
#include "support/machine_test.h"
#include "ui/setup_class_rows.h"

namespace {

using namespace devtest;

constexpr win::GUID kNetClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
const char kNetText[] = "{4d36e972-e325-11ce-bfc1-08002be10318}";

class SetupClassRowsTest : public MachineTest {};

TEST_F(SetupClassRowsTest, SwitchesFirstThenClassesByNameWithTheirDevices) {
    machine().classes = {Class(kUsbClass, "USB"), Class(kNetClass, "Net"),
                         Class(kHidClass, "HIDClass")};
    machine().devices = {Device("PCI\\NIC\\1", kNetText), Device("ROOT\\NET\\0000", kNetText),
                         Device("HID\\GONE\\1", kHidText, "hid", false)};
    ClassSelection current;
    current.showUSB = false;
    current.classes = {kNetClass};

    const std::vector<SetupClassRow> rows = SetupClassRows(current);
    ASSERT_EQ(4u, rows.size());
    const char* expected[][3] = {{"USB", "no devices", "0"},
                                 {"IEEE 1394", "not installed", "1"},
                                 {"HIDClass", "no devices", "0"},
                                 {"Net", "2 devices", "1"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(expected[i][0], rows[i].name) << i;
        EXPECT_EQ(expected[i][1], rows[i].devices) << i;
        EXPECT_EQ(expected[i][2][0] == '1', rows[i].checked) << i;
    }
    EXPECT_EQ(kNetText, rows[3].guidText);

    const ClassSelection back = SelectionFromRows(rows);
    EXPECT_FALSE(back.showUSB);
    EXPECT_TRUE(back.show1394);
    ASSERT_EQ(1u, back.classes.size());
    EXPECT_TRUE(back.classes[0] == kNetClass);
}

}  // namespace
