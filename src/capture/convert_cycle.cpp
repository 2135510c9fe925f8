#include "capture/convert_cycle.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace {

// Every wait below keeps its full length as the upper bound but ends as soon as what
// it waits for can be seen, so a responsive target is served in milliseconds.

// Emptying shows at once on a local clipboard; the wait stays for a slow one.
void WaitForEmptyClipboard(const CycleServices& services, float seconds) {
    services.Clock.WaitUntil(seconds, [&] { return services.Clipboard.IsEmpty(); });
}

// Before the first injected key: a hotkey's own Win, Ctrl, Shift or Alt would turn
// Ctrl+C into another command. After the limit the cycle goes on regardless.
void WaitForModifiersReleased(const CycleServices& services) {
    services.Clock.WaitUntil(kModifierReleaseLimit,
                             [&] { return !services.Modifiers.AnyModifierDown(); });
}

// Ctrl+C, then up to `delay` for the copy to show: the clipboard has changed and
// offers text.
void CopyAndWait(const CycleServices& services, float delay) {
    const uint32_t before = services.Clipboard.SequenceNumber();
    SendCopyKeys(services.Keys);
    services.Clock.WaitUntil(delay, [&] {
        return services.Clipboard.SequenceNumber() != before && services.Clipboard.HasText();
    });
}

bool CopiedSomeText(const CycleServices& services) {
    const std::optional<std::wstring> text = services.Clipboard.ReadText();
    return text.has_value() && !text->empty();
}

void AdvanceDebugValue(CycleSettings& settings) {
    int32_t value = settings.DebugValue();
    if (value < 0) {
        return;
    }
    if (value < std::numeric_limits<int32_t>::max()) {
        ++value;
    }
    settings.WriteDebugValue(value);
}

// Another program may hold the clipboard open: the target while it inserts the pasted
// text, a clipboard manager looking at a change. `step` opens the clipboard itself and
// is false while it cannot; it is tried at once, then while serving messages, then once
// more after the limit.
bool KeepTryingWhileHeld(const CycleServices& services, const std::function<bool()>& step) {
    return step() || services.Clock.WaitUntil(kHeldClipboardLimit, step) || step();
}

// The user's content goes back after the paste (or instead of it): empty the clipboard,
// let that show, then put every saved item back. While the target still reads the
// pasted text it keeps the clipboard open, so the first step waits for it to finish.
void RestoreUsersClipboard(const CycleServices& services, const CycleState& state) {
    CycleClipboard& clipboard = services.Clipboard;
    // A clipboard held for longer than any paste takes is left as it is: there is nobody
    // to tell.
    if (!KeepTryingWhileHeld(services, [&] { return clipboard.Clear(); })) {
        return;
    }
    WaitForEmptyClipboard(services, kRestoreWait);
    static_cast<void>(
        KeepTryingWhileHeld(services, [&] { return clipboard.Restore(state.SavedClipboard); }));
}

}  // namespace

bool CopySelectedText(const CycleServices& services, CycleState& state, int32_t mode) {
    state.Delay = services.Settings.ReadDelay();
    const float delay = state.Delay;
    state.SavedClipboard = services.Clipboard.Save();
    if (!state.SavedClipboard.Saved) {
        return false;
    }
    // Emptying lets the copy show; a clipboard held now shows as nothing copied.
    static_cast<void>(services.Clipboard.Clear());
    WaitForEmptyClipboard(services, delay);
    WaitForModifiersReleased(services);
    CopyAndWait(services, delay);
    if (!CopiedSomeText(services)) {
        SelectBeforeCaret(services.Keys, services.Clock, mode, delay);
        CopyAndWait(services, delay);
    }
    return true;
}

void ConvertAndPaste(const CycleServices& services, CycleState& state, int32_t mode,
                     bool autoDirection) {
    const float delay = state.Delay;
    CycleClipboard& clipboard = services.Clipboard;
    // Unicode text, so every script survives the round trip. A text that cannot be
    // read counts as nothing copied: pasting an empty text would delete the selection.
    const std::optional<std::wstring> copied =
        clipboard.HasText() ? clipboard.ReadText() : std::nullopt;
    if (!copied.has_value()) {
        // A late copy may still be on its way; give it its time before emptying.
        services.Clock.Wait(3.0f * delay);
        // Nothing was pasted, but the user's content still comes back.
        RestoreUsersClipboard(services, state);
        return;
    }
    const std::wstring converted = services.Convert(*copied, mode, autoDirection);
    static_cast<void>(clipboard.Clear());  // a clipboard held now shows in PutText
    WaitForEmptyClipboard(services, delay);
    if (!clipboard.PutText(converted)) {
        // Ctrl+V now would paste an empty clipboard over the user's selection.
        RestoreUsersClipboard(services, state);
        return;
    }
    services.Clock.WaitUntil(delay, [&] { return clipboard.HasText(); });
    clipboard.ExpectPaste();
    SendPasteKeys(services.Keys);
    AdvanceDebugValue(services.Settings);
    // The target must have asked for the text before the user's content replaces it.
    services.Clock.WaitUntil(kRestoreWait, [&] { return clipboard.PasteWasFetched(); });
    RestoreUsersClipboard(services, state);
}

bool RunConvertSelection(const CycleServices& services, CycleState& state, int32_t copyMode,
                         int32_t convertMode, bool autoDirection, bool switchLayoutAfter) {
    const CycleRun run(state);
    if (!run.Started()) {
        return false;  // a request arriving inside a running cycle's wait is dropped
    }
    if (!CopySelectedText(services, state, copyMode)) {
        return true;  // the clipboard is held by another program: nothing is touched
    }
    ConvertAndPaste(services, state, convertMode, autoDirection);
    if (switchLayoutAfter) {
        SwitchKeyboardLayout(services.Keys);
        ReleaseModifierKeys(services.Keys);
    }
    return true;
}
