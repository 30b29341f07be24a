#include "ui/startup_check.h"

#include "log/trace_log.h"
#include "osinfo/os_identification.h"
#include "platform/failure_code.h"
#include "platform/platform.h"

StartupVerdict CheckStartup() {
    win::Platform& platform = win::Current();

    win::OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!platform.GetVersionExA(&version)) {
        Trace(LOG_ERROR, "_tWinMain: GetVersionEx failed with error 0x%08X.\n", LastFailureCode());
        return StartupVerdict::QuitSilently;
    }
    if (version.dwPlatformId != win::VER_PLATFORM_WIN32_NT || version.dwMajorVersion < 5) {
        return StartupVerdict::RefuseOldWindows;
    }

    // A 64-bit process is never under WOW64, so the 64-bit build passes.
    OsIdentification os;
    const StatusCode status = os.Is64BitWindows();
    if (status != 0) {
        Trace(LOG_ERROR, "_tWinMain: IsWow64Process failed with error 0x%08X.\n", status);
        return StartupVerdict::QuitSilently;
    }
    if (os.isWow64Process) {
        return StartupVerdict::RefuseWow64;
    }
    return StartupVerdict::Run;
}
