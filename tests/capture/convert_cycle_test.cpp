#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/convert_cycle.h"
#include "capture_fakes.h"
#include "engine/conversion.h"

namespace {

LayoutTable DemoLayouts() {
    LayoutTable table;
    table.SetKeys(1, {L"a", L"b", L"c", L"h", L"g"});
    table.SetKeys(2, {L"x", L"y", L"z", L"\u0627", L"\u0644"});
    return table;
}

class CycleTest : public testing::Test {
  protected:
    CycleTest() { clipboard.SetText(L"users text"); }

    bool Run(int32_t copyMode, int32_t convertMode, bool autoDirection = false,
             bool switchAfter = false) {
        return RunConvertSelection(services, state, copyMode, convertMode, autoDirection,
                                   switchAfter);
    }

    std::vector<ClipboardItem> UsersItems() const {
        return {FakeClipboard::MakeItem(kFormatUnicodeText, Utf16Bytes(L"users text"))};
    }

    static bool SameItems(const std::vector<ClipboardItem>& a,
                          const std::vector<ClipboardItem>& b) {
        if (a.size() != b.size()) {
            return false;
        }
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].Format != b[i].Format || a[i].Bytes != b[i].Bytes) {
                return false;
            }
        }
        return true;
    }

    Journal journal;
    FakeClock clock{journal};
    FakeClipboard clipboard{journal};
    FakeTarget target{journal, clock, clipboard};
    FakeModifiers modifiers;
    FakeSettings settings{journal};
    LayoutTable layouts = DemoLayouts();
    CycleServices services{target, clock, clipboard, modifiers, settings, layouts};
    CycleState state;
};

TEST_F(CycleTest, StepsRunInOrderAndTheUsersClipboardComesBack) {
    target.Selection = L"abc";
    EXPECT_TRUE(Run(ToLayout2, ToLayout2));
    const Journal expected{"save", "clear", "wait<=0.06",  // emptied before the copy
                           "wait<=1",                      // modifiers released
                           "Ctrl+C", "wait<=0.06", "read",
                           // ConvertAndPaste
                           "read", "clear", "wait<=0.06", "put xyz", "wait<=0.06", "expect paste",
                           "Ctrl+V", "wait<=0.1", "clear", "wait<=0.1", "restore"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"xyz"}));
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
    EXPECT_FALSE(state.Running);
}

TEST_F(CycleTest, KeyEventsOfACycleAreExactlyCopyThenPaste) {
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    const std::vector<KeyRecord> expected{{17, 1, 0}, {67, 1, 0}, {67, 3, 0}, {17, 3, 0},
                                          {17, 1, 0}, {86, 1, 0}, {86, 3, 0}, {17, 3, 0}};
    EXPECT_EQ(target.Events, expected);
}

TEST_F(CycleTest, WaitsEndAsSoonAsTheirStepHasHappened) {
    target.Selection = L"abc";
    target.CopyLatency = 0.003;
    target.PasteLatency = 0.005;
    Run(ToLayout2, ToLayout2);
    ASSERT_EQ(clock.Waits().size(), 7u);
    for (const FakeClock::WaitRecord& wait : clock.Waits()) {
        EXPECT_TRUE(wait.Conditional);
        EXPECT_TRUE(wait.EndedEarly);
    }
    EXPECT_DOUBLE_EQ(clock.Waits()[2].Waited, 0.003);  // the copy
    EXPECT_DOUBLE_EQ(clock.Waits()[5].Waited, 0.005);  // the paste fetching the text
    EXPECT_DOUBLE_EQ(clock.Now(), 0.008);
}

TEST_F(CycleTest, WithoutAVisiblePasteTheRestoreWaitsItsFullTime) {
    target.Selection = L"abc";
    target.PasteLatency = 0.5;  // the target never shows that it fetched the text
    Run(ToLayout2, ToLayout2);
    const FakeClock::WaitRecord& afterPaste = clock.Waits()[5];
    EXPECT_FALSE(afterPaste.EndedEarly);
    EXPECT_FLOAT_EQ(static_cast<float>(afterPaste.Waited), kRestoreWait);
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
}

