#include "about_dialog.h"

#include "control_font.h"
#include "globals.h"
#include "resource.h"

#include <aygshell.h>

namespace
{

const int kSeparatorY = 22;
const int kButtonMargin = 2; // the Close button's distance from the top right corner
const int kLineCount = 4;
const wchar_t kUrlPrefix[] = L"URL: ";

HWND CreateStatic(HWND dialog, int id, const wchar_t* text, DWORD style, int x, int y, int width,
                  int height)
{
    return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hInst,
                           nullptr);
}

} // namespace

AboutDialog::AboutDialog()
    : m_templateId(IDD_ABOUTBOX), m_hFont(nullptr), m_hwndMenuBar(nullptr), m_ended(false)
{
}

// The controls that use the font are gone by the time the object is deleted.
AboutDialog::~AboutDialog()
{
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
}

INT_PTR AboutDialog::Show(HWND owner, LPARAM initParam)
{
    HRSRC found = FindResourceW(g_hInst, MAKEINTRESOURCEW(m_templateId), RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? LoadResource(g_hInst, found) : nullptr;
    if (loaded == nullptr)
        return -1;
    return DialogBoxIndirectParamW(g_hInst, static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)),
                                   owner, AboutDlgProc, initParam);
}

INT_PTR AboutDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM)
{
    SHINITDLGINFO init = {SHIDIM_FLAGS, dialog,
                          SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
    SHInitDialog(&init);

    SHMENUBARINFO menuBar = {};
    menuBar.cbSize = sizeof(menuBar);
    menuBar.hwndParent = dialog;
    menuBar.dwFlags = SHCMBF_EMPTYBAR;
    m_hwndMenuBar = SHCreateMenuBar(&menuBar) ? menuBar.hwndMB : nullptr;

    m_hFont = CreateControlFont();

    CreateStatic(dialog, IDC_ABOUT_TITLE, L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831", SS_LEFT, 5,
                 2, 80, 16);
    CreateWindowExW(0, L"BUTTON", L"\u9589\u3058\u308B",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 190, 1, 48, 18, dialog,
                    reinterpret_cast<HMENU>(IDOK), g_hInst, nullptr);
    // The 16x16 image, so that the frame keeps its size: an icon static
    // takes the size of the icon it is given.
    HWND icon = CreateStatic(dialog, IDC_ABOUT_ICON, L"", WS_BORDER | SS_ICON, 5, 25, 16, 16);
    HANDLE image =
        LoadImageW(g_hInst, MAKEINTRESOURCEW(IDI_APPICON), IMAGE_ICON, 16, 16, LR_SHARED);
    SendMessageW(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));

    wchar_t first[100];
    wchar_t second[100];
    // Title, version, copyright and rights, 16 pixels apart.
    for (int n = 0; n < kLineCount; ++n)
    {
        first[0] = L'\0';
        LoadStringW(g_hInst, IDS_TITLE + n, first, ARRAYSIZE(first));
        HWND line =
            CreateStatic(dialog, IDC_ABOUT_LINE1 + n, first, SS_LEFT, 47, 26 + 16 * n, 180, 14);
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), 0);
    }

    // "URL: " and the address share the first buffer: a longer address is cut.
    second[0] = L'\0';
    LoadStringW(g_hInst, IDS_HOMEPAGE, second, ARRAYSIZE(second));
    second[ARRAYSIZE(first) - ARRAYSIZE(kUrlPrefix)] = L'\0';
    wsprintfW(first, L"URL: %s", second);
    HWND url = CreateStatic(dialog, IDC_ABOUT_URL, first, SS_LEFT, 2, 98, 230, 14);
    SendMessageW(url, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), 0);
    return 1;
}

// The Close button and the title strip's ok both send IDOK.
INT_PTR AboutDialog::OnCommand(HWND dialog, UINT, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) != IDOK)
        return 0;
    End(dialog, IDOK);
    return 1;
}

INT_PTR AboutDialog::OnClose(HWND dialog, UINT message, WPARAM, LPARAM)
{
    End(dialog, message);
    return 1;
}

INT_PTR AboutDialog::OnNotify(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// The black separator under the header, across the whole width.
INT_PTR AboutDialog::OnPaint(HWND dialog, UINT, WPARAM, LPARAM)
{
    RECT client;
    GetClientRect(dialog, &client);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(dialog, &ps);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    const POINT line[2] = {{client.left, kSeparatorY}, {client.right, kSeparatorY}};
    Polyline(hdc, line, 2);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
    EndPaint(dialog, &ps);
    return 1;
}

// Only the header is drawn in the highlight colour, on white.
INT_PTR AboutDialog::OnCtlColorStatic(HWND dialog, UINT, WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, IDC_ABOUT_TITLE))
        return 0;
    SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHT));
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

// Keeps the Close button in the top right corner.
INT_PTR AboutDialog::OnSize(HWND dialog, UINT, WPARAM, LPARAM)
{
    HWND button = GetDlgItem(dialog, IDOK);
    if (button == nullptr)
        return 1;
    RECT client;
    GetClientRect(dialog, &client);
    RECT buttonRect;
    GetClientRect(button, &buttonRect);
    SetWindowPos(button, nullptr,
                 client.right - (buttonRect.right - buttonRect.left) - kButtonMargin,
                 client.top + kButtonMargin, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return 1;
}

// Ends the box, the menu bar first. An end that arrives before the modal loop
// has returned (the strip's "ok", then WM_CLOSE) keeps the first result.
void AboutDialog::End(HWND dialog, INT_PTR result)
{
    if (m_ended)
        return;
    m_ended = true;
    DestroyWindow(m_hwndMenuBar);
    m_hwndMenuBar = nullptr;
    EndDialog(dialog, result);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    AboutDialog* about = g_aboutDialog;
    if (about == nullptr)
        return 0;
    switch (message)
    {
    case WM_SIZE: return about->OnSize(dialog, message, wParam, lParam);
    case WM_PAINT: return about->OnPaint(dialog, message, wParam, lParam);
    case WM_CLOSE: return about->OnClose(dialog, message, wParam, lParam);
    case WM_NOTIFY: return about->OnNotify(dialog, message, wParam, lParam);
    case WM_INITDIALOG: return about->OnInitDialog(dialog, message, wParam, lParam);
    case WM_COMMAND: return about->OnCommand(dialog, message, wParam, lParam);
    case WM_CTLCOLORSTATIC: return about->OnCtlColorStatic(dialog, message, wParam, lParam);
    }
    return 0;
}
