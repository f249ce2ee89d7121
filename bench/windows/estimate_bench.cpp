// The estimate round trip in a real main window: WM_COMMAND with
// IDC_ESTIMATE until both views are filled, and the same followed by a full
// repaint of the window. Usage: estimate_bench [count]
#include "resource.h"
#include "program_window.h"
#include "startup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace
{

double Now()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

void Print(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    auto at = [&](double p) {
        return ms[static_cast<size_t>(p * static_cast<double>(ms.size() - 1) + 0.5)];
    };
    std::printf("%-28s median %.3f ms   p10 %.3f   p90 %.3f   (%zu runs)\n", what, at(0.5), at(0.1),
                at(0.9), ms.size());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int count = argc > 1 ? _wtoi(argv[1]) : 1000;
    if (!InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL))
        return 1;
    HWND hwnd = ProgramWindow(L"TOLMIRAK");
    SendMessageW(GetDlgItem(hwnd, IDC_SIGN), CB_SETCURSEL, 1, 0);
    const WPARAM estimate = MAKEWPARAM(IDC_ESTIMATE, BN_CLICKED);
    std::vector<double> bare, painted;
    for (int i = 0; i < count; ++i)
    {
        const double start = Now();
        SendMessageW(hwnd, WM_COMMAND, estimate, 0);
        bare.push_back(Now() - start);
    }
    for (int i = 0; i < count; ++i)
    {
        const double start = Now();
        SendMessageW(hwnd, WM_COMMAND, estimate, 0);
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        painted.push_back(Now() - start);
    }
    Print("estimate", bare);
    Print("estimate + full repaint", painted);
    DestroyWindow(hwnd);
    return 0;
}
