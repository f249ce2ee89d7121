// WM_CREATE: the menu bar, the controls' font, the fourteen controls, the
// entries of the two combo boxes and the list's columns.
#include "control_font.h"
#include "globals.h"
#include "main_window.h"
#include "resource.h"

#include <commctrl.h>

namespace
{

struct ControlRow
{
    int id;
    const wchar_t* className;
    UINT textId; // 0: no text
    DWORD style;
    int x, y, width, height;
    bool font; // receives the controls' font
};

const DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
const DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST |
                            CBS_AUTOHSCROLL | CBS_HASSTRINGS;

// In the order of creation, which is not that of the identifiers. The era
// toggle starts with the empty string and is labelled last.
const ControlRow kControls[] = {
    {IDC_MAIN_TITLE, L"STATIC", IDS_TITLE, kLabel, 5, 5, 115, 15, true},
    {IDC_EXIT, L"BUTTON", IDS_EXIT, kButton, 180, 1, 55, 18, true},
    {IDC_SIGN_LABEL, L"STATIC", IDS_SIGN_LABEL, kLabel, 5, 30, 55, 20, true},
    {IDC_SIGN, L"COMBOBOX", 0, kDropDownList, 60, 30, 80, 170, false},
    {IDC_YEAR_LABEL, L"STATIC", IDS_YEAR_LABEL, kLabel, 5, 55, 55, 20, true},
    {IDC_YEAR, L"COMBOBOX", 0, kDropDownList, 60, 55, 55, 140, false},
    {IDC_YEAR_RESET, L"BUTTON", IDS_YEAR_RESET, kButton, 120, 55, 20, 20, true},
    {IDC_BIRTHDAY_PASSED, L"BUTTON", IDS_BIRTHDAY_PASSED,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 5, 80, 135, 20, true},
    {IDC_RESULT_LABEL, L"STATIC", IDS_RESULT_LABEL, kLabel, 5, 110, 70, 20, true},
    {IDC_ERA_TOGGLE, L"BUTTON", 0, kButton, 75, 107, 50, 20, true},
    {IDC_VIEW_TOGGLE, L"BUTTON", IDS_VIEW_TOGGLE, kButton, 130, 107, 35, 20, true},
    {IDC_ESTIMATE, L"BUTTON", IDS_ESTIMATE, kButton, 170, 107, 65, 20, true},
    {IDC_RESULT_TEXT, L"EDIT", 0,
     WS_CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
     5, 130, 230, 128, true},
    {IDC_RESULT_LIST, WC_LISTVIEWW, 0,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 5, 130, 230, 128,
     true},
};

const int kSignCount = 13;
const int kYearsBefore = 10; // the year list runs from 10 before to 9 after this year
const int kYearCount = 20;

HWND CreateControl(HWND hwnd, const ControlRow& row)
{
    wchar_t text[100] = L"";
    if (row.textId != 0)
        LoadStringW(g_hInst, row.textId, text, ARRAYSIZE(text));
    // The era toggle starts with the empty string, the other rows without a
    // string have no text at all.
    const bool hasText = row.textId != 0 || row.id == IDC_ERA_TOGGLE;
    return CreateWindowExW(0, row.className, hasText ? text : nullptr, row.style, row.x, row.y,
                           row.width, row.height, hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), g_hInst, nullptr);
}

// The thirteen signs by index, 子(ね) selected.
void FillSignList(HWND combo)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int sign = 0; sign < kSignCount; ++sign)
    {
        wchar_t text[100];
        LoadStringW(g_hInst, IDS_SIGN_FIRST + sign, text, ARRAYSIZE(text));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

// Twenty years around this one, made once: index 10 stays the year in which
// the window was created, which the year reset selects.
void FillYearList(HWND combo)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int i = 0; i < kYearCount; ++i)
    {
        wchar_t text[100];
        wsprintfW(text, L"%d", now.wYear - kYearsBefore + i);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(combo, CB_SETCURSEL, kYearsBefore, 0);
}

void SetUpResultList(HWND list)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const LRESULT count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        SendMessageW(list, LVM_DELETECOLUMN, 0, 0);

    RECT rect;
    GetWindowRect(list, &rect);
    wchar_t text[100];
    LVCOLUMNW column = {};
    column.pszText = text;

    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = 40;
    LoadStringW(g_hInst, IDS_COL_CYCLE, text, ARRAYSIZE(text));
    column.iSubItem = 0;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = 60;
    LoadStringW(g_hInst, IDS_COL_BIRTH_YEAR, text, ARRAYSIZE(text));
    column.iSubItem = 1;
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));

    column.cx = 40;
    LoadStringW(g_hInst, IDS_COL_AGE, text, ARRAYSIZE(text));
    column.iSubItem = 2;
    SendMessageW(list, LVM_INSERTCOLUMNW, 2, reinterpret_cast<LPARAM>(&column));

    column.cx = LastColumnWidth(rect.right - rect.left, LIST_FIXED_COLUMNS);
    text[0] = L'\0';
    column.iSubItem = 3;
    SendMessageW(list, LVM_INSERTCOLUMNW, 3, reinterpret_cast<LPARAM>(&column));

    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

} // namespace

LRESULT OnCreate(HWND hwnd, WPARAM, LPARAM, SHACTIVATEINFO* activateInfo)
{
    SHMENUBARINFO menuBar = {};
    menuBar.cbSize = sizeof(menuBar);
    menuBar.hwndParent = hwnd;
    menuBar.nToolBarId = IDR_MAINMENU;
    menuBar.hInstRes = g_hInst;
    g_hwndMenuBar = SHCreateMenuBar(&menuBar) ? menuBar.hwndMB : nullptr;

    ZeroMemory(activateInfo, sizeof(*activateInfo));
    activateInfo->cbSize = sizeof(*activateInfo);

    g_hMainFont = CreateControlFont();

    for (const ControlRow& row : kControls)
    {
        HWND control = CreateControl(hwnd, row);
        if (row.id == IDC_RESULT_TEXT)
            SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        if (row.font)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_hMainFont), 0);
        switch (row.id)
        {
        case IDC_SIGN: FillSignList(control); break;
        case IDC_YEAR: FillYearList(control); break;
        case IDC_BIRTHDAY_PASSED: SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0); break;
        case IDC_RESULT_LIST: SetUpResultList(control); break;
        }
    }

    g_resultShown = 0;
    g_westernYears = 1;
    g_textViewShown = 0;
    UpdateEraToggleCaption(hwnd);
    return 0;
}

// The caption names the mode that a press switches to.
void UpdateEraToggleCaption(HWND hwnd)
{
    HWND toggle = GetDlgItem(hwnd, IDC_ERA_TOGGLE);
    wchar_t caption[10];
    LoadStringW(g_hInst, g_westernYears == 0 ? IDS_TO_WESTERN : IDS_TO_ERA, caption,
                ARRAYSIZE(caption));
    SetWindowTextW(toggle, caption);
}
