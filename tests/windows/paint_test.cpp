#include "main_window.h"
#include "main_window_fixture.h"

namespace
{

// The separator: black at y 22 of the client area across its whole width,
// white just above and below.
void ExpectSeparator(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(50);
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    for (int x : {0, 130, static_cast<int>(client.right) - 2})
    {
        EXPECT_EQ(ScreenPixel(origin.x + x, origin.y + 22), RGB(0, 0, 0)) << "x " << x;
        EXPECT_EQ(ScreenPixel(origin.x + x, origin.y + 24), RGB(255, 255, 255)) << "x " << x;
    }
}

TEST_F(MainWindowTest, SeparatorSpansTheClientAreaInBothOrientations)
{
    ExpectSeparator(m_hwnd);
    SetScreen(320, 240);
    ExpectSeparator(m_hwnd);
}

TEST_F(MainWindowTest, OnlyTheTitleIsColoured)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    for (int id :
         {IDC_MAIN_TITLE, IDC_SIGN_LABEL, IDC_YEAR_LABEL, IDC_RESULT_LABEL, IDC_BIRTHDAY_PASSED})
    {
        // Through the procedure, then by the handler's own name.
        for (bool byName : {false, true})
        {
            SetTextColor(hdc, RGB(1, 2, 3));
            const WPARAM wParam = reinterpret_cast<WPARAM>(hdc);
            const LPARAM lParam = reinterpret_cast<LPARAM>(Control(id));
            const LRESULT brush = byName ? OnCtlColorStatic(m_hwnd, wParam, lParam)
                                         : SendMessageW(m_hwnd, WM_CTLCOLORSTATIC, wParam, lParam);
            if (id == IDC_MAIN_TITLE)
            {
                EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
                EXPECT_EQ(GetTextColor(hdc), GetSysColor(COLOR_HIGHLIGHT));
            }
            else
            {
                EXPECT_EQ(brush, 0) << id;
                EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3)) << id;
            }
        }
    }
    DeleteDC(hdc);
}

} // namespace
