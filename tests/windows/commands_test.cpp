#include "main_window.h"
#include "main_window_fixture.h"

namespace
{

// What a button command with a notification code other than 0 must leave
// alone.
struct Snapshot
{
    bool exists;
    std::wstring eraCaption;
    int year;
    int textViewShown;
    size_t rows;

    bool operator==(const Snapshot& o) const
    {
        return exists == o.exists && eraCaption == o.eraCaption && year == o.year &&
               textViewShown == o.textViewShown && rows == o.rows;
    }
};

TEST_F(MainWindowTest, ButtonCommandsActOnlyOnAClick)
{
    SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, 3, 0);
    auto snapshot = [&] {
        return Snapshot{IsWindow(m_hwnd) != FALSE, WindowText(Control(IDC_ERA_TOGGLE)),
                        ComboSelection(Control(IDC_YEAR)), g_textViewShown,
                        ListRows(Control(IDC_RESULT_LIST)).size()};
    };
    const Snapshot before = snapshot();
    for (int id : {IDC_EXIT, IDC_YEAR_RESET, IDC_ESTIMATE, IDC_ERA_TOGGLE, IDC_VIEW_TOGGLE})
        for (int code : {1, BN_SETFOCUS, BN_KILLFOCUS})
            EXPECT_EQ(Command(id, code), 0) << id;
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(MainWindowTest, MenuCommandsActWhateverTheirCode)
{
    Command(IDM_ESTIMATE, 1); // as an accelerator's code
    EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)).size(), 13u);

    DialogAnswerer answerer([](HWND dialog) { PressButton(dialog, IDOK); });
    EXPECT_EQ(Command(IDM_ABOUT, 1), 0);
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(g_aboutDialog, nullptr) << "the object is gone with the box";
}

TEST_F(MainWindowTest, EveryExitCommandSendsDeactivationThenClose)
{
    for (int id : {IDOK, IDC_EXIT, IDM_EXIT})
    {
        for (int code : {0, 1})
        {
            if (id == IDC_EXIT && code != 0)
                continue;
            if (!IsWindow(m_hwnd))
                SetUp();
            MessageLog log;
            log.Watch(m_hwnd);
            EXPECT_EQ(Command(id, code), 0);
            EXPECT_TRUE(OkSequence(log, {{WM_ACTIVATE, SEQ_WPARAM | SEQ_LPARAM, WA_INACTIVE,
                                          reinterpret_cast<LPARAM>(m_hwnd)},
                                         {WM_CLOSE, 0, 0, 0},
                                         // the platform's own, as the window goes
                                         {WM_ACTIVATE, SEQ_WPARAM | SEQ_OPTIONAL, WA_INACTIVE, 0},
                                         {WM_DESTROY, 0, 0, 0},
                                         {WM_NCDESTROY, 0, 0, 0}}))
                << "command " << id << " code " << code;
            EXPECT_FALSE(IsWindow(m_hwnd));
            EXPECT_EQ(g_hMainFont, nullptr);
            MSG msg;
            ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 0u) << "exit code";
        }
    }
}

TEST_F(MainWindowTest, YearResetSelectsTheStartYear)
{
    SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, 17, 0);
    EXPECT_EQ(Command(IDC_YEAR_RESET), 0);
    EXPECT_EQ(ComboSelection(Control(IDC_YEAR)), 10);
    EXPECT_EQ(g_resultShown, 0) << "no estimate runs";
}

TEST_F(MainWindowTest, EraToggleBeforeAnEstimateOnlyFlipsTheMode)
{
    Command(IDC_ERA_TOGGLE);
    EXPECT_EQ(g_westernYears, 0);
    EXPECT_EQ(WindowText(Control(IDC_ERA_TOGGLE)), L"->\u897F\u66A6"); // ->西暦
    EXPECT_TRUE(ListRows(Control(IDC_RESULT_LIST)).empty());
    Command(IDC_ERA_TOGGLE);
    EXPECT_EQ(WindowText(Control(IDC_ERA_TOGGLE)), L"->\u548C\u66A6"); // ->和暦
}

TEST_F(MainWindowTest, EraToggleAfterAnEstimateRebuildsFromTheCurrentInputs)
{
    Estimate(L"2009", 0, true, true);
    SendMessageW(Control(IDC_SIGN), CB_SETCURSEL, 1, 0); // chosen after the estimate
    Command(IDC_ERA_TOGGLE);
    const auto rows = ListRows(Control(IDC_RESULT_LIST));
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.back(), (std::vector<std::wstring>{L"\u5DF1\u4E11",
                                                      L"\u5E73\u6210"
                                                      L"21",
                                                      L"0", L""}));
    EXPECT_EQ(rows.front()[1], L"1865");
}

TEST_F(MainWindowTest, ViewToggleHidesOneViewBeforeShowingTheOther)
{
    Estimate(L"2009", 1, true, true);
    const auto rows = ListRows(Control(IDC_RESULT_LIST));
    HWND list = Control(IDC_RESULT_LIST);
    HWND text = Control(IDC_RESULT_TEXT);
    MessageLog log;
    log.Watch(list);
    log.Watch(text);
    Command(IDC_VIEW_TOGGLE);
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(g_textViewShown, 1);
    std::vector<std::pair<HWND, WPARAM>> shows;
    for (const RecordedMessage& m : log.Messages())
        if (m.message == WM_SHOWWINDOW)
            shows.push_back({m.hwnd, m.wParam});
    EXPECT_EQ(shows, (std::vector<std::pair<HWND, WPARAM>>{{list, FALSE}, {text, TRUE}}));

    Command(IDC_VIEW_TOGGLE);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(IsWindowVisible(text));
    EXPECT_EQ(ListRows(list), rows);
}

// Through the procedure and by the handlers' own names.
TEST_F(MainWindowTest, SurfaceTapsAndNotificationsAreAnsweredWithZero)
{
    const struct
    {
        UINT message;
        LRESULT (*handler)();
    } cases[] = {{WM_LBUTTONDOWN, OnLButtonDown},
                 {WM_MOUSEMOVE, OnMouseMove},
                 {WM_LBUTTONUP, OnLButtonUp},
                 {WM_NOTIFY, OnNotify}};
    for (const auto& c : cases)
    {
        NMHDR header = {m_hwnd, 0, 0};
        EXPECT_EQ(SendMessageW(m_hwnd, c.message, 0,
                               c.message == WM_NOTIFY ? reinterpret_cast<LPARAM>(&header) : 0),
                  0);
        EXPECT_EQ(c.handler(), 0) << c.message;
    }
    // Activation by name keeps the shell's record of the window.
    OnActivate(m_hwnd, MAKEWPARAM(WA_INACTIVE, 0), 0, &g_activateInfo);
    EXPECT_EQ(static_cast<UINT>(g_activateInfo.fActive), 0u);
    OnActivate(m_hwnd, MAKEWPARAM(WA_ACTIVE, 0), 0, &g_activateInfo);
    EXPECT_EQ(static_cast<UINT>(g_activateInfo.fActive), 1u);
    EXPECT_EQ(OnSettingChange(m_hwnd, 0, 0, &g_activateInfo), 0);
}

} // namespace
