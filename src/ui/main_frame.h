// The main window: menu bar, toolbar in a rebar, status bar and the report
// view, the two report options and the commands of the menus.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/platform.h"

#include "ui/menu_images.h"
#include "ui/zep_view.h"
#include "ui/resource_ids.h"
#include "ui/win32_headers.h"

class MainFrame {
  public:
    MainFrame() = default;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Creates the window, which already builds the first report; null on
    // failure.
    HWND Create(HINSTANCE instance);
    HWND Window() const { return frame_; }

    // Translates the accelerators; true when the message was consumed.
    bool PreTranslateMessage(MSG& message);
    // Called when the queue runs empty: brings the toolbar buttons up to date
    // with the command states. False: no more idle work until the next message.
    bool OnIdle();

    void Refresh();
    void SaveToFile();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    void OnCommand(UINT id);
    LRESULT OnNotify(NMHDR& header);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    bool CreateToolbar();
    bool CreateRebar();
    void ToggleToolbar();
    void ToggleStatusBar();
    void ChooseSetupClasses();
    void SetCheck(UINT id, bool checked);
    void UpdateLayout();
    void ShowError(const std::string& text);
    std::string LoadText(UINT id) const;

    // The command update table: the checkable commands. The menu follows a
    // change at once, the toolbar at the next idle time.
    struct CommandState {
        UINT id;
        bool checked;
    };
    std::array<CommandState, 4> commandStates_{{{ID_VIEW_TOOLBAR, false},
                                                {ID_VIEW_STATUS_BAR, false},
                                                {ID_OPTIONS_SHOW_USB, false},
                                                {ID_OPTIONS_SHOW_1394, false}}};
    bool toolbarStale_ = true;

    bool showUSB = true;
    bool show1394 = true;
    // Further classes ticked in View > Setup Classes...; not stored either.
    std::vector<win::GUID> moreClasses_;
    bool showDetails = false;  // View > Device Details: off at start, not stored
    ZEPView view_;

    HINSTANCE instance_ = nullptr;
    HWND frame_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND rebar_ = nullptr;
    HWND statusBar_ = nullptr;
    HMENU menu_ = nullptr;
    MenuImages menuImages_;
    HACCEL accelerators_ = nullptr;
    // Kept for the toolbar's tooltip requests, which borrow the pointer.
    std::string tooltipText_;
    std::wstring tooltipTextWide_;

    static bool toolbarVisible_;
};
