#include "program/options_model.h"

#include <algorithm>

namespace {

int RowOf(const std::vector<std::wstring>& entries, const std::wstring& text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? kNoSelection : static_cast<int>(found - entries.begin());
}

// The text a list shows for a row: empty when nothing is selected.
std::wstring ListText(const std::vector<std::wstring>& entries, int row) {
    return row >= 0 && row < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(row)]
                                                              : std::wstring();
}

// The name as the layout lists show it: the header line without its brackets.
std::wstring WithoutBrackets(const std::wstring& headerLine) {
    return headerLine.size() < 2 ? std::wstring() : headerLine.substr(1, headerLine.size() - 2);
}

}  // namespace

void frmOptions::Form_Load(const ProgramSettings& settings, const LayoutTable& layouts) {
    controls_.keyList.assign(kHotkeyKeyNames.begin(), kHotkeyKeyNames.end());
    const auto nameCount = std::min(layouts.LayoutNames.size(),
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
        controls_.actionList.emplace_back(kHotkeySlotDefinitions[i].action);
    }
    // On/off settings are on for any value but 0; the boxes know only 0 and 1.
    controls_.chkAutoSwitchKeyboard = Normalised(settings.AutoSwitchKeyboard);
    controls_.chkStartWithWindows = Normalised(settings.StartWithWindows);
    controls_.chkSmartWords = Normalised(settings.SmartWords);
    controls_.layout1Row = RowOf(controls_.layoutList, layouts.Layout1Name);
    controls_.layout2Row = RowOf(controls_.layoutList, layouts.Layout2Name);
    SelectAction(0);
}

void frmOptions::SelectAction(int row) {
    controls_.actionRow = row;
    const size_t slot = SelectedSlot();
    // Runs the key's own behaviour even when the row does not change: an action stored
    // as "(NONE)" with a mask must lose the mask once it is shown.
    SelectKey(RowOf(controls_.keyList, EditKeyNames_[slot]));
    ShowModifiers(EditModifiers_[slot]);
}

void frmOptions::SelectKey(int row) {
    controls_.keyRow = row;
    const size_t slot = SelectedSlot();
    controls_.modifierBoxesEnabled = row != 0;
    if (row == 0) {
        EditModifiers_[slot] = 0;
        ShowModifiers(0);
    }
    EditKeyNames_[slot] = ListText(controls_.keyList, row);
}

void frmOptions::ClickModifierBox(int32_t modifier, int state) {
    if (!controls_.modifierBoxesEnabled) {
        return;  // a disabled box takes no clicks
    }
    int& box = modifier == kModControl ? controls_.chkCtrl
               : modifier == kModShift ? controls_.chkShift
                                       : controls_.chkWin;
    box = Normalised(state);
    UpdateModifiersFromChecks();
}

// The dialog's own ticks change no mask, so an Alt bit from a hand-edited file stays
// until the user clicks a box.
void frmOptions::ShowModifiers(int32_t modifiers) {
    controls_.chkCtrl = Normalised(modifiers & kModControl);
    controls_.chkShift = Normalised(modifiers & kModShift);
    controls_.chkWin = Normalised(modifiers & kModWin);
}

void frmOptions::UpdateModifiersFromChecks() {
    // The whole mask is replaced: an Alt bit goes here.
    EditModifiers_[SelectedSlot()] = kModControl * controls_.chkCtrl +
                                     kModShift * controls_.chkShift + kModWin * controls_.chkWin;
}

OptionsOutcome frmOptions::PressOk(OptionsServices& services, MessageSink& messages) {
    ProgramSettings& settings = services.settings;
    // Taken before the layout check, so it stays in memory even when the check keeps
    // the dialog open and the user then cancels.
    settings.StartWithWindows = controls_.chkStartWithWindows;
    const std::wstring layout1 = ListText(controls_.layoutList, controls_.layout1Row);
    const std::wstring layout2 = ListText(controls_.layoutList, controls_.layout2Row);
    if (layout1 == layout2) {
        messages.ShowMessage(kEqualLayoutsMessage, MessageIcon::Error);
        return OptionsOutcome::StayOpen;
    }
    // In slot order: a slot taking over a combination another slot still holds is
    // refused, and keeps its edit for the next try.
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        HotkeySlot& slot = settings.Slots[i];
        slot.KeyName = EditKeyNames_[i];
        slot.Modifiers = EditModifiers_[i];
        slot.KeyCode = RegisterOneHotkey(services.hotkeys, messages, slot.Modifiers, slot.KeyName,
                                         slot.HotkeyId);
    }
    if (!ApplyLayoutLoad(services.loadLayouts(layout1, layout2), services.layouts, messages)) {
        return OptionsOutcome::LayoutsFileMissing;
    }
    // What converts now, should the file have lost a chosen layout since the dialog opened.
    static_cast<void>(TakeLayoutNamesInUse(services.layouts.Table, settings));
    settings.AutoSwitchKeyboard = controls_.chkAutoSwitchKeyboard;
    settings.SmartWords = controls_.chkSmartWords;
    services.saveSettings();
    return OptionsOutcome::Applied;
}
