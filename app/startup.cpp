#include "startup.h"

#include "globals.h"
#include "main_window.h"
#include "resource.h"

namespace
{

const int kMenuBarHeight = 26;
const wchar_t kStartLockName[] = L"TOLMIRAK.StartUp";

// Waits for the lock while still answering messages that other threads send
// to this one, so that a copy holding the lock never waits on a copy that
// waits for it.
void WaitForStartLock(HANDLE startLock)
{
    while (MsgWaitForMultipleObjects(1, &startLock, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1)
    {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

ATOM RegisterMainClass(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPICON));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassW(&wc);
}

BOOL InitInstance(HINSTANCE instance, int showCommand)
{
    g_hInst = instance;
    wchar_t className[100];
    wchar_t title[100];
    LoadStringW(instance, IDS_APP_CLASS, className, ARRAYSIZE(className));
    LoadStringW(instance, IDS_APP_TITLE, title, ARRAYSIZE(title));

    // Copies started together take turns from the search to the window's
    // creation, so that exactly one of them creates it.
    HANDLE startLock = CreateMutexW(nullptr, FALSE, kStartLockName);
    WaitForStartLock(startLock);

    // A running copy (same class and title) is brought forward instead.
    HWND running = FindWindowW(className, title);
    HWND hwnd = nullptr;
    if (running != nullptr)
    {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
    }
    else
    {
        RegisterMainClass(instance, className);
        hwnd = CreateWindowExW(0, className, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    }
    ReleaseMutex(startLock);
    CloseHandle(startLock);
    if (hwnd == nullptr)
        return FALSE;

    // The menu bar takes the bottom of the screen. Width and height receive
    // the right and bottom edges, as on the handheld, where the window
    // starts at the left edge just below the title strip.
    if (g_hwndMenuBar != nullptr)
    {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        MoveWindow(hwnd, rect.left, rect.top, rect.right, rect.bottom - kMenuBarHeight, FALSE);
    }
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return TRUE;
}
