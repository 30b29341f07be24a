// View > Setup Classes...: a check box per installed setup class (name,
// GUID, present devices), the USB and IEEE 1394 switches first. Built at run
// time and sized to its rows; keyboard only works (Tab, arrows, space, Enter,
// Esc).
#pragma once

#include <vector>

#include "ui/setup_class_rows.h"
#include "ui/win32_headers.h"

class SetupClassDialog {
  public:
    explicit SetupClassDialog(std::vector<SetupClassRow> rows) : rows_(std::move(rows)) {}

    // IDOK when the user confirmed; the rows then hold the new check marks.
    INT_PTR DoModal(HINSTANCE instance, HWND owner);
    const std::vector<SetupClassRow>& Rows() const { return rows_; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void ReadChecks(HWND dialog);
    HWND AddControl(HWND dialog, const char* className, const std::string& text, DWORD style,
                    int id, const RECT& place);

    std::vector<SetupClassRow> rows_;
    HFONT font_ = nullptr;
};
