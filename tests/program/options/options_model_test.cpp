// The options dialog's logic against a started program: real settings file and
// layouts.txt in a temporary folder, a registrar that refuses like the system.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "hotkeys/hotkey_text.h"
#include "options_fixture.h"
#include "program/options/options_model.h"

namespace {

int KeyRow(const frmOptions& form, const std::wstring& keyName) {
    const auto& list = form.Controls().keyList;
    const auto found = std::find(list.begin(), list.end(), keyName);
    return found == list.end() ? kNoSelection : static_cast<int>(found - list.begin());
}

int LayoutRow(const frmOptions& form, const std::wstring& name) {
    const auto& list = form.Controls().layoutList;
    const auto found = std::find(list.begin(), list.end(), name);
    return found == list.end() ? kNoSelection : static_cast<int>(found - list.begin());
}

struct Ticks {
    int ctrl, shift, win;
    bool operator==(const Ticks&) const = default;
};

Ticks TicksOf(const frmOptions& form) {
    return {form.Controls().chkCtrl, form.Controls().chkShift, form.Controls().chkWin};
}

std::ostream& operator<<(std::ostream& out, const Ticks& ticks) {
    return out << "ctrl " << ticks.ctrl << " shift " << ticks.shift << " win " << ticks.win;
}

class OptionsModelTest : public ::testing::Test {
  protected:
    void Open(std::string_view settingsText = {}) {
        program.emplace(settingsText);
        form = frmOptions{};
        form.Form_Load(program->settings, program->layouts);
    }

    OptionsOutcome PressOk() {
        OptionsServices services = program->Services();
        return form.cmdOK_Click(services);
    }

    void PickKey(const std::wstring& keyName) { form.Combo1_Click(KeyRow(form, keyName)); }

    std::optional<StartedProgram> program;
    frmOptions form;
};

TEST(ActionIndexForRowTest, RowsZeroAndOneAreTheirOwnIndexEverythingElseIsTwo) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {kNoSelection, 2},
                                         {3, 2}, {-7, 2}};
    for (const auto& [row, index] : cases) {
        EXPECT_EQ(ActionIndexForRow(row), index) << "row " << row;
    }
}

TEST_F(OptionsModelTest, DefaultsOpenOnToggleLayoutsWithF9AndOnlyWinTicked) {
    Open();
    const OptionsControls& controls = form.Controls();
    EXPECT_EQ(controls.actionList,
              (std::vector<std::wstring>{L"Toggle layouts", L"Toggle letters case",
                                         L"Show program window"}));
    EXPECT_EQ(controls.actionRow, 0);
    EXPECT_EQ(ListText(controls.keyList, controls.keyRow), L"F9");
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 1}));
    EXPECT_TRUE(controls.modifierBoxesEnabled);
    EXPECT_EQ(controls.chkStartWithWindows, kChecked);
    EXPECT_EQ(controls.chkAutoSwitchKeyboard, kChecked);
    EXPECT_TRUE(form.SyncChecks());

    EXPECT_FALSE(form.OkFocused());
    EXPECT_TRUE(form.Form_Paint()) << "the first paint focuses OK";
    EXPECT_TRUE(form.OkFocused());
    EXPECT_FALSE(form.Form_Paint()) << "later paints leave the focus alone";
    form.Form_Unload();
    EXPECT_FALSE(form.OkFocused());
}

TEST_F(OptionsModelTest, ListsHoldTheKeyTableAndTheLayoutNamesWithoutBrackets) {
    Open();
    const OptionsControls& controls = form.Controls();
    ASSERT_EQ(controls.keyList.size(), 67u);
    EXPECT_EQ(controls.keyList[0], L"(NONE)");
    EXPECT_TRUE(
        std::equal(controls.keyList.begin(), controls.keyList.end(), kHotkeyKeyNames.begin()));
    EXPECT_EQ(
        controls.layoutList,
        (std::vector<std::wstring>{L"English (101 Keys)", L"Arabic (101 Keys)", L"Short demo"}));
    EXPECT_EQ(controls.layout1Row, 0);
    EXPECT_EQ(controls.layout2Row, 1);
}

