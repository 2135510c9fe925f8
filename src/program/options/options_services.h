#pragma once

#include <string>

#include "base/message_sink.h"
#include "engine/layout_loader.h"
#include "hotkeys/hotkey_registrar.h"
#include "settings/program_settings.h"
#include "settings/registry.h"
#include "settings/settings_file.h"

// What the options dialog reads on opening and changes when OK is pressed. Everything
// is the program's own: the dialog keeps only its working copy.
struct OptionsServices {
    ProgramSettings& settings;  // AutoSwitchKeyboard, StartWithWindows and the slots
    LayoutContext layouts;      // names to offer, Layout1Name/Layout2Name, LoadLayout
    HotkeyRegistrar& hotkeys;   // the main window's registrar (ids made at start-up)
    const SettingsFile& settingsFile;
    RegistryStore& registry;      // the Run value written by SaveSettings
    std::wstring executablePath;  // for the Run value
    MessageSink& messages;        // the layout and hotkey-conflict messages (*)
};
// (*) The dialog window shows the messages of OK itself, owned by the dialog, so the
// dialog stays modal under them; `messages` serves the dialog's logic elsewhere.
