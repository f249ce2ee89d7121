// The entry point: start-up, then the message loop until the quit message.
#include "globals.h"
#include "resource.h"
#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    if (!InitInstance(instance, showCommand))
        return 0;
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0))
    {
        // Accelerators act for the window the key is addressed to.
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
