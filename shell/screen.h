// The handheld's screen on a desktop host: a title strip across the top and
// the work area below it, which full-screen windows take. On a desktop
// larger than the handheld's screen, the screen is a window of its own (the
// frame), and the program's windows are its children or lie over it.
#pragma once

#include <windows.h>

const int SHELL_SCREEN_WIDTH = 240;  // the screen in portrait; landscape swaps the two
const int SHELL_SCREEN_HEIGHT = 320;
const int SHELL_STRIP_HEIGHT = 26;    // the title strip, and the menu bar at the bottom
const int SHELL_OK_BUTTON_WIDTH = 30; // the strip's "ok" button, at its right end

// The screen below the title strip, in the screen's own coordinates.
RECT Shell_WorkArea();

// The screen in the desktop's coordinates: the whole desktop, or the inside
// of the frame.
RECT Shell_ScreenRect();

// The title strip window (created on first use).
HWND Shell_TitleStrip();

// Puts the window's menu bar, if it has one, back across the screen's bottom.
void Shell_PlaceMenuBar(HWND parent);

// ---- The frame (frame.cpp) --------------------------------------------------

// Whether the screen is a window of its own: the desktop is larger than the
// handheld's screen.
bool Shell_IsWindowed();

// The frame, made on first use on a windowed desktop; null otherwise.
HWND Shell_Frame();

extern const wchar_t SHELL_FRAME_CLASS[];

// Whether the window is a frame (of this or another copy of the program).
bool Shell_IsFrame(HWND hwnd);

// The frame's front window of the program's, or null.
HWND Shell_ScreenWindow(HWND frame);

// The screen's size as the frame will have it, width and height.
SIZE Shell_ScreenSize();

// Makes an overlapped window of the program one of the frame's screen
// windows, taking the frame's caption and icons from it.
void Shell_AdoptWindow(HWND hwnd, const CREATESTRUCTW* cs);

// Makes a dialog a child of the frame while the frame shows a window of the
// program's, so that it moves, minimizes and restores with the frame and is
// no window of its own on the desktop. A modal dialog has disabled the
// frame: the frame's screen window, its owner on the handheld, is disabled
// instead, and told of its deactivation, so that the dialog takes input.
void Shell_AdoptDialog(HWND dialog);

// An adopted dialog is being destroyed: the window it disabled is enabled,
// activated and given the keyboard again. Returns the frame's screen window,
// or null for a dialog that was not adopted.
HWND Shell_DialogGone(HWND dialog);

// A screen window has been made: the frame shows the first one, where the
// program's start asked (STARTUPINFO), and activates it.
void Shell_ScreenWindowMade(HWND hwnd);

// A window is being destroyed: a frame left without windows of the
// program's goes as well.
void Shell_ScreenWindowGone(HWND hwnd);

// Gives the screen a new size (a turn) and tells the program's windows, as
// a display change does.
void Shell_TurnScreen(int width, int height);

enum class Orientation
{
    Unchanged,
    Portrait,
    Landscape
};

// Asks another copy's frame to take the orientation that this copy's
// arguments ask for, if any: a second start turns the running copy.
void Shell_PassOrientation(HWND frame);

// Calls proc for each of this thread's top-level windows and each of the
// frame's screen windows.
void Shell_EnumScreenWindows(WNDENUMPROC proc, LPARAM lParam);

// ---- Japanese text in any prefix (japanese_text.cpp) ---------------------------

// The font of the same face and size that asks for the Shift-JIS character
// set: made once for each font and kept for the program's life; a font that
// asks for it already is its own.
HFONT Shell_JapaneseFont(const LOGFONTW& font);
HFONT Shell_JapaneseFont(HFONT font);

// The menus' font, asking for Shift-JIS: owner-drawn items are drawn in it.
HFONT Shell_MenuFont();

// Makes the menu's item at the position owner-drawn, keeping its text; a
// sub-menu's items all.
void Shell_OwnerDrawMenuItem(HMENU menu, UINT position);

// WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn item of the menu: its
// text in the menus' font, with the standard colours. FALSE for a control's.
BOOL Shell_MeasureMenuItem(MEASUREITEMSTRUCT* mis, HMENU menu);
BOOL Shell_DrawMenuItem(const DRAWITEMSTRUCT* dis);

// WM_MENUCHAR: the item of the menu whose mnemonic is the key, as the
// platform finds it for items that it draws itself.
LRESULT Shell_MenuChar(HMENU menu, wchar_t key);
