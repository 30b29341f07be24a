// Version facts, system information and the kernel module, as a 32-bit (or,
// described so, 64-bit) process on the described machine sees them.
#include <cstring>

#include "platform/simulated/simulated_platform.h"
#include "platform/simulated/version_comparison.h"
#include "text/print_format.h"

namespace sim {

namespace {

const std::uintptr_t kIsWow64Process = 0x7c80a000;

bool SameName(const char* a, const char* b) {
    return !machine::CaseInsensitiveLess{}(a, b) && !machine::CaseInsensitiveLess{}(b, a);
}

}  // namespace

// Three bits per field type, at the field's bit number times three. Windows
// takes only the highest type bit of one call and ORs the condition in.
win::ULONGLONG SimulatedPlatform::VerSetConditionMask(win::ULONGLONG mask, win::DWORD typeMask,
                                                      win::BYTE condition) {
    Enter("VerSetConditionMask");  // cannot fail
    condition &= kConditionBits;
    if (typeMask == 0 || condition == 0) {
        return mask;
    }
    for (int bit = 7; bit >= 0; --bit) {
        if ((typeMask & (win::DWORD{1} << bit)) != 0) {
            return mask | (win::ULONGLONG{condition} << (bit * kBitsPerCondition));
        }
    }
    return mask;  // no field type among the low eight bits
}

win::BOOL SimulatedPlatform::VerifyVersionInfoA(win::OSVERSIONINFOEXA* request, win::DWORD typeMask,
                                                win::DWORDLONG conditionMask) {
    char argument[16];
    FormatPrint(argument, sizeof argument, "0x%02X", typeMask);
    if (Enter("VerifyVersionInfoA", argument)) {
        return win::FALSE;
    }
    if (request == nullptr) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    switch (CompareVersion(machine_.os, *request, typeMask, conditionMask)) {
        case VersionMatch::Holds:
            return win::TRUE;
        case VersionMatch::DoesNotHold:
            return Fail(win::ERROR_OLD_WIN_VERSION, win::FALSE);
        case VersionMatch::BadArguments:
            break;
    }
    return Fail(win::ERROR_BAD_ARGUMENTS, win::FALSE);
}

win::BOOL SimulatedPlatform::GetVersionExA(win::OSVERSIONINFOA* info) {
    if (Enter("GetVersionExA")) {
        return win::FALSE;
    }
    if (info == nullptr) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    const win::DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(win::OSVERSIONINFOA) && size != sizeof(win::OSVERSIONINFOEXA)) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    const machine::OsFacts& os = machine_.os;
    info->dwMajorVersion = os.major;
    info->dwMinorVersion = os.minor;
    info->dwBuildNumber = os.build;
    info->dwPlatformId = os.platformId;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    std::strncpy(info->szCSDVersion, os.csdVersion.c_str(), sizeof info->szCSDVersion - 1);
    if (size == sizeof(win::OSVERSIONINFOEXA)) {
        auto* ex = reinterpret_cast<win::OSVERSIONINFOEXA*>(info);
        ex->wServicePackMajor = os.servicePackMajor;
        ex->wServicePackMinor = os.servicePackMinor;
        ex->wSuiteMask = os.suiteMask;
        ex->wProductType = os.productType;
        ex->wReserved = 0;
    }
    return win::TRUE;
}

void SimulatedPlatform::GetSystemInfo(win::SYSTEM_INFO* info) {
    Enter("GetSystemInfo");  // cannot fail
    if (info == nullptr) {
        return;
    }
    std::memset(info, 0, sizeof *info);
    const machine::OsFacts& os = machine_.os;
    // Under WOW64 a 32-bit process is told it runs on an x86 machine.
    info->wProcessorArchitecture =
        os.is64BitProcess ? win::PROCESSOR_ARCHITECTURE_AMD64 : win::PROCESSOR_ARCHITECTURE_INTEL;
    info->dwPageSize = 4096;
    info->lpMinimumApplicationAddress = reinterpret_cast<void*>(std::uintptr_t{0x10000});
    info->lpMaximumApplicationAddress = reinterpret_cast<void*>(std::uintptr_t{0x7FFEFFFF});
    const win::DWORD bits = sizeof(win::ULONG_PTR) * 8;
    info->dwActiveProcessorMask = os.processorCount >= bits
                                      ? ~win::ULONG_PTR{0}
                                      : (win::ULONG_PTR{1} << os.processorCount) - 1;
    info->dwNumberOfProcessors = os.processorCount;
    info->dwProcessorType = os.is64BitProcess ? 8664 : 586;
    info->dwAllocationGranularity = 65536;
    info->wProcessorLevel = 6;
}

win::HMODULE SimulatedPlatform::GetModuleHandleA(const char* name) {
    if (Enter("GetModuleHandleA", name != nullptr ? name : "")) {
        return nullptr;
    }
    if (name != nullptr && (SameName(name, "kernel32") || SameName(name, "kernel32.dll"))) {
        return reinterpret_cast<win::HMODULE>(kKernel32Module);
    }
    return Fail<win::HMODULE>(win::ERROR_MOD_NOT_FOUND, nullptr);
}

win::FARPROC SimulatedPlatform::GetProcAddress(win::HMODULE module, const char* name) {
    if (Enter("GetProcAddress", name != nullptr ? name : "")) {
        return nullptr;
    }
    if (reinterpret_cast<std::uintptr_t>(module) != kKernel32Module) {
        return Fail<win::FARPROC>(win::ERROR_INVALID_HANDLE, nullptr);
    }
    if (name != nullptr && std::strcmp(name, "IsWow64Process") == 0 &&
        machine_.os.hasIsWow64Process) {
        return reinterpret_cast<win::FARPROC>(kIsWow64Process);
    }
    return Fail<win::FARPROC>(win::ERROR_PROC_NOT_FOUND, nullptr);
}

win::HANDLE SimulatedPlatform::GetCurrentProcess() {
    Enter("GetCurrentProcess");  // a pseudo handle; cannot fail
    return win::InvalidHandleValue();
}

win::BOOL SimulatedPlatform::IsWow64Process(win::HANDLE process, win::BOOL* wow64) {
    if (Enter("IsWow64Process")) {
        return win::FALSE;
    }
    if (!machine_.os.hasIsWow64Process) {
        return Fail(win::ERROR_PROC_NOT_FOUND, win::FALSE);
    }
    if (process != win::InvalidHandleValue() || wow64 == nullptr) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    *wow64 = machine_.os.is64BitWindows && !machine_.os.is64BitProcess ? win::TRUE : win::FALSE;
    return win::TRUE;
}

}  // namespace sim
