// Reads what the running program shows, from another process, for the
// end-to-end tests: control rectangles and texts, the list's rows, the
// menu bar's buttons, open pop-ups and dialogs, and the copies running.
#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <initializer_list>
#include <cwchar>
#include <string>

namespace
{

const wchar_t kClass[] = L"TOLMIRAK";
const wchar_t kTitle[] = L"\u30C8\u30EB\u30DF\u30E9\u30AF";
const wchar_t kFrameClass[] = L"ShellScreen";

// The main window of a copy: a top-level window, or on a desktop larger
// than the handheld's screen, inside that copy's frame.
HWND MainWindowIn(HWND hwnd)
{
    wchar_t className[64], title[64];
    GetClassNameW(hwnd, className, 64);
    GetWindowTextW(hwnd, title, 64);
    if (wcscmp(className, kClass) == 0 && wcscmp(title, kTitle) == 0)
        return hwnd;
    return wcscmp(className, kFrameClass) == 0 ? FindWindowExW(hwnd, nullptr, kClass, kTitle)
                                                : nullptr;
}

BOOL CALLBACK FindMain(HWND hwnd, LPARAM found)
{
    HWND main = MainWindowIn(hwnd);
    if (main != nullptr)
        *reinterpret_cast<HWND*>(found) = main;
    return main == nullptr;
}

HWND MainWindow()
{
    HWND main = nullptr;
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&main));
    return main;
}

void PrintRect(HWND hwnd)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
    {
        std::printf("none\n");
        return;
    }
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void PrintUtf8(const std::wstring& text)
{
    char out[4096];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out,
                                      sizeof(out), nullptr, nullptr);
    std::fwrite(out, 1, static_cast<size_t>(n), stdout);
    std::fputc('\n', stdout);
}

