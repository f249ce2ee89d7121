// The Estimate command: reads the inputs from the controls, builds the age
// table and shows it in both result views, or the Cat's answer, or the
// invalid-input message.
#include "age_table.h"
#include "globals.h"
#include "main_window.h"
#include "resource.h"

#include <commctrl.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the core's text is the platform's UTF-16");

namespace
{

const int kColumnCount = 4;

// Inserts a row on top of the list (which does not sort) with its cells.
void InsertRow(HWND list, const wchar_t* const cells[kColumnCount])
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(cells[0]);
    const LRESULT index = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < kColumnCount; ++column)
    {
        item.iItem = static_cast<int>(index);
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(cells[column]);
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

void ShowBadInput(HWND hwnd)
{
    wchar_t caption[20];
    wchar_t text[100];
    LoadStringW(g_hInst, IDS_BAD_INPUT_CAPTION, caption, ARRAYSIZE(caption));
    LoadStringW(g_hInst, IDS_BAD_INPUT_TEXT, text, ARRAYSIZE(text));
    MessageBoxW(hwnd, text, caption, MB_OK | MB_ICONHAND);
}

// The Cat's answer stands alone in the age column; column widths stay.
void ShowCat(HWND hwnd)
{
    wchar_t message[100];
    LoadStringW(g_hInst, IDS_CAT_RESULT, message, ARRAYSIZE(message));
    HWND list = GetDlgItem(hwnd, IDC_RESULT_LIST);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const wchar_t* const cells[kColumnCount] = {L"", L"", message, L""};
    InsertRow(list, cells);
    SetWindowTextW(GetDlgItem(hwnd, IDC_RESULT_TEXT), message);
}

// Each row lands on top, so the list shows the oldest birth year first while
// the text keeps the youngest first.
void ShowRows(HWND hwnd, const AgeTable& table)
{
    HWND list = GetDlgItem(hwnd, IDC_RESULT_LIST);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    RECT rect;
    GetWindowRect(list, &rect);
    const int width = LastColumnWidth(rect.right - rect.left, LIST_FIXED_WITH_ROWS);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(width, 0));
    for (const AgeRow& row : table.rows)
    {
        wchar_t age[100];
        wsprintfW(age, L"%d", row.age);
        const wchar_t* const cells[kColumnCount] = {Wide(row.cycleName), Wide(row.birthYearLabel),
                                                    age, L""};
        InsertRow(list, cells);
    }
    SetWindowTextW(GetDlgItem(hwnd, IDC_RESULT_TEXT), Wide(table.text));
}

} // namespace

void RunEstimate(HWND hwnd)
{
    const int sign = static_cast<int>(SendMessageW(GetDlgItem(hwnd, IDC_SIGN), CB_GETCURSEL, 0, 0));
    wchar_t yearText[100] = L"";
    SendMessageW(GetDlgItem(hwnd, IDC_YEAR), WM_GETTEXT, ARRAYSIZE(yearText),
                 reinterpret_cast<LPARAM>(yearText));
    const int birthdayPassed =
        static_cast<int>(SendMessageW(GetDlgItem(hwnd, IDC_BIRTHDAY_PASSED), BM_GETCHECK, 0, 0));

    const AgeTable table = BuildAgeTable(reinterpret_cast<const char16_t*>(yearText), sign,
                                         birthdayPassed, g_westernYears);
    if (table.status != AGE_TABLE_OK)
    {
        ShowBadInput(hwnd);
        return;
    }
    if (table.isCat)
        ShowCat(hwnd);
    else
        ShowRows(hwnd, table);
    g_resultShown = 1;
}
