// The floor for start-up: a program of the same build that registers a class
// and shows an empty window, as the real one does, and nothing else. With
// --list it also loads the common controls and fills the window with one
// report list view, the second floor. With --stamp it prints when its code
// started and when its window was painted, in milliseconds since its process
// was created, and ends.
#include "process_clock.h"

#include <windows.h>
#include <commctrl.h>

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
    if (std::wcsstr(commandLine, L"--list") != nullptr)
    {
        // Loaded here, not imported, so that the first floor stays without it.
        using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = reinterpret_cast<InitControls>(
            GetProcAddress(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx"));
        const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        init(&controls);
        RECT client;
        GetClientRect(hwnd, &client);
        CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 0,
                        client.right, client.bottom, hwnd, nullptr, instance, nullptr);
    }
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
