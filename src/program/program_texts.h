#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "capture/convert_cycle.h"

inline const std::wstring kProgramTitle = L"Zenvoral";
inline const std::wstring kAlreadyRunningMessage = L"Already running!";
inline const std::wstring kPinToolTip = L"Always visible";

// "Zenvoral 1.60": major 1, minor 6 and revision 0, the minor number and the revision
// side by side with nothing between them, the form the program has always shown.
std::wstring MainWindowCaption();

// "Version: 1.60".
std::wstring AboutVersionLine();

// The notification icon's tip: "Zenvoral [first / second]", cut to the 63 characters
// that fit the shell's classic tip field with its terminating NUL.
inline constexpr size_t kTrayTipMaxLength = 63;
std::wstring TrayTipText(std::wstring_view layout1Name, std::wstring_view layout2Name);

// The tool tip of conversion button 0 to 4; the two layout buttons (0 and 1) name the
// layout of their current caption, whose access-key "&" marks are dropped.
inline constexpr int kConversionButtonCount = 5;
std::wstring ConversionButtonToolTip(int buttonIndex, std::wstring_view caption);

// What the tray icon's balloon says after a request that could not act; nothing for the
// others.
std::optional<std::wstring> OutcomeNotice(CycleOutcome outcome);
