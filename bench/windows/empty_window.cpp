// The floor for start-up: a program of the same build that registers a class
// and shows an empty window, as the real one does, and nothing else. With
// --stamp it prints when its code started and when its window was painted,
// in milliseconds since its process was created, and ends.
#include "process_clock.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace
{

LRESULT CALLBACK EmptyWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    const double started = MsSinceProcessStart();
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = EmptyWndProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"EmptyWindow";
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, L"Empty", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    if (std::wcsstr(commandLine, L"--stamp") != nullptr)
    {
        std::printf("start %.2f\npainted %.2f\n", started, MsSinceProcessStart());
        return 0;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
