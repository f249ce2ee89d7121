#include "harness.h"

namespace
{

std::function<void(HWND)> s_onOpen;
std::vector<DialogSeen> s_seen;
std::vector<HWND> s_pending;
std::vector<HWND> s_made; // dialogs made, not yet seen
HHOOK s_hook;

// Runs from the dialog's own modal loop, after its showing and activation
// have finished.
void CALLBACK AnswerLater(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::vector<HWND> pending;
    pending.swap(s_pending);
    for (HWND dialog : pending)
        if (IsWindow(dialog) && s_onOpen)
            s_onOpen(dialog);
}

// Notes a dialog the first time it is seen and answers it from its modal loop.
void Seen(HWND hwnd)
{
    if (ClassName(hwnd) != L"#32770")
        return;
    for (const DialogSeen& d : s_seen)
        if (d.hwnd == hwnd)
            return;
    // 0xFFFF is the id of a message box's text.
    wchar_t text[512] = L"";
    GetDlgItemTextW(hwnd, 0xFFFF, text, ARRAYSIZE(text));
    s_seen.push_back({hwnd, ClassName(hwnd), WindowText(hwnd), text});
    s_pending.push_back(hwnd);
    SetTimer(nullptr, 0, 0, AnswerLater);
}

// A dialog in the frame, which no activation reaches, is seen once it shows.
void CALLBACK WatchMade(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::vector<HWND> waiting;
    for (HWND dialog : s_made)
        if (IsWindow(dialog) && (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) != 0)
        {
            if (IsWindowVisible(dialog))
                Seen(dialog);
            else
                waiting.push_back(dialog);
        }
    s_made.swap(waiting);
    if (!s_made.empty())
        SetTimer(nullptr, 0, 10, WatchMade);
}

// A top-level dialog is seen as it is activated.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE)
        Seen(hwnd);
    if (code == HCBT_CREATEWND && ClassName(hwnd) == L"#32770")
    {
        s_made.push_back(hwnd);
        SetTimer(nullptr, 0, 0, WatchMade);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> onOpen)
{
    s_onOpen = std::move(onOpen);
    s_seen.clear();
    s_pending.clear();
    s_made.clear();
    s_hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer()
{
    UnhookWindowsHookEx(s_hook);
    s_onOpen = nullptr;
}

const std::vector<DialogSeen>& DialogAnswerer::Seen() const
{
    return s_seen;
}

void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
