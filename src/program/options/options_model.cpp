#include "program/options/options_model.h"

#include <algorithm>

#include "hotkeys/hotkey_text.h"

namespace {

int RowOf(const std::vector<std::wstring>& entries, const std::wstring& text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? kNoSelection : static_cast<int>(found - entries.begin());
}

// The name as the layout lists show it: the header line without its brackets.
std::wstring WithoutBrackets(const std::wstring& headerLine) {
    if (headerLine.size() < 2) {
        return {};
    }
    return headerLine.substr(1, headerLine.size() - 2);
}

int CheckStateOf(bool ticked) {
    return ticked ? kChecked : kUnchecked;
}

int NormalisedCheckState(int state) {
    return CheckStateOf(state != kUnchecked);
}

}  // namespace

int ActionIndexForRow(int row) {
    if (row == 0 || row == 1) {
        return row;
    }
    return 2;
}

std::wstring ListText(const std::vector<std::wstring>& entries, int row) {
    if (row < 0 || row >= static_cast<int>(entries.size())) {
        return {};
    }
    return entries[static_cast<size_t>(row)];
}

void frmOptions::Form_Load(const ProgramSettings& settings, const LayoutTable& layouts) {
    controls_.keyList.assign(kHotkeyKeyNames.begin(), kHotkeyKeyNames.end());

    controls_.layoutList.clear();
    const size_t nameCount = std::min(layouts.LayoutNames.size(),
                                      static_cast<size_t>(std::max(layouts.LayoutNameCount, 0)));
    for (size_t n = 0; n < nameCount; ++n) {
        controls_.layoutList.push_back(WithoutBrackets(layouts.LayoutNames[n]));
    }

    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        EditKeyNames_[i] = settings.Slots[i].KeyName;
        EditModifiers_[i] = settings.Slots[i].Modifiers;
        // A hand-edited name outside the table (F13) gets a row of its own after the
        // table, so the list can show it and OK keeps it unless another key is picked.
        // An empty name simply shows no selection.
        if (!EditKeyNames_[i].empty() &&
            RowOf(controls_.keyList, EditKeyNames_[i]) == kNoSelection) {
            controls_.keyList.push_back(EditKeyNames_[i]);
        }
    }

    // On/off settings are on for any value but 0; the boxes know only 0 and 1.
    controls_.chkAutoSwitchKeyboard = CheckStateOf(settings.AutoSwitchKeyboard != 0);
    controls_.chkStartWithWindows = CheckStateOf(settings.StartWithWindows != 0);

    controls_.layout1Row = RowOf(controls_.layoutList, layouts.Layout1Name);
    controls_.layout2Row = RowOf(controls_.layoutList, layouts.Layout2Name);

    SyncChecks_ = true;

    controls_.actionList.clear();
    for (const HotkeySlotDefinition& definition : kHotkeySlotDefinitions) {
        controls_.actionList.emplace_back(definition.action);
    }
    List1_Click(0);
}

bool frmOptions::Form_Paint() {
    if (OkFocused_) {
        return false;
    }
    OkFocused_ = true;
    return true;
}

void frmOptions::Form_Unload() {
    OkFocused_ = false;
}

void frmOptions::List1_Click(int row) {
    controls_.actionRow = row;
    const size_t i = static_cast<size_t>(SelectedActionIndex());
    SyncChecks_ = false;
    ShowKeyName(EditKeyNames_[i]);
    SetModifierChecks(EditModifiers_[i]);
    SyncChecks_ = true;
}

void frmOptions::ShowKeyName(const std::wstring& keyName) {
    // Always runs the key's own behaviour, even when the row does not change: an
    // action stored as "(NONE)" with a mask must lose the mask once it is shown.
    Combo1_Click(RowOf(controls_.keyList, keyName));
}

void frmOptions::Combo1_Click(int row) {
    controls_.keyRow = row;
    const size_t i = static_cast<size_t>(SelectedActionIndex());
    if (row != 0) {
        controls_.modifierBoxesEnabled = true;
    } else {
        controls_.modifierBoxesEnabled = false;
        EditModifiers_[i] = 0;
        SyncChecks_ = false;
        SetModifierChecks(0);
        SyncChecks_ = true;
    }
    EditKeyNames_[i] = ListText(controls_.keyList, row);
}

