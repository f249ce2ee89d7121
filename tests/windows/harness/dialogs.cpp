#include "harness.h"

namespace
{

std::function<void(HWND)> s_onOpen;
std::vector<DialogSeen> s_seen;
std::vector<HWND> s_pending;
HHOOK s_hook;

// Runs from the dialog's own modal loop, after its activation has finished.
void CALLBACK AnswerLater(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::vector<HWND> pending;
    pending.swap(s_pending);
    for (HWND dialog : pending)
        if (IsWindow(dialog) && s_onOpen)
            s_onOpen(dialog);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && ClassName(hwnd) == L"#32770")
    {
        bool known = false;
        for (const DialogSeen& d : s_seen)
            known = known || d.hwnd == hwnd;
        if (!known)
        {
            // 0xFFFF is the id of a message box's text.
            wchar_t text[512] = L"";
            GetDlgItemTextW(hwnd, 0xFFFF, text, ARRAYSIZE(text));
            s_seen.push_back({hwnd, ClassName(hwnd), WindowText(hwnd), text});
            s_pending.push_back(hwnd);
            SetTimer(nullptr, 0, 0, AnswerLater);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> onOpen)
{
    s_onOpen = std::move(onOpen);
    s_seen.clear();
    s_pending.clear();
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
