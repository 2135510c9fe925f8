#pragma once

// Resource ids of the options dialog, 2000 to 2099, apart from the program's other
// resources. OK and Cancel use the system's IDOK and IDCANCEL, so Enter and Escape
// reach them the usual way. Read by the resource compiler as well.

#define IDD_OPTIONS 2000

#define IDC_OPTIONS_FRAME2 2001
#define IDC_OPTIONS_CHKSTARTWITHWINDOWS 2002
#define IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD 2003
#define IDC_OPTIONS_FRAME1 2004
#define IDC_OPTIONS_LIST1 2005
#define IDC_OPTIONS_CHKCTRL 2006
#define IDC_OPTIONS_CHKSHIFT 2007
#define IDC_OPTIONS_CHKWIN 2008
#define IDC_OPTIONS_COMBO1 2009
#define IDC_OPTIONS_FRAME3 2010
#define IDC_OPTIONS_LABEL2 2011
#define IDC_OPTIONS_CMBLAYOUT1 2012
#define IDC_OPTIONS_LABEL3 2013
#define IDC_OPTIONS_CMBLAYOUT2 2014
