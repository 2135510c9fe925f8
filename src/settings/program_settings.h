#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/layout_table.h"
#include "hotkeys/hotkey_slots.h"
#include "settings/registry.h"
#include "settings/settings_file.h"

// The settings the program keeps in memory. The caller owns the one instance; all
// are zero or empty until LoadSettings. The two layout names live in the LayoutTable.
struct ProgramSettings {
    float Delay = 0;                 // seconds between injected keys and clipboard steps
    int32_t AutoSwitchKeyboard = 0;  // not 0: switch the input language after a layout fix
    int32_t StartWithWindows = 0;    // not 0: keep the logon Run value
    int32_t DebugValue = 0;          // usage counter; negative means not counting
    HotkeySlots Slots;               // KeyName and Modifiers come from the settings
};

inline const std::wstring kRunKeyPath =
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kRunValueName = L"UxZenvoral";

inline constexpr float kMinimumDelay = 0.02f;
inline constexpr float kMaximumDelay = 1.0f;

// The settings file of the running program: its folder, its file name without the
// extension, and ".ini". A copy under another name has a settings file of its own.
std::wstring BuildIniFilePath(const std::wstring& executablePath);

// The program file as the Run value names it: folder, name without extension, ".exe".
std::wstring ProgramFilePath(const std::wstring& executablePath);

// The command the Run value holds. A path with a blank is quoted: unquoted, the
// system would try "C:\Program.exe" first for "C:\Program Files\...".
std::wstring RunValueCommand(const std::wstring& programFilePath);

// Reads "Delay", clamps it to 0.02 .. 1 and stores it. A text that is no number
// leaves Delay as it was and returns false.
bool ReadDelaySetting(const SettingsFile& settings, float& Delay);

// Reads every kept setting; a key that is missing gives its default, a value that
// cannot be converted leaves the setting as it was.
void LoadSettings(const SettingsFile& settings, ProgramSettings& program, LayoutTable& layouts);

// Writes the eight settings the program owns, then writes the Run value (with the
// running program's path) or removes it, according to StartWithWindows. Writes the
// system refuses are lost silently.
void SaveSettings(const SettingsFile& settings, const ProgramSettings& program,
                  const LayoutTable& layouts, RegistryStore& registry,
                  const std::wstring& executablePath);

// The main window's place, in whole twips.
struct WindowPosition {
    int32_t LeftTwips = 0;
    int32_t TopTwips = 0;
};

// "WindowLeft" and "WindowTop" with the given defaults; nothing when either is no
// number, and the window then keeps the place it has.
std::optional<WindowPosition> ReadWindowPosition(const SettingsFile& settings,
                                                 float defaultLeftTwips, float defaultTopTwips);

// The pin toggle's state from "AlwaysVisible" (default 1): the number it begins with.
int32_t ReadAlwaysVisible(const SettingsFile& settings);

// Written at shutdown: "WindowTop" and "WindowLeft" as the whole twips at or below the
// edges, then "AlwaysVisible".
void WriteWindowState(const SettingsFile& settings, double leftTwips, double topTwips,
                      int32_t alwaysVisible);
