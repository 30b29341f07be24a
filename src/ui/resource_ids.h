// Resource and command identifiers, shared by the resource script and the
// code. Plain #defines: windres reads this file too.
#pragma once

#define IDR_MAINFRAME 128

#define IDS_ONLY_32BIT_WINDOWS 129
#define IDS_NEEDS_WINDOWS_2000 130

#define IDD_ABOUTBOX 100
#define IDC_ABOUT_LEGAL 1000
#define IDC_ABOUT_VERSION 1001
#define IDC_ABOUT_LINK 1004
#define IDD_SETUP_CLASSES 102
#define IDC_CLASSES_INTRO 1020

#define IDD_FINDINGS 101
#define IDC_FINDINGS_TEXT 1010
#define IDC_FINDINGS_COPY 1011

#define ID_FILE_SAVE_TO_FILE 57604
#define ID_APP_EXIT 57665
#define ID_EDIT_COPY 57634
#define ID_EDIT_SELECT_ALL 57642
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_OPTIONS_SHOW_USB 32772
#define ID_OPTIONS_SHOW_1394 32773
#define ID_REPORT_REFRESH 32774
#define ID_TOOLS_CHECK 32775
#define ID_VIEW_SETUP_CLASSES 32776
#define ID_VIEW_DEVICE_DETAILS 32777
#define ID_APP_ABOUT 57664

#define IDS_READY 57345

// Prompts of the window menu: 0xEF00 plus the system command's index.
#define IDS_SC_SIZE 61184
#define IDS_SC_MOVE 61185
#define IDS_SC_MINIMIZE 61186
#define IDS_SC_MAXIMIZE 61187
#define IDS_SC_CLOSE 61190
#define IDS_SC_RESTORE 61202
#define IDS_SC_TASKLIST 61203

// Child window identifiers of the frame.
#define IDW_REBAR 0xE804
#define IDW_STATUS_BAR 0xE801
#define IDW_TOOLBAR_BAND 0xEB01
#define IDW_VIEW 0xE900
