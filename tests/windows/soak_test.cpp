// Long use of one window, and random messages to it: nothing leaks, nothing
// breaks, and the last estimate is still exact. Counts come from the
// environment (scripts/bench runs the full ones).
#include "age_table.h"
#include "main_window_fixture.h"

#include <psapi.h>

#include <cstdlib>
#include <random>

namespace
{

int Count(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

// Wine's GetGuiResources always answers 0, so the windows of this thread
// (top-level and children) are counted as well.
struct Usage
{
    DWORD gdi;
    DWORD user;
    int windows;
    SIZE_T workingSet;
};

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(hwnd, CountChild, count);
    return TRUE;
}

Usage CurrentUsage()
{
    PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), windows, memory.WorkingSetSize};
}

class SoakTest : public MainWindowTest
{
  protected:
    // The last estimate shown must be exactly the core's table.
    void ExpectExactEstimate()
    {
        Estimate(L"2009", 1, true, false);
        const AgeTable table = BuildAgeTable(u"2009", 1, 1, 0);
        EXPECT_EQ(WindowText(Control(IDC_RESULT_TEXT)),
                  reinterpret_cast<const wchar_t*>(table.text.c_str()));
        EXPECT_EQ(ListRows(Control(IDC_RESULT_LIST)).size(), table.rows.size());
    }
};

TEST_F(SoakTest, ManyEstimatesAndAboutBoxesKeepObjectsAndMemory)
{
    const int estimates = Count("TOLMIRAK_SOAK_ESTIMATES", 300);
    const int abouts = Count("TOLMIRAK_SOAK_ABOUTS", 20);
    DialogAnswerer answerer([](HWND dialog) { PressButton(dialog, IDOK); });
    // Everything once first, so that caches and first-use objects exist.
    Command(IDC_ESTIMATE);
    Command(IDC_ERA_TOGGLE);
    Command(IDC_VIEW_TOGGLE);
    Command(IDC_VIEW_TOGGLE);
    Command(IDM_ABOUT);
    const Usage before = CurrentUsage();

    HWND sign = Control(IDC_SIGN);
    HWND year = Control(IDC_YEAR);
    HWND birthday = Control(IDC_BIRTHDAY_PASSED);
    for (int i = 0; i < estimates; ++i)
    {
        SendMessageW(sign, CB_SETCURSEL, i % 13, 0);
        SendMessageW(year, CB_SETCURSEL, (i / 13) % 20, 0);
        SendMessageW(birthday, BM_SETCHECK, (i / 260) % 2, 0);
        Command(IDC_ESTIMATE);
        if (i % 7 == 0)
            Command(IDC_ERA_TOGGLE);
        if (i % 11 == 0)
            Command(IDC_VIEW_TOGGLE);
    }
    for (int i = 0; i < abouts; ++i)
        Command(IDM_ABOUT);
    EXPECT_EQ(static_cast<int>(answerer.Seen().size()), abouts + 1);

    const Usage after = CurrentUsage();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LT(after.workingSet, before.workingSet + 2 * 1024 * 1024) << "working set grew";
    std::printf(
        "soak: %d estimates, %d About boxes; windows %d -> %d, working set %zu -> %zu KiB\n",
        estimates, abouts, before.windows, after.windows, before.workingSet / 1024,
        after.workingSet / 1024);
    ExpectExactEstimate();
}

// Every id of the command table and random ones, random codes, sizes, screen
// turns, paints, taps and input changes; the About box and message boxes are
// answered. An exit command closes the window, which then starts again.
TEST_F(SoakTest, RandomMessagesLeaveTheWindowSound)
{
    const int messages = Count("TOLMIRAK_FUZZ_MESSAGES", 2000);
    std::mt19937 random(static_cast<unsigned>(Count("TOLMIRAK_FUZZ_SEED", 2009)));
    DialogAnswerer answerer([](HWND dialog) { PressButton(dialog, IDOK); });
    const int commands[] = {IDOK,           IDC_EXIT,        IDM_EXIT,
                            IDC_YEAR_RESET, IDC_ESTIMATE,    IDM_ESTIMATE,
                            IDC_ERA_TOGGLE, IDC_VIEW_TOGGLE, IDM_ABOUT};
    int restarts = 0;
    for (int i = 0; i < messages; ++i)
    {
        const unsigned kind = random() % 100;
        if (kind < 50)
        {
            const int id =
                random() % 4 == 0 ? static_cast<int>(random() & 0xFFFF) : commands[random() % 9];
            const int code = random() % 2 == 0 ? 0 : static_cast<int>(random() & 0xFFFF);
            // Exits only now and then: each one costs a restart.
            if ((id == IDOK || id == IDC_EXIT || id == IDM_EXIT) && random() % 20 != 0)
                continue;
            SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, code), static_cast<LPARAM>(random()));
        }
        else if (kind < 62)
            SendMessageW(m_hwnd, WM_SIZE, random() % 5, static_cast<LPARAM>(random()));
        else if (kind < 64)
        {
            const bool landscape = random() % 2 != 0;
            SetScreen(landscape ? 320 : 240, landscape ? 240 : 320);
        }
        else if (kind < 74)
            RedrawWindow(m_hwnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        else if (kind < 82)
        {
            const UINT taps[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_NOTIFY};
            const UINT message = taps[random() % 4];
            NMHDR header = {m_hwnd, random() & 0xFFFF, random()};
            SendMessageW(m_hwnd, message, random(),
                         message == WM_NOTIFY ? reinterpret_cast<LPARAM>(&header)
                                              : static_cast<LPARAM>(random()));
        }
        else if (kind < 90)
            SendMessageW(Control(IDC_SIGN), CB_SETCURSEL, random() % 13, 0);
        else if (kind < 97)
            SendMessageW(Control(IDC_YEAR), CB_SETCURSEL, static_cast<int>(random() % 21) - 1,
                         0); // -1: empty
        else
            SendMessageW(Control(IDC_BIRTHDAY_PASSED), BM_SETCHECK, random() % 2, 0);

        if (!IsWindow(m_hwnd))
        {
            ++restarts;
            TearDown();
            SetUp();
        }
    }
    std::printf("message fuzz: %d messages, %d restarts, %zu dialogs answered\n", messages,
                restarts, answerer.Seen().size());

    // Back on the portrait screen every control is where the layout puts it.
    SetScreen(240, 320);
    MoveWindow(m_hwnd, 0, 26, 240, 294, TRUE);
    const struct
    {
        int id, x, y;
    } places[] = {
        {IDC_EXIT, 180, 3},        {IDC_YEAR_LABEL, 5, 55},      {IDC_YEAR, 60, 55},
        {IDC_YEAR_RESET, 120, 55}, {IDC_BIRTHDAY_PASSED, 5, 80}, {IDC_RESULT_LABEL, 5, 110},
        {IDC_ERA_TOGGLE, 75, 107}, {IDC_VIEW_TOGGLE, 130, 107},  {IDC_ESTIMATE, 170, 107},
        {IDC_RESULT_LIST, 5, 130}, {IDC_MAIN_TITLE, 5, 5},       {IDC_SIGN, 60, 30}};
    for (const auto& p : places)
    {
        EXPECT_EQ(ChildRect(Control(p.id)).left, p.x) << p.id;
        EXPECT_EQ(ChildRect(Control(p.id)).top, p.y) << p.id;
    }
    ExpectExactEstimate();
}

} // namespace
