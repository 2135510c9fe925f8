#include "program/start_up.h"

#include <exception>

#include "program/main_window_controls.h"
#include "program/message_box.h"
#include "program/window_geometry.h"

namespace {

constexpr int kDefaultRightMarginTwips = 120;
constexpr int kDefaultBottomMarginTwips = 540;

// Start-up goes on past a step that fails: a program that runs with a default is better
// than none. Only exceptions from the step itself are meant; they are dropped on purpose.
template <typename Step>
void SkipOnError(const Step& step) {
    try {
        step();
    } catch (const std::exception&) {
        return;
    }
}

// The stored place, or this far from the bottom right of the work area; a stored text
// that is no number leaves the window where the system put it. A stored place off every
// monitor is moved onto the nearest one.
void PlaceMainWindow(ProgramState& state) {
    if (!state.settingsFile) {
        return;
    }
    const WindowPlaceTwips place = MainWindowPlaceTwips(state);
    const POINT area = WorkAreaBottomRightTwips(state);
    const std::optional<WindowPosition> stored = ReadWindowPosition(
        *state.settingsFile, static_cast<float>(area.x - place.Width - kDefaultRightMarginTwips),
        static_cast<float>(area.y - place.Height - kDefaultBottomMarginTwips));
    if (stored) {
        MoveMainWindowTwips(state, stored->LeftTwips, stored->TopTwips);
        BringOntoNearestMonitor(state.mainWindow);
    }
}

}  // namespace

void StartUp(ProgramState& state) {
    MessageBoxSink messages(state.mainWindow);
    SkipOnError([&] { state.capture.emplace(); });
    SkipOnError([&] { LoadProgramSettings(state); });
    SkipOnError([&] { SaveProgramSettings(state); });
    if (!ApplyLayoutLoad(LoadLayoutsFile(state.programFolder, state.settings.Layout1Name,
                                         state.settings.Layout2Name),
                         state.layouts, messages)) {
        PostExitCommand(state, kExitCodeMissingLayouts);
        return;
    }
    if (TakeLayoutNamesInUse(state.layouts.Table, state.settings)) {
        SkipOnError([&] { SaveProgramSettings(state); });
    }
    SkipOnError([&] {
        state.hotkeys.emplace(state.mainWindow);
        RegisterHotkeys(state.settings.Slots, *state.hotkeys, messages);
    });
    SkipOnError([&] { AddTrayIcon(state); });
    SkipOnError([&] { ShowLayoutCaptions(state); });
    SkipOnError([&] { PlaceMainWindow(state); });
    if (state.settingsFile) {
        SkipOnError([&] { SetPinState(state, ReadAlwaysVisible(*state.settingsFile)); });
    }
    HideMainWindow(state);
    // The caption changes last, so a watcher knows start-up is over.
    SetWindowTextW(state.mainWindow, MainWindowCaption().c_str());
    state.startedUp = true;
}

void UnloadMainWindow(ProgramState& state) {
    if (state.unloaded || state.mainWindow == nullptr) {
        return;
    }
    if (state.cycle.Running) {
        // The cycle is inside one of its waits and still uses the clipboard and keys.
        state.unloadPending = true;
        return;
    }
    state.unloaded = true;
    const WindowPlaceTwips place = MainWindowPlaceTwips(state);
    if (state.settingsFile) {
        WriteWindowState(*state.settingsFile, place.Left, place.Top, state.pinState);
    }
    if (state.hotkeys) {
        UnregisterHotkeys(state.settings.Slots, *state.hotkeys);
    }
    RemoveTrayIcon(state);
    state.capture.reset();  // closes the clipboard if it still holds it
    DestroyWindow(state.mainWindow);
}
