// The handheld's screen: the title strip with the active window's title and,
// for dialogs that asked for one, an "ok" button; full-screen placement of
// top-level windows; and the shell's dialog and activation helpers.
#define SHELL_PLATFORM_CALLS
#include "aygshell.h"
#include "screen.h"

#include <commctrl.h>

#include <initializer_list>

namespace
{

const wchar_t kStripClass[] = L"ShellTitleStrip";
const wchar_t kDoneButtonProp[] = L"ShellDoneButton";
const wchar_t kOriginalProcProp[] = L"ShellOriginalProc";
const wchar_t kFullScreenProp[] = L"ShellFullScreen";

HWND g_hwndStrip;
HWND g_hwndActive;   // the top-level window whose title the strip shows
HFONT g_hSystemFont; // the handheld's font for controls that are given none
HFONT g_hStripFont;  // the strip's title, bold

bool HasDoneButton(HWND hwnd)
{
    return hwnd != nullptr && GetPropW(hwnd, kDoneButtonProp) != nullptr;
}

RECT OkButtonRect(const RECT& strip)
{
    return {strip.right - SHELL_OK_BUTTON_WIDTH, 3, strip.right - 3, SHELL_STRIP_HEIGHT - 3};
}

void StripOnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH band = CreateSolidBrush(RGB(0, 40, 120));
    FillRect(hdc, &client, band);
    DeleteObject(band);

