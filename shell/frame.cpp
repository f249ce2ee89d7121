// The handheld's screen as a window of its own, on a desktop larger than it:
// the program's caption and icons, a minimize and a close box, and an inside
// of exactly the screen's size. The program's overlapped windows become its
// children, so that everything moves, minimizes and restores as one; its
// system menu turns the screen.
#define SHELL_PLATFORM_CALLS
#include "aygshell.h"
#include "screen.h"

#include <shellapi.h>

const wchar_t SHELL_FRAME_CLASS[] = L"ShellScreen";

namespace
{

const DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
const UINT kTurnCommand = 0x0010; // a system-menu command: low four bits clear, below SC_SIZE
const UINT WM_SHELL_WINDOWGONE = WM_APP;
const UINT WM_SHELL_TURNTO = WM_APP + 1; // wParam: an Orientation, from another copy
const wchar_t kScreenWindowProp[] = L"ShellScreenWindow";
const wchar_t kDisabledProp[] = L"ShellDisabledWindow"; // on a dialog: the window it disabled
const wchar_t kTurnItem[] = L"\u753B\u9762\u306E\u5411\u304D\u3092\u5909\u3048\u308B(&T)"; // 画面の向きを変える

HWND g_hwndFrame;

// The orientation that the program's arguments ask for: /landscape or
// /portrait (or -landscape, -portrait), the last one given. Other switches
// are ignored, as the handheld ignores them.
Orientation RequestedOrientation()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    Orientation requested = Orientation::Unchanged;
    for (int i = 1; args != nullptr && i < count; ++i)
    {
        if (args[i][0] != L'/' && args[i][0] != L'-')
            continue;
        if (lstrcmpiW(args[i] + 1, L"landscape") == 0)
            requested = Orientation::Landscape;
        else if (lstrcmpiW(args[i] + 1, L"portrait") == 0)
            requested = Orientation::Portrait;
    }
    LocalFree(args);
    return requested;
}

SIZE& ScreenSize()
{
    static SIZE size = RequestedOrientation() == Orientation::Landscape
                           ? SIZE{SHELL_SCREEN_HEIGHT, SHELL_SCREEN_WIDTH}
                           : SIZE{SHELL_SCREEN_WIDTH, SHELL_SCREEN_HEIGHT};
    return size;
}

// What the frame's caption and borders add to its inside: estimated before
// the frame is made, then measured on it. On a scaled desktop, Wine 10's
// AdjustWindowRectEx counts the caption at the desktop's scale while the
// frame draws it at the program's, and the inside came out 25 pixels too
// tall.
SIZE g_frameBorders;

// The frame's outer size for an inside of the screen's size.
SIZE FrameSize()
{
    return {ScreenSize().cx + g_frameBorders.cx, ScreenSize().cy + g_frameBorders.cy};
}

// Activation reaches the program's window as it would on the handheld, and
// the keyboard goes on to it.
LRESULT FrameOnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (HWND screen = Shell_ScreenWindow(hwnd))
        SendMessageW(screen, WM_ACTIVATE, wParam, lParam);
    return DefWindowProcW(hwnd, WM_ACTIVATE, wParam, lParam);
}

// An open dialog takes it first, as its owner is disabled.
LRESULT FrameOnSetFocus(HWND hwnd)
{
    HWND target = Shell_ScreenWindow(hwnd);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (GetPropW(child, kDisabledProp) != nullptr)
        {
            target = child;
            break;
        }
    if (target != nullptr)
        SetFocus(target);
    return 0;
}

// Restored while it has the keyboard itself (the focus cannot reach the
// inside of a minimized window): the keyboard goes on.
LRESULT FrameOnSize(HWND hwnd, WPARAM wParam)
{
    if (wParam == SIZE_RESTORED && GetFocus() == hwnd)
        FrameOnSetFocus(hwnd);
    return 0;
}

// The close box ends the program as its own exit command does.
LRESULT FrameOnClose(HWND hwnd)
{
    if (HWND screen = Shell_ScreenWindow(hwnd))
        SendMessageW(screen, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    else
        DestroyWindow(hwnd);
    return 0;
}

LRESULT FrameOnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & 0xFFF0) != kTurnCommand)
        return DefWindowProcW(hwnd, WM_SYSCOMMAND, wParam, lParam);
    Shell_TurnScreen(ScreenSize().cy, ScreenSize().cx);
    return 0;
}

