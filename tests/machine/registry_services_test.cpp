#include "machine/registry_services.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(RegistryServicesTest, OneKeyPerServiceWithItsConfiguration) {
    machine::Machine machine;
    machine::Service hub;
    hub.name = "usbhub";
    hub.binaryPath = "%SystemRoot%\\system32\\drivers\\usbhub.sys";
    hub.displayName = "USB Hub";
    machine.services["usbhub"] = hub;
    machine::Service bare;
    bare.name = "bare";
    bare.startType = 4;
    machine.services["bare"] = bare;
    machine::RegistryExport reg;
    machine::AddServiceKeys(reg, machine);
    const std::string& text = reg.Text();

    const std::string hubKey =
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\usbhub]\r\n";
    const std::size_t at = text.find(hubKey);
    ASSERT_NE(std::string::npos, at);
    const std::string hubPart = text.substr(at);
    EXPECT_NE(std::string::npos, hubPart.find("\"Type\"=dword:00000001\r\n"));
    EXPECT_NE(std::string::npos, hubPart.find("\"Start\"=dword:00000003\r\n"));
    EXPECT_NE(std::string::npos, hubPart.find("\"ErrorControl\"=dword:00000001\r\n"));
    EXPECT_NE(std::string::npos, hubPart.find("\"ImagePath\"=hex(2):25,"));  // expandable
    EXPECT_NE(std::string::npos, hubPart.find("\"DisplayName\"=\"USB Hub\"\r\n"));

    // A service without a path or display name gets neither value.
    const std::size_t bareAt = text.find("Services\\bare]\r\n");
    ASSERT_NE(std::string::npos, bareAt);
    const std::string barePart = text.substr(bareAt, at > bareAt ? at - bareAt : std::string::npos);
    EXPECT_NE(std::string::npos, barePart.find("\"Start\"=dword:00000004\r\n"));
    EXPECT_EQ(std::string::npos, barePart.find("ImagePath"));
    EXPECT_EQ(std::string::npos, barePart.find("DisplayName"));
}

}  // namespace