TEST_F(CycleTest, FallbackSelectionFollowsTheMode) {
    const struct {
        int32_t mode;
        const char* selection;
    } cases[] = {{1, "Shift+Home"},      {2, "Shift+Home"},      {0, "Ctrl+Shift+Left"},
                 {3, "Ctrl+Shift+Left"}, {4, "Ctrl+Shift+Left"}, {5, "Ctrl+Shift+Left"},
                 {8, "Ctrl+Shift+Left"}, {9, "Ctrl+Shift+Left"}, {-1, "Ctrl+Shift+Left"}};
    for (const auto& c : cases) {
        journal.clear();
        target.Selection.clear();
        target.Pasted.clear();
        target.LineBeforeCaret = L"line";
        target.WordBeforeCaret = L"word";
        Run(c.mode, c.mode);
        const Journal expectedStart{"save",      "clear",      "wait<=0.06", "wait<=1",
                                    "Ctrl+C",    "wait<=0.06", "read",       c.selection,
                                    "wait 0.06", "Ctrl+C",     "wait<=0.06", "read"};
        ASSERT_GE(journal.size(), expectedStart.size());
        EXPECT_EQ(Journal(journal.begin(), journal.begin() + expectedStart.size()), expectedStart)
            << "mode " << c.mode;
        ASSERT_EQ(target.Pasted.size(), 1u) << "mode " << c.mode;
        const std::wstring selected = c.mode == 1 || c.mode == 2 ? L"line" : L"word";
        EXPECT_EQ(target.Pasted[0], ApplyConversionMode(layouts, selected, c.mode, false));
    }
}

TEST_F(CycleTest, NothingCopiedPastesNothingAndPutsTheUsersClipboardBack) {
    settings.Counter = 5;
    Run(UpperCase, UpperCase);
    const Journal expected{"save",       "clear",     "wait<=0.06",      "wait<=1",   "Ctrl+C",
                           "wait<=0.06", "read",      "Ctrl+Shift+Left", "wait 0.06", "Ctrl+C",
                           "wait<=0.06", "wait 0.18", "clear",           "restore"};
    EXPECT_EQ(journal, expected);
    EXPECT_TRUE(target.Pasted.empty());
    EXPECT_TRUE(settings.Written.empty());
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
}

TEST_F(CycleTest, AnUnreadableCopyCountsAsNothingCopied) {
    target.Selection = L"abc";
    clipboard.ReadFails = true;
    Run(ToLayout2, ToLayout2);
    EXPECT_TRUE(target.Pasted.empty());
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
}

TEST_F(CycleTest, ATextThatCannotBePlacedIsNotPasted) {
    settings.Counter = 0;
    clipboard.PutFails = true;
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "Ctrl+V"), 0);
    EXPECT_TRUE(target.Pasted.empty());
    EXPECT_TRUE(settings.Written.empty());
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
}

TEST_F(CycleTest, EveryKindOfContentIsRestoredInItsOrder) {
    const std::vector<ClipboardItem> users{
        FakeClipboard::MakeItem(0xC10A, {'<', 'b', '>', 0}),
        FakeClipboard::MakeItem(kFormatFileList, {20, 0, 0, 0, 1, 2, 3}),
        FakeClipboard::MakeItem(kFormatUnicodeText, Utf16Bytes(L"\u0645\u0631\u062d\u0628\u0627")),
    };
    clipboard.Items = users;
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"xyz"}));
    EXPECT_TRUE(SameItems(clipboard.Items, users));
}

TEST_F(CycleTest, AnEmptyClipboardStaysEmpty) {
    clipboard.Items.clear();
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    EXPECT_EQ(target.Pasted.size(), 1u);
    EXPECT_TRUE(clipboard.Items.empty());
}

TEST_F(CycleTest, AClipboardThatCouldNotBeSavedKeepsTheConvertedText) {
    clipboard.SaveFails = true;
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"xyz"}));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.FetchForPaste(), L"xyz");
}

TEST_F(CycleTest, ToggleCaseIsResolvedFromTheText) {
    const struct {
        const wchar_t* selected;
        const wchar_t* pasted;
    } cases[] = {{L"hello world", L"Hello World"},
                 {L"Hello world", L"HELLO WORLD"},
                 {L"HELLO WORLD", L"hello world"},
                 {L"1abc!", L"1abc!"},
                 {L"  ", L"  "}};
    for (const auto& c : cases) {
        target.Selection = c.selected;
        target.Pasted.clear();
        Run(UpperCase, ToggleCase);
        ASSERT_EQ(target.Pasted.size(), 1u) << testing::PrintToString(std::wstring(c.selected));
        EXPECT_EQ(target.Pasted[0], c.pasted);
    }
}

TEST_F(CycleTest, AModeOutsideTheTablePastesTheTextUnchanged) {
    target.Selection = L"abc";
    Run(9, 9);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"abc"}));
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
}

