#include "support/synthetic_machine.h"

#include <cstdio>
#include <string>

#include "text/guid_text.h"

namespace {

const win::GUID kUsb = {
    0x36fc9e60, 0xc465, 0x11cf, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const win::GUID k1394 = {
    0x6bdd1fc1, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};
const char kUsbText[] = "{36fc9e60-c465-11cf-8056-444553540000}";
const char k1394Text[] = "{6bdd1fc1-810f-11d0-bec7-08002be2092f}";

std::string ServiceName(std::size_t i) {
    return "drv" + std::to_string(i);
}

void AddPackage(machine::Machine& machine, machine::Device& device, std::size_t i) {
    const std::string model = "USB\\VID_1234&PID_" + std::to_string(i);
    auto& p = device.properties;
    p[win::SPDRP_MFG] = machine::RegValue::String("Synthetic Hardware Inc.");
    p[win::SPDRP_HARDWAREID] = machine::RegValue::MultiString({model + "&REV_0100", model});
    p[win::SPDRP_COMPATIBLEIDS] =
        machine::RegValue::MultiString({"USB\\Class_FF&SubClass_00", "USB\\Class_FF"});
    p[win::SPDRP_CONFIGFLAGS] = machine::RegValue::Dword(0);
    char name[64];
    std::snprintf(name, sizeof name, "%s\\%04zu", i % 10 == 9 ? k1394Text : kUsbText, i);
    p[win::SPDRP_DRIVER] = machine::RegValue::String(name);
    const std::string inf = "oem" + std::to_string(i) + ".inf";
    machine::RegValues& key = machine.driverKeys[name];
    key["ProviderName"] = machine::RegValue::String("Synthetic Hardware Inc.");
    key["DriverVersion"] = machine::RegValue::String("10.0.19041." + std::to_string(i / 2));
    key["DriverDateData"] =
        machine::RegValue{win::REG_BINARY, {0x00, 0x80, 0xed, 0x90, 0xa4, 0xf8, 0xcb, 0x01}};
    key["DriverDate"] = machine::RegValue::String("4-12-2011");
    key["InfPath"] = machine::RegValue::String(inf);
    key["InfSection"] = machine::RegValue::String("Synthetic.Install");
    key["MatchingDeviceId"] = machine::RegValue::String(model);
    key["DriverDesc"] = machine::RegValue::String("Synthetic Device " + std::to_string(i));
    machine.files["C:\\WINDOWS\\inf\\" + inf].path = "C:\\WINDOWS\\inf\\" + inf;
}

machine::Machine Build(std::size_t devices, bool packages) {
    machine::Machine machine;
    machine.systemDirectory = "C:\\WINDOWS\\system32";
    machine.os.processorCount = 8;
    machine.classes.push_back(machine::SetupClass{kUsb, "USB", {}});
    machine.classes.push_back(machine::SetupClass{k1394, "1394", {}});

    const std::size_t services = devices / 2 + 1;
    for (std::size_t i = 0; i < devices; ++i) {
        machine::Device device;
        device.instanceId =
            "USB\\VID_1234&PID_" + std::to_string(i) + "\\7&3A&0&" + std::to_string(i % 16);
        auto& p = device.properties;
        p[win::SPDRP_DEVICEDESC] =
            machine::RegValue::String("Synthetic Device " + std::to_string(i));
        p[win::SPDRP_CLASSGUID] = machine::RegValue::String(i % 10 == 9 ? k1394Text : kUsbText);
        p[win::SPDRP_SERVICE] = machine::RegValue::String(ServiceName(i / 2));
        p[win::SPDRP_UPPERFILTERS] =
            machine::RegValue::MultiString({ServiceName((i / 2 + 1) % services)});
        p[win::SPDRP_LOWERFILTERS] =
            machine::RegValue::MultiString({ServiceName((i / 2 + 2) % services)});
        if (packages) {
            AddPackage(machine, device, i);
        }
        machine.devices.push_back(std::move(device));
    }

    for (std::size_t i = 0; i < services; ++i) {
        const std::string name = ServiceName(i);
        machine::Service service;
        service.name = name;
        service.binaryPath = "\\SystemRoot\\system32\\drivers\\" + name + ".sys";
        machine.services[name] = service;

        machine::VersionFields version;
        version.fileVersion[0] = 10;
        version.fileVersion[2] = 19041;
        version.fileVersion[3] = static_cast<win::WORD>(i % 65536);
        version.productVersion[0] = 10;
        version.translations = {0x04B00409};
        version.strings["040904b0"] = {{"CompanyName", "Synthetic Hardware Inc."},
                                       {"InternalName", name},
                                       {"OriginalFilename", name + ".sys"},
                                       {"ProductName", "Synthetic Drivers"},
                                       {"FileDescription", "Synthetic driver " + name}};
        machine::DriverFile file;
        file.path = "C:\\WINDOWS\\system32\\drivers\\" + name + ".sys";
        file.version = version;
        machine.files[file.path] = file;
    }
    return machine;
}

}  // namespace

machine::Machine SyntheticMachine(std::size_t devices) {
    return Build(devices, false);
}

machine::Machine SyntheticMachineWithPackages(std::size_t devices) {
    return Build(devices, true);
}

machine::Machine SyntheticMachine(std::size_t devices, std::size_t classes) {
    machine::Machine machine = SyntheticMachine(devices);
    std::vector<std::string> guids = {kUsbText, k1394Text};
    for (std::size_t c = 2; c < classes; ++c) {
        char text[64];
        std::snprintf(text, sizeof text, "{5eed0000-0000-4000-8000-%012x}",
                      static_cast<unsigned>(c));
        char name[32];
        std::snprintf(name, sizeof name, "Synthetic%02u", static_cast<unsigned>(c + 1));
        machine::SetupClass setupClass;
        ParseGuidText(text, setupClass.guid);
        setupClass.name = name;
        machine.classes.push_back(std::move(setupClass));
        guids.push_back(text);
    }
    for (std::size_t i = 0; i < devices; ++i) {
        machine.devices[i].properties[win::SPDRP_CLASSGUID] =
            machine::RegValue::String(guids[i * classes / devices]);
    }
    return machine;
}
