// Drives the running Windows program from outside, under the same
// wineserver: finds its windows, sends commands, reads texts and the
// clipboard. One action per run; waits poll with a deadline.
//
//   gui_driver wait-main [ms]              wait for the main window
//   gui_driver wait-title TITLE [ms]       wait for a visible top-level window
//   gui_driver wait-gone TITLE [ms]        wait until no such window is visible
//   gui_driver send-command ID             WM_COMMAND, returns when handled
//   gui_driver post-command ID             WM_COMMAND, for commands opening a dialog
//   gui_driver post-to TITLE ID            WM_COMMAND to a dialog
//   gui_driver close-main                  WM_CLOSE to the main window
//   gui_driver view-text FILE              the view's text, byte for byte
//   gui_driver control-text TITLE ID       a dialog control's text on stdout
//   gui_driver status-text                 the status bar's simple-mode text
//   gui_driver menu-select ID [sys]        as if the menu item were highlighted
//   gui_driver menu-close                  as if the menu closed
//   gui_driver menu-checked ID             prints 1 or 0
//   gui_driver child-visible CLASS         prints 1 or 0 for the main window's descendant
//   gui_driver check-boxes TITLE           a dialog's check boxes, "1 Text" or "0 Text" each
//   gui_driver focus-text TITLE            the text of the control that has the focus
//   gui_driver window-rect TITLE           "left top right bottom" of a top-level window
//   gui_driver clear-clipboard
//   gui_driver wait-clipboard FILE [ms]    CF_TEXT up to its terminator
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kFrameClass[] = "MalvoretSysInfoFrame";
constexpr DWORD kDefaultWaitMs = 20000;

DWORD WaitMs(int argc, char** argv, int index) {
    return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10))
                        : kDefaultWaitMs;
}

