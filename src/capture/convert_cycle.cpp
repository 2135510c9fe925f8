#include "capture/convert_cycle.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

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

// The copy keys, then up to `delay` for the copy to show: the clipboard has changed and
// offers text.
void CopyAndWait(const CycleServices& services, ClipboardKeys keys, float delay) {
    const uint32_t before = services.Clipboard.SequenceNumber();
    SendCopyKeys(services.Keys, keys);
    services.Clock.WaitUntil(delay, [&] {
        return services.Clipboard.SequenceNumber() != before && services.Clipboard.HasText();
    });
}

// What the copy brought as the selection: nothing for no text or an empty one, and
// nothing for an editor's copy of the whole caret line, which it makes when nothing is
// selected (pasting its conversion would add a line).
std::optional<std::wstring> CopiedSelection(const CycleServices& services) {
    CycleClipboard& clipboard = services.Clipboard;
    if (!clipboard.HasText() || HoldsWholeLineCopy(clipboard)) {
        return std::nullopt;
    }
    std::optional<std::wstring> text = clipboard.ReadText();
    return text.has_value() && !text->empty() ? text : std::nullopt;
}

bool IsLayoutMode(int32_t mode) {
    return mode >= 0 && mode <= 2;
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

// False, with nothing else done, when the clipboard could not be saved: whatever a copy
// brought would replace the user's content for good. Emptying lets the copy show.
bool SaveAndEmptyClipboard(const CycleServices& services, CycleState& state) {
    state.Delay = services.Settings.ReadDelay();
    state.SavedClipboard = services.Clipboard.Save();
    if (!state.SavedClipboard.Saved) {
        return false;
    }
    static_cast<void>(services.Clipboard.Clear());  // a held clipboard shows as nothing copied
    WaitForEmptyClipboard(services, state.Delay);
    return true;
}

// The text a cycle replaces, and what goes in its place when that is not its conversion.
struct Replacing {
    std::wstring Text;
    std::optional<std::wstring> PutBack;
};

// After the paste nothing is selected, so the press that follows it copies nothing:
// the pasted text is selected back, and kept when the copy shows it is still there.
std::optional<Replacing> SelectLastPasteAgain(const CycleServices& services,
                                              const CycleState& state, const CycleRequest& request,
                                              const LastConversion& last) {
    const int stops = CountCaretStops(last.Pasted);
    MoveSelectionEnd(services.Keys, kVkLeft, stops);
    CopyAndWait(services, ClipboardKeys::Standard, state.Delay);
    const std::optional<std::wstring> copied = CopiedSelection(services);
    if (copied != last.Pasted) {
        // Back to where the caret was, over what was selected: fewer stops than were
        // pressed when the text began nearer. Right alone does not collapse everywhere the
        // same: some edit controls move on from the selection's caret end.
        MoveSelectionEnd(services.Keys, kVkRight,
                         std::min(stops, CountCaretStops(copied.value_or(L""))));
        return std::nullopt;
    }
    // Converting back is not always the original ("hgsghl" gives a lam-alef, one key).
    const bool undo = last.Layout && IsLayoutMode(request.ConvertMode);
    return Replacing{last.Pasted, undo ? std::optional(last.Original) : std::nullopt};
}

// The last paste, when this request may continue on it.
std::optional<LastConversion> Continuing(const CycleRequest& request,
                                         std::optional<LastConversion> last,
                                         const TargetWindow& target, double requestTime) {
    const bool continues = request.ContinuesLast && last.has_value() && !last->Pasted.empty() &&
                           last->Window == target.Identity &&
                           requestTime - last->Time <= kContinueLimit;
    return continues ? last : std::nullopt;
}

// Makes the target copy its selection; see RunConvertSelection for the ways it tries.
std::optional<Replacing> CopySelectedText(const CycleServices& services, const CycleState& state,
                                          const CycleRequest& request, ClipboardKeys keys,
                                          const std::optional<LastConversion>& continuing) {
    WaitForModifiersReleased(services);
    CopyAndWait(services, keys, state.Delay);
    if (std::optional<std::wstring> text = CopiedSelection(services)) {
        return Replacing{std::move(*text), std::nullopt};
    }
    if (keys == ClipboardKeys::Terminal) {
        return std::nullopt;  // keys cannot select in a terminal
    }
    if (continuing.has_value()) {
        if (std::optional<Replacing> again =
                SelectLastPasteAgain(services, state, request, *continuing)) {
            return again;
        }
    }
    SelectBeforeCaret(services.Keys, services.Clock, request.CopyMode, state.Delay);
    CopyAndWait(services, keys, state.Delay);
    if (std::optional<std::wstring> text = CopiedSelection(services)) {
        return Replacing{std::move(*text), std::nullopt};
    }
    return std::nullopt;
}

// Pastes the conversion (or the text to put back) over the selection and remembers it;
// the user's clipboard goes back in every case.
void ConvertAndPaste(const CycleServices& services, CycleState& state, const CycleRequest& request,
                     const Replacing& selection, ClipboardKeys keys, uint64_t window) {
    CycleClipboard& clipboard = services.Clipboard;
    const std::wstring replacement =
        selection.PutBack.has_value()
            ? *selection.PutBack
            : services.Convert(selection.Text, request.ConvertMode, request.AutoDirection);
    static_cast<void>(clipboard.Clear());  // a clipboard held now shows in PutText
    WaitForEmptyClipboard(services, state.Delay);
    if (!clipboard.PutText(replacement)) {
        // The paste keys now would paste an empty clipboard over the user's selection.
        RestoreUsersClipboard(services, state);
        return;
    }
    services.Clock.WaitUntil(state.Delay, [&] { return clipboard.HasText(); });
    clipboard.ExpectPaste();
    SendPasteKeys(services.Keys, keys);
    AdvanceDebugValue(services.Settings);
    // The target must have asked for the text before the user's content replaces it.
    services.Clock.WaitUntil(kRestoreWait, [&] { return clipboard.PasteWasFetched(); });
    state.Last = LastConversion{window, replacement, selection.Text,
                                IsLayoutMode(request.ConvertMode), services.Clock.Now()};
    RestoreUsersClipboard(services, state);
}

}  // namespace

