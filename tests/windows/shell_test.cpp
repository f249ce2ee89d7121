#include "harness.h"
#include "resource.h"

#include <aygshell.h>
#include <algorithm>
#include <screen.h>

namespace
{

std::vector<WPARAM> s_commands;
std::vector<WPARAM> s_menuKeys; // pressed in turn while a pop-up menu waits
int s_menusOpened;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND: s_commands.push_back(wParam); return 0;
    case WM_ENTERMENULOOP: ++s_menusOpened; break;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && !s_menuKeys.empty())
        {
            for (WPARAM key : s_menuKeys)
            {
                PostMessageW(reinterpret_cast<HWND>(lParam), WM_KEYDOWN, key, 0);
                PostMessageW(reinterpret_cast<HWND>(lParam), WM_KEYUP, key, 0xC0000000);
            }
            s_menuKeys.clear();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A top-level window that leaves its place to the system, as the program's does.
HWND CreateTestWindow(const wchar_t* title)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"ShellTestWindow";
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, wc.hInstance, nullptr);
    s_commands.clear();
    return hwnd;
}

HWND CreateMenuBar(HWND parent, DWORD flags)
{
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = parent;
    info.dwFlags = flags;
    info.nToolBarId = IDR_MAINMENU;
    info.hInstRes = GetModuleHandleW(nullptr);
    return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
}

HWND Toolbar(HWND bar)
{
    return FindWindowExW(bar, nullptr, TOOLBARCLASSNAMEW, nullptr);
}

std::vector<std::wstring> ButtonCaptions(HWND bar)
{
    std::vector<std::wstring> captions;
    HWND toolbar = Toolbar(bar);
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON button = {};
        SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        wchar_t text[64] = L"";
        SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
        captions.push_back(text);
    }
    return captions;
}

// Taps a menu-bar button and picks an item of its pop-up with the keys given.
void ChooseFromMenuBar(HWND bar, int button, std::vector<WPARAM> keys)
{
    HWND toolbar = Toolbar(bar);
    RECT rect;
    SendMessageW(toolbar, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&rect));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    s_menuKeys = std::move(keys);
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, point);
    PumpUntil([] { return !s_commands.empty(); }, 3000);
}

TEST(Screen, IsTheHandheldsPortraitScreen)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
}

TEST(Screen, DefaultWindowTakesTheAreaBelowTheTitleStrip)
{
    HWND hwnd = CreateTestWindow(L"\u30C8\u30EB\u30DF\u30E9\u30AF");
    const RECT rect = ScreenRect(hwnd);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 26);
    EXPECT_EQ(rect.right, 240);
    EXPECT_EQ(rect.bottom, 320);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION, 0) << "no caption";
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 240) << "no frame";
    EXPECT_EQ(client.bottom, 294);
    if (Shell_IsWindowed())
    {
        // The frame's inside is the screen, which the platform shows at the
        // desktop's scale, the one the runtime gave Wine (TOLMIRAK_SCALE).
        RECT inside;
        GetClientRect(GetParent(hwnd), &inside);
        EXPECT_EQ(inside.right, 240);
        EXPECT_EQ(inside.bottom, 320);
        wchar_t scale[4] = L"1";
        GetEnvironmentVariableW(L"TOLMIRAK_SCALE", scale, ARRAYSIZE(scale));
        EXPECT_EQ(DesktopScale(), _wtoi(scale));
    }

    HWND strip = Shell_TitleStrip();
    const RECT stripRect = ScreenRect(strip);
    EXPECT_EQ(stripRect.top, 0);
    EXPECT_EQ(stripRect.bottom, 26);
    EXPECT_EQ(stripRect.right, 240);
    EXPECT_TRUE(IsWindowVisible(strip));
    DestroyWindow(hwnd);
}

TEST(Screen, PopUpsKeepTheirPlace)
{
    // Created in the desktop's coordinates, which are the screen's unless the
    // screen is a window of its own.
    const RECT screen = Shell_ScreenRect();
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, screen.left + 10, screen.top + 40, 100,
                                50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const RECT rect = ScreenRect(hwnd);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 110);
    DestroyWindow(hwnd);
}

TEST(MenuBar, ButtonsAcrossTheBottomReadTheirStrings)
{
    HWND hwnd = CreateTestWindow(L"menu bar");
    HWND bar = CreateMenuBar(hwnd, 0);
    ASSERT_NE(bar, nullptr);
    const RECT rect = ScreenRect(bar);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 294);
    EXPECT_EQ(rect.right, 240);
    EXPECT_EQ(rect.bottom, 320);
    EXPECT_EQ(GetParent(bar), hwnd);
    EXPECT_TRUE(IsWindowVisible(bar));
    // The captions come from strings 120 and 121, not from the pop-up titles.
    const std::vector<std::wstring> expected = {L"\u64CD\u4F5C", L"\u30C4\u30FC\u30EB"};
    EXPECT_EQ(ButtonCaptions(bar), expected);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(bar)) << "destroyed with its parent";
}

struct ChoiceCase
{
    int button;
    std::vector<WPARAM> keys;
    WPARAM command;
};

