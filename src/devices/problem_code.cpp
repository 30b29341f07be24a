#include "devices/problem_code.h"

namespace {

constexpr ProblemCode kProblemCodes[] = {
    {1, "CM_PROB_NOT_CONFIGURED", "The device has no configuration: no driver was installed."},
    {2, "CM_PROB_DEVLOADER_FAILED", "The loader of the device's bus or enumerator failed."},
    {3, "CM_PROB_OUT_OF_MEMORY",
     "The driver could not be loaded: it may be damaged, or memory ran short."},
    {4, "CM_PROB_ENTRY_IS_WRONG_TYPE", "A registry entry of the device has the wrong type."},
    {5, "CM_PROB_LACKED_ARBITRATOR", "No arbiter was found for a resource the device needs."},
    {6, "CM_PROB_BOOT_CONFIG_CONFLICT",
     "The resources the firmware gave the device conflict with another device."},
    {7, "CM_PROB_FAILED_FILTER", "A filter driver of the device failed."},
    {8, "CM_PROB_DEVLOADER_NOT_FOUND", "The loader the device needs was not found."},
    {9, "CM_PROB_INVALID_DATA", "The firmware describes the device's resources wrongly."},
    {10, "CM_PROB_FAILED_START", "The device could not start."},
    {11, "CM_PROB_LIAR", "The device stopped answering after it was started."},
    {12, "CM_PROB_NORMAL_CONFLICT",
     "Not enough free resources (interrupts, memory ranges) for the device."},
    {13, "CM_PROB_NOT_VERIFIED", "The driver could not verify the device's resources."},
    {14, "CM_PROB_NEED_RESTART", "The device works only after the computer restarts."},
    {15, "CM_PROB_REENUMERATION",
     "The device caused a resource conflict when it was enumerated again."},
    {16, "CM_PROB_PARTIAL_LOG_CONF", "Not all resources the device uses are known."},
    {17, "CM_PROB_UNKNOWN_RESOURCE",
     "The device asks for a resource of a type the system does not know."},
    {18, "CM_PROB_REINSTALL", "The device's drivers must be installed again."},
    {19, "CM_PROB_REGISTRY",
     "The device's configuration in the registry is incomplete or damaged."},
    {20, "CM_PROB_VXDLDR", "The virtual device driver loader failed for the device."},
    {21, "CM_PROB_WILL_BE_REMOVED", "The system is removing the device."},
    {22, "CM_PROB_DISABLED", "The device is disabled."},
    {23, "CM_PROB_DEVLOADER_NOT_READY", "The device's loader was not ready for it."},
    {24, "CM_PROB_DEVICE_NOT_THERE",
     "The device is not there, does not work, or lacks some of its drivers."},
    {25, "CM_PROB_MOVED", "The device is still being set up; a restart completes it."},
    {26, "CM_PROB_TOO_EARLY", "The device was asked to start too early during setup."},
    {27, "CM_PROB_NO_VALID_LOG_CONF", "No valid set of resources exists for the device."},
    {28, "CM_PROB_FAILED_INSTALL", "The device's drivers are not installed."},
    {29, "CM_PROB_HARDWARE_DISABLED",
     "The firmware gave the device no resources: it is switched off there."},
    {30, "CM_PROB_CANT_SHARE_IRQ",
     "The device needs an interrupt that another device holds and does not share."},
    {31, "CM_PROB_FAILED_ADD", "The driver could not add the device."},
    {32, "CM_PROB_DISABLED_SERVICE", "A driver service the device needs is disabled."},
    {33, "CM_PROB_TRANSLATION_FAILED", "The device's resources could not be translated."},
    {34, "CM_PROB_NO_SOFTCONFIG", "The device's resources must be set by hand."},
    {35, "CM_PROB_BIOS_TABLE", "The firmware lacks the table entries the device needs."},
    {36, "CM_PROB_IRQ_TRANSLATION_FAILED", "An interrupt of the device could not be translated."},
    {37, "CM_PROB_FAILED_DRIVER_ENTRY", "The driver failed when it was loaded."},
    {38, "CM_PROB_DRIVER_FAILED_PRIOR_UNLOAD",
     "The driver could not be loaded: an earlier copy of it is still in memory."},
    {39, "CM_PROB_DRIVER_FAILED_LOAD", "The driver could not be loaded: missing or damaged."},
    {40, "CM_PROB_DRIVER_SERVICE_KEY_INVALID", "The driver's service key is missing or wrong."},
    {41, "CM_PROB_LEGACY_SERVICE_NO_DEVICES", "The driver loaded but did not find the device."},
    {42, "CM_PROB_DUPLICATE_DEVICE", "The same device is already running."},
    {43, "CM_PROB_FAILED_POST_START",
     "The driver reported that the device failed, and stopped it."},
    {44, "CM_PROB_HALTED", "A program or service shut the device down."},
    {45, "CM_PROB_PHANTOM", "The device is not connected."},
    {46, "CM_PROB_SYSTEM_SHUTDOWN", "The system is shutting down."},
    {47, "CM_PROB_HELD_FOR_EJECT", "The device was prepared for safe removal."},
    {48, "CM_PROB_DRIVER_BLOCKED", "The driver is blocked: it is known to cause trouble."},
    {49, "CM_PROB_REGISTRY_TOO_LARGE", "The system's registry hive is too large."},
    {50, "CM_PROB_SETPROPERTIES_FAILED", "The device's properties could not be applied."},
    {51, "CM_PROB_WAITING_ON_DEPENDENCY", "The device waits for another device to start."},
    {52, "CM_PROB_UNSIGNED_DRIVER", "The driver's signature could not be verified."},
    {53, "CM_PROB_USED_BY_DEBUGGER", "The kernel debugger holds the device."},
    {54, "CM_PROB_DEVICE_RESET", "The device is being reset."},
    {55, "CM_PROB_CONSOLE_LOCKED", "The device waits until the console is unlocked."},
    {56, "CM_PROB_NEED_CLASS_CONFIG", "The device waits for its class to be configured."},
    {57, "CM_PROB_GUEST_ASSIGNMENT_FAILED", "The device could not be handed to a virtual machine."},
};

static_assert(sizeof kProblemCodes / sizeof kProblemCodes[0] == 57);

}  // namespace

const ProblemCode* FindProblemCode(std::uint32_t code) {
    if (code == 0 || code > 57) {
        return nullptr;
    }
    const ProblemCode& entry = kProblemCodes[code - 1];
    return entry.code == code ? &entry : nullptr;
}
