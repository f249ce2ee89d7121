// Identifiers of the program's resources, strings, commands and controls.
#pragma once

// Resources
#define IDR_ACCELERATORS 2
#define IDI_APPICON 101
#define IDR_MAINMENU 102 // the menu and the menu-bar description
#define IDD_ABOUTBOX 105

// Strings
#define IDS_APP_TITLE 1
#define IDS_APP_CLASS 2
#define IDS_MENU_OPERATION 120
#define IDS_MENU_TOOLS 121
#define IDS_TITLE 122
#define IDS_VERSION 123
#define IDS_COPYRIGHT 124
#define IDS_RIGHTS 125
#define IDS_HOMEPAGE 126
#define IDS_EXIT 130
#define IDS_SIGN_LABEL 131
#define IDS_SIGN_FIRST 132 // thirteen sign names, 132 to 144, by sign index
#define IDS_YEAR_LABEL 145
#define IDS_YEAR_RESET 146
#define IDS_BIRTHDAY_PASSED 147
#define IDS_RESULT_LABEL 148
#define IDS_VIEW_TOGGLE 149
#define IDS_ESTIMATE 150
#define IDS_COL_CYCLE 151
#define IDS_COL_BIRTH_YEAR 152
#define IDS_COL_AGE 153
#define IDS_TO_WESTERN 154
#define IDS_TO_ERA 155
#define IDS_BAD_INPUT_CAPTION 156
#define IDS_BAD_INPUT_TEXT 157
#define IDS_CAT_RESULT 158

// Commands (the exit command also uses IDOK, 1)
#define IDM_MENU_OPERATION 40001
#define IDM_MENU_TOOLS 40002
#define IDM_ESTIMATE 40003
#define IDM_ABOUT 40004
#define IDM_EXIT 40005

// Controls of the main window
#define IDC_MAIN_TITLE 1000
#define IDC_EXIT 1050
#define IDC_SIGN_LABEL 1051
#define IDC_SIGN 1052
#define IDC_YEAR_LABEL 1053
#define IDC_YEAR 1054
#define IDC_YEAR_RESET 1055
#define IDC_BIRTHDAY_PASSED 1056
#define IDC_ESTIMATE 1057
#define IDC_RESULT_LABEL 1058
#define IDC_ERA_TOGGLE 1059
#define IDC_VIEW_TOGGLE 1060
#define IDC_RESULT_TEXT 1061
#define IDC_RESULT_LIST 1062

// Controls of the About box (its Close button is IDOK)
#define IDC_ABOUT_TITLE 1000
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_LINE1 1002 // lines 1 to 4: 1002 to 1005
#define IDC_ABOUT_URL 1006
