#include "harness.h"

#include <algorithm>
#include <sstream>

namespace
{

std::vector<HWND> s_watched;
std::vector<RecordedMessage> s_messages;
HHOOK s_sentHook;
HHOOK s_postedHook;

bool Watched(HWND hwnd)
{
    return std::find(s_watched.begin(), s_watched.end(), hwnd) != s_watched.end();
}

LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && Watched(cwp->hwnd))
    {
        const bool windowPos =
            cwp->message == WM_WINDOWPOSCHANGING || cwp->message == WM_WINDOWPOSCHANGED;
        s_messages.push_back({cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam,
                              windowPos ? reinterpret_cast<const WINDOWPOS*>(cwp->lParam)->flags : 0});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PostedProc(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && (Watched(msg->hwnd) || msg->message == WM_QUIT))
        s_messages.push_back({msg->hwnd, msg->message, msg->wParam, msg->lParam, 0});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string Name(UINT message)
{
    static const struct
    {
        UINT message;
        const char* name;
    } names[] = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_QUIT, "WM_QUIT"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_SETFONT, "WM_SETFONT"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    };
    for (const auto& n : names)
        if (n.message == message)
            return n.name;
    std::ostringstream out;
    out << "0x" << std::hex << message;
    return out.str();
}

std::string Describe(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::ostringstream out;
    out << Name(message) << " (wParam " << wParam << ", lParam " << lParam << ")";
    return out.str();
}

} // namespace

MessageLog::MessageLog()
{
    s_sentHook = SetWindowsHookExW(WH_CALLWNDPROC, SentProc, nullptr, GetCurrentThreadId());
    s_postedHook = SetWindowsHookExW(WH_GETMESSAGE, PostedProc, nullptr, GetCurrentThreadId());
}

MessageLog::~MessageLog()
{
    UnhookWindowsHookEx(s_sentHook);
    UnhookWindowsHookEx(s_postedHook);
    s_watched.clear();
    s_messages.clear();
}

void MessageLog::Watch(HWND hwnd)
{
    s_watched.push_back(hwnd);
}

void MessageLog::Flush()
{
    s_messages.clear();
}

const std::vector<RecordedMessage>& MessageLog::Messages() const
{
    return s_messages;
}

::testing::AssertionResult OkSequence(const MessageLog& log,
                                      std::initializer_list<ExpectedMessage> expected)
{
    std::vector<RecordedMessage> actual;
    for (const RecordedMessage& m : log.Messages())
        if (std::any_of(expected.begin(), expected.end(),
                        [&](const ExpectedMessage& e) { return e.message == m.message; }))
            actual.push_back(m);

    auto matches = [](const ExpectedMessage& e, const RecordedMessage& m) {
        return e.message == m.message && (!(e.flags & SEQ_WPARAM) || e.wParam == m.wParam) &&
               (!(e.flags & SEQ_LPARAM) || e.lParam == m.lParam);
    };
    size_t a = 0;
    bool ok = true;
    for (const ExpectedMessage& e : expected)
    {
        if (a < actual.size() && matches(e, actual[a]))
            ++a;
        else if (!(e.flags & SEQ_OPTIONAL))
            ok = false;
    }
    if (ok && a == actual.size())
        return ::testing::AssertionSuccess();

    std::ostringstream out;
    out << "message sequence differs\n  expected:\n";
    for (const ExpectedMessage& e : expected)
        out << "    " << Describe(e.message, e.wParam, e.lParam)
            << ((e.flags & SEQ_OPTIONAL) ? " optional" : "") << "\n";
    out << "  received:\n";
    for (const RecordedMessage& m : actual)
        out << "    " << Describe(m.message, m.wParam, m.lParam) << "\n";
    return ::testing::AssertionFailure() << out.str();
}