TEST(MenuBar, ChosenItemReachesTheParentAsACommand)
{
    const ChoiceCase cases[] = {
        {0, {VK_DOWN, VK_RETURN}, IDM_ESTIMATE}, // 年齢推定, the first item
        {0, {VK_UP, VK_RETURN}, IDOK},           // 終了, the last item
        {1, {VK_DOWN, VK_RETURN}, IDM_ABOUT},    // バージョン情報
    };
    for (const ChoiceCase& c : cases)
    {
        HWND hwnd = CreateTestWindow(L"menu");
        SetForegroundWindow(hwnd);
        HWND bar = CreateMenuBar(hwnd, 0);
        ChooseFromMenuBar(bar, c.button, c.keys);
        ASSERT_EQ(s_commands.size(), 1u) << "button " << c.button;
        EXPECT_EQ(s_commands[0], MAKEWPARAM(c.command, 0));
        DestroyWindow(hwnd);
    }
}

// A drop-down for a command that no button has opens nothing; Escape closes
// whatever would open anyway, so that a fault cannot hang the test.
TEST(MenuBar, UnknownCommandOpensNoPopUp)
{
    HWND hwnd = CreateTestWindow(L"unknown");
    HWND bar = CreateMenuBar(hwnd, 0);
    s_menusOpened = 0;
    s_menuKeys = {VK_ESCAPE, VK_ESCAPE};
    NMTOOLBARW nm = {};
    nm.hdr = {Toolbar(bar), 1, static_cast<UINT>(TBN_DROPDOWN)};
    nm.iItem = 0x7777;
    EXPECT_EQ(SendMessageW(bar, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&nm)), TBDDRET_NODEFAULT);
    EXPECT_EQ(s_menusOpened, 0);
    s_menuKeys.clear();
    DestroyWindow(hwnd);
}

TEST(MenuBar, EmptyBarHasNoButtons)
{
    HWND hwnd = CreateTestWindow(L"empty");
    HWND bar = CreateMenuBar(hwnd, SHCMBF_EMPTYBAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(ButtonCaptions(bar).empty());
    EXPECT_EQ(ScreenRect(bar).top, 294);
    DestroyWindow(hwnd);
}

TEST(MenuBar, FailsWithoutItsDescription)
{
    HWND hwnd = CreateTestWindow(L"missing");
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = hwnd;
    info.nToolBarId = 999;
    info.hInstRes = GetModuleHandleW(nullptr);
    info.hwndMB = reinterpret_cast<HWND>(1);
    EXPECT_FALSE(SHCreateMenuBar(&info));
    EXPECT_EQ(info.hwndMB, nullptr);
    info.cbSize = 12;
    EXPECT_FALSE(SHCreateMenuBar(&info)) << "a record of the wrong size";
    DestroyWindow(hwnd);
}

// A dialog template in memory: a captioned frame with one OK button.
struct TestDialogTemplate
{
    DLGTEMPLATE frame;
    WORD menu, windowClass, title[1];
};

INT_PTR CALLBACK FullScreenDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SHINITDLGINFO info = {SHIDIM_FLAGS, dialog, static_cast<DWORD>(lParam)};
        return SHInitDialog(&info);
    }
    if (message == WM_COMMAND)
    {
        EndDialog(dialog, LOWORD(wParam) + 100 * HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(InitDialog, FullScreenWithTheTitleStripsOkButton)
{
    TestDialogTemplate tpl = {{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 140, 57}, 0, 0, {0}};
    RECT seen = {};
    LONG style = 0;
    DialogAnswerer answerer([&](HWND dialog) {
        seen = ScreenRect(dialog);
        style = GetWindowLongW(dialog, GWL_STYLE);
        Scene("shell-dialog");
        // Tap the title strip's ok button.
        HWND strip = Shell_TitleStrip();
        RECT client;
        GetClientRect(strip, &client);
        const LPARAM point =
            MAKELPARAM(client.right - SHELL_OK_BUTTON_WIDTH / 2, SHELL_STRIP_HEIGHT / 2);
        PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(strip, WM_LBUTTONUP, 0, point);
    });
    HWND owner = CreateTestWindow(L"owner"); // as the program's windows own its dialogs
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), &tpl.frame, owner, FullScreenDialogProc,
        SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN);
    EXPECT_EQ(result, IDOK) << "ok sends IDOK with code 0";
    EXPECT_EQ(seen.left, 0);
    EXPECT_EQ(seen.top, 26);
    EXPECT_EQ(seen.right, 240);
    EXPECT_EQ(seen.bottom, 320);
    EXPECT_EQ(style & WS_CAPTION, 0);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    DestroyWindow(owner);
}

TEST(Activation, HandlersKeepTheRecordAndAccept)
{
    HWND hwnd = CreateTestWindow(L"activate");
    SHACTIVATEINFO info = {};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(SHHandleWMActivate(hwnd, WA_ACTIVE, 0, &info, 0));
    EXPECT_EQ(info.fActive, 1u);
    EXPECT_TRUE(SHHandleWMActivate(hwnd, WA_INACTIVE, 0, &info, 0));
    EXPECT_EQ(info.fActive, 0u);
    EXPECT_EQ(info.cbSize, sizeof(info));
    EXPECT_TRUE(SHHandleWMSettingChange(hwnd, 0, 0, &info));
    EXPECT_EQ(info.fSipUp, 0u);
    DestroyWindow(hwnd);
}

