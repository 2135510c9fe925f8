#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "program/hotkey_registration.h"
#include "program/layouts.h"
#include "settings/program_settings.h"

// A check box's state.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

// A list's selected row when nothing is selected.
inline constexpr int kNoSelection = -1;

inline const std::wstring kEqualLayoutsMessage = L"First and second layout must be different!";

// How the dialog ends.
enum class OptionsOutcome {
    StayOpen,            // the equal-layouts message was shown; every edit stays
    Applied,             // hotkeys, layouts and settings were taken and saved
    Cancelled,           // closed without OK (Cancel, Escape, the close box): nothing applied
    LayoutsFileMissing,  // the program has to end; nothing more was applied or saved
};

// What OK changes. Everything is the program's own: the dialog keeps only its working
// copy.
struct OptionsServices {
    ProgramSettings& settings;  // the on/off settings and the slots
    LayoutLoad& layouts;        // names to offer and the selected two; replaced on OK
    GlobalHotkeys& hotkeys;     // the main window's, with the ids made at start-up
    std::function<LayoutLoad(const std::wstring& layout1Name, const std::wstring& layout2Name)>
        loadLayouts;
    std::function<void()> saveSettings;  // the settings file and the Run value
};

// What the dialog's controls show. The window mirrors this after every event; the
// dialog's handlers only change it here.
struct OptionsControls {
    std::vector<std::wstring> actionList;  // the three hotkeys' actions, in slot order
    std::vector<std::wstring> keyList;     // row 0 is "(NONE)"
    std::vector<std::wstring> layoutList;  // cmbLayout1 and cmbLayout2 alike
    int actionRow = kNoSelection;
    int keyRow = kNoSelection;
    int layout1Row = kNoSelection;
    int layout2Row = kNoSelection;
    int chkCtrl = kUnchecked;
    int chkShift = kUnchecked;
    int chkWin = kUnchecked;
    bool modifierBoxesEnabled = true;
    int chkStartWithWindows = kUnchecked;
    int chkAutoSwitchKeyboard = kUnchecked;
    int chkSmartWords = kUnchecked;
};

// The options dialog without its window: a working copy of the three hotkeys edited
// through the controls' events, applied only by OK.
class frmOptions {
  public:
    // Fills the lists and the working copy from the program's state and selects the
    // first action.
    void Form_Load(const ProgramSettings& settings, const LayoutTable& layouts);

    void SelectAction(int row);
    void SelectKey(int row);
    // A click on the box of kModControl, kModShift or kModWin, which shows `state` now.
    void ClickModifierBox(int32_t modifier, int state);

    // Only recorded; OK reads them.
    void TickStartWithWindows(int state) { controls_.chkStartWithWindows = Normalised(state); }
    void TickAutoSwitchKeyboard(int state) { controls_.chkAutoSwitchKeyboard = Normalised(state); }
    void TickSmartWords(int state) { controls_.chkSmartWords = Normalised(state); }
    void SelectLayout1(int row) { controls_.layout1Row = row; }
    void SelectLayout2(int row) { controls_.layout2Row = row; }

    // OK: start with Windows, the layout check, the three registrations, the layouts,
    // the settings, in this order. Its message boxes go to `messages`.
    OptionsOutcome PressOk(OptionsServices& services, MessageSink& messages);

    const OptionsControls& Controls() const { return controls_; }
    const std::array<std::wstring, kHotkeySlotCount>& EditKeyNames() const { return EditKeyNames_; }
    const std::array<int32_t, kHotkeySlotCount>& EditModifiers() const { return EditModifiers_; }

  private:
    static int Normalised(int state) { return state != kUnchecked ? kChecked : kUnchecked; }
    // Rows 0 and 1 are slots 0 and 1; any other row, no selection included, is slot 2.
    size_t SelectedSlot() const {
        return controls_.actionRow == 0 || controls_.actionRow == 1
                   ? static_cast<size_t>(controls_.actionRow)
                   : 2;
    }
    void ShowModifiers(int32_t modifiers);
    void UpdateModifiersFromChecks();

    OptionsControls controls_;
    std::array<std::wstring, kHotkeySlotCount> EditKeyNames_;
    std::array<int32_t, kHotkeySlotCount> EditModifiers_ = {};
};