TEST_F(OptionsModelTest, EachActionKeepsItsOwnEditAcrossSelectionChanges) {
    Open();
    PickKey(L"A");
    form.chkCtrl_Click(kChecked);
    form.List1_Click(1);
    EXPECT_EQ(ListText(form.Controls().keyList, form.Controls().keyRow), L"F10");
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 1}));
    form.chkShift_Click(kChecked);
    form.List1_Click(0);
    EXPECT_EQ(ListText(form.Controls().keyList, form.Controls().keyRow), L"A");
    EXPECT_EQ(TicksOf(form), (Ticks{1, 0, 1}));
    EXPECT_EQ(form.EditKeyNames()[0], L"A");
    EXPECT_EQ(form.EditModifiers()[0], 10);
    EXPECT_EQ(form.EditKeyNames()[1], L"F10");
    EXPECT_EQ(form.EditModifiers()[1], 12);
    EXPECT_EQ(form.EditModifiers()[2], 8) << "the action never selected keeps its mask";
}

TEST_F(OptionsModelTest, NoneClearsAndDisablesTheBoxesAndOkSavesNoHotkey) {
    Open();
    PickKey(L"(NONE)");
    EXPECT_EQ(form.Controls().keyRow, 0);
    EXPECT_FALSE(form.Controls().modifierBoxesEnabled);
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 0}));
    EXPECT_EQ(form.EditModifiers()[0], 0);
    form.chkWin_Click(kChecked);
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 0})) << "a disabled box takes no click";

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->settings.Slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(program->registrar.registered.count(program->settings.Slots[0].HotkeyId), 0u);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"0;(NONE)");
}

TEST_F(OptionsModelTest, PickingAKeyAfterNoneEnablesTheBoxesStillClear) {
    Open();
    PickKey(L"(NONE)");
    PickKey(L"B");
    EXPECT_TRUE(form.Controls().modifierBoxesEnabled);
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 0}));
    EXPECT_EQ(form.EditKeyNames()[0], L"B");
    EXPECT_EQ(form.EditModifiers()[0], 0);
}

TEST_F(OptionsModelTest, AStoredNoneWithAMaskLosesTheMaskOnlyOnceSelected) {
    Open(SettingsWithKeys("Hotkey2=8;(NONE)\r\nHotkey3=8;(NONE)\r\n"));
    EXPECT_EQ(form.EditModifiers()[1], 8);
    form.List1_Click(1);
    EXPECT_FALSE(form.Controls().modifierBoxesEnabled);
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 0}));
    EXPECT_EQ(form.EditModifiers()[1], 0);

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->Stored(L"Hotkey2"), L"0;(NONE)");
    EXPECT_EQ(program->Stored(L"Hotkey3"), L"8;(NONE)") << "never selected, so kept as stored";
}

TEST_F(OptionsModelTest, AnAltBitShowsOnlyWinAndSurvivesUntilABoxIsClicked) {
    Open(SettingsWithKeys("HotKey1=9;F9\r\n"));
    EXPECT_EQ(TicksOf(form), (Ticks{0, 0, 1}));
    form.List1_Click(2);
    form.List1_Click(0);
    EXPECT_EQ(form.EditModifiers()[0], 9) << "ticks set by the dialog itself change nothing";

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"9;F9");
    EXPECT_EQ(program->registrar.registered.at(program->settings.Slots[0].HotkeyId),
              std::make_pair(9, 120));
}

TEST_F(OptionsModelTest, TickingCtrlOnAnAltMaskReplacesTheWholeMask) {
    Open(SettingsWithKeys("HotKey1=9;F9\r\n"));
    form.chkCtrl_Click(kChecked);
    EXPECT_EQ(form.EditModifiers()[0], 10);
    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"10;F9");
}

