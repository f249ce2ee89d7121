// The handheld's shell library, for hosts that lack it: the records, flags
// and functions that the program uses, with the handheld's names and values.
#pragma once

#include <windows.h>

#define WS_EX_CAPTIONOKBTN 0x80000000L // an OK button in the title strip

#ifndef RC_INVOKED

// SHCreateMenuBar
#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

typedef struct tagSHMENUBARINFO
{
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

// SHHandleWMActivate and SHHandleWMSettingChange
typedef struct
{
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

// SHInitDialog
#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010

typedef struct tagSHINITDLGINFO
{
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#ifdef __cplusplus
extern "C"
{
#endif

    BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi);
    BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);
    BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* psai,
                                   DWORD dwFlags);
    BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                        SHACTIVATEINFO* psai);

    // The handheld brings a window and its owned windows forward when given the
    // window's handle with the lowest bit set; this host takes the plain handle.
    BOOL WINAPI Shell_SetForegroundWindow(HWND hwnd);

    // On a desktop larger than the handheld's screen, the screen is a window
    // of its own and the program's windows live inside it. These answer in
    // the handheld screen's terms: its size, its coordinates, its top-level
    // windows, and its turn between portrait and landscape.
    int WINAPI Shell_GetSystemMetrics(int index);
    BOOL WINAPI Shell_GetWindowRect(HWND hwnd, LPRECT rect);
    BOOL WINAPI Shell_ClientToScreen(HWND hwnd, LPPOINT point);
    BOOL WINAPI Shell_ScreenToClient(HWND hwnd, LPPOINT point);
    int WINAPI Shell_MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
    HWND WINAPI Shell_GetAncestor(HWND hwnd, UINT flags);
    HWND WINAPI Shell_FindWindowW(LPCWSTR className, LPCWSTR title);
    HWND WINAPI Shell_GetForegroundWindow(void);
    LONG WINAPI Shell_ChangeDisplaySettingsW(DEVMODEW* mode, DWORD flags);

#ifdef __cplusplus
}
#endif

// The shell's own code calls the platform itself.
#ifndef SHELL_PLATFORM_CALLS
#define SetForegroundWindow(hwnd) Shell_SetForegroundWindow(hwnd)
#define GetSystemMetrics(index) Shell_GetSystemMetrics(index)
#define GetWindowRect(hwnd, rect) Shell_GetWindowRect(hwnd, rect)
#define ClientToScreen(hwnd, point) Shell_ClientToScreen(hwnd, point)
#define ScreenToClient(hwnd, point) Shell_ScreenToClient(hwnd, point)
#define MapWindowPoints(from, to, points, count) Shell_MapWindowPoints(from, to, points, count)
#define GetAncestor(hwnd, flags) Shell_GetAncestor(hwnd, flags)
#define FindWindowW(className, title) Shell_FindWindowW(className, title)
#define GetForegroundWindow() Shell_GetForegroundWindow()
#define ChangeDisplaySettingsW(mode, flags) Shell_ChangeDisplaySettingsW(mode, flags)
#endif

#endif // RC_INVOKED
