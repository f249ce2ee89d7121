#include "about_dialog.h"
#include "main_window_fixture.h"

#include <functional>

namespace
{

// Shows the box as the About command does, with a test's hands on it, and
// returns what Show returned.
INT_PTR ShowAbout(HWND owner, std::function<void(HWND)> whileOpen)
{
    DialogAnswerer answerer(std::move(whileOpen));
    g_aboutDialog = new AboutDialog;
    const INT_PTR result = g_aboutDialog->Show(owner, 0);
    delete g_aboutDialog;
    g_aboutDialog = nullptr;
    return result;
}

struct AboutControlCase
{
    int id;
    const wchar_t* className;
    int x, y, width, height;
    bool lineFont;
};

TEST_F(MainWindowTest, AboutBoxControls)
{
    ShowAbout(m_hwnd, [&](HWND dialog) {
        const RECT frame = ScreenRect(dialog);
        EXPECT_EQ(frame.top, 26) << "the full screen below the title strip";
        EXPECT_EQ(frame.bottom, 320);
        const AboutControlCase cases[] = {
            {IDC_ABOUT_TITLE, L"Static", 5, 2, 80, 16, false},
            {IDOK, L"Button", 190, 1, 48, 18, false},
            {IDC_ABOUT_ICON, L"Static", 5, 25, 16, 16, false},
            {1002, L"Static", 47, 26, 180, 14, true},
            {1003, L"Static", 47, 42, 180, 14, true},
            {1004, L"Static", 47, 58, 180, 14, true},
            {1005, L"Static", 47, 74, 180, 14, true},
            {IDC_ABOUT_URL, L"Static", 2, 98, 230, 14, true},
        };
        for (const AboutControlCase& c : cases)
        {
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_NE(control, nullptr) << c.id;
            EXPECT_EQ(_wcsicmp(ClassName(control).c_str(), c.className), 0) << c.id;
            const RECT rect = ChildRect(control);
            EXPECT_EQ(rect.left, c.x) << c.id;
            EXPECT_EQ(rect.top, c.y) << c.id;
            EXPECT_EQ(rect.right - rect.left, c.width) << c.id;
            EXPECT_EQ(rect.bottom - rect.top, c.height) << c.id;
            if (c.lineFont)
                EXPECT_STREQ(ControlFont(control).lfFaceName, L"MS UI Gothic") << c.id;
        }
        const std::wstring homepage = ResourceString(g_hInst, IDS_HOMEPAGE);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ABOUT_TITLE)),
                  L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), L"\u9589\u3058\u308B");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 1002)), L"\u30C8\u30EB\u30DF\u30E9\u30AF");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 1003)), L"1.2.2009.0118");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 1004)), ResourceString(g_hInst, IDS_COPYRIGHT));
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 1005)), L"All rights reserved.");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ABOUT_URL)), L"URL: " + homepage);
        EXPECT_NE(SendMessageW(GetDlgItem(dialog, IDC_ABOUT_ICON), STM_GETIMAGE, IMAGE_ICON, 0), 0);
        Scene("portrait-about");
        PressButton(dialog, IDOK);
    });
}

TEST_F(MainWindowTest, AboutCloseButtonFollowsTheRightEdge)
{
    ShowAbout(m_hwnd, [&](HWND dialog) {
        HWND button = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(ChildRect(button).left, 190);
        EXPECT_EQ(ChildRect(button).top, 1);
        EXPECT_EQ(AboutDlgProc(dialog, WM_SIZE, 0, MAKELPARAM(240, 294)), 1);
        EXPECT_EQ(ChildRect(button).left, 190) << "240 - 48 - 2";
        EXPECT_EQ(ChildRect(button).top, 2);
        PressButton(dialog, IDOK);
    });
}

TEST_F(MainWindowTest, AboutSeparatorAndHeaderColour)
{
    ShowAbout(m_hwnd, [&](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        POINT origin = {0, 0};
        ClientToScreen(dialog, &origin);
        for (int x : {0, 100, 238})
            EXPECT_EQ(ScreenPixel(origin.x + x, origin.y + 22), RGB(0, 0, 0)) << x;
        HDC hdc = CreateCompatibleDC(nullptr);
        EXPECT_EQ(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_TITLE))),
                  reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(GetTextColor(hdc), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(AboutDlgProc(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1002))),
                  0);
        DeleteDC(hdc);
        PressButton(dialog, IDOK);
    });
}

