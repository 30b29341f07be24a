// The Windows releases that version probing can name. Fixed values: the
// report maps them to text, and any other value reads "Unknown".
#pragma once

#include <cstdint>

enum class OperatingSystemId : std::uint32_t {
    Unknown = 0,
    Windows2000 = 1,
    WindowsXP = 2,
    WindowsServer2003 = 3,
    WindowsHomeServer = 4,
    WindowsVista = 5,
    WindowsServer2008 = 6,
    Windows7 = 7,
    WindowsServer2008R2 = 8,
    WindowsHomeServer2011 = 9,
    Windows8 = 10,
    WindowsServer2012 = 11,
    Windows81 = 12,
    WindowsServer2012R2 = 13,
    Windows10 = 14,
    WindowsServer2016 = 15,
};
