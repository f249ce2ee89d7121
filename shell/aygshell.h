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

#ifdef __cplusplus
}
#endif

#define SetForegroundWindow(hwnd) Shell_SetForegroundWindow(hwnd)

#endif // RC_INVOKED
