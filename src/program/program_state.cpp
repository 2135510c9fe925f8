#include "program/program_state.h"

#include <utility>

#include "capture/win32_capture.h"
#include "hotkeys/hotkey_registrar.h"
#include "program/tray_icon.h"

OwnedIcon::~OwnedIcon() {
    if (icon_ != nullptr) {
        DestroyIcon(icon_);
    }
}

OwnedIcon::OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}

OwnedIcon& OwnedIcon::operator=(OwnedIcon&& other) noexcept {
    std::swap(icon_, other.icon_);
    return *this;
}

OwnedFont::~OwnedFont() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

OwnedFont::OwnedFont(OwnedFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

OwnedFont& OwnedFont::operator=(OwnedFont&& other) noexcept {
    std::swap(font_, other.font_);
    return *this;
}

ProgramState::ProgramState() = default;
ProgramState::~ProgramState() = default;
