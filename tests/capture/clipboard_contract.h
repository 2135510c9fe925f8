#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "capture/clipboard.h"

// What the cycle relies on from any CycleClipboard. Instantiated for the fake (every
// build) and for the Win32 clipboard (under Wine), so the fake cannot drift.
template <typename Clipboard>
class ClipboardContract : public testing::Test {
  protected:
    Clipboard clipboard_;
};
TYPED_TEST_SUITE_P(ClipboardContract);

TYPED_TEST_P(ClipboardContract, PutTextIsReadBackAsItWasPut) {
    auto& clipboard = this->clipboard_;
    for (const std::wstring text :
         {L"", L"a", L"\u0643\u062a\u0627\u0628 book", L"\xD83D\xDE00 x"}) {
        ASSERT_TRUE(clipboard.PutText(text));
        EXPECT_TRUE(clipboard.HasText());
        EXPECT_FALSE(clipboard.IsEmpty());
        EXPECT_EQ(clipboard.ReadText(), text);
    }
}

TYPED_TEST_P(ClipboardContract, SequenceNumberChangesWithEveryChange) {
    auto& clipboard = this->clipboard_;
    const ClipboardSnapshot snapshot = clipboard.Save();
    const std::function<bool()> changes[] = {[&] { return clipboard.PutText(L"x"); },
                                             [&] { return clipboard.Clear(); },
                                             [&] { return clipboard.Restore(snapshot); }};
    for (const auto& change : changes) {
        const uint32_t before = clipboard.SequenceNumber();
        ASSERT_TRUE(change());
        EXPECT_NE(clipboard.SequenceNumber(), before);
    }
}

TYPED_TEST_P(ClipboardContract, SaveAndRestoreRoundTripAlsoForAnEmptyClipboard) {
    auto& clipboard = this->clipboard_;
    const std::wstring users = L"users \u0633\u0644\u0627\u0645";
    for (const bool withText : {true, false}) {
        ASSERT_TRUE(withText ? clipboard.PutText(users) : clipboard.Clear());
        EXPECT_EQ(clipboard.IsEmpty(), !withText);
        EXPECT_EQ(clipboard.HasText(), withText);
        const ClipboardSnapshot snapshot = clipboard.Save();
        ASSERT_TRUE(snapshot.Saved);
        ASSERT_TRUE(clipboard.PutText(L"converted"));
        ASSERT_TRUE(clipboard.Restore(snapshot));
        EXPECT_EQ(clipboard.IsEmpty(), !withText);
        EXPECT_EQ(clipboard.ReadText(), withText ? std::optional(users) : std::nullopt);
    }
}

TYPED_TEST_P(ClipboardContract, RestoringAnUnsavedSnapshotChangesNothing) {
    auto& clipboard = this->clipboard_;
    ASSERT_TRUE(clipboard.PutText(L"kept"));
    const uint32_t before = clipboard.SequenceNumber();
    EXPECT_FALSE(clipboard.Restore(ClipboardSnapshot{}));
    EXPECT_EQ(clipboard.ReadText(), L"kept");
    EXPECT_EQ(clipboard.SequenceNumber(), before);
}

REGISTER_TYPED_TEST_SUITE_P(ClipboardContract, PutTextIsReadBackAsItWasPut,
                            SequenceNumberChangesWithEveryChange,
                            SaveAndRestoreRoundTripAlsoForAnEmptyClipboard,
                            RestoringAnUnsavedSnapshotChangesNothing);