void frmOptions::SetModifierChecks(int32_t modifiers) {
    controls_.chkCtrl = CheckStateOf((modifiers & kModControl) != 0);
    controls_.chkShift = CheckStateOf((modifiers & kModShift) != 0);
    controls_.chkWin = CheckStateOf((modifiers & kModWin) != 0);
}

void frmOptions::chkCtrl_Click(int state) {
    if (!controls_.modifierBoxesEnabled) {
        return;  // a disabled box takes no clicks
    }
    controls_.chkCtrl = NormalisedCheckState(state);
    UpdateModifiersFromChecks();
}

void frmOptions::chkShift_Click(int state) {
    if (!controls_.modifierBoxesEnabled) {
        return;
    }
    controls_.chkShift = NormalisedCheckState(state);
    UpdateModifiersFromChecks();
}

void frmOptions::chkWin_Click(int state) {
    if (!controls_.modifierBoxesEnabled) {
        return;
    }
    controls_.chkWin = NormalisedCheckState(state);
    UpdateModifiersFromChecks();
}

void frmOptions::UpdateModifiersFromChecks() {
    if (!SyncChecks_) {
        return;
    }
    // The whole mask is replaced: an Alt bit from a hand-edited file goes here.
    EditModifiers_[static_cast<size_t>(SelectedActionIndex())] = kModControl * controls_.chkCtrl +
                                                                 kModShift * controls_.chkShift +
                                                                 kModWin * controls_.chkWin;
}

void frmOptions::chkStartWithWindows_Click(int state) {
    controls_.chkStartWithWindows = NormalisedCheckState(state);
}

void frmOptions::chkAutoSwitchKeyboard_Click(int state) {
    controls_.chkAutoSwitchKeyboard = NormalisedCheckState(state);
}

void frmOptions::cmbLayout1_Click(int row) {
    controls_.layout1Row = row;
}

void frmOptions::cmbLayout2_Click(int row) {
    controls_.layout2Row = row;
}

OptionsOutcome frmOptions::cmdOK_Click(OptionsServices& services) {
    ProgramSettings& settings = services.settings;
    LayoutTable& table = services.layouts.table;

    // Taken before the layout check, so it stays in memory even when the check
    // keeps the dialog open and the user then cancels.
    settings.StartWithWindows = controls_.chkStartWithWindows;

    const std::wstring layout1 = ListText(controls_.layoutList, controls_.layout1Row);
    const std::wstring layout2 = ListText(controls_.layoutList, controls_.layout2Row);
    if (layout1 == layout2) {
        services.messages.ShowMessage(kEqualLayoutsMessage, MessageIcon::Error);
        return OptionsOutcome::StayOpen;
    }

    // In slot order: a slot taking over a combination another slot still holds is
    // refused, and keeps its edit for the next try.
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        HotkeySlot& slot = settings.Slots[i];
        slot.KeyName = EditKeyNames_[i];
        slot.Modifiers = EditModifiers_[i];
        slot.KeyCode = RegisterOneHotkey(services.hotkeys, services.messages, slot.Modifiers,
                                         slot.KeyName, slot.HotkeyId);
    }

    table.Layout1Name = layout1;
    if (!LoadLayout(services.layouts, table.Layout1Name, 1)) {
        return OptionsOutcome::LayoutsFileMissing;
    }
    table.Layout2Name = layout2;
    if (!LoadLayout(services.layouts, table.Layout2Name, 2)) {
        return OptionsOutcome::LayoutsFileMissing;
    }
    CheckLayoutKeyCounts(services.layouts);

    settings.AutoSwitchKeyboard = controls_.chkAutoSwitchKeyboard;
    SaveSettings(services.settingsFile, settings, table, services.registry,
                 services.executablePath);
    return OptionsOutcome::Applied;
}

OptionsOutcome frmOptions::cmdCancel_Click() {
    return OptionsOutcome::Cancelled;
}
