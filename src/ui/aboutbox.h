// The About box: product name, version, release date, the legal notice and
// a link to the maker's web site.
#pragma once

#include <string>

#include "ui/hyper_link.h"
#include "ui/win32_headers.h"

class Aboutbox {
  public:
    // Runs the dialog modally; returns the code it ended with (1 OK, 2 Esc).
    INT_PTR DoModal(HINSTANCE instance, HWND owner);

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    bool TransferText(HWND control, const std::string& text);

    HWND versionControl_ = nullptr;
    HWND legalControl_ = nullptr;
    std::string versionText_;
    std::string legalText_;
    HyperLink link_;
};
