#include "report/final_report.h"
#include "ui/product_info.h"
#include "ui/report_file.h"
#include "ui/report_analysis.h"
#include "ui/command_prompt.h"
#include "ui/main_frame.h"

#include <vector>

#include "ui/aboutbox.h"
#include "ui/findings_dialog.h"
#include "ui/resource_ids.h"
#include "ui/setup_class_dialog.h"

namespace {

constexpr char kFrameClass[] = "MalvoretSysInfoFrame";

}  // namespace

bool MainFrame::toolbarVisible_ = true;

HWND MainFrame::Create(HINSTANCE instance) {
    instance_ = instance;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // Redrawn whole when resized: otherwise the status bar's old size grip
    // stays where the right edge was (seen under Wine).
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &MainFrame::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassExA(&windowClass) || !ZEPView::RegisterViewClass(instance)) {
        return nullptr;
    }
    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    const std::string title = LoadText(IDR_MAINFRAME);
    HWND created = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kFrameClass, title.c_str(),
                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   nullptr, menu_, instance, this);
    if (created == nullptr && menu_ != nullptr) {
        DestroyMenu(menu_);
    }
    return created;
}

bool MainFrame::PreTranslateMessage(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || accelerators_ == nullptr) {
        return false;
    }
    return TranslateAcceleratorA(frame_, accelerators_, &message) != 0;
}

