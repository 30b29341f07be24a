#include "ui/hyper_link.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr char kThisProperty[] = "MalvoretHyperLink";

// The browser's link colours, "r,g,b" strings; `color` is kept when the
// value is absent or malformed.
void ReadLinkColor(HKEY key, const char* name, COLORREF& color) {
    char text[32] = {};
    DWORD size = sizeof(text) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return;
    }
    // strtoul, not sscanf: the C runtime's scanf family would add 40 KB.
    unsigned long parts[3] = {};
    const char* at = text;
    for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        parts[i] = std::strtoul(at, &end, 10);
        if (end == at || parts[i] > 255 || (i < 2 && *end != ',')) {
            return;
        }
        at = end + 1;
    }
    color = RGB(parts[0], parts[1], parts[2]);
}

}  // namespace

HyperLink::~HyperLink() {
    Detach();
}

bool HyperLink::Attach(HWND control) {
    if (control == nullptr || control_ != nullptr) {
        return false;
    }
    const int length = GetWindowTextLengthA(control);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    address_ = text.data();

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Settings", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        ReadLinkColor(key, "Anchor Color", linkColor_);
        ReadLinkColor(key, "Anchor Color Visited", visitedColor_);
        RegCloseKey(key);
    }

    LOGFONTA logFont{};
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (dialogFont != nullptr && GetObjectA(dialogFont, sizeof(logFont), &logFont) != 0) {
        logFont.lfUnderline = TRUE;
        font_ = CreateFontIndirectA(&logFont);
    }

    control_ = control;
    FitToText();
    // Statics ignore the mouse unless they notify.
    SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | SS_NOTIFY);
    SetPropA(control, kThisProperty, this);
    baseProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HyperLink::WindowProc)));

    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control),
                               nullptr, nullptr, nullptr);
    if (tooltip_ != nullptr) {
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every release from 2000 on
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = address_.data();
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    InvalidateRect(control, nullptr, TRUE);
    return true;
}

void HyperLink::Detach() {
    if (control_ != nullptr) {
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
        RemovePropA(control_, kThisProperty);
        control_ = nullptr;
    }
    if (tooltip_ != nullptr) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

// A longer address than the template's field widens the field about its
// centre rather than being clipped.
void HyperLink::FitToText() {
    HDC dc = GetDC(control_);
    if (dc == nullptr) {
        return;
    }
    HGDIOBJ previous = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SIZE extent{};
    GetTextExtentPoint32A(dc, address_.c_str(), static_cast<int>(address_.size()), &extent);
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    ReleaseDC(control_, dc);
    RECT area;
    GetWindowRect(control_, &area);
    MapWindowPoints(nullptr, GetParent(control_), reinterpret_cast<POINT*>(&area), 2);
    const LONG width = area.right - area.left;
    if (extent.cx <= width) {
        return;
    }
    const LONG left = area.left - (extent.cx - width) / 2;
    SetWindowPos(control_, nullptr, left, area.top, extent.cx, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void HyperLink::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control_, &paint);
    RECT area;
    GetClientRect(control_, &area);
    HGDIOBJ previous = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, visited_ ? visitedColor_ : linkColor_);
    DrawTextA(dc, address_.c_str(), static_cast<int>(address_.size()), &area,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    EndPaint(control_, &paint);
}

void HyperLink::Open() {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecute reports success by a value above 32; a failure is not shown.
    if (reinterpret_cast<INT_PTR>(result) > 32) {
        visited_ = true;
        InvalidateRect(control_, nullptr, TRUE);
    }
}

LRESULT HyperLink::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETCURSOR:
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        case WM_LBUTTONUP:
            Open();
            return 0;
        case WM_NCDESTROY: {
            WNDPROC base = baseProc_;
            HWND control = control_;
            Detach();
            return CallWindowProcA(base, control, message, wParam, lParam);
        }
        default:
            return CallWindowProcA(baseProc_, control_, message, wParam, lParam);
    }
}

LRESULT CALLBACK HyperLink::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<HyperLink*>(GetPropA(window, kThisProperty));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}
