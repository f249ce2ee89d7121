// The program-wide state: one instance of each.
#pragma once

#include <windows.h>
#include <aygshell.h>

class AboutDialog;

extern HINSTANCE g_hInst;             // the module, for loading resources
extern HWND g_hwndMenuBar;            // the main window's menu bar, or 0
extern HFONT g_hMainFont;             // the font of the main window's controls
extern SHACTIVATEINFO g_activateInfo; // the shell's activation record of the main window
extern int g_westernYears;            // 1: western birth years, 0: Japanese era years
extern int g_resultShown;             // 1 once an estimate has filled the result views
extern int g_textViewShown;           // 1 while the text view replaces the list view
extern AboutDialog* g_aboutDialog;    // the About box's object while it is open