// Another copy, started with a switch, asks for an orientation.
LRESULT FrameOnTurnTo(WPARAM wParam)
{
    const bool landscape = ScreenSize().cx > ScreenSize().cy;
    if (wParam == static_cast<WPARAM>(Orientation::Landscape) ? !landscape : landscape)
        Shell_TurnScreen(ScreenSize().cy, ScreenSize().cx);
    return 0;
}

// The small icon is the frame's own copy.
LRESULT FrameOnDestroy(HWND hwnd)
{
    if (HICON small = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0)))
        DestroyIcon(small);
    g_hwndFrame = nullptr;
    return 0;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ACTIVATE: return FrameOnActivate(hwnd, wParam, lParam);
    case WM_SETFOCUS: return FrameOnSetFocus(hwnd);
    case WM_SIZE: return FrameOnSize(hwnd, wParam);
    case WM_CLOSE: return FrameOnClose(hwnd);
    case WM_SYSCOMMAND: return FrameOnSysCommand(hwnd, wParam, lParam);
    case WM_COMMAND: // an accelerator translated for the frame itself
        if (HWND screen = Shell_ScreenWindow(hwnd))
            return SendMessageW(screen, WM_COMMAND, wParam, lParam);
        return 0;
    case WM_MEASUREITEM:
        return Shell_MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam),
                                     GetSystemMenu(hwnd, FALSE));
    case WM_DRAWITEM: return Shell_DrawMenuItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        return Shell_MenuChar(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
    case WM_SHELL_TURNTO: return FrameOnTurnTo(wParam);
    case WM_SHELL_WINDOWGONE:
        if (Shell_ScreenWindow(hwnd) == nullptr)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY: return FrameOnDestroy(hwnd);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL CALLBACK SendDisplayChange(HWND hwnd, LPARAM lParam)
{
    HDC screen = GetDC(nullptr);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    SendMessageW(hwnd, WM_DISPLAYCHANGE, static_cast<WPARAM>(bitsPerPixel), lParam);
    return TRUE;
}

} // namespace

bool Shell_IsWindowed()
{
    static const bool windowed = GetSystemMetrics(SM_CXSCREEN) > SHELL_SCREEN_HEIGHT ||
                                 GetSystemMetrics(SM_CYSCREEN) > SHELL_SCREEN_HEIGHT;
    return windowed;
}

