#pragma once

// Places and sizes of the options dialog in twips (1/1440 inch, 15 to a pixel at 96
// dots per inch): left, top, width, height. Controls inside a frame are placed
// relative to their frame. Plain macros, because the resource compiler reads them too:
// the template is drawn from these numbers, and the dialog places every control
// exactly from them again once it knows the window's DPI.

#define OPTIONS_CLIENT_WIDTH_TWIPS 4350
#define OPTIONS_CLIENT_HEIGHT_TWIPS 5625

#define OPTIONS_GENERAL_FRAME_TWIPS 83, 180, 4185, 1545
#define OPTIONS_START_WITH_WINDOWS_TWIPS 150, 300, 3915, 345
#define OPTIONS_AUTO_SWITCH_KEYBOARD_TWIPS 150, 690, 3975, 345
#define OPTIONS_SMART_WORDS_TWIPS 150, 1080, 3975, 345

#define OPTIONS_HOTKEY_FRAME_TWIPS 83, 1815, 4185, 1755
#define OPTIONS_ACTIONS_TWIPS 180, 360, 3855, 840
#define OPTIONS_CTRL_TWIPS 180, 1320, 795, 255
#define OPTIONS_SHIFT_TWIPS 1020, 1320, 795, 255
#define OPTIONS_WIN_TWIPS 1860, 1320, 795, 255
/* A drop-down list's height is that of its opened list. */
#define OPTIONS_KEY_TWIPS 2700, 1290, 1365, 3000

#define OPTIONS_LAYOUTS_FRAME_TWIPS 83, 3660, 4185, 1305
#define OPTIONS_LAYOUT1_LABEL_TWIPS 120, 480, 1185, 285
#define OPTIONS_LAYOUT1_TWIPS 1350, 450, 2715, 1800
#define OPTIONS_LAYOUT2_LABEL_TWIPS 120, 870, 1185, 285
#define OPTIONS_LAYOUT2_TWIPS 1350, 840, 2715, 1800

#define OPTIONS_OK_TWIPS 1665, 5145, 1245, 375
#define OPTIONS_CANCEL_TWIPS 3015, 5130, 1245, 375

/* The no-frame origin, for controls placed on the dialog itself. */
#define OPTIONS_DIALOG_TWIPS 0, 0, OPTIONS_CLIENT_WIDTH_TWIPS, OPTIONS_CLIENT_HEIGHT_TWIPS
