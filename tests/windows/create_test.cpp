#include "main_window_fixture.h"

#include <map>

namespace
{

struct ControlCase
{
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height; // after the first layout
    bool mainFont;
};

// Positions are those of the portrait layout, which every size change
// applies; sizes are those given at creation.
const ControlCase kControls[] = {
    {IDC_MAIN_TITLE, L"Static", L"\u30C8\u30EB\u30DF\u30E9\u30AF", 0x50000000, 5, 5, 115, 15, true},
    {IDC_EXIT, L"Button", L"\u7D42\u4E86", 0x50010000, 180, 3, 55, 18, true},
    {IDC_SIGN_LABEL, L"Static", L"\u5341\u4E8C\u652F\uFF1A", 0x50000000, 5, 30, 55, 20, true},
    {IDC_SIGN, L"ComboBox", L"\u5B50(\u306D)", 0x50210243, 60, 30, 80, 170, false},
    {IDC_YEAR_LABEL, L"Static", L"\u57FA\u6E96\u5E74\uFF1A", 0x50000000, 5, 55, 55, 20, true},
    {IDC_YEAR, L"ComboBox", nullptr, 0x50210243, 60, 55, 55, 140, false},
    {IDC_YEAR_RESET, L"Button", L"\u30FB", 0x50010000, 120, 55, 20, 20, true},
    {IDC_BIRTHDAY_PASSED, L"Button", L"\u8A95\u751F\u65E5\u3092\u8FCE\u3048\u3066\u3044\u308B",
     0x50010003, 5, 80, 135, 20, true},
    {IDC_RESULT_LABEL, L"Static", L"\u63A8\u5B9A\u5E74\u9F62\uFF1A", 0x50000000, 5, 110, 70, 20,
     true},
    {IDC_ERA_TOGGLE, L"Button", L"->\u548C\u66A6", 0x50010000, 75, 107, 50, 20, true},
    {IDC_VIEW_TOGGLE, L"Button", L"\u5F62\u5F0F", 0x50010000, 130, 107, 35, 20, true},
    {IDC_ESTIMATE, L"Button", L"\u5E74\u9F62\u63A8\u5B9A", 0x50010000, 170, 107, 65, 20, true},
    {IDC_RESULT_TEXT, L"Edit", L"", 0x40A10844, 5, 130, 230, 128, true},
    {IDC_RESULT_LIST, L"SysListView32", L"", 0x50810005, 5, 130, 230, 128, true},
};

// The height each control was created with, by identifier: a combo box's
// window is only as high as its edit field once made.
std::map<int, int> s_createdHeights;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
    {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs->style & WS_CHILD)
            s_createdHeights.emplace(static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu)),
                                     cs->cy);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindowTest, FourteenControlsWithTheirClassesStylesPlacesTextsAndFonts)
{
    TearDown();
    s_createdHeights.clear(); // a combo box's own list also takes id 1000: the first wins
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    SetUp();
    UnhookWindowsHookEx(hook);
    for (const ControlCase& c : kControls)
    {
        SCOPED_TRACE(c.id);
        HWND control = Control(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_wcsicmp(ClassName(control).c_str(), c.className), 0) << c.id;
        // A combo box hands its scroll bar to its list, and an edit draws its
        // own border: the platform takes those bits out of their styles.
        const DWORD ownBits = ClassName(control) == L"ComboBox" ? WS_VSCROLL
                              : ClassName(control) == L"Edit"   ? WS_BORDER
                                                                : 0;
        const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        EXPECT_EQ(style & ~ownBits, c.style & ~ownBits) << std::hex << style;
        EXPECT_EQ(style & WS_VISIBLE, c.style & WS_VISIBLE);
        const RECT rect = ChildRect(control);
        EXPECT_EQ(rect.left, c.x);
        EXPECT_EQ(rect.top, c.y);
        EXPECT_EQ(rect.right - rect.left, c.width);
        EXPECT_EQ(s_createdHeights[c.id], c.height);
        if (ClassName(control) != L"ComboBox")
            EXPECT_EQ(rect.bottom - rect.top, c.height);
        if (c.text != nullptr)
            EXPECT_EQ(WindowText(control), c.text);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        EXPECT_EQ(font == g_hMainFont, c.mainFont) << "combo boxes keep the default font";
    }
    const LOGFONTW font = ControlFont(Control(IDC_MAIN_TITLE));
    EXPECT_STREQ(font.lfFaceName, L"MS UI Gothic");
    EXPECT_EQ(font.lfHeight, 12);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
}

TEST_F(MainWindowTest, SignListHoldsThirteenSignsWithTheRatSelected)
{
    const std::vector<std::wstring> signs = ComboEntries(Control(IDC_SIGN));
    ASSERT_EQ(signs.size(), 13u);
    EXPECT_EQ(signs.front(), L"\u5B50(\u306D)");
    EXPECT_EQ(signs[1], L"\u4E11(\u3046\u3057)");
    EXPECT_EQ(signs.back(), L"\u732B(\u306D\u3053)");
    EXPECT_EQ(ComboSelection(Control(IDC_SIGN)), 0);
}

TEST_F(MainWindowTest, YearListRunsFromTenBeforeToNineAfterThisYear)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::vector<std::wstring> years = ComboEntries(Control(IDC_YEAR));
    ASSERT_EQ(years.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(years[static_cast<size_t>(i)], std::to_wstring(now.wYear - 10 + i));
    EXPECT_EQ(ComboSelection(Control(IDC_YEAR)), 10);
    EXPECT_EQ(WindowText(Control(IDC_YEAR)), std::to_wstring(now.wYear));
}

TEST_F(MainWindowTest, InitialState)
{
    EXPECT_TRUE(IsChecked(Control(IDC_BIRTHDAY_PASSED)));
    EXPECT_EQ(g_westernYears, 1);
    EXPECT_EQ(g_resultShown, 0);
    EXPECT_EQ(g_textViewShown, 0);
    EXPECT_TRUE(IsWindowVisible(Control(IDC_RESULT_LIST)));
    EXPECT_FALSE(IsWindowVisible(Control(IDC_RESULT_TEXT)));
    HWND list = Control(IDC_RESULT_LIST);
    EXPECT_EQ(ColumnWidths(list), (std::vector<int>{40, 60, 40, 88}));
    EXPECT_EQ(ColumnHeaders(list),
              (std::vector<std::wstring>{L"\u5E72\u652F", L"\u751F\u5E74", L"\u5E74\u9F62", L""}));
    EXPECT_TRUE(ListRows(list).empty());
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
    ASSERT_NE(g_hwndMenuBar, nullptr);
    EXPECT_EQ(GetParent(g_hwndMenuBar), m_hwnd);
    EXPECT_EQ(g_activateInfo.cbSize, sizeof(SHACTIVATEINFO));
    Scene("portrait-start");
    SetScreen(320, 240);
    Scene("landscape-start");
}

} // namespace
