// Tools > Check: the findings of the report in view in a dialog, with a
// button that copies them.
#pragma once

#include <string>

#include "ui/win32_headers.h"

class FindingsDialog {
  public:
    // `text` as FindingsTextOfReport writes it.
    static INT_PTR DoModal(HINSTANCE instance, HWND owner, const std::string& text);

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
