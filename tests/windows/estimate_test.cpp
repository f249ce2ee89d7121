#include "age_table.h"
#include "main_window_fixture.h"

#include <iterator>
#include <utility>

namespace
{

using Rows = std::vector<std::vector<std::wstring>>;

// The list shows the builder's rows bottom-up (each lands on top) and the
// text shows them top-down.
Rows ExpectedListRows(const AgeTable& table)
{
    Rows rows;
    for (auto row = table.rows.rbegin(); row != table.rows.rend(); ++row)
        rows.push_back({reinterpret_cast<const wchar_t*>(row->cycleName.c_str()),
                        reinterpret_cast<const wchar_t*>(row->birthYearLabel.c_str()),
                        std::to_wstring(row->age), L""});
    return rows;
}

TEST_F(MainWindowTest, Ox2009EraBirthdayPassedFillsBothViews)
{
    Estimate(L"2009", 1, true, false);
    const Rows rows = ListRows(Control(IDC_RESULT_LIST));
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front(),
              (std::vector<std::wstring>{L"\u4E59\u4E11", L"1865", L"144", L""})); // 乙丑 1865 144
    EXPECT_EQ(rows.back(), (std::vector<std::wstring>{L"\u5DF1\u4E11",
                                                      L"\u5E73\u6210"
                                                      L"21",
                                                      L"0", L""}));
    const std::wstring text = WindowText(Control(IDC_RESULT_TEXT));
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), L"\u5DF1\u4E11,\u5E73\u6210"
                                                  L"21,0");
    EXPECT_EQ(text.substr(text.rfind(L"\r\n") + 2), L"\u4E59\u4E11,1865,144");
    EXPECT_EQ(text.size(), 155u);
    EXPECT_EQ(g_resultShown, 1);
    EXPECT_EQ(ColumnWidths(Control(IDC_RESULT_LIST))[3], 75) << "a 230-pixel list with rows";
    Scene("portrait-list-era");
    Command(IDC_VIEW_TOGGLE);
    Scene("portrait-text-era");
    SetScreen(320, 240);
    Scene("landscape-text-era");
    Command(IDC_VIEW_TOGGLE);
    Scene("landscape-list-era");
}

struct EstimateCase
{
    int sign;
    bool birthdayPassed;
    bool western;
};

TEST_F(MainWindowTest, EveryCellOfBothViewsInBothFlagsAndModes)
{
    const EstimateCase cases[] = {
        {1, true, false}, {1, false, false}, {1, true, true},
        {1, false, true}, {0, true, true},   {11, false, false},
    };
    for (const EstimateCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "sign " << c.sign << " passed " << c.birthdayPassed
                                        << " western " << c.western);
        Estimate(L"2009", c.sign, c.birthdayPassed, c.western);
        const AgeTable table = BuildAgeTable(u"2009", c.sign, c.birthdayPassed, c.western);
        EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)), ExpectedListRows(table));
        EXPECT_EQ(WindowText(Control(IDC_RESULT_TEXT)),
                  reinterpret_cast<const wchar_t*>(table.text.c_str()));
    }
    // The clear check box leaves out the age-0 row: the bottom row is 丁丑 平成9 11.
    Estimate(L"2009", 1, false, false);
    EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)).back(), (std::vector<std::wstring>{L"\u4E01\u4E11",
                                                                                    L"\u5E73\u6210"
                                                                                    L"9",
                                                                                    L"11", L""}));
}

TEST_F(MainWindowTest, CatAnswersInTheAgeColumnAndAloneInTheText)
{
    HWND list = Control(IDC_RESULT_LIST);
    const int widthBefore = ColumnWidths(list)[3];
    Estimate(L"2009", 12, true, true);
    const std::wstring cat = L"\u305D\u306E\u65B9\u306F\u5E74\u9F62\u3092\u8A50\u79F0\u3057\u3066"
                             L"\u3044\u307E\u3059\u3002";
    EXPECT_EQ(ListRows(list), (Rows{{L"", L"", cat, L""}}));
    EXPECT_EQ(WindowText(Control(IDC_RESULT_TEXT)), cat);
    EXPECT_EQ(ColumnWidths(list)[3], widthBefore);
    EXPECT_EQ(g_resultShown, 1);
    Scene("portrait-cat");
    SetScreen(320, 240);
    Scene("landscape-cat");
}

