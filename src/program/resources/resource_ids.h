// Identifiers shared by the resource scripts and the program's code. Plain macros: the
// resource compiler reads this file too.
#pragma once

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
#define IDC_ABOUT_VERSION 126
#define IDC_ABOUT_ICON 130

// Controls of the main window, made in code from their places in twips.
#define IDC_BUTTON_FRAME 200
#define IDC_CONVERSION_FIRST 201  // conversion buttons 0 .. 4 are 201 .. 205
#define IDC_PIN_TOGGLE 210

// The options dialog. OK and Cancel use the system's IDOK and IDCANCEL, so Enter and
// Escape reach them the usual way.
#define IDD_OPTIONS 2000
#define IDC_OPTIONS_GENERAL_FRAME 2001
#define IDC_OPTIONS_START_WITH_WINDOWS 2002
#define IDC_OPTIONS_AUTO_SWITCH_KEYBOARD 2003
#define IDC_OPTIONS_HOTKEY_FRAME 2004
#define IDC_OPTIONS_ACTIONS 2005
#define IDC_OPTIONS_CTRL 2006
#define IDC_OPTIONS_SHIFT 2007
#define IDC_OPTIONS_WIN 2008
#define IDC_OPTIONS_KEY 2009
#define IDC_OPTIONS_LAYOUTS_FRAME 2010
#define IDC_OPTIONS_LAYOUT1_LABEL 2011
#define IDC_OPTIONS_LAYOUT1 2012
#define IDC_OPTIONS_LAYOUT2_LABEL 2013
#define IDC_OPTIONS_LAYOUT2 2014
#define IDC_OPTIONS_SMART_WORDS 2015
