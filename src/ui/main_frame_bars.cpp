// The frame's toolbar and the rebar that holds it.
#include "ui/main_frame.h"

#include <vector>

namespace {

struct ToolbarButton {
    int image;
    int command;
};
// Save to file, Copy, Check, About, with separators between them.
constexpr ToolbarButton kToolbarButtons[] = {
    {0, ID_FILE_SAVE_TO_FILE}, {-1, 0}, {1, ID_EDIT_COPY}, {-1, 0},
    {3, ID_TOOLS_CHECK},       {-1, 0}, {2, ID_APP_ABOUT}};

}  // namespace

bool MainFrame::CreateToolbar() {
    toolbar_ =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                            TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                        0, 0, 0, 0, frame_, nullptr, instance_, nullptr);
    if (toolbar_ == nullptr) {
        return false;
    }
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    TBADDBITMAP bitmap{instance_, IDR_MAINFRAME};
    SendMessageA(toolbar_, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&bitmap));
    std::vector<TBBUTTON> buttons;
    for (const ToolbarButton& b : kToolbarButtons) {
        TBBUTTON button{};
        button.iBitmap = b.image < 0 ? 0 : b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = static_cast<BYTE>(b.image < 0 ? BTNS_SEP : BTNS_BUTTON);
        buttons.push_back(button);
    }
    SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    return true;
}

bool MainFrame::CreateRebar() {
    rebar_ =
        CreateWindowExA(0, REBARCLASSNAMEA, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT |
                            RBS_BANDBORDERS | RBS_AUTOSIZE | CCS_NODIVIDER | CCS_TOP,
                        0, 0, 0, 0, frame_, reinterpret_cast<HMENU>(IDW_REBAR), instance_, nullptr);
    if (rebar_ == nullptr) {
        return false;
    }
    REBARINFO info{};
    info.cbSize = sizeof(info);
    SendMessageA(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));

    RECT last{};
    const LRESULT count = SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0);
    SendMessageA(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                 reinterpret_cast<LPARAM>(&last));
    const DWORD buttonSize = static_cast<DWORD>(SendMessageA(toolbar_, TB_GETBUTTONSIZE, 0, 0));

    REBARBANDINFOA band{};
    band.cbSize = REBARBANDINFOA_V6_SIZE;  // the size that comctl32 5.8 and 6 accept
    band.fMask =
        RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_BREAK;
    band.hwndChild = toolbar_;
    band.cxMinChild = static_cast<UINT>(last.right);
    band.cyMinChild = HIWORD(buttonSize);
    band.cx = static_cast<UINT>(last.right);
    band.cxIdeal = static_cast<UINT>(last.right);
    band.wID = IDW_TOOLBAR_BAND;
    if (!SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(&band))) {
        return false;
    }
    // Commands and tooltip requests of the buttons come to the frame.
    SendMessageA(toolbar_, TB_SETPARENT, reinterpret_cast<WPARAM>(frame_), 0);
    return true;
}
