#include "harness.h"

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(hwnd, text, ARRAYSIZE(text));
    return text;
}

std::wstring ClassName(HWND hwnd)
{
    wchar_t name[128] = L"";
    GetClassNameW(hwnd, name, ARRAYSIZE(name));
    return name;
}

RECT ChildRect(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenRect(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect;
}

std::vector<std::wstring> ComboEntries(HWND combo)
{
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

bool IsChecked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<int> ColumnWidths(HWND list)
{
    std::vector<int> widths;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0)));
    return widths;
}

std::vector<std::wstring> ColumnHeaders(HWND list)
{
    std::vector<std::wstring> headers;
    const size_t count = ColumnWidths(list).size();
    for (size_t i = 0; i < count; ++i)
    {
        wchar_t text[256] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = ARRAYSIZE(text);
        SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        headers.push_back(text);
    }
    return headers;
}

std::vector<std::vector<std::wstring>> ListRows(HWND list)
{
    std::vector<std::vector<std::wstring>> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const size_t columns = ColumnWidths(list).size();
    for (int i = 0; i < count; ++i)
    {
        std::vector<std::wstring> row;
        for (size_t c = 0; c < columns; ++c)
        {
            wchar_t text[256] = L"";
            LVITEMW item = {};
            item.iSubItem = static_cast<int>(c);
            item.pszText = text;
            item.cchTextMax = ARRAYSIZE(text);
            SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            row.push_back(text);
        }
        rows.push_back(row);
    }
    return rows;
}

LOGFONTW ControlFont(HWND control)
{
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (font == nullptr)
        font = GetStockObject(SYSTEM_FONT);
    LOGFONTW lf = {};
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

std::wstring ResourceString(HINSTANCE instance, UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero size, LoadStringW points at the resource's own text.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

int DesktopScale()
{
    // Only a thread aware of the desktop's DPI is told it.
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
    const auto systemDpi = reinterpret_cast<UINT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")));
    if (setContext == nullptr || systemDpi == nullptr)
        return 1;
    const HANDLE unaware = setContext(reinterpret_cast<HANDLE>(-4)); // per monitor, v2
    const UINT dpi = systemDpi();
    setContext(unaware);
    return static_cast<int>(dpi / 96);
}

COLORREF ScreenPixel(int x, int y)
{
    // The desktop's pixels are the scaled ones.
    static const int scale = DesktopScale();
    const RECT shown = Shell_ScreenRect();
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, (shown.left + x) * scale, (shown.top + y) * scale);
    ReleaseDC(nullptr, screen);
    return color;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpMessages(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void SetScreen(int width, int height)
{
    if (GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height)
        return;
    // The desktop's own size is the registry's mode, which the null mode
    // restores: Wine 10 lists a tall desktop's own size turned on its side,
    // so a mode of that size is refused.
    DEVMODEW home = {};
    home.dmSize = sizeof(home);
    EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &home);
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const bool isHome = home.dmPelsWidth == mode.dmPelsWidth && home.dmPelsHeight == mode.dmPelsHeight;
    EXPECT_EQ(ChangeDisplaySettingsW(isHome ? nullptr : &mode, 0), DISP_CHANGE_SUCCESSFUL)
        << width << "x" << height;
    PumpMessages(100);
}
