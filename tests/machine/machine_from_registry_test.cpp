#include "machine/machine_from_registry.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "machine/driver_folder.h"
#include "support/carried_machine.h"
#include "support/scratch_dir.h"

namespace {

constexpr const char* kUsbGuid = "{36fc9e60-c465-11cf-8056-444553540000}";

std::string Ccs(const std::string& rest) {
    return "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\" + rest + "]\n";
}

bool Import(const std::string& body, machine::Machine& machine, std::string& error) {
    const std::string text = "REGEDIT4\n" + body;
    machine::RegistryTree tree;
    return machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                                 "t.reg", tree, error) &&
           machine::MachineFromRegistry(std::move(tree), machine, error);
}

machine::Machine Imported(const std::string& body) {
    machine::Machine machine;
    std::string error;
    EXPECT_TRUE(Import(body, machine, error)) << error;
    return machine;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kWindows10 =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"CurrentVersion\"=\"6.3\"\n"
    "\"CurrentMajorVersionNumber\"=dword:0000000a\n"
    "\"CurrentMinorVersionNumber\"=dword:00000000\n"
    "\"CurrentBuildNumber\"=\"19045\"\n"
    "\"BuildLabEx\"=\"19041.1.amd64fre.vb_release.191206-1406\"\n"
    "\"SystemRoot\"=\"C:\\\\WINDOWS\"\n" +
    Ccs("Control\\Windows") + "\"CSDVersion\"=dword:00000000\n" + Ccs("Control\\ProductOptions") +
    "\"ProductType\"=\"WinNT\"\n"
    "\"ProductSuite\"=hex(7):54,65,72,6d,69,6e,61,6c,20,53,65,72,76,65,72,00,00\n" +
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n"
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\1]\n"
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\1\\x]\n";

TEST(MachineFromRegistryTest, ReleaseFromCurrentVersionAndTheControlSet) {
    const machine::Machine w10 = Imported(kWindows10);
    EXPECT_EQ(10u, w10.os.major);
    EXPECT_EQ(0u, w10.os.minor);
    EXPECT_EQ(19045u, w10.os.build);
    EXPECT_EQ(0, w10.os.servicePackMajor);
    EXPECT_EQ(win::VER_NT_WORKSTATION, w10.os.productType);
    EXPECT_EQ(win::VER_SUITE_TERMINAL | win::VER_SUITE_SINGLEUSERTS, w10.os.suiteMask);
    EXPECT_TRUE(w10.os.is64BitWindows);
    EXPECT_TRUE(w10.os.hasIsWow64Process);
    EXPECT_EQ(2u, w10.os.processorCount);
    EXPECT_EQ("C:\\WINDOWS\\system32", w10.systemDirectory);
    // Only the device database and services are missing from this export.
    for (const machine::Fault& fault : w10.faults) {
        EXPECT_EQ(std::string::npos,
                  std::string("VerifyVersionInfoA IsWow64Process GetSystemDirectoryA")
                      .find(fault.function))
            << fault.function;
    }

    // XP SP1: the dotted version, the service pack from the kernel's number
    // over the text, no IsWow64Process yet; an application server.
    const machine::Machine xp = Imported(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
        "\"CurrentVersion\"=\"5.1\"\n\"CurrentBuildNumber\"=\"2600\"\n"
        "\"CSDVersion\"=\"Service Pack 1a\"\n\"SystemRoot\"=\"D:\\\\WINNT\"\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Control\\Windows]\n"
        "\"CSDVersion\"=dword:00000100\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Control\\ProductOptions]\n"
        "\"ProductType\"=\"LanmanNT\"\n"
        "\"ProductSuite\"=hex(7):45,6e,74,65,72,70,72,69,73,65,00,54,65,72,6d,69,6e,61,6c,20,53,"
        "65,72,76,65,72,00,00\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Control\\Terminal Server]\n"
        "\"TSAppCompat\"=dword:00000001\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Control\\Session Manager\\Environment]\n"
        "\"PROCESSOR_ARCHITECTURE\"=\"x86\"\n");
    EXPECT_EQ(5u, xp.os.major);
    EXPECT_EQ(1u, xp.os.minor);
    EXPECT_EQ(1, xp.os.servicePackMajor);
    EXPECT_EQ("Service Pack 1a", xp.os.csdVersion);
    EXPECT_EQ(win::VER_NT_DOMAIN_CONTROLLER, xp.os.productType);
    EXPECT_EQ(win::VER_SUITE_ENTERPRISE | win::VER_SUITE_TERMINAL, xp.os.suiteMask);
    EXPECT_FALSE(xp.os.is64BitWindows);
    EXPECT_FALSE(xp.os.hasIsWow64Process);
    EXPECT_EQ("D:\\WINNT\\system32", xp.systemDirectory);
}