// Memory inside the program's process, for messages that carry pointers.
class Remote
{
  public:
    explicit Remote(HWND hwnd, size_t size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        m_memory = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~Remote()
    {
        VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        CloseHandle(m_process);
    }
    void* Address(size_t offset = 0) const { return static_cast<char*>(m_memory) + offset; }
    void Write(const void* data, size_t size, size_t offset = 0)
    {
        WriteProcessMemory(m_process, Address(offset), data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const
    {
        ReadProcessMemory(m_process, Address(offset), data, size, nullptr);
    }

  private:
    size_t m_size;
    HANDLE m_process;
    void* m_memory;
};

void PrintRows(HWND list)
{
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    Remote remote(list, sizeof(LVITEMW) + 512);
    for (int i = 0; i < rows; ++i)
    {
        std::wstring line;
        for (int column = 0; column < 4; ++column)
        {
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = static_cast<wchar_t*>(remote.Address(sizeof(LVITEMW)));
            item.cchTextMax = 256;
            remote.Write(&item, sizeof(item));
            SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.Address()));
            wchar_t text[256] = L"";
            remote.Read(text, sizeof(text), sizeof(LVITEMW));
            line += (column ? L"|" : L"") + std::wstring(text);
        }
        PrintUtf8(line);
    }
}

BOOL CALLBACK CountMain(HWND hwnd, LPARAM count)
{
    if (MainWindowIn(hwnd) != nullptr)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// A visible window of the class on the desktop or, as the program's
// dialogs are on a desktop larger than the handheld, in the frame.
HWND FindVisible(const wchar_t* className, HWND frame)
{
    for (HWND parent : {static_cast<HWND>(nullptr), frame})
        for (HWND hwnd = FindWindowExW(parent, nullptr, className, nullptr); hwnd != nullptr;
             hwnd = FindWindowExW(parent, hwnd, className, nullptr))
            if (IsWindowVisible(hwnd))
                return hwnd;
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const int arg = argc > 2 ? _wtoi(argv[2]) : 0;
    HWND main = MainWindow();
    if (command == L"wait")
    {
        for (int i = 0; i < 200 && (main == nullptr || !IsWindowVisible(main)); ++i, Sleep(50))
            main = MainWindow();
        std::printf(main != nullptr ? "ready\n" : "none\n");
        return main != nullptr ? 0 : 1;
    }
    if (command == L"copies")
    {
        int count = 0;
        EnumWindows(CountMain, reinterpret_cast<LPARAM>(&count));
        const bool front = main != nullptr && GetForegroundWindow() == GetAncestor(main, GA_ROOT);
        std::printf("%d %s\n", count, front ? "foreground" : "background");
        return 0;
    }
    if (command == L"rect")
        PrintRect(GetDlgItem(main, arg));
    else if (command == L"frame") // the window that holds the screen, and its inside
    {
        HWND root = GetAncestor(main, GA_ROOT);
        PrintRect(root);
        RECT inside;
        GetClientRect(root, &inside);
        MapWindowPoints(root, nullptr, reinterpret_cast<POINT*>(&inside), 2);
        std::printf("%ld %ld %ld %ld\n", inside.left, inside.top, inside.right - inside.left,
                    inside.bottom - inside.top);
    }
    else if (command == L"text")
    {
        wchar_t text[2048] = L"";
        SendMessageW(GetDlgItem(main, arg), WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
        PrintUtf8(text);
    }
    else if (command == L"rows")
        PrintRows(GetDlgItem(main, IDC_RESULT_LIST));
    else if (command == L"select") // entry <N> of list <arg>, -1 for none, as a program would
        SendMessageW(GetDlgItem(main, arg), CB_SETCURSEL, static_cast<WPARAM>(_wtoi(argv[3])), 0);
    else if (command == L"visible")
        std::printf("%d\n", IsWindowVisible(GetDlgItem(main, arg)) ? 1 : 0);
    else if (command == L"combo-item") // where entry <arg> of an open drop-down list is
    {
        HWND combo = GetDlgItem(main, _wtoi(argv[2]));
        RECT r;
        GetWindowRect(combo, &r);
        const int height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
        const int row =
            _wtoi(argv[3]) - static_cast<int>(SendMessageW(combo, CB_GETTOPINDEX, 0, 0));
        std::printf("%ld %ld\n", r.left + 15, r.bottom + 2 + height * row + height / 2);
    }
    else if (command == L"menu-button")
    {
        HWND bar = FindWindowExW(main, nullptr, L"ShellMenuBar", nullptr);
        HWND toolbar = FindWindowExW(bar, nullptr, TOOLBARCLASSNAMEW, nullptr);
        Remote remote(toolbar, sizeof(RECT));
        SendMessageW(toolbar, TB_GETITEMRECT, arg, reinterpret_cast<LPARAM>(remote.Address()));
        RECT r;
        remote.Read(&r, sizeof(r));
        MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    else if (command == L"focus") // the class of the window with the keyboard focus
    {
        GUITHREADINFO info = {sizeof(info)};
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        wchar_t className[64] = L"none";
        if (info.hwndFocus != nullptr)
            GetClassNameW(info.hwndFocus, className, 64);
        PrintUtf8(className);
    }
    else if (command == L"popup")
        PrintRect(FindVisible(L"#32768", nullptr));
    else if (command == L"clipboard") // the Windows clipboard's text
    {
        if (!OpenClipboard(nullptr))
            return 1;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const wchar_t* text =
            data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
        if (text != nullptr)
            PrintUtf8(text);
        if (data != nullptr)
            GlobalUnlock(data);
        CloseClipboard();
    }
    else if (command == L"dialog") // the open dialog's caption and its control <arg>
    {
        HWND dialog = FindVisible(L"#32770", GetAncestor(main, GA_ROOT));
        wchar_t caption[128] = L"";
        GetWindowTextW(dialog, caption, 128);
        PrintUtf8(caption);
        PrintRect(arg != 0 ? GetDlgItem(dialog, arg) : dialog); // 0: the dialog itself
    }
    else
    {
        std::printf("usage: probe wait|copies|rect ID|frame|text ID|rows|select ID N|visible ID|combo-item ID "
                    "N|menu-button N|focus|popup|clipboard|dialog ID\n");
        return 2;
    }
    return 0;
}