TEST_F(OptionsModelTest, SwappingTwoKeysRefusesTheFirstSlotAndSavesBothAsEdited) {
    Open();
    PickKey(L"F10");
    form.List1_Click(1);
    PickKey(L"F9");

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    const HotkeySlots& slots = program->settings.Slots;
    EXPECT_EQ(slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(slots[1].KeyCode, 120);
    EXPECT_EQ(slots[2].KeyCode, 122);
    const std::wstring conflict =
        L"Message exclamation Current hotkey Win + F10 is used by another application.\r\n"
        L"Please select another one.";
    EXPECT_EQ(std::count(program->log.begin(), program->log.end(), conflict), 1);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"8;F10");
    EXPECT_EQ(program->Stored(L"Hotkey2"), L"8;F9");

    // The next OK registers slot 1, now that slot 2 has let F10 go.
    form = frmOptions{};
    form.Form_Load(program->settings, program->layouts);
    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->settings.Slots[0].KeyCode, 121);
}

TEST_F(OptionsModelTest, OkAppliesInOrderRegistrationsLayoutsCountCheckThenSave) {
    Open();
    program->registrar.heldElsewhere.insert({8, 122});  // Win+F11 taken by another program
    form.cmbLayout2_Click(LayoutRow(form, L"Short demo"));
    form.chkAutoSwitchKeyboard_Click(kUnchecked);
    form.chkStartWithWindows_Click(kUnchecked);

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    const EventLog expected = {
        L"Unregister 49153",
        L"Register 49153 8 120",
        L"Unregister 49154",
        L"Register 49154 8 121",
        L"Unregister 49155",
        L"Register 49155 8 122",
        L"Message exclamation Current hotkey Win + F11 is used by another application.\r\n"
        L"Please select another one.",
        L"Caption 0 &English ",
        L"Caption 1 &Short demo",
        L"Message exclamation " + kUnequalKeyCountsMessage,
    };
    EXPECT_EQ(program->log, expected);
    EXPECT_EQ(program->layouts.Layout2Name, L"Short demo");
    EXPECT_EQ(program->layouts.Layout2Keys, (std::vector<std::wstring>{L"p", L"q"}));
    EXPECT_EQ(program->layouts.Layout1KeyCount, 2);
    EXPECT_EQ(program->settings.AutoSwitchKeyboard, 0);
    EXPECT_EQ(program->settings.StartWithWindows, 0);
    EXPECT_EQ(program->Stored(L"Layout2"), L"Short demo");
    EXPECT_EQ(program->Stored(L"AutoSwitchKeyboard"), L"0");
    EXPECT_EQ(program->Stored(L"StartWithWindows"), L"0");
    EXPECT_EQ(program->Stored(L"Hotkey3"), L"8;F11") << "a refused slot keeps its combination";
    EXPECT_FALSE(program->registry.RunValue().has_value());
}

TEST_F(OptionsModelTest, EqualLayoutsKeepTheDialogOpenAndChangeNothingButStartWithWindows) {
    Open();
    const std::string fileBefore = program->SettingsFileBytes();
    const HotkeySlots slotsBefore = program->settings.Slots;
    const std::vector<std::wstring> keysBefore = program->layouts.Layout2Keys;
    PickKey(L"Q");
    form.chkStartWithWindows_Click(kUnchecked);
    form.cmbLayout2_Click(form.Controls().layout1Row);

    EXPECT_EQ(PressOk(), OptionsOutcome::StayOpen);
    EXPECT_EQ(program->log,
              (EventLog{L"Message error First and second layout must be different!"}));
    EXPECT_EQ(program->settings.StartWithWindows, 0) << "taken before the check";
    EXPECT_EQ(program->settings.Slots[0].KeyName, slotsBefore[0].KeyName);
    EXPECT_EQ(program->settings.Slots[0].KeyCode, slotsBefore[0].KeyCode);
    EXPECT_EQ(program->layouts.Layout2Name, L"Arabic (101 Keys)");
    EXPECT_EQ(program->layouts.Layout2Keys, keysBefore);
    EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
    EXPECT_EQ(form.EditKeyNames()[0], L"Q") << "the edits stay for another try";

    EXPECT_EQ(form.cmdCancel_Click(), OptionsOutcome::Cancelled);
    EXPECT_EQ(program->settings.StartWithWindows, 0);
    frmOptions reopened;
    reopened.Form_Load(program->settings, program->layouts);
    EXPECT_EQ(reopened.Controls().chkStartWithWindows, kUnchecked) << "the next opening shows it";
}

