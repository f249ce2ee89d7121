// Start-up side by side: the time from process creation to the main window's
// first completed paint, for tolmirak.exe and for two floors of the same
// build, an empty window and one holding a report list view, alternating
// A B C A B C under the same Wine and screen.
// Usage: startup_bench [runs]
#include "beside.h"
#include "program_window.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace
{

struct Program
{
    const wchar_t* file;
    const wchar_t* arguments;
    const wchar_t* windowClass;
    std::vector<double> milliseconds;
    std::vector<double> workingSetKiB; // at the first paint
};

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program and waits until its window is shown and has nothing
// left to paint; then closes it. Returns the milliseconds, or -1.
double TimeStart(Program& program)
{
    std::wstring command = L"\"" + Beside(program.file) + L"\" " + program.arguments;
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    double painted = -1;
    HWND hwnd = nullptr;
    while (Now() - start < 20000)
    {
        hwnd = ProgramWindow(program.windowClass);
        RECT update;
        if (hwnd != nullptr && IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, &update, FALSE))
        {
            painted = Now() - start;
            PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
            GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
            program.workingSetKiB.push_back(static_cast<double>(memory.WorkingSetSize) / 1024.0);
            break;
        }
        Sleep(1);
    }
    if (hwnd != nullptr)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return painted;
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    Program programs[] = {{L"tolmirak.exe", L"", L"TOLMIRAK", {}, {}},
                          {L"empty_window.exe", L"", L"EmptyWindow", {}, {}},
                          {L"empty_window.exe", L"--list", L"EmptyWindow", {}, {}}};
    for (Program& program : programs)
        TimeStart(program); // warm the caches once, unmeasured
    for (int run = 0; run < runs; ++run)
        for (Program& program : programs)
            program.milliseconds.push_back(TimeStart(program));
    for (const Program& program : programs)
        std::printf(
            "%-16ls %-6ls median %7.1f ms   p10 %7.1f   p90 %7.1f   (%d runs); working set %.0f KiB\n",
            program.file, program.arguments, Percentile(program.milliseconds, 0.5),
            Percentile(program.milliseconds, 0.1), Percentile(program.milliseconds, 0.9), runs,
            Percentile(program.workingSetKiB, 0.5));
    for (const Program* floor : {&programs[1], &programs[2]})
    {
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run)
            ratios.push_back(programs[0].milliseconds[static_cast<size_t>(run)] /
                             floor->milliseconds[static_cast<size_t>(run)]);
        std::printf("ratio tolmirak/%-10ls median %.2f   p10 %.2f   p90 %.2f\n",
                    *floor->arguments ? L"list view" : L"empty", Percentile(ratios, 0.5),
                    Percentile(ratios, 0.1), Percentile(ratios, 0.9));
    }
    return 0;
}
