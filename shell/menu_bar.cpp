// SHCreateMenuBar: a bar across the bottom of the screen whose buttons drop
// down the pop-ups of a menu, described by an RCDATA resource as on the
// handheld: menu id, button count, then seven words a button (image,
// command, state, style, caption string, 0, pop-up index).
#define SHELL_PLATFORM_CALLS
#include "aygshell.h"
#include "screen.h"

#include <commctrl.h>

namespace
{

const wchar_t kBarClass[] = L"ShellMenuBar";
const int kToolbarId = 1;
const int kBarId = 0xFFFE; // out of the way of the parent's own controls
const int kWordsPerButton = 7;

// The menu whose pop-ups the buttons drop down, owned by the bar.
HMENU Menu(HWND bar)
{
    return reinterpret_cast<HMENU>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

// Across the bottom of the screen, above the parent's other children.
void Place(HWND bar)
{
    const RECT screen = Shell_ScreenRect();
    const int width = screen.right - screen.left;
    POINT origin = {screen.left, screen.bottom - SHELL_STRIP_HEIGHT};
    ScreenToClient(GetParent(bar), &origin);
    SetWindowPos(bar, HWND_TOP, origin.x, origin.y, width, SHELL_STRIP_HEIGHT, SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(bar, kToolbarId), nullptr, 0, 0, width, SHELL_STRIP_HEIGHT,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A button was pressed: its pop-up opens just above the bar. The bar owns
// it and draws its items; the chosen item and the menu's progress reach the
// parent as a menu's do.
LRESULT OnDropDown(HWND bar, const NMTOOLBARW* nm)
{
    TBBUTTON button = {};
    const LRESULT index = SendMessageW(nm->hdr.hwndFrom, TB_COMMANDTOINDEX, nm->iItem, 0);
    if (index < 0) // no such button: nothing to open
        return TBDDRET_NODEFAULT;
    SendMessageW(nm->hdr.hwndFrom, TB_GETBUTTON, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&button));
    HMENU popup = GetSubMenu(Menu(bar), static_cast<int>(button.dwData));
    if (popup == nullptr)
        return TBDDRET_NODEFAULT;
    RECT rect;
    SendMessageW(nm->hdr.hwndFrom, TB_GETRECT, nm->iItem, reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(nm->hdr.hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    RECT barRect;
    GetWindowRect(bar, &barRect);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, rect.left,
                     barRect.top, bar, nullptr);
    return TBDDRET_DEFAULT;
}

LRESULT CALLBACK BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TBN_DROPDOWN)
            return OnDropDown(hwnd, reinterpret_cast<NMTOOLBARW*>(lParam));
        break;
    case WM_MEASUREITEM:
        return Shell_MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), Menu(hwnd));
    case WM_DRAWITEM: return Shell_DrawMenuItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        return Shell_MenuChar(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
    case WM_COMMAND:
        if (lParam == 0) // a menu item's, not the toolbar's
            return SendMessageW(GetParent(hwnd), message, wParam, lParam);
        break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_ENTERIDLE: return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY:
        if (HMENU menu = Menu(hwnd))
            DestroyMenu(menu);
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Adds the described buttons to the toolbar; false when the description or
// its menu is missing.
bool AddButtons(HWND bar, HWND toolbar, HINSTANCE instance, UINT resourceId)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const WORD* words =
        loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (words == nullptr || SizeofResource(instance, found) < 2 * sizeof(WORD))
        return false;
    const int count = words[1];
    if (SizeofResource(instance, found) < (2 + count * kWordsPerButton) * sizeof(WORD))
        return false;
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(words[0]));
    if (menu == nullptr)
        return false;
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        Shell_OwnerDrawMenuItem(menu, i);
    for (int i = 0; i < count; ++i)
    {
        const WORD* entry = words + 2 + i * kWordsPerButton;
        wchar_t caption[100] = L"";
        LoadStringW(instance, entry[4], caption, ARRAYSIZE(caption));
        TBBUTTON button = {};
        button.iBitmap = static_cast<short>(entry[0]);
        button.idCommand = entry[1];
        button.fsState = static_cast<BYTE>(entry[2]);
        button.fsStyle = static_cast<BYTE>(entry[3]);
        button.dwData = entry[6];
        button.iString = reinterpret_cast<INT_PTR>(caption);
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return true;
}

} // namespace

void Shell_PlaceMenuBar(HWND parent)
{
    HWND bar = FindWindowExW(parent, nullptr, kBarClass, nullptr);
    if (bar != nullptr)
        Place(bar);
}

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi)
{
    if (pmbi == nullptr || pmbi->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(pmbi->hwndParent))
        return FALSE;
    pmbi->hwndMB = nullptr;
    HINSTANCE self = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BarProc;
    wc.hInstance = self;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kBarClass;
    RegisterClassW(&wc);

    // A child of its parent, which covers the screen down to the bottom
    // edge: above the parent's surface, and destroyed with it.
    HWND bar =
        CreateWindowExW(0, kBarClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, pmbi->hwndParent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)), self, nullptr);
    if (bar == nullptr)
        return FALSE;
    HWND toolbar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                            CCS_NORESIZE | CCS_NOPARENTALIGN,
                        0, 0, 0, 0, bar, reinterpret_cast<HMENU>(kToolbarId), self, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(toolbar, WM_GETFONT, 0, 0));
    SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(Shell_JapaneseFont(font)), FALSE);
    if ((pmbi->dwFlags & SHCMBF_EMPTYBAR) == 0 &&
        !AddButtons(bar, toolbar, pmbi->hInstRes, pmbi->nToolBarId))
    {
        DestroyWindow(bar);
        return FALSE;
    }
    Place(bar);
    if ((pmbi->dwFlags & SHCMBF_HIDDEN) == 0)
        ShowWindow(bar, SW_SHOW);
    pmbi->hwndMB = bar;
    return TRUE;
}
