// The options dialog's logic: its edits and the order of what OK applies, against a
// registrar that refuses like the system and services that write down every call.

#include "program/options_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using Log = std::vector<std::wstring>;

// Registers like the system: a combination another application holds is refused; every
// call and message is written to one log.
class FakeProgram final : public GlobalHotkeys, public MessageSink {
  public:
    explicit FakeProgram(Log& log) : log_(log) {}
    int32_t AddGlobalAtom(const std::wstring&) override { return 0; }
    void DeleteGlobalAtom(int32_t) override {}
    bool Register(int32_t id, int32_t modifiers, int32_t keyCode) override {
        log_.push_back(L"Register " + std::to_wstring(id) + L" " + std::to_wstring(modifiers) +
                       L" " + std::to_wstring(keyCode));
        return !heldElsewhere.contains({modifiers, keyCode});
    }
    void Unregister(int32_t id) override { log_.push_back(L"Unregister " + std::to_wstring(id)); }
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        log_.push_back(L"Message " + std::to_wstring(static_cast<int>(icon)) + L" " + text);
    }

    std::set<std::pair<int32_t, int32_t>> heldElsewhere;

  private:
    Log& log_;
};

class OptionsModelTest : public testing::Test {
  protected:
    OptionsModelTest() {
        settings.Slots = {{{L"F9", 8, 120, 1}, {L"F10", 8, 121, 2}, {L"F11", 8, 122, 3}}};
        settings.StartWithWindows = settings.AutoSwitchKeyboard = 1;
        layouts.Table.LayoutNames = {L"[English]", L"[Arabic]", L"[Short]"};
        layouts.Table.LayoutNameCount = 3;
        layouts.Table.Layout1Name = L"English";
        layouts.Table.Layout2Name = L"Arabic";
    }

    void Load() { form.Form_Load(settings, layouts.Table); }
    int Row(const std::vector<std::wstring>& list, const std::wstring& text) const {
        return static_cast<int>(std::find(list.begin(), list.end(), text) - list.begin());
    }
    void PickKey(const std::wstring& name) { form.SelectKey(Row(form.Controls().keyList, name)); }
    void PickLayout2(const std::wstring& name) {
        form.SelectLayout2(Row(form.Controls().layoutList, name));
    }
    OptionsOutcome PressOk() { return form.PressOk(services, program); }

    Log log;
    ProgramSettings settings;
    LayoutLoad layouts;
    LayoutLoad nextLoad;  // what layouts.txt gives at OK
    FakeProgram program{log};
    OptionsServices services{settings, layouts, program,
                             [this](const std::wstring& first, const std::wstring& second) {
                                 log.push_back(L"Load " + first + L" / " + second);
                                 return nextLoad;
                             },
                             [this] {
                                 log.push_back(L"Save " +
                                               std::to_wstring(settings.StartWithWindows) +
                                               std::to_wstring(settings.AutoSwitchKeyboard) +
                                               std::to_wstring(settings.SmartWords));
                             }};
    frmOptions form;
};