struct EndCase
{
    const char* how;
    std::function<void(HWND)> end;
    INT_PTR result;
};

// Each way to end the box destroys the menu bar before the dialog goes.
TEST_F(MainWindowTest, AboutEndsWithItsResultAndTheMenuBarFirst)
{
    const EndCase cases[] = {
        {"Close button", [](HWND dialog) { PressButton(dialog, IDOK); }, 1},
        {"title strip's ok",
         [](HWND) {
             HWND strip = FindWindowW(L"ShellTitleStrip", nullptr);
             RECT client;
             GetClientRect(strip, &client);
             const LPARAM point = MAKELPARAM(client.right - 15, 13);
             PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, point);
             PostMessageW(strip, WM_LBUTTONUP, 0, point);
         },
         1},
        {"WM_CLOSE", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, 16},
        {"IDOK with a notification code",
         [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0); }, 1},
        {"ok, then WM_CLOSE before the modal loop returns: the first end holds",
         [](HWND dialog) {
             SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
             SendMessageW(dialog, WM_CLOSE, 0, 0);
         },
         1},
    };
    for (const EndCase& c : cases)
    {
        MessageLog log;
        HWND bar = nullptr;
        HWND box = nullptr;
        const INT_PTR result = ShowAbout(m_hwnd, [&](HWND dialog) {
            box = dialog;
            bar = FindWindowExW(dialog, nullptr, L"ShellMenuBar", nullptr);
            EXPECT_NE(bar, nullptr) << c.how;
            log.Watch(dialog);
            log.Watch(bar);
            c.end(dialog);
        });
        EXPECT_EQ(result, c.result) << c.how;
        size_t barDestroyed = SIZE_MAX, boxHidden = SIZE_MAX;
        for (size_t i = 0; i < log.Messages().size(); ++i)
        {
            const RecordedMessage& m = log.Messages()[i];
            if (m.hwnd == bar && m.message == WM_DESTROY)
                barDestroyed = i;
            if (m.hwnd == box && boxHidden == SIZE_MAX &&
                ((m.message == WM_WINDOWPOSCHANGED && (m.windowPosFlags & SWP_HIDEWINDOW)) ||
                 m.message == WM_DESTROY))
                boxHidden = i;
        }
        EXPECT_LT(barDestroyed, boxHidden) << c.how;
    }
}

TEST_F(MainWindowTest, AboutIgnoresOtherCommands)
{
    const INT_PTR result = ShowAbout(m_hwnd, [&](HWND dialog) {
        EXPECT_EQ(AboutDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0), 0);
        PumpMessages(20);
        EXPECT_TRUE(IsWindowVisible(dialog));
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
}

// Every showing makes one object and one font and gives both back.
TEST_F(MainWindowTest, FiftyShowingsLeaveNoGdiObjectBehind)
{
    ShowAbout(m_hwnd, [](HWND dialog) { PressButton(dialog, IDOK); }); // first-use caches
    RebindCachedDcs(m_hwnd);
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 50; ++i)
    {
        HGDIOBJ font = nullptr;
        ShowAbout(m_hwnd, [&](HWND dialog) {
            font =
                reinterpret_cast<HGDIOBJ>(SendMessageW(GetDlgItem(dialog, 1002), WM_GETFONT, 0, 0));
            PressButton(dialog, IDOK);
        });
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(GetObjectType(font), 0u) << "the font is deleted with the object";
    }
    RebindCachedDcs(m_hwnd);
    EXPECT_EQ(GdiObjectCount(), before);
}

// The procedure hands nothing to an object that is not there.
TEST(AboutDlgProc, WithoutAnObjectAnswersZero)
{
    g_aboutDialog = nullptr;
    for (UINT message : {WM_INITDIALOG, WM_SIZE, WM_PAINT, WM_CLOSE, WM_COMMAND})
        EXPECT_EQ(AboutDlgProc(nullptr, message, IDOK, 0), 0);
}

