// Long use of one window, and random messages to it: nothing leaks, nothing
// breaks, and the last estimate is still exact. Counts come from the
// environment (scripts/bench runs the full ones).
#include "age_table.h"
#include "main_window_fixture.h"

#include <psapi.h>

#include <cstdlib>
#include <functional>
#include <random>

namespace
{

int Count(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

struct Usage
{
    DWORD gdi;
    DWORD user;
    int windows;
    SIZE_T workingSet;
};

// The working set last: reading the GDI handle table brings its pages in.
Usage CurrentUsage()
{
    const UserObjects user = CountUserObjects();
    Usage usage = {GdiObjectCount(), UserObjectCount(user), user.windows, 0};
    PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    usage.workingSet = memory.WorkingSetSize;
    return usage;
}

// Each count moves by exactly the objects made, and back when they go: a
// leak of any of these kinds shows.
TEST(ObjectCounts, MoveWithEveryKindCounted)
{
    BYTE bits[32] = {};
    const ACCEL accel = {FVIRTKEY, 'A', 1};
    // Children of a window of the test's own: the thread's first top-level
    // window would bring the input method's window with it.
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    const struct
    {
        const char* kind;
        int UserObjects::*field; // 0: GDI
        std::function<std::vector<HANDLE>()> make;
        std::function<void(HANDLE)> free;
    } cases[] = {
        {"font and brush", nullptr,
         [] {
             LOGFONTW lf = {};
             lf.lfHeight = 12;
             return std::vector<HANDLE>{CreateFontIndirectW(&lf), CreateSolidBrush(RGB(1, 2, 3))};
         },
         [](HANDLE h) { DeleteObject(h); }},
        {"window", &UserObjects::windows,
         [&] {
             return std::vector<HANDLE>{CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10,
                                                        host, nullptr, nullptr, nullptr)};
         },
         [](HANDLE h) { DestroyWindow(static_cast<HWND>(h)); }},
        {"menu", &UserObjects::menus, [] { return std::vector<HANDLE>{CreatePopupMenu()}; },
         [](HANDLE h) { DestroyMenu(static_cast<HMENU>(h)); }},
        {"icon", &UserObjects::iconsAndCursors,
         [&] { return std::vector<HANDLE>{CreateIcon(nullptr, 16, 16, 1, 1, bits, bits)}; },
         [](HANDLE h) { DestroyIcon(static_cast<HICON>(h)); }},
        {"cursor", &UserObjects::iconsAndCursors,
         [&] { return std::vector<HANDLE>{CreateCursor(nullptr, 0, 0, 16, 16, bits, bits)}; },
         [](HANDLE h) { DestroyCursor(static_cast<HCURSOR>(h)); }},
        {"accelerator table", &UserObjects::acceleratorTables,
         [&] {
             return std::vector<HANDLE>{CreateAcceleratorTableW(const_cast<ACCEL*>(&accel), 1)};
         },
         [](HANDLE h) { DestroyAcceleratorTable(static_cast<HACCEL>(h)); }},
    };
    for (const auto& c : cases)
    {
        for (HANDLE h : c.make()) // once first, for the first use's caches
            c.free(h);
        auto count = [&] {
            return c.field == nullptr ? static_cast<int>(GdiObjectCount())
                                      : CountUserObjects().*c.field;
        };
        const int before = count();
        const DWORD userBefore = UserObjectCount(CountUserObjects());
        const std::vector<HANDLE> made = c.make();
        EXPECT_EQ(count(), before + static_cast<int>(made.size())) << c.kind;
        if (c.field != nullptr)
            EXPECT_EQ(UserObjectCount(CountUserObjects()), userBefore + 1) << c.kind;
        for (HANDLE h : made)
            c.free(h);
        EXPECT_EQ(count(), before) << c.kind;
    }
    DestroyWindow(host);
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
    HWND sign = Control(IDC_SIGN);
    HWND year = Control(IDC_YEAR);
    HWND birthday = Control(IDC_BIRTHDAY_PASSED);
    auto estimate = [&](int i) {
        SendMessageW(sign, CB_SETCURSEL, i % 13, 0);
        SendMessageW(year, CB_SETCURSEL, (i / 13) % 20, 0);
        SendMessageW(birthday, BM_SETCHECK, (i / 260) % 2, 0);
        Command(IDC_ESTIMATE);
        if (i % 7 == 0)
            Command(IDC_ERA_TOGGLE);
        if (i % 11 == 0)
            Command(IDC_VIEW_TOGGLE);
    };
    // A round of every sign and year in both views, and a few About boxes,
    // first: Wine keeps the DCs, regions and surfaces that painting needed
    // (up to 64 cached DCs), and such a cache must not pass for a leak.
    const int warmAbouts = 5;
    for (int i = 0; i < 260; ++i)
        estimate(i);
    for (int i = 0; i < warmAbouts; ++i)
        Command(IDM_ABOUT);
    RebindCachedDcs(m_hwnd);
    const Usage before = CurrentUsage();

    for (int i = 0; i < estimates; ++i)
        estimate(i);
    for (int i = 0; i < abouts; ++i)
        Command(IDM_ABOUT);
    EXPECT_EQ(static_cast<int>(answerer.Seen().size()), abouts + warmAbouts);

    RebindCachedDcs(m_hwnd);
    const Usage after = CurrentUsage();
    EXPECT_GT(before.gdi, 0u);
    EXPECT_GT(before.user, 0u);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LT(after.workingSet, before.workingSet + 2 * 1024 * 1024) << "working set grew";
    std::printf("soak: %d estimates, %d About boxes; windows %d -> %d, gdi %lu -> %lu, user %lu -> "
                "%lu, working set %zu -> %zu KiB\n",
                estimates, abouts, before.windows, after.windows, before.gdi, after.gdi,
                before.user, after.user, before.workingSet / 1024, after.workingSet / 1024);
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
