#include "program/start_up.h"

#include <exception>
#include <functional>

#include "base/file_access.h"
#include "capture/win32_capture.h"
#include "engine/layout_loader.h"
#include "hotkeys/hotkey_registrar.h"
#include "hotkeys/hotkey_slots.h"
#include "settings/program_settings.h"
#include "program/main_window.h"
#include "program/main_window_rules.h"
#include "program/message_box_ui.h"
#include "program/tray_icon.h"
#include "program/window_geometry.h"
#include "program/window_hook.h"

namespace {

// Start-up goes on past a step that fails: a program that runs with a default is
// better than none. Only exceptions from the step itself are meant; they are dropped
// on purpose.
void SkipOnError(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception&) {
        return;
    }
}

void PlaceMainWindow(ProgramState& state) {
    const WindowPlaceTwips place = MainWindowPlaceTwips(state);
    const POINT area = WorkAreaBottomRightTwips(state);
    const TwipsPoint fallback =
        DefaultMainWindowPosition(area.x, area.y, place.Width, place.Height);
    const std::optional<WindowPosition> stored =
        ReadWindowPosition(state.Settings(), fallback.Left, fallback.Top);
    if (stored) {
        MoveMainWindowTwips(state, stored->LeftTwips, stored->TopTwips);
    }
}

void SetUpPinToggle(ProgramState& state) {
    SetWindowTextW(state.controls.Check1, L"");
    SetPinState(state, ReadAlwaysVisible(state.Settings()));
}

}  // namespace

void DetectPlatform(ProgramState& state) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // Only the platform family is wanted, which the compatibility shims leave alone.
    const BOOL queried = GetVersionExW(&version);
#pragma GCC diagnostic pop
    state.PlatformKind =
        PlatformKindFromVersionQuery(queried != FALSE, version.dwPlatformId, state.PlatformKind);
}

bool StartUp(ProgramState& state) {
    ProgramUi ui(state);
    const LayoutContext layouts{state.layouts, FolderOf(state.executablePath), ui};
    // 1. MainWindowHandle was set while the window was created; 2. the profile store
    // is a member of the state.
    SkipOnError([&] { state.capture = std::make_unique<Win32CaptureServices>(); });
    SkipOnError([&] { state.IniFilePath = BuildIniFilePath(state.executablePath); });
    SkipOnError([&] { DetectPlatform(state); });
    SkipOnError([&] { LoadSettings(state.Settings(), state.settings, state.layouts); });
    SkipOnError([&] {
        SaveSettings(state.Settings(), state.settings, state.layouts, state.registry,
                     state.executablePath);
    });
    if (!LoadLayoutNames(layouts)) {
        return false;  // the user has been told, and the window is gone
    }
    if (!LoadLayout(layouts, state.layouts.Layout1Name, 1) ||
        !LoadLayout(layouts, state.layouts.Layout2Name, 2)) {
        return false;
    }
    SkipOnError([&] { CheckLayoutKeyCounts(layouts); });
    SkipOnError([&] {
        state.hotkeys = std::make_unique<SystemHotkeyRegistrar>(state.mainWindow);
        RegisterHotkeys(state.settings.Slots, *state.hotkeys, ui, CurrentLocalTimeText());
    });
    SkipOnError([&] { AddTrayIcon(state); });
    SkipOnError([&] { SetConversionButtonToolTips(state); });
    SkipOnError([&] { PlaceMainWindow(state); });
    SkipOnError([&] { SetUpPinToggle(state); });
    HideMainWindow(state);
    // The caption changes last but one, so a watcher knows start-up is over; the hook
    // follows before any queued message is dispatched.
    SetWindowTextW(state.mainWindow, MainWindowCaption(state.version).c_str());
    HookWindow(state, state.mainWindow);
    state.startedUp = true;
    return true;
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
    WriteWindowState(state.Settings(), place.Left, place.Top, state.pinState);
    if (state.hotkeys) {
        UnregisterHotkeys(state.settings.Slots, *state.hotkeys);
    }
    RemoveTrayIcon(state);
    state.capture.reset();  // closes the clipboard if it still holds it
    UnhookWindow(state, state.mainWindow);
    DestroyWindow(state.mainWindow);
}
