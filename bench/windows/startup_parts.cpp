// Where the program's start-up time goes, above the empty window's. Each run
// starts the real start-up (InitInstance) in a fresh process of its own, which
// notes the time at each step, and alternates with the empty window.
// Usage: startup_parts [runs]
#include "beside.h"
#include "control_font.h"
#include "process_clock.h"
#include "program_window.h"
#include "startup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace
{

using Stamps = std::map<std::string, double>;

// The child's steps, in the order they happen; a step's time runs from the
// stamp before it to its own.
const struct
{
    const char* stamp;
    const char* part;
} kSteps[] = {
    {"start", "process start, DLLs (COMCTL32 among them), the shell's start-up"},
    {"fonts", "fonts: the controls' font measured on Japanese text"},
    {"strip", "window class, start-up lock, search for a running copy"},
    {"bar", "title strip (and the main window's WM_NCCREATE)"},
    {"controls", "menu bar (and the controls' font)"},
    {"shown", "fourteen controls, their lists and the window's size"},
    {"painted", "first paint (show and update)"},
};

Stamps g_stamps;

void Stamp(const char* name)
{
    if (g_stamps.count(name) == 0)
        g_stamps[name] = MsSinceProcessStart();
}

// Notes the first window of each kind as it is created, and the main
// window's activation when it is shown.
LRESULT CALLBACK NoteWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
    {
        wchar_t className[64];
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, ARRAYSIZE(className));
        if (std::wcscmp(className, L"ShellTitleStrip") == 0)
            Stamp("strip");
        else if (std::wcscmp(className, L"ShellMenuBar") == 0)
            Stamp("bar");
        else if (g_stamps.count("bar") != 0 && std::wcscmp(className, L"Static") == 0)
            Stamp("controls");
    }
    else if (code == HCBT_ACTIVATE && g_stamps.count("controls") != 0)
    {
        Stamp("shown");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int RunChild()
{
    Stamp("start");
    HDC screen = GetDC(nullptr);
    HFONT font = CreateControlFont();
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size;
    GetTextExtentPoint32W(screen, L"\u5341\u4E8C\u652F\u5E74\u9F62", 5, &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    Stamp("fonts");

    HHOOK hook = SetWindowsHookExW(WH_CBT, NoteWindows, nullptr, GetCurrentThreadId());
    const BOOL started = InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    Stamp("painted");
    UnhookWindowsHookEx(hook);
    if (!started)
        return 1;
    for (const auto& stamp : g_stamps)
        std::printf("%s %.2f\n", stamp.first.c_str(), stamp.second);
    DestroyWindow(ProgramWindow(L"TOLMIRAK"));
    return 0;
}

// Runs the command and reads the stamps it prints.
Stamps Run(const std::wstring& command)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    std::wstring line = command;
    std::string output;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process))
    {
        CloseHandle(write);
        write = nullptr;
        char buffer[512];
        DWORD got;
        while (ReadFile(read, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (write != nullptr)
        CloseHandle(write);
    CloseHandle(read);
    Stamps stamps;
    char name[32];
    double ms;
    int used;
    for (const char* at = output.c_str(); std::sscanf(at, "%31s %lf%n", name, &ms, &used) == 2;
         at += used)
        stamps[name] = ms;
    return stamps;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wcscmp(argv[1], L"--child") == 0)
        return RunChild();
    const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    const std::wstring child = L"\"" + Beside(L"startup_parts.exe") + L"\" --child";
    const std::wstring empty = L"\"" + Beside(L"empty_window.exe") + L"\" --stamp";
    std::map<std::string, std::vector<double>> steps, floor;
    Run(child); // warm the caches once, unmeasured
    Run(empty);
    for (int run = 0; run < runs; ++run)
    {
        Stamps parts = Run(child);
        double before = 0;
        for (const auto& step : kSteps)
        {
            steps[step.stamp].push_back(parts[step.stamp] - before);
            before = parts[step.stamp];
        }
        steps["total"].push_back(parts["painted"]);
        Stamps bare = Run(empty);
        floor["start"].push_back(bare["start"]);
        floor["window"].push_back(bare["painted"] - bare["start"]);
        floor["total"].push_back(bare["painted"]);
    }
    std::printf("%-66s %8s   (median of %d runs)\n", "part", "ms", runs);
    for (const auto& step : kSteps)
        std::printf("%-66s %8.1f\n", step.part, Median(steps[step.stamp]));
    std::printf("%-66s %8.1f\n", "total, to the first paint", Median(steps["total"]));
    std::printf("%-66s %8.1f\n", "empty window: process start and DLLs", Median(floor["start"]));
    std::printf("%-66s %8.1f\n", "empty window: class, window and first paint",
                Median(floor["window"]));
    std::printf("%-66s %8.1f\n", "empty window: total", Median(floor["total"]));
    return 0;
}
