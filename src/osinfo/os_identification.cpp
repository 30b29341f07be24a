#include "osinfo/os_identification.h"

#include <cstddef>

#include "log/trace_log.h"
#include "osinfo/version_probe.h"
#include "osinfo/version_request.h"
#include "platform/failure_code.h"

namespace {

bool Is64BitArchitecture(win::WORD architecture) {
    return architecture == win::PROCESSOR_ARCHITECTURE_AMD64 ||
           architecture == win::PROCESSOR_ARCHITECTURE_IA64 ||
           architecture == win::PROCESSOR_ARCHITECTURE_ARM64;
}

struct Release {
    win::DWORD major;
    win::DWORD minor;
};

// Asked in this order; the first one confirmed is the release.
constexpr Release kReleases[] = {{5, 0}, {5, 1}, {5, 2}, {6, 0}, {6, 1}, {6, 2}, {6, 3}, {10, 0}};

// Editions of one version differ by product type and suites; the server
// editions from 6.1 on exist for 64-bit Windows only.
OperatingSystemId Edition(const Release& release, bool is64Bit, bool isServer, bool isHomeServer) {
    using Id = OperatingSystemId;
    const win::DWORD version = release.major * 100 + release.minor;
    switch (version) {
        case 500:
            return Id::Windows2000;
        case 501:
            return Id::WindowsXP;
        case 502:
            if (is64Bit) {
                return isServer ? Id::WindowsServer2003 : Id::WindowsXP;
            }
            return isHomeServer ? Id::WindowsHomeServer : Id::WindowsServer2003;
        case 600:
            return isServer ? Id::WindowsServer2008 : Id::WindowsVista;
        case 601:
            if (!is64Bit || !isServer) {
                return Id::Windows7;
            }
            return isHomeServer ? Id::WindowsHomeServer2011 : Id::WindowsServer2008R2;
        case 602:
            return is64Bit && isServer ? Id::WindowsServer2012 : Id::Windows8;
        case 603:
            return is64Bit && isServer ? Id::WindowsServer2012R2 : Id::Windows81;
        case 1000:
            return is64Bit && isServer ? Id::WindowsServer2016 : Id::Windows10;
        default:
            return Id::Unknown;
    }
}

}  // namespace

StatusCode OsIdentification::Is64BitWindows() {
    is64BitWindows = false;
    isWow64Process = false;
    win::Platform& platform = win::Current();
    win::SYSTEM_INFO system{};
    platform.GetSystemInfo(&system);
    if (Is64BitArchitecture(system.wProcessorArchitecture)) {
        // Only a 64-bit process is told a 64-bit architecture (under WOW64 a
        // 32-bit one is told x86), and it has no WOW64 to ask about.
        is64BitWindows = true;
        return win::ERROR_SUCCESS;
    }
    win::HMODULE kernel = platform.GetModuleHandleA("kernel32");
    if (kernel == nullptr) {
        const StatusCode status = LastFailureCode();
        Trace(LOG_ERROR, "IsWow64Process: GetModuleHandle failed with error 0x%08X.\n", status);
        return status;
    }
    if (platform.GetProcAddress(kernel, "IsWow64Process") == nullptr) {
        return win::ERROR_SUCCESS;  // older than WOW64: 32-bit Windows
    }
    win::BOOL wow64 = win::FALSE;
    if (!platform.IsWow64Process(platform.GetCurrentProcess(), &wow64)) {
        const StatusCode status = LastFailureCode();
        Trace(LOG_ERROR, "IsWow64Process: IsWow64Process failed with error 0x%08X.\n", status);
        return status;
    }
    isWow64Process = wow64 != win::FALSE;
    is64BitWindows = isWow64Process;
    return win::ERROR_SUCCESS;
}

StatusCode OsIdentification::GetOperatingSystem(OperatingSystemId& os) {
    os = OperatingSystemId::Unknown;
    is64BitWindows = false;
    win::Platform& platform = win::Current();
    win::DWORDLONG condition =
        platform.VerSetConditionMask(0, win::VER_MAJORVERSION, win::VER_EQUAL);
    condition = platform.VerSetConditionMask(condition, win::VER_MINORVERSION, win::VER_EQUAL);

    StatusCode status = Is64BitWindows();
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "GetOperatingSystem: Is64BitWindows failed with 0x%08X\n", status);
        return status;
    }
    bool isServer = false;
    status = IsWindowsServer(isServer);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "GetOperatingSystem: IsWindowsServer failed with 0x%08X\n", status);
        return status;
    }
    bool isHomeServer = false;
    status = IsWindowsHomeServer(isHomeServer);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "GetOperatingSystem: IsWindowsHomeServer failed with 0x%08X\n", status);
        return status;
    }

    for (const Release& release : kReleases) {
        win::OSVERSIONINFOEXA request = EmptyVersionRequest();
        request.dwMajorVersion = release.major;
        request.dwMinorVersion = release.minor;
        if (platform.VerifyVersionInfoA(&request, win::VER_MAJORVERSION | win::VER_MINORVERSION,
                                        condition)) {
            os = Edition(release, is64BitWindows, isServer, isHomeServer);
            return win::ERROR_SUCCESS;
        }
        status = LastFailureCode();
        if (status != win::ERROR_OLD_WIN_VERSION) {
            Trace(LOG_ERROR,
                  "GetOperatingSystem: VerifyVersionInfo(%u, %u) failed with error 0x%08X\n",
                  release.major, release.minor, status);
            return status;
        }
    }
    return win::ERROR_SUCCESS;  // a release newer or older than the ones we know
}