TEST_F(OptionsModelTest, StoredLayoutNamesNotInTheFileLeaveBothListsEmptyAndEqual) {
    Open(SettingsWithKeys("Layout1=Klingon\r\nLayout2=Elvish\r\n"));
    EXPECT_EQ(form.Controls().layout1Row, kNoSelection);
    EXPECT_EQ(form.Controls().layout2Row, kNoSelection);
    EXPECT_EQ(PressOk(), OptionsOutcome::StayOpen);
    EXPECT_EQ(program->log,
              (EventLog{L"Message error First and second layout must be different!"}));

    form.cmbLayout1_Click(LayoutRow(form, L"English (101 Keys)"));
    EXPECT_EQ(PressOk(), OptionsOutcome::Applied) << "one empty, one picked: they differ";
    EXPECT_EQ(program->layouts.Layout1Name, L"English (101 Keys)");
    EXPECT_EQ(program->layouts.Layout2Name, L"");
}

TEST_F(OptionsModelTest, CancelAfterEditsChangesNothing) {
    Open();
    const std::string fileBefore = program->SettingsFileBytes();
    const HotkeySlots slotsBefore = program->settings.Slots;
    const LayoutTable& layouts = program->layouts;
    const std::wstring layout2Before = layouts.Layout2Name;
    PickKey(L"(NONE)");
    form.List1_Click(2);
    form.chkCtrl_Click(kChecked);
    form.cmbLayout2_Click(LayoutRow(form, L"Short demo"));
    form.chkStartWithWindows_Click(kUnchecked);
    form.chkAutoSwitchKeyboard_Click(kUnchecked);

    EXPECT_EQ(form.cmdCancel_Click(), OptionsOutcome::Cancelled);
    EXPECT_TRUE(program->log.empty());
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        EXPECT_EQ(program->settings.Slots[i].KeyName, slotsBefore[i].KeyName);
        EXPECT_EQ(program->settings.Slots[i].Modifiers, slotsBefore[i].Modifiers);
        EXPECT_EQ(program->settings.Slots[i].KeyCode, slotsBefore[i].KeyCode);
    }
    EXPECT_EQ(layouts.Layout2Name, layout2Before);
    EXPECT_EQ(program->settings.StartWithWindows, 1);
    EXPECT_EQ(program->settings.AutoSwitchKeyboard, 1);
    EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
}

TEST_F(OptionsModelTest, AKeyNameOutsideTheTableIsShownKeptAndRegistered) {
    Open(SettingsWithKeys("HotKey1=8;F13\r\n"));
    ASSERT_EQ(form.Controls().keyList.size(), 68u);
    EXPECT_EQ(form.Controls().keyList.back(), L"F13");
    EXPECT_EQ(ListText(form.Controls().keyList, form.Controls().keyRow), L"F13");
    EXPECT_TRUE(form.Controls().modifierBoxesEnabled);

    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->settings.Slots[0].KeyCode, 124);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"8;F13");
}

TEST_F(OptionsModelTest, AKeyNameOutsideTheTableGoesOnceAnotherKeyIsPicked) {
    Open(SettingsWithKeys("HotKey1=8;F13\r\n"));
    PickKey(L"F12");
    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"8;F12");
}

TEST_F(OptionsModelTest, OnOffSettingsOtherThanOneShowTicked) {
    Open(SettingsWithKeys("StartWithWindows=5\r\nAutoSwitchKeyboard=-1\r\n"));
    EXPECT_EQ(form.Controls().chkStartWithWindows, kChecked);
    EXPECT_EQ(form.Controls().chkAutoSwitchKeyboard, kChecked);
    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(program->Stored(L"StartWithWindows"), L"1");
    EXPECT_TRUE(program->registry.RunValue().has_value());
}

TEST_F(OptionsModelTest, AMissingLayoutsFileAtOkEndsTheProgramWithoutSaving) {
    Open();
    const std::string fileBefore = program->SettingsFileBytes();
    form.chkAutoSwitchKeyboard_Click(kUnchecked);
    std::filesystem::remove(program->folder.path() / "layouts.txt");

    EXPECT_EQ(PressOk(), OptionsOutcome::LayoutsFileMissing);
    EXPECT_EQ(program->log.back(), L"EndProgram");
    EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
}

}  // namespace
