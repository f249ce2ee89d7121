// The platform's calls that the program makes of the screen, answered in the
// handheld screen's terms: on a desktop, the screen is the inside of the
// frame, its coordinates start at the frame's inside, and the program's
// top-level windows are the frame's screen windows.
#define SHELL_PLATFORM_CALLS
#include "aygshell.h"
#include "screen.h"

namespace
{

POINT Origin()
{
    const RECT screen = Shell_ScreenRect();
    return {screen.left, screen.top};
}

void Shift(LPPOINT points, UINT count, int dx, int dy)
{
    for (UINT i = 0; i < count; ++i)
    {
        points[i].x += dx;
        points[i].y += dy;
    }
}

} // namespace

int WINAPI Shell_GetSystemMetrics(int index)
{
    if (index == SM_CXSCREEN)
        return Shell_ScreenSize().cx;
    if (index == SM_CYSCREEN)
        return Shell_ScreenSize().cy;
    return GetSystemMetrics(index);
}

BOOL WINAPI Shell_GetWindowRect(HWND hwnd, LPRECT rect)
{
    if (!GetWindowRect(hwnd, rect))
        return FALSE;
    const POINT origin = Origin();
    OffsetRect(rect, -origin.x, -origin.y);
    return TRUE;
}

BOOL WINAPI Shell_ClientToScreen(HWND hwnd, LPPOINT point)
{
    if (!ClientToScreen(hwnd, point))
        return FALSE;
    const POINT origin = Origin();
    Shift(point, 1, -origin.x, -origin.y);
    return TRUE;
}

BOOL WINAPI Shell_ScreenToClient(HWND hwnd, LPPOINT point)
{
    const POINT origin = Origin();
    POINT desktop = {point->x + origin.x, point->y + origin.y};
    if (!ScreenToClient(hwnd, &desktop))
        return FALSE;
    *point = desktop;
    return TRUE;
}

// A null window is the screen: its points are the handheld's.
int WINAPI Shell_MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    const POINT origin = Origin();
    const POINT in = from == nullptr ? origin : POINT{0, 0};
    const POINT out = to == nullptr ? origin : POINT{0, 0};
    Shift(points, count, in.x, in.y);
    const int offset = MapWindowPoints(from, to, points, count);
    Shift(points, count, -out.x, -out.y);
    const int dx = static_cast<short>(LOWORD(offset)) + in.x - out.x;
    const int dy = static_cast<short>(HIWORD(offset)) + in.y - out.y;
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

// The root of a window in a frame is the frame's window that holds it.
HWND WINAPI Shell_GetAncestor(HWND hwnd, UINT flags)
{
    HWND ancestor = GetAncestor(hwnd, flags);
    if (!Shell_IsFrame(ancestor) || ancestor == hwnd)
        return ancestor;
    if (flags == GA_PARENT)
        return GetDesktopWindow();
    for (HWND window = hwnd; window != nullptr; window = GetAncestor(window, GA_PARENT))
        if (GetAncestor(window, GA_PARENT) == ancestor)
            return window;
    return Shell_ScreenWindow(ancestor); // a dialog owned by the frame: its window
}

// A window in a frame, of this copy of the program or another, is found as
// a top-level window is.
HWND WINAPI Shell_FindWindowW(LPCWSTR className, LPCWSTR title)
{
    HWND found = FindWindowW(className, title);
    if (found != nullptr)
        return Shell_IsFrame(found) ? Shell_ScreenWindow(found) : found;
    for (HWND frame = FindWindowW(SHELL_FRAME_CLASS, nullptr); frame != nullptr;
         frame = FindWindowExW(nullptr, frame, SHELL_FRAME_CLASS, nullptr))
        if (HWND inside = FindWindowExW(frame, nullptr, className, title))
            return inside;
    return nullptr;
}

HWND WINAPI Shell_GetForegroundWindow(void)
{
    HWND foreground = GetForegroundWindow();
    return Shell_IsFrame(foreground) ? Shell_ScreenWindow(foreground) : foreground;
}

// On a desktop, a display mode turns the frame's screen; the null mode gives
// it back its portrait size.
LONG WINAPI Shell_ChangeDisplaySettingsW(DEVMODEW* mode, DWORD flags)
{
    if (!Shell_IsWindowed())
        return ChangeDisplaySettingsW(mode, flags);
    if ((flags & CDS_TEST) != 0)
        return DISP_CHANGE_SUCCESSFUL;
    if (mode == nullptr)
        Shell_TurnScreen(SHELL_SCREEN_WIDTH, SHELL_SCREEN_HEIGHT);
    else
        Shell_TurnScreen(static_cast<int>(mode->dmPelsWidth), static_cast<int>(mode->dmPelsHeight));
    return DISP_CHANGE_SUCCESSFUL;
}
