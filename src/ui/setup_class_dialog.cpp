#include "ui/setup_class_dialog.h"

#include <algorithm>

#include "ui/resource_ids.h"

namespace {

constexpr int kFirstCheckId = 2000;

// Dialog units to pixels of this dialog's font.
RECT Units(HWND dialog, int left, int top, int right, int bottom) {
    RECT r{left, top, right, bottom};
    MapDialogRect(dialog, &r);
    return r;
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

INT_PTR SetupClassDialog::DoModal(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP_CLASSES), owner,
                           &SetupClassDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND SetupClassDialog::AddControl(HWND dialog, const char* className, const std::string& text,
                                  DWORD style, int id, const RECT& place) {
    HWND control = CreateWindowExA(
        0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void SetupClassDialog::OnInitDialog(HWND dialog) {
    font_ = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font_);
    const RECT unit = Units(dialog, 7, 12, 50, 14);  // margin, row, button width, height
    const int margin = unit.left;
    const int rowHeight = unit.top;
    const int buttonWidth = unit.right;
    const int buttonHeight = unit.bottom;
    const int gap = Units(dialog, 6, 0, 0, 0).left;
    const int box = Units(dialog, 14, 10, 0, 0).left;  // the check mark and its space
    const int boxHeight = Units(dialog, 0, 10, 0, 0).top;

    HWND intro = GetDlgItem(dialog, IDC_CLASSES_INTRO);
    char introText[256] = {};
    GetWindowTextA(intro, introText, sizeof introText);
    int nameWidth = 0;
    int guidWidth = 0;
    int devicesWidth = 0;
    for (const SetupClassRow& row : rows_) {
        nameWidth = std::max(nameWidth, box + TextWidth(dc, row.name));
        guidWidth = std::max(guidWidth, TextWidth(dc, row.guidText));
        devicesWidth = std::max(devicesWidth, TextWidth(dc, row.devices));
    }
    const int introWidth = TextWidth(dc, introText);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    // The texts beside a box stand level with its label, centred in the box.
    const int textDrop = std::max(0, static_cast<int>(boxHeight - metrics.tmHeight) / 2);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    // As many rows per column as the screen holds; more classes, more columns.
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int introHeight = rowHeight;
    const int fixed = 2 * margin + introHeight + 2 * gap + buttonHeight +
                      GetSystemMetrics(SM_CYCAPTION) + 4 * GetSystemMetrics(SM_CYFIXEDFRAME);
    const int count = static_cast<int>(rows_.size());
    const int fit = std::max(1, (static_cast<int>(work.bottom - work.top) - fixed) / rowHeight);
    const int columns = std::max(1, (count + fit - 1) / fit);
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int columnWidth = nameWidth + gap + guidWidth + gap + devicesWidth;
    const int listWidth = columns * columnWidth + (columns - 1) * 2 * gap;
    const int clientWidth = 2 * margin + std::max({listWidth, introWidth, 2 * buttonWidth + gap});
    const int listTop = margin + introHeight + gap;
    const int buttonTop = listTop + rows * rowHeight + gap;
    const int clientHeight = buttonTop + buttonHeight + margin;

    SetWindowPos(intro, nullptr, margin, margin, clientWidth - 2 * margin, introHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Tab order is creation order: the check boxes (one group, so the arrow
    // keys move through them), then OK and Cancel, then the texts beside the
    // boxes in a group of their own.
    for (int i = 0; i < count; ++i) {
        const int x = margin + (i / rows) * (columnWidth + 2 * gap);
        const int y = listTop + (i % rows) * rowHeight;
        const DWORD style = BS_AUTOCHECKBOX | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
        HWND check = AddControl(dialog, "BUTTON", rows_[static_cast<std::size_t>(i)].name, style,
                                kFirstCheckId + i, RECT{x, y, x + nameWidth, y + boxHeight});
        SendMessageA(check, BM_SETCHECK,
                     rows_[static_cast<std::size_t>(i)].checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    const int okLeft = clientWidth - margin - 2 * buttonWidth - gap;
    AddControl(dialog, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK,
               RECT{okLeft, buttonTop, okLeft + buttonWidth, buttonTop + buttonHeight});
    AddControl(dialog, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
               RECT{okLeft + buttonWidth + gap, buttonTop, clientWidth - margin,
                    buttonTop + buttonHeight});
    for (int i = 0; i < count; ++i) {
        const SetupClassRow& row = rows_[static_cast<std::size_t>(i)];
        const int x = margin + (i / rows) * (columnWidth + 2 * gap) + nameWidth + gap;
        const int y = listTop + (i % rows) * rowHeight + textDrop;
        AddControl(dialog, "STATIC", row.guidText, SS_LEFT | SS_NOPREFIX | (i == 0 ? WS_GROUP : 0),
                   -1, RECT{x, y, x + guidWidth, y + boxHeight});
        AddControl(dialog, "STATIC", row.devices, SS_LEFT | SS_NOPREFIX, -1,
                   RECT{x + guidWidth + gap, y, x + guidWidth + gap + devicesWidth, y + boxHeight});
    }

    // The window around that client area, centred over the owner and kept
    // on the screen.
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT owner = work;
    if (HWND parent = GetParent(dialog)) {
        GetWindowRect(parent, &owner);
    }
    int left = (owner.left + owner.right - width) / 2;
    int top = (owner.top + owner.bottom - height) / 2;
    left =
        std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
    top =
        std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
    SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (count > 0) {
        SetFocus(GetDlgItem(dialog, kFirstCheckId));
    }
}

void SetupClassDialog::ReadChecks(HWND dialog) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].checked =
            IsDlgButtonChecked(dialog, kFirstCheckId + static_cast<int>(i)) == BST_CHECKED;
    }
}

INT_PTR CALLBACK SetupClassDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<SetupClassDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<SetupClassDialog*>(lParam)->OnInitDialog(dialog);
            return FALSE;  // the focus is set: on the first class
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && self != nullptr) {
                self->ReadChecks(dialog);
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
