// The report view: the read-only rich edit 1.0 control under a class of our
// own, with a fixed-pitch font of 14 device pixels.
#pragma once

#include <string>

#include "ui/win32_headers.h"

class ZEPView {
  public:
    // Registers the class; the rich edit library must be loaded already.
    static bool RegisterViewClass(HINSTANCE instance);

    HWND Create(HWND parent, HINSTANCE instance);
    HWND Window() const { return window_; }

    void SetText(const std::string& text);
    // The whole text as the control hands it back.
    std::string GetText() const;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT OnCreate(HWND window, WPARAM wParam, LPARAM lParam);

    static WNDPROC baseProc_;
    HWND window_ = nullptr;
};
