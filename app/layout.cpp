// WM_SIZE: places the controls for a portrait or a landscape screen. The
// exit button and the result row's buttons follow the window's right edge;
// the result views fill the client area below the result row.
#include "main_window.h"
#include "resource.h"

#include <commctrl.h>

namespace
{

struct Placement
{
    int id;
    bool fromRight; // x is measured back from the window's right edge
    int x[2];       // portrait, landscape
    int y[2];
};

const Placement kPlacements[] = {
    {IDC_EXIT, true, {60, 60}, {3, 3}},
    {IDC_YEAR_LABEL, false, {5, 145}, {55, 30}},
    {IDC_YEAR, false, {60, 200}, {55, 30}},
    {IDC_YEAR_RESET, false, {120, 260}, {55, 30}},
    {IDC_BIRTHDAY_PASSED, false, {5, 5}, {80, 55}},
    {IDC_RESULT_LABEL, false, {5, 5}, {110, 85}},
    {IDC_ERA_TOGGLE, true, {165, 165}, {107, 82}},
    {IDC_VIEW_TOGGLE, true, {110, 110}, {107, 82}},
    {IDC_ESTIMATE, true, {70, 70}, {107, 82}},
};

const int kLandscapeShift = 25; // landscape moves everything below the sign row up
const int kViewTop = 130;
const int kViewsMargin = 10; // 5 pixels either side
const int kAboveViews = 140;
const int kMinViewHeight = 50;

} // namespace

int LastColumnWidth(int listWidth, int reserved)
{
    return listWidth > reserved ? listWidth - reserved : 0;
}

LRESULT OnSize(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT window;
    GetWindowRect(hwnd, &window);
    const int landscape = screenWidth > screenHeight ? 1 : 0; // a square screen is portrait
    const int shift = landscape ? kLandscapeShift : 0;

    for (const Placement& p : kPlacements)
    {
        const int x = p.fromRight ? window.right - p.x[landscape] : p.x[landscape];
        SetWindowPos(GetDlgItem(hwnd, p.id), HWND_TOP, x, p.y[landscape], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }

    const int viewWidth = (client.right - client.left) - kViewsMargin;
    int viewHeight = (client.bottom - client.top) + shift - kAboveViews;
    if (viewHeight < kMinViewHeight)
        viewHeight = kMinViewHeight;
    // A window reaching the screen's bottom edge leaves room for the menu bar.
    if (window.bottom == screenHeight)
        viewHeight -= window.top;
    if (viewHeight < 0)
        viewHeight = 0;
    SetWindowPos(GetDlgItem(hwnd, IDC_RESULT_TEXT), HWND_TOP, 5, kViewTop - shift, viewWidth,
                 viewHeight, SWP_NOZORDER);
    HWND list = GetDlgItem(hwnd, IDC_RESULT_LIST);
    SetWindowPos(list, HWND_TOP, 5, kViewTop - shift, viewWidth, viewHeight, SWP_NOZORDER);

    const bool hasRows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
    const int width =
        LastColumnWidth(viewWidth, hasRows ? LIST_FIXED_WITH_ROWS : LIST_FIXED_COLUMNS);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(width, 0));
    return 0;
}
