#include "globals.h"

HINSTANCE g_hInst;
HWND g_hwndMenuBar;
HFONT g_hMainFont;
SHACTIVATEINFO g_activateInfo;
int g_westernYears = 1;
int g_resultShown;
int g_textViewShown;
AboutDialog* g_aboutDialog;