template <typename Probe>
bool Poll(DWORD timeoutMs, Probe probe) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (probe()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

HWND MainWindow() {
    HWND window = FindWindowA(kFrameClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND VisibleTopLevel(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

bool WriteFile(const char* path, const std::string& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

bool ReadClipboard(std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            found = !text.empty();
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

// SB_GETTEXT wants a buffer in the status bar's own process. Part 0 stands
// for the simple-mode text while the bar is in simple mode.
bool StatusText(HWND statusBar, std::string& text) {
    DWORD processId = 0;
    GetWindowThreadProcessId(statusBar, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    constexpr SIZE_T kSize = 1024;
    void* remote = VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (remote != nullptr) {
        const LRESULT result =
            SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(remote));
        const SIZE_T length = LOWORD(result);
        std::vector<char> local(kSize, '\0');
        SIZE_T read = 0;
        if (length < kSize && ReadProcessMemory(process, remote, local.data(), length, &read)) {
            text.assign(local.data(), read);
            ok = true;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

struct ChildSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool IsButtonClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0;
}

int Fail(const char* what) {
    std::fprintf(stderr, "gui_driver: %s\n", what);
    return 2;
}

WPARAM Command(const char* text) {
    return static_cast<WPARAM>(std::strtoul(text, nullptr, 0) & 0xFFFF);
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // texts are compared byte for byte
    if (argc < 2) {
        return Fail("no action");
    }
    const std::string action = argv[1];
    if (action == "wait-main") {
        return Poll(WaitMs(argc, argv, 2), [] { return MainWindow() != nullptr; })
                   ? 0
                   : Fail("main window did not appear");
    }
    if (action == "wait-title" && argc >= 3) {
        return Poll(WaitMs(argc, argv, 3), [&] { return VisibleTopLevel(argv[2]) != nullptr; })
                   ? 0
                   : Fail("window did not appear");
    }
    if (action == "wait-gone" && argc >= 3) {
        return Poll(WaitMs(argc, argv, 3), [&] { return VisibleTopLevel(argv[2]) == nullptr; })
                   ? 0
                   : Fail("window is still there");
    }
    if (action == "wait-clipboard" && argc >= 3) {
        std::string text;
        if (!Poll(WaitMs(argc, argv, 3), [&] { return ReadClipboard(text); })) {
            return Fail("no text on the clipboard");
        }
        return WriteFile(argv[2], text) ? 0 : Fail("cannot write the output file");
    }
    if (action == "clear-clipboard") {
        if (!OpenClipboard(nullptr)) {
            return Fail("cannot open the clipboard");
        }
        EmptyClipboard();
        CloseClipboard();
        return 0;
    }
    if (action == "control-text" && argc >= 4) {
        HWND dialog = VisibleTopLevel(argv[2]);
        HWND control =
            dialog != nullptr ? GetDlgItem(dialog, static_cast<int>(Command(argv[3]))) : nullptr;
        if (control == nullptr) {
            return Fail("no such control");
        }
        const std::string text = WindowText(control);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (action == "check-boxes" && argc >= 3) {
        HWND dialog = VisibleTopLevel(argv[2]);
        if (dialog == nullptr) {
            return Fail("no such window");
        }
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX && IsButtonClass(child)) {
                const std::string text = WindowText(child);
                std::printf("%d %s\n",
                            SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0,
                            text.c_str());
            }
        }
        return 0;
    }
    if (action == "focus-text" && argc >= 3) {
        HWND window = VisibleTopLevel(argv[2]);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (window == nullptr ||
            !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ||
            info.hwndFocus == nullptr) {
            return Fail("no focus to read");
        }
        const std::string text = WindowText(info.hwndFocus);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (action == "window-rect" && argc >= 3) {
        HWND window = VisibleTopLevel(argv[2]);
        RECT r{};
        if (window == nullptr || !GetWindowRect(window, &r)) {
            return Fail("no such window");
        }
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
        return 0;
    }
    if (action == "post-to" && argc >= 4) {
        HWND dialog = VisibleTopLevel(argv[2]);
        if (dialog == nullptr) {
            return Fail("no such window");
        }
        return PostMessageA(dialog, WM_COMMAND, Command(argv[3]), 0) ? 0 : Fail("post failed");
    }

    HWND main = MainWindow();
    if (main == nullptr) {
        return Fail("no main window");
    }
    if (action == "send-command" && argc >= 3) {
        SendMessageA(main, WM_COMMAND, Command(argv[2]), 0);
        return 0;
    }
    if (action == "post-command" && argc >= 3) {
        return PostMessageA(main, WM_COMMAND, Command(argv[2]), 0) ? 0 : Fail("post failed");
    }
    if (action == "close-main") {
        return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : Fail("post failed");
    }
    if (action == "view-text" && argc >= 3) {
        HWND view = FindWindowExA(main, nullptr, "ZEPView", nullptr);
        if (view == nullptr) {
            return Fail("no view");
        }
        return WriteFile(argv[2], WindowText(view)) ? 0 : Fail("cannot write the output file");
    }
    if (action == "status-text") {
        HWND statusBar = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
        std::string text;
        if (statusBar == nullptr || !StatusText(statusBar, text)) {
            return Fail("cannot read the status bar");
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (action == "menu-select" && argc >= 3) {
        const bool system = argc >= 4 && std::string(argv[3]) == "sys";
        HMENU menu = system ? GetSystemMenu(main, FALSE) : GetMenu(main);
        const WPARAM flags = system ? MF_SYSMENU : 0;
        SendMessageA(main, WM_MENUSELECT, MAKEWPARAM(Command(argv[2]), flags),
                     reinterpret_cast<LPARAM>(menu));
        return 0;
    }
    if (action == "menu-close") {
        SendMessageA(main, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        return 0;
    }
    if (action == "child-visible" && argc >= 3) {
        ChildSearch search{argv[2], nullptr};
        EnumChildWindows(main, &MatchClass, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            return Fail("no such child window");
        }
        std::printf("%d\n", IsWindowVisible(search.found) ? 1 : 0);
        return 0;
    }
    if (action == "menu-checked" && argc >= 3) {
        const UINT state =
            GetMenuState(GetMenu(main), static_cast<UINT>(Command(argv[2])), MF_BYCOMMAND);
        if (state == static_cast<UINT>(-1)) {
            return Fail("no such menu item");
        }
        std::printf("%d\n", (state & MF_CHECKED) != 0 ? 1 : 0);
        return 0;
    }
    return Fail("unknown action or missing argument");
}
