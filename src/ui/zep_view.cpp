#include "ui/zep_view.h"

#include <vector>

#include "ui/resource_ids.h"

namespace {

constexpr char kClassName[] = "ZEPView";
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL |
                         WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                         ES_NOHIDESEL | ES_READONLY | ES_SAVESEL;
static_assert(kStyle == 0x563089C4);

// 14 device pixels, in twips: 14 * 1440 divided by the dots per inch.
constexpr int kFontHeightTwipsAtOneDpi = 20160;
static_assert(sizeof(CHARFORMATA) == 60);

// Courier New, 14 device pixels high; by pitch and family too, so that where
// Courier New is missing the font mapper still picks a fixed-pitch face and
// the report's columns line up.
CHARFORMATA ViewFormat(HDC dc) {
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = dpi > 0 ? kFontHeightTwipsAtOneDpi / dpi : 210;
    format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(format.szFaceName, "Courier New", LF_FACESIZE);
    return format;
}

}  // namespace

WNDPROC ZEPView::baseProc_ = nullptr;

bool ZEPView::RegisterViewClass(HINSTANCE instance) {
    WNDCLASSA base{};
    if (!GetClassInfoA(nullptr, "RICHEDIT", &base)) {
        return false;
    }
    baseProc_ = base.lpfnWndProc;
    WNDCLASSA own = base;
    own.lpfnWndProc = &ZEPView::WindowProc;
    own.hInstance = instance;
    own.lpszClassName = kClassName;
    own.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    return RegisterClassA(&own) != 0;
}

HWND ZEPView::Create(HWND parent, HINSTANCE instance) {
    window_ = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, nullptr, kStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDW_VIEW)), instance,
                              nullptr);
    if (window_ != nullptr) {
        // Without a raised limit rich edit keeps only the first 32767
        // characters of a longer report.
        SendMessageA(window_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    }
    return window_;
}

void ZEPView::SetText(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
    // Windows keeps the empty view's format for the new text; Wine's rich
    // edit gives it its default (bold, proportional), so it is set again,
    // not bold, and the view shows the top of the text it then lays out.
    HDC dc = GetDC(window_);
    CHARFORMATA format = ViewFormat(dc);
    if (dc != nullptr) {
        ReleaseDC(window_, dc);
    }
    format.dwMask |= CFM_BOLD;
    SendMessageA(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(window_, WM_VSCROLL, SB_TOP, 0);
}

std::string ZEPView::GetText() const {
    const int length = GetWindowTextLengthA(window_);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window_, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

LRESULT ZEPView::OnCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(baseProc_, window, WM_CREATE, wParam, lParam);

    HDC dc = GetDC(window);
    CHARFORMATA format = ViewFormat(dc);
    // Still empty: the format becomes the one of all text set later.
    CHARRANGE all{0, -1};
    CallWindowProcA(baseProc_, window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CallWindowProcA(baseProc_, window, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD,
                    reinterpret_cast<LPARAM>(&format));
    if (dc != nullptr) {
        ReleaseDC(window, dc);
    }
    return result;
}

LRESULT CALLBACK ZEPView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return OnCreate(window, wParam, lParam);
    }
    return CallWindowProcA(baseProc_, window, message, wParam, lParam);
}