SIZE Shell_ScreenSize()
{
    if (Shell_IsWindowed())
        return ScreenSize();
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Shell_IsFrame(HWND hwnd)
{
    wchar_t className[32];
    return hwnd != nullptr && GetClassNameW(hwnd, className, ARRAYSIZE(className)) > 0 &&
           lstrcmpW(className, SHELL_FRAME_CLASS) == 0;
}

HWND Shell_Frame()
{
    if (!Shell_IsWindowed() || g_hwndFrame != nullptr)
        return g_hwndFrame;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = SHELL_FRAME_CLASS;
    RegisterClassW(&wc);
    RECT estimate = {0, 0, 0, 0};
    AdjustWindowRectEx(&estimate, kFrameStyle, FALSE, 0);
    g_frameBorders = {estimate.right - estimate.left, estimate.bottom - estimate.top};
    // Where the desktop places a new window.
    const SIZE size = FrameSize();
    g_hwndFrame = CreateWindowExW(0, SHELL_FRAME_CLASS, L"", kFrameStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    RECT outer, inner;
    GetWindowRect(g_hwndFrame, &outer);
    GetClientRect(g_hwndFrame, &inner);
    g_frameBorders = {outer.right - outer.left - inner.right, outer.bottom - outer.top - inner.bottom};
    const SIZE fitted = FrameSize();
    if (fitted.cx != size.cx || fitted.cy != size.cy)
        SetWindowPos(g_hwndFrame, nullptr, 0, 0, fitted.cx, fitted.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HMENU menu = GetSystemMenu(g_hwndFrame, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kTurnCommand, kTurnItem);
    Shell_OwnerDrawMenuItem(menu, GetMenuItemCount(menu) - 1);
    return g_hwndFrame;
}

HWND Shell_ScreenWindow(HWND frame)
{
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (GetPropW(child, kScreenWindowProp) != nullptr)
            return child;
    return nullptr;
}

void Shell_AdoptWindow(HWND hwnd, const CREATESTRUCTW* cs)
{
    HWND frame = Shell_Frame();
    if (cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName))
        SetWindowTextW(frame, cs->lpszName);
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    if (icon != nullptr && SendMessageW(frame, WM_GETICON, ICON_BIG, 0) == 0)
    {
        SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        // The icon's own small image, not the large one scaled down.
        HANDLE small = CopyImage(icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                 GetSystemMetrics(SM_CYSMICON), LR_COPYFROMRESOURCE);
        SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    // Siblings above it, the frame's dialogs, are not drawn over.
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS);
    SetParent(hwnd, frame);
    SetPropW(hwnd, kScreenWindowProp, reinterpret_cast<HANDLE>(1));
}

void Shell_AdoptDialog(HWND dialog)
{
    HWND screen = g_hwndFrame != nullptr ? Shell_ScreenWindow(g_hwndFrame) : nullptr;
    if (screen == nullptr || !IsWindowVisible(g_hwndFrame))
        return;
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    SetWindowLongPtrW(dialog, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
    SetParent(dialog, g_hwndFrame);
    if (IsWindowEnabled(g_hwndFrame) || !IsWindowEnabled(screen))
        return;
    EnableWindow(g_hwndFrame, TRUE);
    EnableWindow(screen, FALSE);
    SetPropW(dialog, kDisabledProp, screen);
    SendMessageW(screen, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(dialog));
}

HWND Shell_DialogGone(HWND dialog)
{
    if (g_hwndFrame == nullptr || GetParent(dialog) != g_hwndFrame)
        return nullptr;
    if (HWND disabled = static_cast<HWND>(RemovePropW(dialog, kDisabledProp)))
    {
        EnableWindow(disabled, TRUE);
        SendMessageW(disabled, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0),
                     reinterpret_cast<LPARAM>(dialog));
        if (GetActiveWindow() == g_hwndFrame)
            SetFocus(g_hwndFrame);
    }
    return Shell_ScreenWindow(g_hwndFrame);
}

void Shell_ScreenWindowMade(HWND hwnd)
{
    HWND frame = GetParent(hwnd);
    if (Shell_IsFrame(frame) && !IsWindowVisible(frame))
        ShowWindow(frame, SW_SHOWDEFAULT);
}

void Shell_ScreenWindowGone(HWND hwnd)
{
    if (GetPropW(hwnd, kScreenWindowProp) != nullptr && g_hwndFrame != nullptr)
        PostMessageW(g_hwndFrame, WM_SHELL_WINDOWGONE, 0, 0);
}

RECT Shell_ScreenRect()
{
    const SIZE size = Shell_ScreenSize();
    POINT origin = {0, 0};
    if (g_hwndFrame != nullptr)
        ClientToScreen(g_hwndFrame, &origin);
    return {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
}

void Shell_TurnScreen(int width, int height)
{
    ScreenSize() = {width, height};
    if (g_hwndFrame != nullptr)
    {
        const SIZE size = FrameSize();
        SetWindowPos(g_hwndFrame, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Shell_EnumScreenWindows(SendDisplayChange, MAKELPARAM(width, height));
}

void Shell_PassOrientation(HWND frame)
{
    const Orientation requested = RequestedOrientation();
    if (requested != Orientation::Unchanged)
        SendMessageTimeoutW(frame, WM_SHELL_TURNTO, static_cast<WPARAM>(requested), 0,
                            SMTO_ABORTIFHUNG, 5000, nullptr);
}

void Shell_EnumScreenWindows(WNDENUMPROC proc, LPARAM lParam)
{
    EnumThreadWindows(GetCurrentThreadId(), proc, lParam);
    if (g_hwndFrame != nullptr)
        for (HWND child = GetWindow(g_hwndFrame, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            proc(child, lParam);
}
