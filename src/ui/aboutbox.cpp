#include "ui/aboutbox.h"

#include "ui/product_info.h"
#include "ui/resource_ids.h"

INT_PTR Aboutbox::DoModal(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, &Aboutbox::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Aboutbox::TransferText(HWND control, const std::string& text) {
    if (control != nullptr && SetWindowTextA(control, text.c_str())) {
        return true;
    }
    MessageBeep(static_cast<UINT>(-1));
    SetFocus(control);
    return false;
}

void Aboutbox::OnInitDialog(HWND dialog) {
    std::string caption = std::string("About ") + kProductName;
    SetWindowTextA(dialog, caption.c_str());
    versionText_ = AboutVersionText();
    legalText_ = kLegalNotice;
    versionControl_ = GetDlgItem(dialog, IDC_ABOUT_VERSION);
    legalControl_ = GetDlgItem(dialog, IDC_ABOUT_LEGAL);
    if (!TransferText(versionControl_, versionText_) || !TransferText(legalControl_, legalText_)) {
        return;
    }
    link_.Attach(GetDlgItem(dialog, IDC_ABOUT_LINK));
}

INT_PTR CALLBACK Aboutbox::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            reinterpret_cast<Aboutbox*>(lParam)->OnInitDialog(dialog);
            // The dialog stays at its template position and keeps the focus
            // where the dialog manager put it.
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