TEST_F(OptionsModelTest, OkRegistersInSlotOrderThenLoadsTheLayoutsWarnsAndSavesLast) {
    program.heldElsewhere.insert({8, 122});
    nextLoad.Table.Layout1Name = L"Default";  // the file lost "English" since the dialog opened
    nextLoad.Table.Layout2Name = L"Short";
    nextLoad.Warning = L"counts differ";
    Load();
    PickLayout2(L"Short");
    form.TickStartWithWindows(kUnchecked);
    form.TickAutoSwitchKeyboard(kUnchecked);
    form.TickSmartWords(kChecked);
    ASSERT_EQ(PressOk(), OptionsOutcome::Applied);
    EXPECT_EQ(log, (Log{L"Unregister 1", L"Register 1 8 120", L"Unregister 2", L"Register 2 8 121",
                        L"Unregister 3", L"Register 3 8 122",
                        L"Message 1 Current hotkey Win + F11 is used by another application.\r\n"
                        L"Please select another one.",
                        L"Load English / Short", L"Message 1 counts differ", L"Save 001"}));
    EXPECT_EQ(settings.Slots[2].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(settings.Slots[2].KeyName, L"F11") << "a refused slot keeps its combination";
    EXPECT_EQ(layouts.Table.Layout2Name, L"Short");
    EXPECT_EQ(settings.Layout1Name + L"/" + settings.Layout2Name, L"Default/Short") << "in use";
}

TEST_F(OptionsModelTest, EqualLayoutsKeepTheDialogOpenHavingTakenOnlyStartWithWindows) {
    Load();
    PickKey(L"Q");
    form.TickStartWithWindows(kUnchecked);
    PickLayout2(L"English");
    EXPECT_EQ(PressOk(), OptionsOutcome::StayOpen);
    EXPECT_EQ(log, Log{L"Message 0 " + kEqualLayoutsMessage});
    EXPECT_EQ(settings.StartWithWindows, 0) << "taken before the check";
    EXPECT_EQ(settings.Slots[0].KeyName, L"F9");
    EXPECT_EQ(layouts.Table.Layout2Name, L"Arabic");

    PickLayout2(L"Short");
    EXPECT_EQ(PressOk(), OptionsOutcome::Applied) << "the edits stay for another try";
    EXPECT_EQ(settings.Slots[0].KeyCode, 'Q');
}

TEST_F(OptionsModelTest, AMissingLayoutsFileAtOkEndsWithoutSaving) {
    nextLoad.FileMissing = true;
    Load();
    EXPECT_EQ(PressOk(), OptionsOutcome::LayoutsFileMissing);
    EXPECT_EQ(log.back(), L"Message 0 " + kMissingLayoutsMessage);
    EXPECT_EQ(layouts.Table.Layout2Name, L"Arabic");
}

TEST_F(OptionsModelTest, EditsFollowTheKeyListAndTheBoxesAndApplyNothingBeforeOk) {
    settings.Slots[0].Modifiers = 9;            // Alt+Win, from a hand-edited file
    settings.Slots[1] = {L"(NONE)", 8, -1, 2};  // stored as "8;(NONE)"
    settings.Slots[2] = {L"F13", 8, 124, 3};    // outside the key table
    Load();
    const OptionsControls& shown = form.Controls();
    EXPECT_EQ((std::array{shown.chkCtrl, shown.chkShift, shown.chkWin}), (std::array{0, 0, 1}));
    form.SelectAction(1);
    EXPECT_FALSE(shown.modifierBoxesEnabled);
    form.ClickModifierBox(kModWin, kChecked);
    EXPECT_EQ(form.EditModifiers()[1], 0) << "shown, the stored (NONE) loses its mask";
    PickKey(L"B");
    EXPECT_TRUE(shown.modifierBoxesEnabled);
    form.SelectAction(2);
    EXPECT_EQ(shown.keyList.at(shown.keyRow), L"F13");
    form.SelectAction(0);
    EXPECT_EQ(form.EditModifiers()[0], 9) << "the dialog's own ticks change no mask";
    form.ClickModifierBox(kModControl, kChecked);
    EXPECT_EQ(form.EditKeyNames(), (std::array<std::wstring, 3>{L"F9", L"B", L"F13"}));
    EXPECT_EQ(form.EditModifiers(), (std::array<int32_t, 3>{10, 0, 8}));
    form.TickStartWithWindows(kUnchecked);
    EXPECT_TRUE(log.empty()) << "Cancel: nothing reached the program";
    EXPECT_EQ(settings.Slots[0].Modifiers, 9);
    EXPECT_EQ(settings.StartWithWindows, 1);
}

TEST_F(OptionsModelTest, NoneAndAnEmptyKeyNameRegisterNothingAndSayNothing) {
    for (const std::wstring& keyName : {kNoHotkeyName, std::wstring()}) {
        log.clear();
        EXPECT_EQ(RegisterOneHotkey(program, program, 8, keyName, 1), kHotkeyNotRegistered);
        EXPECT_EQ(log, Log{L"Unregister 1"});
    }
}

}  // namespace
