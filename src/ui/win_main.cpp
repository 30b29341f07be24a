// The Windows program's entry point: trace log, the two refusals, the
// libraries of the user interface, the main window and its message loop.
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/win32/win32_platform.h"
#include "ui/startup_check.h"

#include <string>

#include "ui/main_frame.h"
#include "ui/resource_ids.h"
#include "ui/win32_headers.h"

namespace {

void ShowRefusal(HINSTANCE instance, UINT textId) {
    char text[256] = {};
    LoadStringA(instance, textId, text, sizeof(text));
    MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONERROR);
}

// Messages that come all the time and change no command state do not start
// another round of idle work.
bool StartsIdleWork(const MSG& message) {
    switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_PAINT:
        case WM_TIMER:
            return false;
        default:
            return true;
    }
}

int Run(HINSTANCE instance, int showCommand) {
    MainFrame frame;
    if (frame.Create(instance) == nullptr) {
        return 0;
    }
    ShowWindow(frame.Window(), showCommand);
    MSG message{};
    bool idle = true;
    for (;;) {
        while (idle && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idle = frame.OnIdle();
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            break;
        }
        if (got == -1) {
            continue;
        }
        if (!frame.PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        idle = idle || StartsIdleWork(message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    win::Win32Platform platform;
    win::ScopedPlatform scope(platform);
    InitLog(DefaultLogConfig());

    switch (CheckStartup()) {
        case StartupVerdict::Run:
            break;
        case StartupVerdict::QuitSilently:
            return 1;
        case StartupVerdict::RefuseOldWindows:
            ShowRefusal(instance, IDS_NEEDS_WINDOWS_2000);
            return 1;
        case StartupVerdict::RefuseWow64:
            ShowRefusal(instance, IDS_ONLY_32BIT_WINDOWS);
            return 1;
    }

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES;
    InitCommonControlsEx(&controls);
    HMODULE richEdit = LoadLibraryA("RICHED32.DLL");

    const int result = Run(instance, showCommand);

    if (richEdit != nullptr) {
        FreeLibrary(richEdit);
    }
    CoUninitialize();
    return result;
}
