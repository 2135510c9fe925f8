#pragma once

#include <windows.h>

#include "program/options/options_services.h"

// Shows frmOptions modally, owned by `owner`, filled afresh from the services. On OK
// the hotkeys are registered again, the layouts reloaded and the settings saved;
// returns true then, so the caller can refresh what shows the layout names (tray tip,
// button tool tips). Cancel, Escape and the close box apply nothing and return false;
// a refused equal-layouts OK has still taken the start-with-Windows box into
// services.settings (it is saved by the next save).
//
// The dialog template lives in the resources of zenvoral_options_dialog, which the
// program's executable links.
bool ShowOptionsDialog(HWND owner, OptionsServices& services);