// The handheld's form: the handle with its lowest bit set.
TEST(Foreground, HandleWithLowBitSetBringsTheWindowForward)
{
    HWND first = CreateTestWindow(L"first");
    HWND second = CreateTestWindow(L"second");
    PumpMessages();
    EXPECT_TRUE(
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(first) | 1)));
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_TRUE(SetForegroundWindow(second));
    EXPECT_EQ(GetForegroundWindow(), second);
    DestroyWindow(first);
    DestroyWindow(second);
}

// Whether the font has a glyph for every character of the text.
bool HasEveryGlyph(HFONT font, const std::wstring& text)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(hdc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
}

struct TextCase
{
    std::string what;
    HFONT font; // the font that draws the text
    std::wstring text;
};

// The owner-drawn items of a menu and its pop-ups, drawn in the menus' font.
void AddMenuItems(HMENU menu, const char* what, std::vector<TextCase>& cases)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
    {
        wchar_t text[64] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = ARRAYSIZE(text);
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (info.hSubMenu != nullptr)
            AddMenuItems(info.hSubMenu, what, cases);
        else if ((info.fType & MFT_SEPARATOR) == 0)
            cases.push_back({std::string(what) + ((info.fType & MFT_OWNERDRAW) ? "" : ", not owner-drawn"),
                             (info.fType & MFT_OWNERDRAW) ? Shell_MenuFont() : nullptr, text});
    }
}

HFONT FontOf(HWND hwnd)
{
    return reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
}

// Every text that the shell draws, or has the platform draw, is drawn in a
// font that has its glyphs, whatever fonts the prefix has: the menu bar's
// captions, its pop-ups' and the system menu's turn item (owner-drawn), the
// title strip and a message box.
TEST(JapaneseText, EveryTextHasItsGlyphsInTheFontThatDrawsIt)
{
    HWND hwnd = CreateTestWindow(L"\u30C8\u30EB\u30DF\u30E9\u30AF");
    HWND bar = CreateMenuBar(hwnd, 0);
    std::vector<TextCase> cases;
    for (const std::wstring& caption : ButtonCaptions(bar))
        cases.push_back({"menu bar", FontOf(Toolbar(bar)), caption});
    AddMenuItems(reinterpret_cast<HMENU>(GetWindowLongPtrW(bar, GWLP_USERDATA)), "pop-up", cases);
    if (Shell_IsWindowed())
    {
        HMENU system = GetSystemMenu(Shell_Frame(), FALSE);
        std::vector<TextCase> items;
        AddMenuItems(system, "system menu", items);
        ASSERT_FALSE(items.empty());
        cases.push_back(items.back()); // the turn item; the platform draws the others
    }
    cases.push_back({"title strip", FontOf(Shell_TitleStrip()), WindowText(hwnd)});
    DialogAnswerer answerer([&](HWND box) {
        cases.push_back({"message box title", FontOf(Shell_TitleStrip()), WindowText(box)});
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            if (!WindowText(child).empty())
                cases.push_back({"message box", FontOf(child), WindowText(child)});
        Scene("shell-message-box");
        PressButton(box, IDOK);
    });
    MessageBoxW(hwnd, L"\u8A08\u7B97\u5E74\u306E\u5024\u304C\u4E0D\u6B63\u3067\u3059\u3002",
                L"\u5165\u529B\u5024\u4E0D\u6B63", MB_OK | MB_ICONHAND);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_GE(cases.size(), 8u);
    for (const TextCase& c : cases)
    {
        ASSERT_NE(c.font, nullptr) << c.what;
        EXPECT_TRUE(HasEveryGlyph(c.font, c.text)) << c.what;
    }
    DestroyWindow(hwnd);
}

TEST(Screenshot, JapaneseTextInControlsAndMenuBar)
{
    HWND hwnd = CreateTestWindow(L"\u30C8\u30EB\u30DF\u30E9\u30AF");
    CreateMenuBar(hwnd, 0);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", nullptr, 0x50210243, 60, 30, 80, 170, hwnd,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"\u4E11(\u3046\u3057)"));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, nullptr, 0x50810005, 5, 60, 230, 128, hwnd,
                                reinterpret_cast<HMENU>(2), nullptr, nullptr);
    LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH, 0, 60, const_cast<wchar_t*>(L"\u5E72\u652F")};
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMW item = {LVIF_TEXT, 0, 0, 0, 0, const_cast<wchar_t*>(L"\u5DF1\u4E11")};
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetForegroundWindow(hwnd);
    ASSERT_EQ(ComboEntries(combo).size(), 1u);
    ASSERT_EQ(ListRows(list).size(), 1u);
    Scene("shell-window");
    DestroyWindow(hwnd);
}

} // namespace
