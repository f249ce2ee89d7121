// The main window's procedure: one handler a message, everything else to
// the default procedure.
#include "globals.h"
#include "main_window.h"
#include "resource.h"

namespace
{

const int kSeparatorY = 22; // under the title row

} // namespace

// Releases what OnCreate made and ends the message loop.
LRESULT OnDestroy(HWND)
{
    DestroyWindow(g_hwndMenuBar);
    g_hwndMenuBar = nullptr;
    if (g_hMainFont != nullptr)
    {
        DeleteObject(g_hMainFont);
        g_hMainFont = nullptr;
    }
    PostQuitMessage(0);
    return 0;
}

// Lets the shell keep its activation record for the window.
LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* activateInfo)
{
    SHHandleWMActivate(hwnd, wParam, lParam, activateInfo, 0);
    return 0;
}

LRESULT OnSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* activateInfo)
{
    SHHandleWMSettingChange(hwnd, wParam, lParam, activateInfo);
    return 0;
}

// Draws the separator under the title with the default pen.
LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT line[2] = {{client.left, kSeparatorY}, {client.right, kSeparatorY}};
    Polyline(hdc, line, 2);
    EndPaint(hwnd, &ps);
    return 0;
}

// Only the title is drawn in the highlight colour, on white.
LRESULT OnCtlColorStatic(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(hwnd, IDC_MAIN_TITLE))
        return 0;
    SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHT));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// Notifications and the stylus on the window's own surface need nothing.
LRESULT OnNotify()
{
    return 0;
}

LRESULT OnMouseMove()
{
    return 0;
}

LRESULT OnLButtonDown()
{
    return 0;
}

LRESULT OnLButtonUp()
{
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE: return OnCreate(hwnd, wParam, lParam, &g_activateInfo);
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_SIZE: return OnSize(hwnd);
    case WM_ACTIVATE: return OnActivate(hwnd, wParam, lParam, &g_activateInfo);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_SETTINGCHANGE: return OnSettingChange(hwnd, wParam, lParam, &g_activateInfo);
    case WM_NOTIFY: return OnNotify();
    case WM_COMMAND: return OnCommand(hwnd, message, wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(hwnd, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove();
    case WM_LBUTTONDOWN: return OnLButtonDown();
    case WM_LBUTTONUP: return OnLButtonUp();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
