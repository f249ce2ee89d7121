#include "main_window_fixture.h"

namespace
{

struct Place
{
    int id;
    int x, y;
};

void ExpectPlaces(HWND hwnd, std::initializer_list<Place> places)
{
    for (const Place& p : places)
    {
        const RECT rect = ChildRect(GetDlgItem(hwnd, p.id));
        EXPECT_EQ(rect.left, p.x) << "control " << p.id;
        EXPECT_EQ(rect.top, p.y) << "control " << p.id;
    }
}

void ExpectViews(HWND hwnd, int x, int y, int width, int height)
{
    for (int id : {IDC_RESULT_TEXT, IDC_RESULT_LIST})
    {
        const RECT rect = ChildRect(GetDlgItem(hwnd, id));
        EXPECT_EQ(rect.left, x) << id;
        EXPECT_EQ(rect.top, y) << id;
        EXPECT_EQ(rect.right - rect.left, width) << id;
        EXPECT_EQ(rect.bottom - rect.top, height) << id;
    }
}

// A full list: its four columns fill the client area beside the vertical
// scroll bar exactly, so no horizontal bar takes the place of a row.
void ExpectFullListFits(HWND list)
{
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 13);
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) << "horizontal scroll bar";
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) << "vertical scroll bar";
    RECT client;
    GetClientRect(list, &client);
    int columns = 0;
    for (int width : ColumnWidths(list))
        columns += width;
    EXPECT_EQ(columns, client.right);
}

const std::initializer_list<Place> kPortrait = {
    {IDC_MAIN_TITLE, 5, 5},    {IDC_EXIT, 180, 3},           {IDC_SIGN_LABEL, 5, 30},
    {IDC_SIGN, 60, 30},        {IDC_YEAR_LABEL, 5, 55},      {IDC_YEAR, 60, 55},
    {IDC_YEAR_RESET, 120, 55}, {IDC_BIRTHDAY_PASSED, 5, 80}, {IDC_RESULT_LABEL, 5, 110},
    {IDC_ERA_TOGGLE, 75, 107}, {IDC_VIEW_TOGGLE, 130, 107},  {IDC_ESTIMATE, 170, 107},
};

// The window reaches the screen's bottom edge, so the views leave room for
// the menu bar: 294 - 140 - 26 = 128.
TEST_F(MainWindowTest, PortraitWithTheBottomOnTheScreensEdge)
{
    EXPECT_EQ(ScreenRect(m_hwnd).bottom, 320);
    ExpectPlaces(m_hwnd, kPortrait);
    ExpectViews(m_hwnd, 5, 130, 230, 128);
    EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], 88);
    Estimate(L"2009", 1, true, false);
    SendMessageW(m_hwnd, WM_SIZE, 0, 0);
    EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], 75) << "13 pixels less with rows";
    ExpectFullListFits(Control(IDC_RESULT_LIST));
}

TEST_F(MainWindowTest, PortraitAboveTheScreensEdge)
{
    MoveWindow(m_hwnd, 0, 26, 240, 268, TRUE);
    ExpectPlaces(m_hwnd, kPortrait);
    ExpectViews(m_hwnd, 5, 130, 230, 128);
}

TEST_F(MainWindowTest, Landscape)
{
    SetScreen(320, 240);
    EXPECT_EQ(ScreenRect(m_hwnd).right, 320);
    EXPECT_EQ(ScreenRect(m_hwnd).bottom, 240);
    ExpectPlaces(m_hwnd, {{IDC_MAIN_TITLE, 5, 5},
                          {IDC_EXIT, 260, 3},
                          {IDC_SIGN_LABEL, 5, 30},
                          {IDC_SIGN, 60, 30},
                          {IDC_YEAR_LABEL, 145, 30},
                          {IDC_YEAR, 200, 30},
                          {IDC_YEAR_RESET, 260, 30},
                          {IDC_BIRTHDAY_PASSED, 5, 55},
                          {IDC_RESULT_LABEL, 5, 85},
                          {IDC_ERA_TOGGLE, 155, 82},
                          {IDC_VIEW_TOGGLE, 210, 82},
                          {IDC_ESTIMATE, 250, 82}});
    ExpectViews(m_hwnd, 5, 105, 310, 73);
    EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], 168);
    Estimate(L"2009", 1, true, false);
    EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], 155);
    ExpectFullListFits(Control(IDC_RESULT_LIST));
}

TEST_F(MainWindowTest, TurningTheScreenAndBackRestoresEveryPlace)
{
    std::vector<RECT> before;
    for (int id = IDC_EXIT; id <= IDC_RESULT_LIST; ++id)
        before.push_back(ChildRect(Control(id)));
    SetScreen(320, 240);
    SetScreen(240, 320);
    for (int id = IDC_EXIT; id <= IDC_RESULT_LIST; ++id)
    {
        const RECT rect = ChildRect(Control(id));
        const RECT& old = before[static_cast<size_t>(id - IDC_EXIT)];
        EXPECT_TRUE(EqualRect(&rect, &old)) << "control " << id;
    }
}

TEST_F(MainWindowTest, SquareScreenIsPortrait)
{
    SetScreen(320, 320);
    ExpectPlaces(m_hwnd, {{IDC_YEAR_LABEL, 5, 55}, {IDC_EXIT, 260, 3}, {IDC_ESTIMATE, 250, 107}});
    // 294 high client: 294 - 140 = 154, less the window's top of 26.
    ExpectViews(m_hwnd, 5, 130, 310, 128);
}

struct HeightCase
{
    int top, width, height; // the window's rectangle, from the left edge
    int viewWidth, viewHeight, lastColumn;
};

// The minimum of 50 comes before the subtraction; a height at or below 0
// becomes 0, and a list narrower than its fixed columns leaves the last 0.
TEST_F(MainWindowTest, SmallWindows)
{
    const HeightCase cases[] = {
        {26, 240, 150, 230, 50, 88}, // 150 - 140 = 10, raised to 50
        {260, 240, 60, 230, 0, 88},  // 50 - 260 on the screen's edge: 0
        {26, 100, 150, 90, 50, 0},   // 90 wide: no room for the last column
    };
    for (const HeightCase& c : cases)
    {
        MoveWindow(m_hwnd, 0, c.top, c.width, c.height, TRUE);
        ExpectViews(m_hwnd, 5, 130, c.viewWidth, c.viewHeight);
        EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], c.lastColumn)
            << c.width << "x" << c.height;
    }
}

} // namespace