TEST(MachineFromRegistryTest, TheCurrentControlSetIsChosenAsWindowsChoosesIt) {
    const std::string sets =
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Services\\one]\n\"Type\"=dword:1\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Services\\two]\n\"Type\"=dword:1\n";
    machine::Machine machine;
    std::string error;
    EXPECT_FALSE(Import(sets, machine, error));
    EXPECT_TRUE(Contains(error, "several control sets")) << error;

    machine = Imported(sets + "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:2\n");
    EXPECT_EQ(1u, machine.services.count("two"));
    EXPECT_EQ(0u, machine.services.count("one"));

    EXPECT_FALSE(Import(sets + "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:3\n",
                        machine, error));
    EXPECT_TRUE(Contains(error, "ControlSet003")) << error;

    // A key exported by its CurrentControlSet name is the current one.
    machine = Imported(sets + Ccs("Services\\three") + "\"Type\"=dword:1\n");
    EXPECT_EQ(1u, machine.services.count("three"));
    EXPECT_EQ(1u, machine.services.size());
}

TEST(MachineFromRegistryTest, WithoutTheHardwareKeyTheCurrentControlSetCountsTheProcessors) {
    const std::string environment = "\\Control\\Session Manager\\Environment]\n";
    const std::string sets =
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:2\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001" +
        environment + "\"NUMBER_OF_PROCESSORS\"=\"4\"\n" +
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002" + environment +
        "\"NUMBER_OF_PROCESSORS\"=\"6\"\n";
    EXPECT_EQ(6u, Imported(sets).os.processorCount);
    EXPECT_EQ(2u,
              Imported(sets + kWindows10.substr(kWindows10.find("[HKEY_LOCAL_MACHINE\\HARDWARE")))
                  .os.processorCount);
}

// A machine's last good configuration stays behind in another control set:
// its older driver package must not stand in for the current one.
TEST(MachineFromRegistryTest, DeviceFactsComeFromTheControlSetSelectNames) {
    auto set = [](int n, const std::string& rest) {
        return "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet00" + std::to_string(n) + "\\" + rest +
               "]\n";
    };
    const std::string key = std::string(kUsbGuid);
    const machine::Machine m = Imported(
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:2\n\"LastKnownGood\"=dword:1\n" +
        set(1, "Enum\\USB\\X\\1") + "\"ConfigFlags\"=dword:40\n\"Driver\"=\"" + key +
        "\\\\0000\"\n" + set(1, "Control\\Class\\" + key + "\\0000") +
        "\"DriverVersion\"=\"1.0\"\n" + set(2, "Enum\\USB\\X\\1") +
        "\"ConfigFlags\"=dword:0\n\"Driver\"=\"" + key + "\\\\0001\"\n" +
        set(2, "Control\\Class\\" + key + "\\0001") + "\"DriverVersion\"=\"2.0\"\n");
    ASSERT_EQ(1u, m.devices.size());
    EXPECT_EQ(machine::RegValue::Dword(0).data,
              m.devices[0].properties.at(win::SPDRP_CONFIGFLAGS).data);
    EXPECT_EQ(machine::RegValue::String(key + "\\0001").data,
              m.devices[0].properties.at(win::SPDRP_DRIVER).data);
    ASSERT_EQ(1u, m.driverKeys.size());
    EXPECT_EQ(machine::RegValue::String("2.0").data,
              m.driverKeys.at(key + "\\0001").at("DriverVersion").data);
}

