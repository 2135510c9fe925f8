#pragma once

#include <cstdint>

// The pin toggle Check1 knows three states: 0 off, 1 on, and 2, which a hand-edited
// "AlwaysVisible" can give: it shows the on image but does not bring the window back.
// Any other stored value leaves the toggle off.
int32_t AcceptedPinState(int32_t storedValue);
bool PinShowsOnImage(int32_t pinState);
bool PinBringsWindowBack(int32_t pinState);
int32_t PinStateAfterClick(int32_t pinState);

// What a mouse message reported by the notification icon does: a press of either
// button opens the menu, a left double click shows the main window.
enum class TrayReaction { Nothing, OpenMenu, ShowWindow };
TrayReaction ReactToTrayMouseMessage(uint32_t mouseMessage);

// The platform kinds the clipboard writer tells apart, from the version query:
// -1 when it failed, 1 for identifiers 0 and 1 (the 9x family), 2 for 2 (the NT
// family); any other identifier keeps the kind already held.
int32_t PlatformKindFromVersionQuery(bool succeeded, int64_t platformId, int32_t currentKind);