    HGDIOBJ oldFont = SelectObject(hdc, g_hStripFont);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(255, 255, 255));

    wchar_t title[100] = L"";
    if (g_hwndActive != nullptr && IsWindow(g_hwndActive))
        GetWindowTextW(g_hwndActive, title, ARRAYSIZE(title));
    RECT text = client;
    text.left += 6;
    text.right -= SHELL_OK_BUTTON_WIDTH + 4;
    DrawTextW(hdc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    if (HasDoneButton(g_hwndActive))
    {
        RECT ok = OkButtonRect(client);
        HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(WHITE_PEN));
        HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
        RoundRect(hdc, ok.left, ok.top, ok.right, ok.bottom, 6, 6);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
        DrawTextW(hdc, L"ok", -1, &ok, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

// A tap on "ok" ends the active dialog as its own OK button would.
void StripOnLButtonUp(HWND hwnd, LPARAM lParam)
{
    RECT client;
    GetClientRect(hwnd, &client);
    RECT ok = OkButtonRect(client);
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (HasDoneButton(g_hwndActive) && PtInRect(&ok, pt))
        SendMessageW(g_hwndActive, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

// A screen window of the frame is placed in the frame, in the screen's own
// coordinates; any other in the desktop's.
void TakeWorkArea(HWND hwnd, UINT flags)
{
    RECT work = Shell_WorkArea();
    if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
    {
        const RECT screen = Shell_ScreenRect();
        OffsetRect(&work, screen.left, screen.top);
    }
    SetWindowPos(hwnd, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

// Takes away the caption and frame and gives the window the work area.
void MakeFullScreen(HWND hwnd)
{
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                      exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    SetPropW(hwnd, kFullScreenProp, reinterpret_cast<HANDLE>(1));
    TakeWorkArea(hwnd, SWP_FRAMECHANGED);
}

// The screen turned: full-screen windows and their menu bars follow it.
BOOL CALLBACK FollowScreen(HWND hwnd, LPARAM)
{
    if (GetPropW(hwnd, kFullScreenProp) != nullptr)
    {
        TakeWorkArea(hwnd, 0);
        Shell_PlaceMenuBar(hwnd);
    }
    return TRUE;
}

// Across the top of the screen: above every window on the handheld, at the
// top of the frame on a desktop.
void StripPlace(HWND hwnd)
{
    SetWindowPos(hwnd, Shell_IsWindowed() ? HWND_TOP : HWND_TOPMOST, 0, 0, Shell_ScreenSize().cx,
                 SHELL_STRIP_HEIGHT, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT: StripOnPaint(hwnd); return 0;
    case WM_LBUTTONUP: StripOnLButtonUp(hwnd, lParam); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(g_hStripFont);
    case WM_DISPLAYCHANGE:
        StripPlace(hwnd);
        Shell_EnumScreenWindows(FollowScreen, 0);
        return 0;
    case WM_DESTROY: g_hwndStrip = nullptr; return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void ShowActive(HWND hwnd)
{
    g_hwndActive = hwnd;
    if (g_hwndStrip != nullptr)
        InvalidateRect(g_hwndStrip, nullptr, TRUE);
}

// The intercepted window's own procedure; with stepAside, the window gets
// it back (see Intercept).
WNDPROC OriginalProc(HWND hwnd, bool stepAside)
{
    WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProcProp));
    if (stepAside)
    {
        RemovePropW(hwnd, kOriginalProcProp);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return original;
}

// An adopted dialog loses its caption, keeping its inside's size, and
// shows its title in the strip; any dialog that does not lie on the screen
// is centred on it.
void PlaceOnScreen(HWND hwnd)
{
    const bool adopted = (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    if (adopted)
    {
        RECT before;
        GetClientRect(hwnd, &before);
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER | WS_SYSMENU));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RECT after;
        GetClientRect(hwnd, &after);
        rect.bottom -= after.bottom - before.bottom;
        ShowActive(hwnd);
    }
    const RECT screen = Shell_ScreenRect();
    RECT inside;
    if (!IntersectRect(&inside, &rect, &screen) || !EqualRect(&inside, &rect))
        OffsetRect(&rect, screen.left + (screen.right - screen.left - (rect.right - rect.left)) / 2 - rect.left,
                   screen.top + (screen.bottom - screen.top - (rect.bottom - rect.top)) / 2 - rect.top);
    if (adopted)
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    // Above the window that opened it: made a child, it went to the bottom.
    SetWindowPos(hwnd, adopted ? HWND_TOP : nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | (adopted ? 0 : SWP_NOZORDER));
}

// Sees a full-screen window's creation through WM_NCCREATE and WM_CREATE,
// then steps aside: the window loses its caption and frame and takes the
// work area; on a desktop it goes into the frame first, which shows once
// the window is made.
LRESULT CALLBACK FullScreenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE && Shell_IsWindowed())
        Shell_AdoptWindow(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam));
    const LRESULT result =
        CallWindowProcW(OriginalProc(hwnd, message == WM_CREATE || message == WM_NCDESTROY), hwnd,
                        message, wParam, lParam);
    if (message == WM_NCCREATE && result != 0)
    {
        MakeFullScreen(hwnd);
        Shell_TitleStrip();
    }
    if (message == WM_CREATE && result != -1)
        Shell_ScreenWindowMade(hwnd);
    return result;
}

// The platform gives a dialog's controls its own font (a message box's): they
// take the same font asking for Shift-JIS.
BOOL CALLBACK GiveJapaneseFont(HWND control, LPARAM)
{
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HFONT japanese = Shell_JapaneseFont(font);
    if (font != nullptr && japanese != font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(japanese), FALSE);
    return TRUE;
}

// Keeps a dialog on the screen for its life. On a desktop it becomes a
// child of the frame (WM_NCCREATE); its caption goes to the title strip, as
// the handheld shows it, and a dialog that did not place itself on the
// screen (a message box, centred on the desktop) is centred on it
// (WM_INITDIALOG). Its controls' text shows in any prefix, and it is never
// moved, as the handheld moves no dialog.
LRESULT CALLBACK OnScreenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool windowed = Shell_IsWindowed();
    if (message == WM_NCCREATE && windowed)
        Shell_AdoptDialog(hwnd);
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE)
        return 0;
    const LRESULT result = CallWindowProcW(OriginalProc(hwnd, message == WM_NCDESTROY), hwnd,
                                           message, wParam, lParam);
    if (message == WM_INITDIALOG)
    {
        EnumChildWindows(hwnd, GiveJapaneseFont, 0);
        if (windowed)
            PlaceOnScreen(hwnd);
    }
    return result;
}

bool IsStrip(HWND hwnd)
{
    wchar_t className[64];
    GetClassNameW(hwnd, className, ARRAYSIZE(className));
    return lstrcmpW(className, kStripClass) == 0;
}

bool IsDialog(HWND hwnd)
{
    wchar_t className[16];
    GetClassNameW(hwnd, className, ARRAYSIZE(className));
    return lstrcmpW(className, L"#32770") == 0;
}

bool IsStandardControl(HWND hwnd)
{
    wchar_t className[32];
    GetClassNameW(hwnd, className, ARRAYSIZE(className));
    for (const wchar_t* standard : {L"Static", L"Button", L"ComboBox", L"Edit", WC_LISTVIEWW})
        if (lstrcmpiW(className, standard) == 0)
            return true;
    return false;
}

// Sees a standard control through WM_CREATE, then steps aside: a control
// that its creator gives no font starts with the handheld's system font, a
// 12-pixel "MS UI Gothic", where the desktop would give its larger one.
LRESULT CALLBACK DefaultFontProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result =
        CallWindowProcW(OriginalProc(hwnd, message == WM_CREATE), hwnd, message, wParam, lParam);
    if (message == WM_CREATE && result != -1 && SendMessageW(hwnd, WM_GETFONT, 0, 0) == 0)
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(g_hSystemFont), FALSE);
    return result;
}

