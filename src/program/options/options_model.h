#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/layout_table.h"
#include "hotkeys/hotkey_slots.h"
#include "settings/program_settings.h"
#include "program/options/options_services.h"

// A check box's state.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

// A list's selected row when nothing is selected.
inline constexpr int kNoSelection = -1;

inline const std::wstring kEqualLayoutsMessage = L"First and second layout must be different!";

// The working-copy index of an action-list row: rows 0 and 1 are indices 0 and 1;
// every other value, no selection included, is index 2.
int ActionIndexForRow(int row);

// The text a drop-down list shows for a row: empty when nothing is selected.
std::wstring ListText(const std::vector<std::wstring>& entries, int row);

// How a press of OK or Cancel ends.
enum class OptionsOutcome {
    StayOpen,            // the equal-layouts message was shown; every edit stays
    Applied,             // hotkeys, layouts and settings were taken and saved
    Cancelled,           // nothing applied
    LayoutsFileMissing,  // the program is ending; nothing more was applied or saved
};

// What the dialog's controls show. The window mirrors this after every event; the
// dialog's handlers only change it here.
struct OptionsControls {
    std::vector<std::wstring> actionList;  // List1
    std::vector<std::wstring> keyList;     // Combo1; row 0 is "(NONE)"
    std::vector<std::wstring> layoutList;  // cmbLayout1 and cmbLayout2 alike
    int actionRow = kNoSelection;          // List1
    int keyRow = kNoSelection;             // Combo1
    int layout1Row = kNoSelection;         // cmbLayout1
    int layout2Row = kNoSelection;         // cmbLayout2
    int chkCtrl = kUnchecked;
    int chkShift = kUnchecked;
    int chkWin = kUnchecked;
    bool modifierBoxesEnabled = true;
    int chkStartWithWindows = kUnchecked;
    int chkAutoSwitchKeyboard = kUnchecked;
};

// The options dialog without its window: a working copy of the three hotkeys edited
// through the controls' events, applied only by OK.
class frmOptions {
  public:
    // Fills the lists and the working copy from the program's state and selects the
    // first action.
    void Form_Load(const ProgramSettings& settings, const LayoutTable& layouts);

    // True at the first paint only: the caller moves the keyboard focus to OK then.
    bool Form_Paint();
    void Form_Unload();

    void List1_Click(int row);
    void Combo1_Click(int row);
    void chkCtrl_Click(int state);
    void chkShift_Click(int state);
    void chkWin_Click(int state);

    // These only record the controls' state; OK reads it.
    void chkStartWithWindows_Click(int state);
    void chkAutoSwitchKeyboard_Click(int state);
    void cmbLayout1_Click(int row);
    void cmbLayout2_Click(int row);

    OptionsOutcome cmdOK_Click(OptionsServices& services);
    OptionsOutcome cmdCancel_Click();

    const OptionsControls& Controls() const { return controls_; }
    bool OkFocused() const { return OkFocused_; }
    bool SyncChecks() const { return SyncChecks_; }
    const std::array<std::wstring, kHotkeySlotCount>& EditKeyNames() const { return EditKeyNames_; }
    const std::array<int32_t, kHotkeySlotCount>& EditModifiers() const { return EditModifiers_; }

  private:
    void UpdateModifiersFromChecks();
    void ShowKeyName(const std::wstring& keyName);
    void SetModifierChecks(int32_t modifiers);
    int SelectedActionIndex() const { return ActionIndexForRow(controls_.actionRow); }

    OptionsControls controls_;
    bool OkFocused_ = false;
    bool SyncChecks_ = false;
    std::array<std::wstring, kHotkeySlotCount> EditKeyNames_;
    std::array<int32_t, kHotkeySlotCount> EditModifiers_ = {};
};
