// The handheld's screen on a desktop host: a title strip across the top and
// the work area below it, which full-screen windows take.
#pragma once

#include <windows.h>

const int SHELL_STRIP_HEIGHT = 26;    // the title strip, and the menu bar at the bottom
const int SHELL_OK_BUTTON_WIDTH = 30; // the strip's "ok" button, at its right end

// The screen below the title strip, in screen coordinates.
RECT Shell_WorkArea();

// The title strip window (created on first use).
HWND Shell_TitleStrip();

// Puts the window's menu bar, if it has one, back across the screen's bottom.
void Shell_PlaceMenuBar(HWND parent);
