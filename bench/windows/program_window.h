// The program's main window: a top-level window, or on a desktop larger
// than the handheld's screen, inside the frame that shows the screen.
#pragma once

#include <windows.h>

inline HWND ProgramWindow(const wchar_t* className)
{
    if (HWND hwnd = FindWindowW(className, nullptr))
        return hwnd;
    HWND frame = FindWindowW(L"ShellScreen", nullptr);
    return frame != nullptr ? FindWindowExW(frame, nullptr, className, nullptr) : nullptr;
}
