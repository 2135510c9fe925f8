#pragma once

#include <gtest/gtest.h>

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

TYPED_TEST_P(ClipboardContract, TextPutAndSnapshotsRestoredReadBackAsTheyWere) {
    auto& clipboard = this->clipboard_;
    ASSERT_TRUE(clipboard.Clear());
    const ClipboardSnapshot empty = clipboard.Save();
    for (const std::wstring text :
         {L"", L"a", L"\u0643\u062a\u0627\u0628 book", L"\xD83D\xDE00 x"}) {
        ASSERT_TRUE(clipboard.PutText(text));
        EXPECT_TRUE(clipboard.HasText());
        EXPECT_FALSE(clipboard.IsEmpty());
        EXPECT_EQ(clipboard.ReadText(), text);
        const ClipboardSnapshot snapshot = clipboard.Save();
        ASSERT_TRUE(clipboard.Restore(empty));
        EXPECT_TRUE(clipboard.IsEmpty());
        ASSERT_TRUE(clipboard.Restore(snapshot));
        EXPECT_EQ(clipboard.ReadText(), text);
    }
}

REGISTER_TYPED_TEST_SUITE_P(ClipboardContract, TextPutAndSnapshotsRestoredReadBackAsTheyWere);