TEST_F(MainWindowTest, EmptyYearShowsTheMessageAndKeepsTheResult)
{
    Estimate(L"2009", 1, true, false);
    const Rows before = ListRows(Control(IDC_RESULT_LIST));
    const std::wstring textBefore = WindowText(Control(IDC_RESULT_TEXT));
    DialogAnswerer answerer([](HWND box) {
        Scene(GetSystemMetrics(SM_CXSCREEN) > GetSystemMetrics(SM_CYSCREEN) ? "landscape-bad-input"
                                                                            : "portrait-bad-input");
        PressButton(box, IDOK);
    });
    SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(WindowText(Control(IDC_YEAR)), L"");
    Command(IDC_ESTIMATE);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].caption, L"\u5165\u529B\u5024\u4E0D\u6B63");
    EXPECT_EQ(answerer.Seen()[0].text,
              L"\u8A08\u7B97\u5E74\u306E\u5024\u304C\u4E0D\u6B63\u3067\u3059\u3002");
    EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)), before);
    EXPECT_EQ(WindowText(Control(IDC_RESULT_TEXT)), textBefore);
    EXPECT_EQ(g_resultShown, 1);
    SetScreen(320, 240);
    Command(IDC_ESTIMATE);
    EXPECT_EQ(answerer.Seen().size(), 2u);
}

TEST_F(MainWindowTest, InvalidYearBeforeAnyEstimateLeavesNothingShown)
{
    DialogAnswerer answerer([](HWND box) { PressButton(box, IDOK); });
    SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(IDC_ESTIMATE);
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(g_resultShown, 0);
    EXPECT_TRUE(ListRows(Control(IDC_RESULT_LIST)).empty());
}

TEST_F(MainWindowTest, TwoEstimatesLeaveOneTable)
{
    Estimate(L"2009", 0, true, true);
    Estimate(L"2009", 0, true, true);
    EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)).size(), 13u);
}

// What the list receives during an estimate of thirteen rows, message by
// message, with the wParam of its own messages: how the engine runs (theme,
// CPU placement) must not change a single one.
TEST_F(MainWindowTest, ThirteenRowsReachTheListInOneFixedSequence)
{
    using Message = std::pair<UINT, WPARAM>;
    // The vertical scroll bar goes with the old rows and comes back with the
    // ninth new one; each time the frame changes once, as the columns fit
    // beside it and no horizontal bar follows.
    const Message frame[] = {
        {WM_WINDOWPOSCHANGING, 0}, {WM_NCCALCSIZE, 0}, {WM_WINDOWPOSCHANGED, 0}, {WM_SIZE, 0}};
    std::vector<Message> expected = {{LVM_DELETEALLITEMS, 0}};
    expected.insert(expected.end(), std::begin(frame), std::end(frame));
    // The last column narrows by the scroll bar's width; the header tells.
    expected.insert(expected.end(), {{LVM_SETCOLUMNWIDTH, 3}, {WM_NOTIFY, 0}, {WM_NOTIFY, 0}});
    for (int row = 1; row <= 13; ++row)
    {
        expected.push_back({LVM_INSERTITEMW, 0});
        if (row == 9)
            expected.insert(expected.end(), std::begin(frame), std::end(frame));
        expected.insert(expected.end(), 3, {LVM_SETITEMW, 0});
    }

    Estimate(L"2009", 1, true, false); // the list already holds rows and a scroll bar
    MessageLog log;
    log.Watch(Control(IDC_RESULT_LIST));
    Command(IDC_ESTIMATE);
    std::vector<Message> received;
    for (const RecordedMessage& m : log.Messages())
        received.push_back({m.message, m.message >= LVM_FIRST ? m.wParam : 0});
    EXPECT_EQ(received, expected);
}

} // namespace
