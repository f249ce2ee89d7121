// Start-up: one copy at a time, the main window class and the shown window.
#pragma once

#include <windows.h>

// 1 when the main window has been created and shown; 0 when another copy
// runs (it is brought forward) or the window could not be created.
BOOL InitInstance(HINSTANCE instance, int showCommand);
ATOM RegisterMainClass(HINSTANCE instance, const wchar_t* className);
