// WM_COMMAND: the main window's buttons, menu items and accelerators.
// Buttons act only on a click (code 0); menu items and accelerators act
// whatever their code.
#include "about_dialog.h"
#include "globals.h"
#include "main_window.h"
#include "resource.h"

#include <new>

namespace
{

const int kStartYearIndex = 10; // the year in which the window was created

// Deactivates the window, then closes it; both are handled on return.
void Exit(HWND hwnd)
{
    SendMessageW(hwnd, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

void ResetYear(HWND hwnd)
{
    SendMessageW(GetDlgItem(hwnd, IDC_YEAR), CB_SETCURSEL, kStartYearIndex, 0);
}

// Switches between western and era years, and rebuilds a shown result.
void ToggleEra(HWND hwnd)
{
    g_westernYears = g_westernYears == 0 ? 1 : 0;
    UpdateEraToggleCaption(hwnd);
    if (g_resultShown != 0)
        RunEstimate(hwnd);
}

// Hides the view being left before showing the other.
void ToggleView(HWND hwnd)
{
    const int shown = g_textViewShown == 0 ? IDC_RESULT_LIST : IDC_RESULT_TEXT;
    const int other = g_textViewShown == 0 ? IDC_RESULT_TEXT : IDC_RESULT_LIST;
    ShowWindow(GetDlgItem(hwnd, shown), SW_HIDE);
    ShowWindow(GetDlgItem(hwnd, other), SW_SHOW);
    g_textViewShown = g_textViewShown == 0 ? 1 : 0;
}

// A fresh object for every showing; without memory there is no About box.
void ShowAbout(HWND hwnd)
{
    g_aboutDialog = new (std::nothrow) AboutDialog;
    if (g_aboutDialog == nullptr)
        return;
    g_aboutDialog->Show(hwnd, 0);
    delete g_aboutDialog;
    g_aboutDialog = nullptr;
}

// A button's command acts on a click only; any other notification code
// is answered without action.
LRESULT WhenClicked(HWND hwnd, WPARAM wParam, void (*action)(HWND))
{
    if (HIWORD(wParam) == BN_CLICKED)
        action(hwnd);
    return 0;
}

} // namespace

LRESULT OnCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDOK:
    case IDM_EXIT: Exit(hwnd); return 0;
    case IDC_EXIT: return WhenClicked(hwnd, wParam, Exit);
    case IDC_YEAR_RESET: return WhenClicked(hwnd, wParam, ResetYear);
    case IDC_ESTIMATE: return WhenClicked(hwnd, wParam, RunEstimate);
    case IDM_ESTIMATE: RunEstimate(hwnd); return 0;
    case IDC_ERA_TOGGLE: return WhenClicked(hwnd, wParam, ToggleEra);
    case IDC_VIEW_TOGGLE: return WhenClicked(hwnd, wParam, ToggleView);
    case IDM_ABOUT: ShowAbout(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
