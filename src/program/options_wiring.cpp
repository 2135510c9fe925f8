#include "program/options_wiring.h"

#include "hotkeys/hotkey_registrar.h"
#include "program/message_box_ui.h"
#include "program/options/options_dialog.h"
#include "program/tray_icon.h"

void ShowOptions(ProgramState& state) {
    if (!state.hotkeys) {
        return;
    }
    ProgramUi ui(state);
    const SettingsFile settingsFile = state.Settings();
    OptionsServices services{state.settings,
                             LayoutContext{state.layouts, FolderOf(state.executablePath), ui},
                             *state.hotkeys,
                             settingsFile,
                             state.registry,
                             state.executablePath,
                             ui};
    if (ShowOptionsDialog(state.mainWindow, services)) {
        RefreshTrayTip(state);
    }
}
