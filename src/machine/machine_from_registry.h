// A described machine from what registry exports of a customer's machine
// hold: the Windows release from ...\Windows NT\CurrentVersion and the
// control set, setup classes and driver keys from Control\Class, devices
// (their IDs, configuration flags and Driver values too) from Enum, services
// from Services, processors from HARDWARE\DESCRIPTION\System\CentralProcessor
// (else the control set's NUMBER_OF_PROCESSORS, the count at the last start),
// and driver files from a folder of copies (machine/driver_folder.h).
//
// Facts an export lacks are not guessed: the calls that would deliver them
// fail with ERROR_FILE_NOT_FOUND (absent) or ERROR_INVALID_DATA (present but
// unreadable), so the report shows its usual ERROR lines and placeholders.
// Every device listed is present: presence cannot be known offline.
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/registry_tree.h"

namespace machine {

inline constexpr const char* kCurrentVersionKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr const char* kProcessorsKey =
    "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor";

// False with `error` when the exports name several control sets and none
// can be told to be the current one. The values of driver keys and device
// keys are moved out of `tree` into the machine rather than copied.
bool MachineFromRegistry(RegistryTree&& tree, Machine& machine, std::string& error);

// What Windows shows of an indirect string ("@usb.inf,%key%;USB Root Hub"):
// the text after the first ';'. Other text is returned unchanged.
std::string DisplayText(const std::string& stored);

}  // namespace machine
