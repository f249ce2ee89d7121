// The main window: its procedure and one handler a message.
#pragma once

#include <windows.h>
#include <aygshell.h>

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Construction
LRESULT OnCreate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* activateInfo);
void UpdateEraToggleCaption(HWND hwnd);

// Layout
LRESULT OnSize(HWND hwnd);
// The width left for the list's last column, never below 0: the list's
// width less the other columns (reserved).
int LastColumnWidth(int listWidth, int reserved);
const int LIST_FIXED_COLUMNS = 142;   // 40 + 60 + 40 and 2 pixels
const int LIST_FIXED_WITH_ROWS = 155; // the same while the list holds rows

// Activation, painting, notifications and the end of the window
LRESULT OnDestroy(HWND hwnd);
LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* activateInfo);
LRESULT OnSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* activateInfo);
LRESULT OnPaint(HWND hwnd);
LRESULT OnCtlColorStatic(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnNotify();
LRESULT OnMouseMove();
LRESULT OnLButtonDown();
LRESULT OnLButtonUp();

// Commands and result display
LRESULT OnCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void RunEstimate(HWND hwnd);
