// Japanese text whatever fonts the system has: a font that asks for the
// Shift-JIS character set, as the program's controls do, finds a face with
// Japanese glyphs where the system's own fonts have none. Menu items are
// owner-drawn in such a font, since a menu always takes the system's.
#define SHELL_PLATFORM_CALLS
#include "aygshell.h"
#include "screen.h"

#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

namespace
{

// The item's text, which an owner-drawn item keeps.
void ItemText(HMENU menu, UINT id, wchar_t* text, UINT size)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = size;
    text[0] = L'\0';
    GetMenuItemInfoW(menu, id, FALSE, &info);
}

// The check mark's column, left of an item's text.
int TextIndent()
{
    return GetSystemMetrics(SM_CXMENUCHECK) + 2;
}

} // namespace

HFONT Shell_JapaneseFont(const LOGFONTW& font)
{
    static std::vector<std::pair<LOGFONTW, HFONT>> s_made;
    LOGFONTW wanted = font;
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    for (const auto& made : s_made)
        if (made.first.lfHeight == wanted.lfHeight && made.first.lfWeight == wanted.lfWeight &&
            made.first.lfItalic == wanted.lfItalic &&
            lstrcmpW(made.first.lfFaceName, wanted.lfFaceName) == 0)
            return made.second;
    s_made.push_back({wanted, CreateFontIndirectW(&wanted)});
    return s_made.back().second;
}

HFONT Shell_JapaneseFont(HFONT font)
{
    LOGFONTW lf = {};
    GetObjectW(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf.lfCharSet == SHIFTJIS_CHARSET ? font : Shell_JapaneseFont(lf);
}

HFONT Shell_MenuFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return Shell_JapaneseFont(metrics.lfMenuFont);
}

void Shell_OwnerDrawMenuItem(HMENU menu, UINT position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    if (info.hSubMenu != nullptr)
    {
        for (int i = 0; i < GetMenuItemCount(info.hSubMenu); ++i)
            Shell_OwnerDrawMenuItem(info.hSubMenu, i);
    }
    else if ((info.fType & MFT_SEPARATOR) == 0)
    {
        info.fMask = MIIM_FTYPE;
        info.fType |= MFT_OWNERDRAW;
        SetMenuItemInfoW(menu, position, TRUE, &info);
    }
}

BOOL Shell_MeasureMenuItem(MEASUREITEMSTRUCT* mis, HMENU menu)
{
    if (mis->CtlType != ODT_MENU)
        return FALSE;
    wchar_t text[100];
    ItemText(menu, mis->itemID, text, ARRAYSIZE(text));
    HDC hdc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, Shell_MenuFont());
    RECT rect = {};
    DrawTextW(hdc, text, -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(hdc, old);
    ReleaseDC(nullptr, hdc);
    mis->itemWidth = rect.right + TextIndent();
    mis->itemHeight = std::max(static_cast<int>(rect.bottom) + 4, GetSystemMetrics(SM_CYMENUSIZE));
    return TRUE;
}

BOOL Shell_DrawMenuItem(const DRAWITEMSTRUCT* dis)
{
    if (dis->CtlType != ODT_MENU)
        return FALSE;
    wchar_t text[100];
    ItemText(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID, text, ARRAYSIZE(text));
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const bool grayed = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    SetBkMode(dis->hDC, TRANSPARENT);
    SetTextColor(dis->hDC, GetSysColor(grayed     ? COLOR_GRAYTEXT
                                       : selected ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_MENUTEXT));
    HGDIOBJ old = SelectObject(dis->hDC, Shell_MenuFont());
    RECT rect = dis->rcItem;
    rect.left += TextIndent();
    DrawTextW(dis->hDC, text, -1, &rect,
              DT_SINGLELINE | DT_VCENTER | ((dis->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    SelectObject(dis->hDC, old);
    return TRUE;
}

LRESULT Shell_MenuChar(HMENU menu, wchar_t key)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
    {
        wchar_t text[100];
        ItemText(menu, GetMenuItemID(menu, i), text, ARRAYSIZE(text));
        for (const wchar_t* p = text; *p != L'\0' && p[1] != L'\0'; ++p)
            if (*p == L'&' && std::towupper(p[1]) == std::towupper(key))
                return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}
