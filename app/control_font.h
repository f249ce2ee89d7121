#pragma once

#include <windows.h>

// The 12-pixel "MS UI Gothic" of the main window's controls and the About
// box's lines; the caller owns the font.
HFONT CreateControlFont();
