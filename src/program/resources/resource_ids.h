// Identifiers shared by zenvoral.rc and the program's code. Plain macros: the resource
// compiler reads this file too.
#pragma once

#define ZENVORAL_VERSION_MAJOR 1
#define ZENVORAL_VERSION_MINOR 6
#define ZENVORAL_VERSION_REVISION 0
#define ZENVORAL_VERSION_TEXT "1.6.0.0"

// The first icon is the one Explorer shows for the executable.
#define IDI_ZENVORAL 1
#define IDI_PIN_OFF 101
#define IDI_PIN_ON 102

#define IDR_TRAY_MENU 110
#define IDM_SHOW 111
#define IDM_OPTIONS 112
#define IDM_ABOUT 113
#define IDM_EXIT 114

#define IDD_ABOUT 120
#define IDC_ABOUT_FRAME 121
#define IDC_ABOUT_EMAIL 122
#define IDC_ABOUT_EMAIL_LABEL 123
#define IDC_ABOUT_WEBSITE_LABEL 124
#define IDC_ABOUT_URL 125
#define IDC_ABOUT_VERSION 126
#define IDC_ABOUT_TITLE 127
#define IDC_ABOUT_AUTHOR 128
#define IDC_ABOUT_DESCRIPTION 129
#define IDC_ABOUT_ICON 130

// Controls of the main window, made in code from their places in twips.
#define IDC_FRAME1 200
#define IDC_COMMAND1_FIRST 201  // Command1(0) .. Command1(4) are 201 .. 205
#define IDC_CHECK1 210
