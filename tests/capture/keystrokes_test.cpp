#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "capture/keystrokes.h"
#include "capture_fakes.h"

namespace {

class RecordingKeys final : public KeyInjector {
  public:
    std::vector<KeyRecord> Events;
    int Accepted = 1;
    int SendKeyEvent(uint8_t vk, uint32_t flags) override {
        Events.push_back({vk, flags, 0});
        return Accepted;
    }
};

KeyRecord Down(uint8_t vk) {
    return {vk, 1, 0};
}
KeyRecord Up(uint8_t vk) {
    return {vk, 3, 0};
}

std::string Describe(const std::vector<KeyRecord>& events) {
    std::string text;
    for (const KeyRecord& event : events) {
        text += std::to_string(event.Vk) + (event.Flags == 1   ? "v "
                                            : event.Flags == 3 ? "^ "
                                                               : "? ");
    }
    return text;
}

struct SequenceCase {
    const char* name;
    std::function<int(KeyInjector&)> send;
    std::vector<KeyRecord> expected;
};

TEST(KeystrokesTest, SequencesSendExactEventsWithExtendedFlags) {
    const SequenceCase cases[] = {
        {"PressKeyDown", [](KeyInjector& k) { return PressKeyDown(k, 65); }, {Down(65)}},
        {"ReleaseKey", [](KeyInjector& k) { return ReleaseKey(k, 65); }, {Up(65)}},
        {"PressKey", [](KeyInjector& k) { return PressKey(k, 255); }, {Down(255), Up(255)}},
        {"PressKey 0", [](KeyInjector& k) { return PressKey(k, 0); }, {Down(0), Up(0)}},
        {"copy", SendCopyKeys, {Down(17), Down(67), Up(67), Up(17)}},
        {"paste", SendPasteKeys, {Down(17), Down(86), Up(86), Up(17)}},
        // Alt goes up before Shift, or the chord would not switch the language.
        {"Alt+Shift", SwitchKeyboardLayout, {Down(18), Down(16), Up(18), Up(16)}},
        {"release modifiers",
         ReleaseModifierKeys,
         {Up(16), Up(17), Up(18), Up(16), Up(17), Up(18), Up(16), Up(17), Up(18)}},
    };
    for (const SequenceCase& c : cases) {
        RecordingKeys keys;
        const int sent = c.send(keys);
        EXPECT_EQ(keys.Events, c.expected) << c.name << ": " << Describe(keys.Events);
        EXPECT_EQ(sent, static_cast<int>(c.expected.size())) << c.name;
    }
}

TEST(KeystrokesTest, KeyCodesOutsideAByteSendNothing) {
    for (const int32_t vk : {-1, 256, 0x10041}) {
        RecordingKeys keys;
        EXPECT_EQ(PressKeyDown(keys, vk), 0);
        EXPECT_EQ(PressKey(keys, vk), 0);
        EXPECT_EQ(ReleaseKey(keys, vk), 0);
        EXPECT_TRUE(keys.Events.empty()) << vk;
    }
}

TEST(KeystrokesTest, RefusedEventsAreCountedOut) {
    RecordingKeys keys;
    keys.Accepted = 0;
    EXPECT_EQ(ReleaseModifierKeys(keys), 0);
    EXPECT_EQ(keys.Events.size(), 9u);  // every event is still attempted
}

TEST(KeystrokesTest, SelectBeforeCaretPicksLineForLayoutModesAndWordOtherwise) {
    const std::vector<KeyRecord> line{Down(16), Down(36), Up(36), Up(16)};
    const std::vector<KeyRecord> word{Down(17), Down(16), Down(37), Up(37), Up(16), Up(17)};
    const struct {
        int32_t mode;
        const std::vector<KeyRecord>& expected;
    } cases[] = {{1, line}, {2, line}, {0, word}, {-1, word}, {3, word},
                 {4, word}, {5, word}, {8, word}, {9, word},  {1000, word}};
    for (const auto& c : cases) {
        RecordingKeys keys;
        Journal journal;
        FakeClock clock(journal);
        SelectBeforeCaret(keys, clock, c.mode, 0.25f);
        EXPECT_EQ(keys.Events, c.expected) << "mode " << c.mode << ": " << Describe(keys.Events);
        EXPECT_EQ(journal, Journal{"wait 0.25"}) << "mode " << c.mode;
        EXPECT_DOUBLE_EQ(clock.Now(), 0.25f);
    }
}

}  // namespace