std::string MainFrame::LoadText(UINT id) const {
    char buffer[512] = {};
    const int length = LoadStringA(instance_, id, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

LRESULT MainFrame::OnCreate() {
    if (!CreateToolbar() || !CreateRebar()) {
        return -1;
    }
    const std::string ready = LoadText(IDS_READY);
    statusBar_ = CreateWindowExA(
        0, STATUSCLASSNAMEA, ready.c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_BOTTOM, 0,
        0, 0, 0, frame_, reinterpret_cast<HMENU>(IDW_STATUS_BAR), instance_, nullptr);
    if (statusBar_ == nullptr || view_.Create(frame_, instance_) == nullptr) {
        return -1;
    }
    menuImages_.Attach(instance_, menu_);
    SetCheck(ID_VIEW_TOOLBAR, toolbarVisible_);
    SetCheck(ID_VIEW_STATUS_BAR, true);
    SetWindowTextA(frame_, kProductName);
    showUSB = true;
    show1394 = true;
    SetCheck(ID_OPTIONS_SHOW_USB, showUSB);
    SetCheck(ID_OPTIONS_SHOW_1394, show1394);
    showDetails = false;
    SetCheck(ID_VIEW_DEVICE_DETAILS, showDetails);
    if (!toolbarVisible_) {
        const LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, IDW_TOOLBAR_BAND, 0);
        SendMessageA(rebar_, RB_SHOWBAND, static_cast<WPARAM>(index), FALSE);
    }
    Refresh();
    return 0;
}

void MainFrame::Refresh() {
    ClassSelection selection;
    selection.showUSB = showUSB;
    selection.show1394 = show1394;
    selection.classes = moreClasses_;
    FinalReport report;
    report.ShowDetails(showDetails);
    report.Generate(ReportTitle(), selection);
    view_.SetText(report.GetText());
}

void MainFrame::ChooseSetupClasses() {
    ClassSelection current;
    current.showUSB = showUSB;
    current.show1394 = show1394;
    current.classes = moreClasses_;
    SetupClassDialog dialog(SetupClassRows(current));
    if (dialog.DoModal(instance_, frame_) != IDOK) {
        return;
    }
    const ClassSelection chosen = SelectionFromRows(dialog.Rows());
    showUSB = chosen.showUSB;
    show1394 = chosen.show1394;
    moreClasses_ = chosen.classes;
    SetCheck(ID_OPTIONS_SHOW_USB, showUSB);
    SetCheck(ID_OPTIONS_SHOW_1394, show1394);
    Refresh();
}

void MainFrame::ShowError(const std::string& text) {
    MessageBoxA(frame_, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

void MainFrame::SaveToFile() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame_;
    // The text file stays the first choice; a page is written when asked for.
    dialog.lpstrFilter =
        "Text file (*.txt)\0*.txt\0Web page (*.html)\0*.html\0All files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "txt";
    dialog.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetSaveFileNameA(&dialog)) {
        return;
    }
    std::string bytes = view_.GetText();
    if (SavesWebPage(path, dialog.nFilterIndex)) {
        std::string page;
        std::string error;
        if (!ReportPageOfText(bytes, page, error)) {
            ShowError(error);
            return;
        }
        bytes = std::move(page);
    }
    const ReportFileResult result = WriteReportFile(path, bytes);
    if (result.outcome != ReportFileResult::Saved) {
        ShowError(ReportFileErrorText(path, result));
    }
}

void MainFrame::SetCheck(UINT id, bool checked) {
    for (CommandState& state : commandStates_) {
        if (state.id == id) {
            state.checked = checked;
            toolbarStale_ = true;
        }
    }
    CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainFrame::OnIdle() {
    if (toolbarStale_ && toolbar_ != nullptr) {
        toolbarStale_ = false;
        for (const CommandState& state : commandStates_) {
            if (SendMessageA(toolbar_, TB_COMMANDTOINDEX, state.id, 0) < 0) {
                continue;  // not on the toolbar
            }
            SendMessageA(toolbar_, TB_ENABLEBUTTON, state.id, TRUE);  // never disabled
            SendMessageA(toolbar_, TB_CHECKBUTTON, state.id, state.checked);
        }
    }
    return false;
}

void MainFrame::ToggleToolbar() {
    toolbarVisible_ = !toolbarVisible_;
    const LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, IDW_TOOLBAR_BAND, 0);
    SendMessageA(rebar_, RB_SHOWBAND, static_cast<WPARAM>(index), toolbarVisible_);
    SetCheck(ID_VIEW_TOOLBAR, toolbarVisible_);
    UpdateLayout();
}

void MainFrame::ToggleStatusBar() {
    const bool visible = !IsWindowVisible(statusBar_);
    ShowWindow(statusBar_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    SetCheck(ID_VIEW_STATUS_BAR, visible);
    UpdateLayout();
}

void MainFrame::UpdateLayout() {
    RECT client;
    GetClientRect(frame_, &client);
    SendMessageA(rebar_, WM_SIZE, 0, 0);
    RECT bar;
    if (IsWindowVisible(rebar_) && GetWindowRect(rebar_, &bar)) {
        client.top += bar.bottom - bar.top;
    }
    if (IsWindowVisible(statusBar_)) {
        SendMessageA(statusBar_, WM_SIZE, 0, 0);
        GetWindowRect(statusBar_, &bar);
        client.bottom -= bar.bottom - bar.top;
    }
    if (client.bottom < client.top) {
        client.bottom = client.top;
    }
    SetWindowPos(view_.Window(), nullptr, client.left, client.top, client.right - client.left,
                 client.bottom - client.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainFrame::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && menu == nullptr) {
        SendMessageA(statusBar_, SB_SIMPLE, FALSE, 0);
        return;
    }
    std::string prompt;
    if ((flags & (MF_POPUP | MF_SEPARATOR)) == 0) {
        const UINT id = (flags & MF_SYSMENU) != 0 ? SystemCommandPromptId(item) : item;
        if (id != 0) {
            prompt = SplitCommandText(LoadText(id)).statusText;
        }
    }
    SendMessageA(statusBar_, SB_SIMPLE, TRUE, 0);
    SendMessageA(statusBar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(prompt.c_str()));
}

LRESULT MainFrame::OnNotify(NMHDR& header) {
    if (header.code == TTN_GETDISPINFOA) {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        tooltipText_ = SplitCommandText(LoadText(static_cast<UINT>(header.idFrom))).tooltip;
        info.lpszText = tooltipText_.data();
        return 0;
    }
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        tooltipText_ = SplitCommandText(LoadText(static_cast<UINT>(header.idFrom))).tooltip;
        const int length = MultiByteToWideChar(CP_ACP, 0, tooltipText_.c_str(), -1, nullptr, 0);
        tooltipTextWide_.assign(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, tooltipText_.c_str(), -1, tooltipTextWide_.data(), length);
        info.lpszText = tooltipTextWide_.data();
        return 0;
    }
    if (header.hwndFrom == rebar_ && header.code == RBN_HEIGHTCHANGE) {
        UpdateLayout();
    }
    return 0;
}

void MainFrame::OnCommand(UINT id) {
    switch (id) {
        case ID_FILE_SAVE_TO_FILE:
            SaveToFile();
            break;
        case ID_APP_EXIT:
            PostMessageA(frame_, WM_CLOSE, 0, 0);
            break;
        case ID_EDIT_COPY:
            SendMessageA(view_.Window(), WM_COPY, 0, 0);
            break;
        case ID_EDIT_SELECT_ALL: {
            CHARRANGE all{0, -1};
            SendMessageA(view_.Window(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
            break;
        }
        case ID_VIEW_TOOLBAR:
            ToggleToolbar();
            break;
        case ID_VIEW_STATUS_BAR:
            ToggleStatusBar();
            break;
        case ID_VIEW_DEVICE_DETAILS:
            showDetails = !showDetails;
            SetCheck(ID_VIEW_DEVICE_DETAILS, showDetails);
            Refresh();
            break;
        case ID_OPTIONS_SHOW_USB:
            showUSB = !showUSB;
            SetCheck(ID_OPTIONS_SHOW_USB, showUSB);
            Refresh();
            break;
        case ID_OPTIONS_SHOW_1394:
            show1394 = !show1394;
            SetCheck(ID_OPTIONS_SHOW_1394, show1394);
            Refresh();
            break;
        case ID_REPORT_REFRESH:
            Refresh();
            break;
        case ID_TOOLS_CHECK:
            FindingsDialog::DoModal(instance_, frame_, FindingsTextOfReport(view_.GetText()));
            break;
        case ID_VIEW_SETUP_CLASSES:
            ChooseSetupClasses();
            break;
        case ID_APP_ABOUT: {
            Aboutbox about;
            about.DoModal(instance_, GetActiveWindow());
            break;
        }
        default:
            break;
    }
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_SIZE:
            UpdateLayout();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the view covers the client area
        case WM_SETFOCUS:
            SetFocus(view_.Window());
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(1);
            return 0;
        default:
            return DefWindowProcA(frame_, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainFrame*>(create->lpCreateParams);
        self->frame_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}
