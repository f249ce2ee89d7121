// Drives real windows from tests: records the messages they receive, answers
// modal dialogs and message boxes, reads control state and takes
// screenshots of the virtual screen.
#pragma once

#include <windows.h>
#include <commctrl.h>
// The tests see the screen as the program does: the handheld's, on a desktop too.
#include <aygshell.h>
#include <screen.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// ---- Message sequences ----------------------------------------------------

enum : unsigned
{
    SEQ_WPARAM = 1,   // compare wParam
    SEQ_LPARAM = 2,   // compare lParam
    SEQ_OPTIONAL = 4, // may be absent
};

struct ExpectedMessage
{
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};

struct RecordedMessage
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // A window position change's flags, read as it arrived: its WINDOWPOS
    // lives on the sender's stack only while the message is handled.
    UINT windowPosFlags;
};

// Records, in order, every message sent or posted to the watched windows on
// this thread, as the window procedures receive them.
class MessageLog
{
  public:
    MessageLog();
    ~MessageLog();
    void Watch(HWND hwnd);
    void Flush();
    const std::vector<RecordedMessage>& Messages() const;
};

// Compares the recorded messages whose numbers the expected sequence names
// with that sequence, in order; prints both on a mismatch.
::testing::AssertionResult OkSequence(const MessageLog& log,
                                      std::initializer_list<ExpectedMessage> expected);

// ---- Modal dialogs and message boxes ---------------------------------------

struct DialogSeen
{
    HWND hwnd;
    std::wstring className;
    std::wstring caption;
    std::wstring text; // a message box's text
};

// Whenever a dialog or message box opens on this thread, calls onOpen with it
// from inside its modal loop, once it is active; onOpen ends it (for
// instance with PressButton) so that tests run unattended.
class DialogAnswerer
{
  public:
    explicit DialogAnswerer(std::function<void(HWND)> onOpen);
    ~DialogAnswerer();
    const std::vector<DialogSeen>& Seen() const;
};

void PressButton(HWND dialog, int id);

// ---- Control state ---------------------------------------------------------

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
RECT ChildRect(HWND child); // in the parent's client coordinates
RECT ScreenRect(HWND hwnd);
std::vector<std::wstring> ComboEntries(HWND combo);
int ComboSelection(HWND combo);
bool IsChecked(HWND button);
std::vector<std::vector<std::wstring>> ListRows(HWND list); // every cell, row by row
std::vector<int> ColumnWidths(HWND list);
std::vector<std::wstring> ColumnHeaders(HWND list);
LOGFONTW ControlFont(HWND control); // the font the control draws with
std::wstring ResourceString(HINSTANCE instance, UINT id);
COLORREF ScreenPixel(int x, int y);
int DesktopScale(); // the desktop's DPI over 96, as Wine 10 scales the program to it

// Dispatches this thread's messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
void PumpMessages(DWORD ms = 50);

// ---- Object counts -----------------------------------------------------------

// Live GDI objects of this process, stock objects aside: GetGuiResources
// where it answers, otherwise the process's GDI handle table (Wine).
DWORD GdiObjectCount();

// Takes every cached DC for the window and gives it back. A cached DC keeps
// the surface (a bitmap and a region) of the last window it drew, even one
// that is gone, until it is taken for another (Wine 10): counts taken after
// this compare whichever windows the cache happened to serve last.
void RebindCachedDcs(HWND hwnd);

// The USER objects of this process that can be counted from inside it.
struct UserObjects
{
    int windows; // top-level and child
    int menus;
    int iconsAndCursors;
    int acceleratorTables;
};
UserObjects CountUserObjects();
// GetGuiResources where it answers, otherwise the sum of the counted kinds.
DWORD UserObjectCount(const UserObjects& counted);

// ---- The screen ------------------------------------------------------------

// Turns the virtual screen to the given size (240x320 portrait, 320x240
// landscape) and lets the windows follow.
void SetScreen(int width, int height);

// ---- Screenshots -------------------------------------------------------------

// Writes the whole screen to a PNG file.
bool SaveScreenshot(const std::wstring& path);

// Saves the screen as <name>.png in the folder named by TOLMIRAK_SCREENSHOTS,
// when that is set; tests call it at the moments worth a picture.
void Scene(const char* name);
