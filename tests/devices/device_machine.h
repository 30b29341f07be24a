// Building blocks for described machines with setup classes and devices.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace devtest {

inline constexpr win::GUID kUsbClass = {
    0x36fc9e60, 0xc465, 0x11cf, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr win::GUID k1394Class = {
    0x6bdd1fc1, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};
inline constexpr win::GUID kHidClass = {
    0x745a17a0, 0x74d3, 0x11d0, {0xb6, 0xfe, 0x00, 0xa0, 0xc9, 0x0f, 0x57, 0xda}};
// Named by no installed class.
inline constexpr win::GUID kMissingClass = {
    0x12345678, 0x9abc, 0xdef0, {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xde, 0xf0}};

inline const char kUsbText[] = "{36fc9e60-c465-11cf-8056-444553540000}";
inline const char k1394Text[] = "{6bdd1fc1-810f-11d0-bec7-08002be2092f}";
inline const char kHidText[] = "{745a17a0-74d3-11d0-b6fe-00a0c90f57da}";

inline machine::SetupClass Class(const win::GUID& guid, const std::string& name) {
    machine::SetupClass setupClass;
    setupClass.guid = guid;
    setupClass.name = name;
    return setupClass;
}

// A device of the class `classText` with a description and, unless empty,
// a function driver service.
inline machine::Device Device(const std::string& instanceId, const std::string& classText,
                              const std::string& service = "svc", bool present = true) {
    machine::Device device;
    device.instanceId = instanceId;
    device.present = present;
    device.properties[win::SPDRP_DEVICEDESC] = machine::RegValue::String("Device " + instanceId);
    device.properties[win::SPDRP_CLASSGUID] = machine::RegValue::String(classText);
    if (!service.empty()) {
        device.properties[win::SPDRP_SERVICE] = machine::RegValue::String(service);
    }
    return device;
}

inline machine::RegValue Bytes(win::DWORD type, const std::string& bytes) {
    return machine::RegValue{type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

// A trace text with its arguments filled in.
template <typename... Args>
std::string Text(const char* format, Args... args) {
    char text[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(text, sizeof text, format, args...);
#pragma GCC diagnostic pop
    return text;
}

}  // namespace devtest