TEST_F(CycleTest, DebugValueCountsOnlyWhenNotNegativeAndNeverWraps) {
    const struct {
        int32_t before;
        std::vector<int32_t> written;
    } cases[] = {{-1, {}},   {-2147483647 - 1, {}},      {0, {1}},
                 {41, {42}}, {2147483646, {2147483647}}, {2147483647, {2147483647}}};
    for (const auto& c : cases) {
        settings.Counter = c.before;
        settings.Written.clear();
        target.Selection = L"abc";
        Run(ToLayout2, ToLayout2);
        EXPECT_EQ(settings.Written, c.written) << "from " << c.before;
    }
}

TEST_F(CycleTest, DebugValueIsWrittenRightAfterThePaste) {
    settings.Counter = 0;
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    const auto paste = std::find(journal.begin(), journal.end(), "Ctrl+V");
    ASSERT_NE(paste, journal.end());
    EXPECT_EQ(*(paste + 1), "DebugValue 1");
}

TEST_F(CycleTest, DelayIsRereadAtEveryCopy) {
    settings.Delays = {0.06f, 0.5f};
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    EXPECT_FLOAT_EQ(state.Delay, 0.06f);
    journal.clear();
    Run(ToLayout2, ToLayout2);
    EXPECT_FLOAT_EQ(state.Delay, 0.5f);
    EXPECT_EQ(journal[2], "wait<=0.5");
}

TEST_F(CycleTest, ARequestDuringAWaitIsIgnoredAndTheUsersClipboardSurvives) {
    target.Selection = L"abc";
    int nestedCalls = 0;
    bool nestedRan = true;
    clock.OnServeMessages = [&] {
        if (nestedCalls++ == 3) {  // in the middle of the paste
            nestedRan = Run(UpperCase, ToggleCase);
        }
    };
    EXPECT_TRUE(Run(ToLayout2, ToLayout2));
    EXPECT_FALSE(nestedRan);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "save"), 1);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"xyz"}));
    EXPECT_TRUE(SameItems(clipboard.Items, UsersItems()));
    // Once the cycle is over, the next request runs.
    clock.OnServeMessages = nullptr;
    EXPECT_TRUE(Run(ToLayout2, ToLayout2));
}

TEST_F(CycleTest, HeldModifiersDelayTheFirstInjectedKey) {
    modifiers.Down = true;
    clock.At(0.3, [&] { modifiers.Down = false; });
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    ASSERT_FALSE(target.Events.empty());
    EXPECT_DOUBLE_EQ(target.Events.front().Time, 0.3);
    EXPECT_TRUE(clock.Waits()[1].EndedEarly);
}

TEST_F(CycleTest, ModifiersHeldTooLongDelayTheCycleBySecondAtMost) {
    modifiers.Down = true;
    target.Selection = L"abc";
    Run(ToLayout2, ToLayout2);
    ASSERT_FALSE(target.Events.empty());
    EXPECT_DOUBLE_EQ(target.Events.front().Time, kModifierReleaseLimit);
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"xyz"}));
}

TEST_F(CycleTest, ToggleLayoutsHotkeyPicksTheDirectionAndSwitchesTheLanguage) {
    target.Selection = L"hg";
    EXPECT_TRUE(Run(ToLayout1, ToggleLayouts, true, true));
    EXPECT_EQ(target.Pasted, (std::vector<std::wstring>{L"\u0627\u0644"}));
    EXPECT_FALSE(state.AutoDirection);
    const std::vector<KeyRecord> tail{{18, 1, 0}, {16, 1, 0}, {18, 3, 0}, {16, 3, 0}, {16, 3, 0},
                                      {17, 3, 0}, {18, 3, 0}, {16, 3, 0}, {17, 3, 0}, {18, 3, 0},
                                      {16, 3, 0}, {17, 3, 0}, {18, 3, 0}};
    ASSERT_GE(target.Events.size(), tail.size());
    EXPECT_EQ(std::vector<KeyRecord>(target.Events.end() - tail.size(), target.Events.end()), tail);
}

TEST_F(CycleTest, LayoutSwitchIsSentEvenWhenNothingWasCopied) {
    EXPECT_TRUE(Run(ToLayout1, ToggleLayouts, true, true));
    EXPECT_TRUE(target.Pasted.empty());
    EXPECT_EQ(target.Events.back(), (KeyRecord{18, 3, 0}));
}

TEST(CycleRunTest, OnlyTheOutermostRunOwnsTheFlag) {
    CycleState state;
    {
        const CycleRun outer(state);
        EXPECT_TRUE(outer.Started());
        {
            const CycleRun inner(state);
            EXPECT_FALSE(inner.Started());
        }
        EXPECT_TRUE(state.Running);
    }
    EXPECT_FALSE(state.Running);
}

}  // namespace