TEST_F(MainWindowTest, AboutInLandscape)
{
    SetScreen(320, 240);
    ShowAbout(m_hwnd, [&](HWND dialog) {
        SendMessageW(dialog, WM_SIZE, 0, 0);
        EXPECT_EQ(ChildRect(GetDlgItem(dialog, IDOK)).left, 320 - 48 - 2);
        Scene("landscape-about");
        PressButton(dialog, IDOK);
    });
}

struct BoxCase
{
    const char* what;
    std::function<void(std::function<void(HWND)>)> open;
};

// The About box and the invalid-input box are the frame's on a desktop: they
// move, minimize and restore with it and cannot be moved out of it. Either
// way the main window is their disabled owner, told of its deactivation by
// the box as one opens and of its activation as it closes.
TEST_F(MainWindowTest, BoxesStayWithTheScreenAndTheirOwner)
{
    const BoxCase cases[] = {
        {"About", [&](std::function<void(HWND)> check) { ShowAbout(m_hwnd, std::move(check)); }},
        {"invalid year",
         [&](std::function<void(HWND)> check) {
             DialogAnswerer answerer(std::move(check));
             SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
             Command(IDC_ESTIMATE);
         }},
    };
    HWND frame = GetParent(m_hwnd);
    for (const BoxCase& c : cases)
    {
        MessageLog log;
        log.Watch(m_hwnd);
        HWND opened = nullptr;
        c.open([&](HWND box) {
            EXPECT_FALSE(IsWindowEnabled(m_hwnd)) << c.what;
            if (Shell_IsWindowed())
            {
                EXPECT_EQ(GetParent(box), frame) << c.what;
                EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & WS_CHILD, 0) << c.what;
                EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << c.what;
                const RECT placed = ScreenRect(box);
                POINT middle = {(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
                ScreenToClient(frame, &middle);
                EXPECT_EQ(ChildWindowFromPointEx(frame, middle, CWP_SKIPINVISIBLE), box)
                    << c.what << " lies above the main window";
                RECT moved;
                (GetWindowRect)(frame, &moved);
                SetWindowPos(frame, nullptr, moved.left + 37, moved.top + 23, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER);
                SendMessageW(box, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0); // a drag by the caption
                RECT box1, inside;
                (GetWindowRect)(box, &box1);
                const RECT screen = Shell_ScreenRect();
                EXPECT_TRUE(IntersectRect(&inside, &box1, &screen) && EqualRect(&inside, &box1))
                    << c.what << " lies inside the frame after the move";
                const RECT after = ScreenRect(box);
                EXPECT_TRUE(EqualRect(&placed, &after)) << c.what << " keeps its place on the screen";
                // Each step waits for the window manager to act on it: a
                // restore that overtakes the iconify it asked for is
                // minimized again when the iconify comes in.
                ShowWindow(frame, SW_MINIMIZE);
                PumpMessages(300);
                ShowWindow(frame, SW_RESTORE);
                PumpMessages(300);
                const RECT restored = ScreenRect(box);
                EXPECT_TRUE(IsWindowVisible(box) && EqualRect(&placed, &restored))
                    << c.what << " is back in its place once restored";
                SetWindowPos(frame, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            }
            opened = box;
            PressButton(box, IDOK);
        });
        ASSERT_NE(opened, nullptr) << c.what;
        EXPECT_TRUE(IsWindowEnabled(m_hwnd)) << c.what;
        // Activations that name the box; the frame's own, as the window
        // manager moves the focus, name none.
        std::vector<WPARAM> told;
        for (const RecordedMessage& m : log.Messages())
            if (m.message == WM_ACTIVATE && reinterpret_cast<HWND>(m.lParam) == opened)
                told.push_back(LOWORD(m.wParam));
        EXPECT_EQ(told, (std::vector<WPARAM>{WA_INACTIVE, WA_ACTIVE})) << c.what;
    }
}

} // namespace
