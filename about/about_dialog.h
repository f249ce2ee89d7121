// The About box: a full-screen modal dialog with a header, the icon, the
// title, version, copyright and rights lines, the home-page address and a
// Close button. One object serves one showing.
#pragma once

#include <windows.h>

class AboutDialog
{
  public:
    AboutDialog();
    virtual ~AboutDialog();

    // Shows the box modally; 1 when closed by a button, 16 by WM_CLOSE.
    INT_PTR Show(HWND owner, LPARAM initParam);

    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnClose(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnCtlColorStatic(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnSize(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void End(HWND dialog, INT_PTR result);

    int m_templateId;
    HFONT m_hFont;      // the lines' font, owned
    HWND m_hwndMenuBar; // the empty menu bar, or 0
    bool m_ended;       // the box has been ended; a second end changes nothing
};

// Hands the box's messages to g_aboutDialog.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
