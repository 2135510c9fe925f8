#include "capture/keystrokes.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/text_encoding.h"

bool IsExtendedKey(uint8_t vk) {
    // Page Up to Down (33-40), Insert and Delete, left and right Windows keys and Apps,
    // keypad Divide, Num Lock, right Ctrl and right Alt.
    constexpr std::array<uint8_t, 6> kSingles = {45, 46, 111, 144, 163, 165};
    return (vk >= 33 && vk <= 40) || (vk >= 91 && vk <= 93) ||
           std::ranges::find(kSingles, vk) != kSingles.end();
}

namespace {

// The combining marks of the scripts users write here, and the generic combining blocks.
constexpr std::pair<char16_t, char16_t> kCombiningMarks[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x08D3, 0x08E1},
    {0x08E3, 0x08FF}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x20D0, 0x20F0}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F},
};

bool IsCombiningMark(wchar_t unit) {
    return std::ranges::any_of(kCombiningMarks, [unit](const auto& range) {
        return unit >= range.first && unit <= range.second;
    });
}

// The unit at `index` moves the caret no further than the one before it.
bool JoinsPrevious(std::wstring_view text, size_t index) {
    const wchar_t previous = text[index - 1], unit = text[index];
    return (previous == L'\r' && unit == L'\n') ||
           (IsHighSurrogate(previous) && IsLowSurrogate(unit)) || IsCombiningMark(unit);
}

void PressChord(KeyInjector& keys, uint8_t modifier, uint8_t vk) {
    PressKeyDown(keys, modifier);
    PressKey(keys, vk);
    ReleaseKey(keys, modifier);
}

}  // namespace

int CountCaretStops(std::wstring_view text) {
    int stops = text.empty() ? 0 : 1;
    for (size_t index = 1; index < text.size(); ++index) {
        stops += JoinsPrevious(text, index) ? 0 : 1;
    }
    return stops;
}

void PressKeyDown(KeyInjector& keys, uint8_t vk) {
    keys.SendKeyEvent(vk, KeyMotion::Down);
}

void ReleaseKey(KeyInjector& keys, uint8_t vk) {
    keys.SendKeyEvent(vk, KeyMotion::Up);
}

void PressKey(KeyInjector& keys, uint8_t vk) {
    PressKeyDown(keys, vk);
    ReleaseKey(keys, vk);
}

void SendCopyKeys(KeyInjector& keys, ClipboardKeys kind) {
    PressChord(keys, kVkControl, kind == ClipboardKeys::Terminal ? kVkInsert : kVkC);
}

void SendPasteKeys(KeyInjector& keys, ClipboardKeys kind) {
    if (kind == ClipboardKeys::Terminal) {
        PressChord(keys, kVkShift, kVkInsert);
    } else {
        PressChord(keys, kVkControl, kVkV);
    }
}

void SelectBeforeCaret(KeyInjector& keys, CycleClock& clock, int32_t mode, float delay) {
    if (mode == 1 || mode == 2) {
        PressChord(keys, kVkShift, kVkHome);
    } else {
        PressKeyDown(keys, kVkControl);
        PressChord(keys, kVkShift, kVkLeft);
        ReleaseKey(keys, kVkControl);
    }
    // Nothing visible tells when the target has moved its selection: wait it out.
    clock.Wait(delay);
}

void MoveSelectionEnd(KeyInjector& keys, uint8_t arrow, int stops) {
    PressKeyDown(keys, kVkShift);
    for (int stop = 0; stop < stops; ++stop) {
        PressKey(keys, arrow);
    }
    ReleaseKey(keys, kVkShift);
}

void SwitchKeyboardLayout(KeyInjector& keys) {
    PressKeyDown(keys, kVkAlt);
    PressKeyDown(keys, kVkShift);
    ReleaseKey(keys, kVkAlt);
    ReleaseKey(keys, kVkShift);
}

void ReleaseModifierKeys(KeyInjector& keys) {
    for (int round = 0; round < 3; ++round) {
        ReleaseKey(keys, kVkShift);
        ReleaseKey(keys, kVkControl);
        ReleaseKey(keys, kVkAlt);
    }
}