TEST(MachineFromRegistryTest, ClassesDevicesAndServicesKeepWhatIsStored) {
    const machine::Machine m = Imported(
        Ccs(std::string("Control\\Class\\") + kUsbGuid) +
        "\"Class\"=\"USB\"\n\"UpperFilters\"=hex(7):66,00,00\n" +
        Ccs("Control\\Class\\{6bdd1fc1-810f-11d0-bec7-08002be2092f}") + "\"NoClassName\"=\"\"\n" +
        Ccs("Control\\Class\\NotAGuid") + "\"Class\"=\"X\"\n" +
        Ccs("Enum\\usb\\Root_Hub20\\4&1b&0") +
        "\"DeviceDesc\"=\"@usb.inf,%usb\\\\roothub20.devicedesc%;USB Root Hub (USB 2.0)\"\n"
        "\"Mfg\"=\"@usb.inf,%no.fallback%\"\n"
        "\"ClassGUID\"=\"" +
        kUsbGuid +
        "\"\n"
        "\"Service\"=\"usbhub\"\n"
        "\"LowerFilters\"=hex(7):61,62\n"
        "\"UnknownValue\"=\"not a property\"\n" +
        Ccs("Enum\\USB\\ROOT_HUB20\\4&1b&0\\Device Parameters") + "\"x\"=dword:1\n" +
        Ccs("Services\\usbhub") +
        "\"Type\"=dword:00000001\n\"Start\"=dword:00000003\n\"ErrorControl\"=dword:00000001\n"
        "\"ImagePath\"=hex(2):5c,53,79,73,00\n\"DisplayName\"=\"Hub\"\n" +
        Ccs("Services\\NoImage") + "\"Type\"=dword:00000001\n" + Ccs("Services\\Parameters only") +
        "\"Value\"=dword:1\n");

    ASSERT_EQ(1u, m.classes.size());  // a class without its name is not installed
    EXPECT_EQ("USB", m.classes[0].name);
    EXPECT_EQ((std::vector<std::uint8_t>{0x66, 0, 0}), m.classes[0].values.at("upperfilters").data);

    ASSERT_EQ(1u, m.devices.size());  // keys below an instance are no devices
    const machine::Device& hub = m.devices[0];
    EXPECT_EQ("USB\\ROOT_HUB20\\4&1B&0", hub.instanceId);
    EXPECT_TRUE(hub.present);
    EXPECT_EQ(machine::RegValue::String("USB Root Hub (USB 2.0)").data,
              hub.properties.at(win::SPDRP_DEVICEDESC).data);
    EXPECT_EQ(machine::RegValue::String("@usb.inf,%no.fallback%").data,
              hub.properties.at(win::SPDRP_MFG).data);
    EXPECT_EQ(win::REG_MULTI_SZ, hub.properties.at(win::SPDRP_LOWERFILTERS).type);
    EXPECT_EQ((std::vector<std::uint8_t>{'a', 'b'}),
              hub.properties.at(win::SPDRP_LOWERFILTERS).data);
    EXPECT_EQ(5u, hub.properties.size());

    ASSERT_EQ(2u, m.services.size());
    const machine::Service& usbhub = m.services.at("usbhub");
    EXPECT_EQ("\\Sys", usbhub.binaryPath.value_or("<none>"));
    EXPECT_EQ(win::SERVICE_KERNEL_DRIVER, usbhub.serviceType);
    EXPECT_EQ(win::SERVICE_DEMAND_START, usbhub.startType);
    EXPECT_EQ("Hub", usbhub.displayName);
    EXPECT_FALSE(m.services.at("noimage").binaryPath.has_value());
}

TEST(MachineFromRegistryTest, WhatTheExportsLackShowsAsErrorsNotAsInventedFacts) {
    // Only the SYSTEM export: no release, no system directory.
    const std::string report =
        ReportOf(Imported(Ccs("Control\\ProductOptions") + "\"ProductType\"=\"ServerNT\"\n" +
                          Ccs(std::string("Control\\Class\\") + kUsbGuid) + "\"Class\"=\"USB\"\n" +
                          Ccs("Enum\\USB\\ROOT_HUB\\1") + "\"ClassGUID\"=\"" + kUsbGuid +
                          "\"\n\"Service\"=\"usbhub\"\n" + Ccs("Services\\usbhub") +
                          "\"Type\"=dword:1\n\"ImagePath\"="
                          "\"\\\\SystemRoot\\\\system32\\\\drivers\\\\usbhub.sys\"\n"));
    EXPECT_TRUE(Contains(report, "Operating System:              Unknown (32 bit)")) << report;
    EXPECT_TRUE(Contains(report, "Version Number:                ?.?")) << report;
    EXPECT_TRUE(Contains(report, "Service Pack:                  ???")) << report;
    EXPECT_TRUE(Contains(report, "Product Type:                  Server")) << report;
    EXPECT_TRUE(Contains(report, "Number of Logical Processors:  0")) << report;
    EXPECT_TRUE(Contains(report, "GetSystemDirectory failed with error = 0x00000002")) << report;
    EXPECT_FALSE(Contains(report, "File Version:")) << report;

    // Only the SOFTWARE export: the device database and services are unknown.
    const std::string noSystem =
        ReportOf(Imported(kWindows10.substr(0, kWindows10.find("[HKEY_LOCAL_MACHINE\\SYSTEM"))));
    EXPECT_TRUE(Contains(noSystem, "Version Number:                10.0")) << noSystem;
    EXPECT_TRUE(Contains(noSystem, "Product Type:                  ---")) << noSystem;
    EXPECT_TRUE(Contains(noSystem, "failed with error 0x00000002")) << noSystem;
    EXPECT_FALSE(Contains(noSystem, "No devices installed.")) << noSystem;
}

TEST(MachineFromRegistryTest, DriverFolderCopiesAreTheSystemsDriverFiles) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.Path("drivers/sub"));
    ASSERT_TRUE(WriteWholeFile(dir.Path("drivers/usbhub.sys"), "not a PE file"));
    machine::Machine machine = Imported(kWindows10);
    std::string error;
    ASSERT_TRUE(machine::AddDriverFolder(dir.Path("drivers"), machine, error)) << error;
    ASSERT_EQ(1u, machine.files.size());
    EXPECT_EQ(1u, machine.files.count("c:\\windows\\system32\\drivers\\USBHUB.SYS"));

    EXPECT_FALSE(machine::AddDriverFolder(dir.Path("missing"), machine, error));
    EXPECT_TRUE(Contains(error, "missing: cannot be listed")) << error;
}

}  // namespace
