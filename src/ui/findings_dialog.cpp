#include "ui/findings_dialog.h"

#include "ui/resource_ids.h"

INT_PTR FindingsDialog::DoModal(HINSTANCE instance, HWND owner, const std::string& text) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FINDINGS), owner,
                           &FindingsDialog::DialogProc, reinterpret_cast<LPARAM>(text.c_str()));
}

INT_PTR CALLBACK FindingsDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(GetDlgItem(dialog, IDC_FINDINGS_TEXT),
                           reinterpret_cast<const char*>(lParam));
            // Close has the focus: the text is not selected at first.
            SetFocus(GetDlgItem(dialog, IDOK));
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_FINDINGS_COPY: {
                    // The whole text, whatever part of it was selected.
                    HWND text = GetDlgItem(dialog, IDC_FINDINGS_TEXT);
                    SendMessageA(text, EM_SETSEL, 0, -1);
                    SendMessageA(text, WM_COPY, 0, 0);
                    return TRUE;
                }
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