// Lets proc see the window's first messages (and step aside when done).
void Intercept(HWND hwnd, WNDPROC proc)
{
    SetPropW(hwnd, kOriginalProcProp,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// Overlapped top-level windows (neither pop-ups nor children, nor
// message-only windows such as COM's) get the work area, as the handheld
// gives them. Wine has already replaced CW_USEDEFAULT
// by real coordinates when this hook runs, so the style decides. Standard
// controls get the handheld's default font; dialogs show Japanese in any
// prefix and, on a desktop, open on the screen. The strip follows
// activation: the frame's stands for its window's.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND)
    {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if ((cs->style & (WS_CHILD | WS_POPUP)) == 0 && !IsStrip(hwnd) && !Shell_IsFrame(hwnd) &&
            GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow())
            Intercept(hwnd, FullScreenProc);
        else if ((cs->style & WS_CHILD) != 0 && IsStandardControl(hwnd))
            Intercept(hwnd, DefaultFontProc);
        else if ((cs->style & WS_POPUP) != 0 && IsDialog(hwnd))
            Intercept(hwnd, OnScreenProc);
    }
    else if (code == HCBT_ACTIVATE && !IsStrip(hwnd))
    {
        ShowActive(Shell_IsFrame(hwnd) ? Shell_ScreenWindow(hwnd) : hwnd);
    }
    else if (code == HCBT_DESTROYWND)
    {
        HWND back = IsDialog(hwnd) ? Shell_DialogGone(hwnd) : nullptr;
        if (hwnd == g_hwndActive)
            ShowActive(back);
        Shell_ScreenWindowGone(hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The handheld registers its controls and runs its shell before any program
// starts; here that happens as the program loads.
bool StartShell()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    LOGFONTW lf = {};
    lf.lfHeight = 12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyW(lf.lfFaceName, L"MS UI Gothic");
    g_hSystemFont = CreateFontIndirectW(&lf);
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    g_hStripFont = CreateFontIndirectW(&lf);
    SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    return true;
}

const bool g_shellStarted = StartShell();

} // namespace

RECT Shell_WorkArea()
{
    const SIZE screen = Shell_ScreenSize();
    return {0, SHELL_STRIP_HEIGHT, screen.cx, screen.cy};
}

HWND Shell_TitleStrip()
{
    if (g_hwndStrip != nullptr)
        return g_hwndStrip;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StripProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kStripClass;
    RegisterClassW(&wc);
    if (HWND frame = Shell_Frame())
        g_hwndStrip = CreateWindowExW(0, kStripClass, L"", WS_CHILD, 0, 0, 0, 0, frame, nullptr,
                                      wc.hInstance, nullptr);
    else
        g_hwndStrip =
            CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kStripClass, L"",
                            WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    StripPlace(g_hwndStrip);
    return g_hwndStrip;
}

BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi)
{
    if (pshidi == nullptr || (pshidi->dwMask & SHIDIM_FLAGS) == 0 || !IsWindow(pshidi->hDlg))
        return FALSE;
    HWND dialog = pshidi->hDlg;
    if (pshidi->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)
        MakeFullScreen(dialog);
    if (pshidi->dwFlags & SHIDIF_DONEBUTTON)
        SetPropW(dialog, kDoneButtonProp, reinterpret_cast<HANDLE>(1));
    else
        RemovePropW(dialog, kDoneButtonProp);
    // SHIDIF_SIPDOWN: there is no input panel to lower on this host.
    InvalidateRect(Shell_TitleStrip(), nullptr, TRUE);
    return TRUE;
}

// There is no input panel here: activation only keeps the record's focus and
// active state current.
BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM, SHACTIVATEINFO* psai, DWORD)
{
    if (psai == nullptr || psai->cbSize != sizeof(SHACTIVATEINFO))
        return FALSE;
    if (LOWORD(wParam) == WA_INACTIVE)
    {
        HWND focus = GetFocus();
        psai->hwndLastFocus = focus != nullptr && IsChild(hwnd, focus) ? focus : nullptr;
        psai->fActive = 0;
    }
    else
    {
        psai->fActive = 1;
    }
    psai->fSipUp = 0;
    return TRUE;
}

BOOL WINAPI SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO* psai)
{
    if (psai == nullptr || psai->cbSize != sizeof(SHACTIVATEINFO))
        return FALSE;
    psai->fSipUp = 0;
    return TRUE;
}

BOOL WINAPI Shell_SetForegroundWindow(HWND hwnd)
{
    HWND window =
        reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(hwnd) & ~static_cast<ULONG_PTR>(1));
    if (!IsWindow(window))
        window = hwnd;
    if (!IsWindow(window))
        return FALSE;
    // A window of a frame comes to the front of it, and the frame forward;
    // another copy's frame first takes the orientation this one was started
    // with.
    HWND root = GetAncestor(window, GA_ROOT);
    if (root != window && Shell_IsFrame(root))
    {
        if (GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId())
            Shell_PassOrientation(root);
        BringWindowToTop(window);
        if (IsIconic(root))
            ShowWindow(root, SW_RESTORE);
        window = root;
    }
    // The window's last active owned window (an open dialog) takes the focus.
    HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(window);
    return SetForegroundWindow(popup != nullptr ? popup : window);
}
