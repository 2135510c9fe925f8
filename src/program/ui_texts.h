#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline const std::wstring kProgramTitle = L"Zenvoral";
inline const std::wstring kAlreadyRunningMessage = L"Already running!";

// The program's version as its version resource states it.
struct VersionNumbers {
    int32_t Major = 0;
    int32_t Minor = 0;
    int32_t Revision = 0;
};

// "1.60" for 1, 6, 0: the minor number and the revision follow each other with
// nothing between them, the form the program has always shown.
std::wstring VersionText(const VersionNumbers& version);

// "Zenvoral 1.60".
std::wstring MainWindowCaption(const VersionNumbers& version);

// "Version: 1.60".
std::wstring AboutVersionLine(const VersionNumbers& version);

// "About Zenvoral".
std::wstring AboutCaption();

// The notification icon's tip: "Zenvoral [first / second]", cut to the 63 characters
// that fit the shell's classic tip field with its terminating NUL.
inline constexpr size_t kTrayTipMaxLength = 63;
std::wstring TrayTipText(std::wstring_view layout1Name, std::wstring_view layout2Name);

// The tool tip of conversion button 0 to 4; the two layout buttons (0 and 1) name the
// layout of their current caption, whose access-key "&" marks are dropped.
inline constexpr int kConversionButtonCount = 5;
std::wstring ConversionButtonToolTip(int buttonIndex, std::wstring_view caption);

inline const std::wstring kPinToolTip = L"Always visible";
