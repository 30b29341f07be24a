// Which Windows release this is, and whether it is 64-bit, found by asking
// the platform yes-or-no questions (VerifyVersionInfoA).
#pragma once

#include "osinfo/operating_system_id.h"
#include "platform/platform.h"

class OsIdentification {
  public:
    // Sets is64BitWindows (and isWow64Process).
    StatusCode Is64BitWindows();
    // Sets `os` and, through Is64BitWindows, is64BitWindows.
    StatusCode GetOperatingSystem(OperatingSystemId& os);

    // The operating system is 64-bit.
    bool is64BitWindows = false;
    // This is a 32-bit process under WOW64, which the 32-bit program refuses
    // at start-up. Never set in a 64-bit process.
    bool isWow64Process = false;
};
