#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/hotkey_text.h"
#include "settings/run_value.h"
#include "settings/settings_store.h"

// The settings the program keeps in memory. The caller owns the one instance; all are
// zero or empty until LoadSettings.
struct ProgramSettings {
    float Delay = 0;                 // seconds between injected keys and clipboard steps
    int32_t AutoSwitchKeyboard = 0;  // not 0: switch the input language after a layout fix
    int32_t StartWithWindows = 0;    // not 0: keep the logon Run value
    int32_t DebugValue = 0;          // usage counter; negative means not counting
    HotkeySlots Slots;               // KeyName and Modifiers come from the settings
    std::wstring Layout1Name;        // layout names as in layouts.txt, without brackets
    std::wstring Layout2Name;
    int32_t SmartWords = 0;  // not 0: "Toggle layouts" converts only the mistyped words
};

// The settings file of the running program: its folder, its file name without the
// extension, and ".ini". A copy under another name has a settings file of its own.
std::wstring BuildIniFilePath(const std::wstring& executablePath);

// Reads "Delay", clamps it to 0.02 .. 1 and stores it. A text that is no number leaves
// the delay as it was and returns false.
bool ReadDelaySetting(const SettingsStore& store, float& delay);

// Reads every kept setting; a missing key gives its default. A Delay that is no number
// and a hotkey ParseHotkeySpec refuses give their defaults too; any other value
// that cannot be converted leaves the setting as it was.
void LoadSettings(const SettingsStore& store, ProgramSettings& settings);

// Writes the eight settings the program owns ("SmartWords" too once it has been turned
// on), then writes the Run value (the running
// program's path, quoted when it holds a blank) or removes it, according to
// StartWithWindows. Writes the system refuses are lost silently.
void SaveSettings(SettingsStore& store, const ProgramSettings& settings, RunValueStore& runValue,
                  const std::wstring& executablePath);

// The usage counter, written after each conversion while it counts.
void WriteDebugValue(SettingsStore& store, int32_t debugValue);

// The main window's place, in whole twips.
struct WindowPosition {
    int32_t LeftTwips = 0;
    int32_t TopTwips = 0;
};

// "WindowLeft" and "WindowTop" with the given defaults; nothing when either is no
// number, and the window then keeps the place it has.
std::optional<WindowPosition> ReadWindowPosition(const SettingsStore& store, float defaultLeftTwips,
                                                 float defaultTopTwips);

// The pin toggle's state from "AlwaysVisible" (default 1): the number it begins with.
int32_t ReadAlwaysVisible(const SettingsStore& store);

// Written at shutdown: "WindowTop" and "WindowLeft" as the whole twips at or below the
// edges, then "AlwaysVisible".
void WriteWindowState(SettingsStore& store, double leftTwips, double topTwips,
                      int32_t alwaysVisible);
