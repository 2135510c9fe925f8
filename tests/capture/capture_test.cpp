#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "capture/convert_cycle.h"
#include "capture_fakes.h"
#include "clipboard_contract.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ClipboardContract, FakeClipboard);

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

class CycleTest : public testing::Test {
  protected:
    CycleTest() { clipboard.SetText(L"users text"); }

    bool Run(int32_t copyMode, int32_t convertMode, bool autoDirection = false,
             bool switchAfter = false) {
        return RunConvertSelection(services, state, copyMode, convertMode, autoDirection,
                                   switchAfter);
    }

    FakeClipboard clipboard;
    FakeDesk desk{clipboard};
    CycleServices services = desk.Services();
    CycleState state;
};

TEST_F(CycleTest, ACycleCopiesConvertsPastesAndPutsTheUsersClipboardBack) {
    desk.Counter = 0;
    EXPECT_TRUE(Run(2, 2));
    EXPECT_EQ(desk.Steps,
              "save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:2 read read "
              "convert abc 2 clear wait<=60:0 put ABC wait<=60:0 expect-paste 17v 86v 86^ 17^ "
              "DebugValue 1 pasted ABC wait<=100:4 clear wait<=100:0 restore");
    EXPECT_EQ(clipboard.Content(), L"users text");
    EXPECT_FALSE(state.Running);
}

TEST_F(CycleTest, WithoutASelectionTheFallbackFollowsTheMode) {
    const std::string line = "16v 36v 36^ 16^", word = "17v 16v 37v 37^ 16^ 17^";
    const struct {
        int32_t mode;
        std::string keys, pasted;
    } cases[] = {{1, line, "LINE"}, {2, line, "LINE"}, {0, word, "WORD"}, {3, word, "WORD"},
                 {5, word, "WORD"}, {8, word, "WORD"}, {9, word, "WORD"}, {-1, word, "WORD"}};
    for (const auto& c : cases) {
        desk.Steps.clear();
        desk.Selection.clear();
        Run(c.mode, c.mode);
        EXPECT_TRUE(Contains(desk.Steps, " read " + c.keys + " wait 60:60 17v 67v 67^ 17^ " +
                                             "wait<=60:2 read convert "))
            << desk.Steps;
        EXPECT_TRUE(Contains(desk.Steps, "pasted " + c.pasted)) << desk.Steps;
    }
}

TEST_F(CycleTest, NothingCopiedPastesNothingAndPutsTheUsersClipboardBack) {
    desk.Selection = desk.WordBeforeCaret = L"";
    Run(3, 3);
    EXPECT_EQ(desk.Steps,
              "save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:60 read "
              "17v 16v 37v 37^ 16^ 17^ wait 60:60 17v 67v 67^ 17^ wait<=60:60 "
              "wait 180:180 clear restore");
    EXPECT_EQ(clipboard.Content(), L"users text");
}

TEST_F(CycleTest, AConvertedTextThatCannotBePlacedIsNotPasted) {
    desk.Counter = 0;
    clipboard.PutFails = true;
    Run(2, 2);
    EXPECT_TRUE(desk.Steps.ends_with("put ABC clear wait<=100:0 restore")) << desk.Steps;
    EXPECT_FALSE(Contains(desk.Steps, "86v"));
    EXPECT_EQ(desk.Counter, 0);
    EXPECT_EQ(clipboard.Content(), L"users text");
}

TEST_F(CycleTest, ARequestDuringAWaitIsIgnoredAndTheUsersClipboardSurvives) {
    int served = 0;
    bool nestedRan = false;
    desk.OnServeMessages = [&] {
        if (served++ == 3) {  // inside the paste, after the copied text was read
            nestedRan = Run(3, 8);
        }
    };
    EXPECT_TRUE(Run(2, 2));
    EXPECT_FALSE(nestedRan);
    EXPECT_TRUE(Contains(desk.Steps, "pasted ABC"));
    EXPECT_EQ(clipboard.Content(), L"users text");
    EXPECT_TRUE(Run(2, 2));  // once the cycle is over, the next request runs
}

TEST_F(CycleTest, HeldModifiersDelayTheFirstInjectedKeyBySecondAtMost) {
    for (const auto& [releasedAt, wait] :
         {std::pair{0.3, "wait<=1000:300 17v"}, std::pair{5.0, "wait<=1000:1000 17v"}}) {
        desk.Steps.clear();
        desk.ModifiersDown = true;
        desk.At(desk.Now + releasedAt, [this] { desk.ModifiersDown = false; });
        Run(2, 2);
        EXPECT_TRUE(desk.Steps.starts_with(std::string("save clear wait<=60:0 ") + wait));
        EXPECT_TRUE(Contains(desk.Steps, "pasted ABC"));
    }
}

TEST_F(CycleTest, DelayIsRereadAtEveryCopy) {
    Run(2, 2);
    desk.Delay = 0.5f;
    desk.Steps.clear();
    Run(2, 2);
    EXPECT_TRUE(desk.Steps.starts_with("save clear wait<=500:0 ")) << desk.Steps;
}

TEST_F(CycleTest, DebugValueCountsWhenNotNegativeAndNeverWraps) {
    const int32_t top = std::numeric_limits<int32_t>::max();
    const struct { int32_t before, after; } cases[] = {{-1, -1}, {0, 1}, {41, 42}, {top, top}};
    for (const auto& c : cases) {
        desk.Steps.clear();
        desk.Counter = c.before;
        Run(2, 2);
        EXPECT_EQ(desk.Counter, c.after);
        EXPECT_EQ(Contains(desk.Steps, "DebugValue"), c.before >= 0) << c.before;
    }
}

TEST_F(CycleTest, ToggleLayoutsPicksTheDirectionAndSwitchesTheLanguageAfter) {
    for (const bool selected : {true, false}) {
        desk.Steps.clear();
        desk.Selection = desk.LineBeforeCaret = selected ? L"abc" : L"";
        EXPECT_TRUE(Run(1, 0, true, true));
        EXPECT_EQ(Contains(desk.Steps, "convert abc 0 auto"), selected);
        EXPECT_TRUE(desk.Steps.ends_with(" 18v 16v 18^ 16^ 16^ 17^ 18^ 16^ 17^ 18^ 16^ 17^ 18^"));
    }
}

}  // namespace
