// A static control turned into a link: underlined in the link colours, a
// hand cursor, a tooltip with the address, and a click that opens it.
#pragma once

#include <string>

#include "ui/win32_headers.h"

class HyperLink {
  public:
    HyperLink() = default;
    ~HyperLink();
    HyperLink(const HyperLink&) = delete;
    HyperLink& operator=(const HyperLink&) = delete;

    // The control's own text is the address.
    bool Attach(HWND control);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FitToText();
    void Paint();
    void Open();
    void Detach();

    HWND control_ = nullptr;
    HWND tooltip_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    HFONT font_ = nullptr;
    std::string address_;
    COLORREF linkColor_ = RGB(0, 0, 255);
    COLORREF visitedColor_ = RGB(128, 0, 128);
    bool visited_ = false;
};