CycleOutcome RunConvertSelection(const CycleServices& services, CycleState& state,
                                 const CycleRequest& request) {
    const CycleRun run(state);
    if (!run.Started()) {
        return CycleOutcome::IgnoredAsNested;  // it arrived inside a running cycle's wait
    }
    const double requestTime = services.Clock.Now();
    // Only a paste of this request is the last one for the next.
    std::optional<LastConversion> last = std::exchange(state.Last, std::nullopt);
    const TargetWindow target = services.Window.Describe();
    if (target.OutranksUs) {
        return CycleOutcome::TargetElevated;
    }
    const WindowKind kind = KindOfWindow(target.ClassName, target.ProcessName);
    if (kind == WindowKind::Console && !services.Window.ConsoleHasSelection(target)) {
        return CycleOutcome::SelectTextFirst;
    }
    if (!SaveAndEmptyClipboard(services, state)) {
        return CycleOutcome::Done;  // another program holds the clipboard: nothing is touched
    }
    const ClipboardKeys keys =
        kind == WindowKind::Ordinary ? ClipboardKeys::Standard : ClipboardKeys::Terminal;
    const std::optional<Replacing> selection = CopySelectedText(
        services, state, request, keys, Continuing(request, std::move(last), target, requestTime));
    if (selection.has_value()) {
        ConvertAndPaste(services, state, request, *selection, keys, target.Identity);
    } else {
        // A late copy may still be on its way; give it its time before emptying.
        services.Clock.Wait(3.0f * state.Delay);
        RestoreUsersClipboard(services, state);
        if (kind != WindowKind::Ordinary) {
            return CycleOutcome::SelectTextFirst;
        }
    }
    if (request.SwitchLayoutAfter) {
        SwitchKeyboardLayout(services.Keys);
        ReleaseModifierKeys(services.Keys);
    }
    return CycleOutcome::Done;
}
