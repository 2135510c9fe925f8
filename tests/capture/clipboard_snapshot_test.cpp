#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "capture/clipboard_snapshot.h"

namespace {

TEST(ClipboardSnapshotTest, HowEachFormatIsCopied) {
    const struct {
        uint32_t format;
        FormatCopying expected;
    } cases[] = {
        {1, FormatCopying::Memory},          {2, FormatCopying::Bitmap},
        {3, FormatCopying::NotCopyable},     {7, FormatCopying::Memory},
        {8, FormatCopying::Memory},          {9, FormatCopying::NotCopyable},
        {13, FormatCopying::Memory},         {14, FormatCopying::EnhancedMetafile},
        {15, FormatCopying::Memory},         {16, FormatCopying::Memory},
        {17, FormatCopying::Memory},         {0x80, FormatCopying::NotCopyable},
        {0x81, FormatCopying::Memory},       {0x82, FormatCopying::NotCopyable},
        {0x8E, FormatCopying::NotCopyable},  {0x200, FormatCopying::NotCopyable},
        {0x2FF, FormatCopying::NotCopyable}, {0x300, FormatCopying::NotCopyable},
        {0x3FF, FormatCopying::NotCopyable}, {0xC000, FormatCopying::Memory},
        {0xFFFF, FormatCopying::Memory},     {0x10000, FormatCopying::NotCopyable},
        {0, FormatCopying::NotCopyable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HowToCopyFormat(c.format), c.expected) << "format " << c.format;
    }
}

TEST(ClipboardSnapshotTest, KeepsEveryCopyableFormatInOfferOrder) {
    const std::vector<OfferedFormat> offered{{0xC0F1, 500}, {13, 10},  {0x200, 4}, {15, 40},
                                             {2, 4000},     {0x80, 0}, {1, 5}};
    const FormatChoice choice = ChooseFormatsToSave(offered, 1000000);
    EXPECT_EQ(choice.Formats, (std::vector<uint32_t>{0xC0F1, 13, 15, 2, 1}));
    EXPECT_FALSE(choice.TextOnly);
}

TEST(ClipboardSnapshotTest, OverTheLimitOnlyTextIsKept) {
    const std::vector<OfferedFormat> offered{{8, 600}, {13, 100}, {16, 4}, {1, 50}, {7, 50}};
    const FormatChoice exactly = ChooseFormatsToSave(offered, 804);
    EXPECT_FALSE(exactly.TextOnly);
    EXPECT_EQ(exactly.Formats.size(), 5u);
    const FormatChoice over = ChooseFormatsToSave(offered, 803);
    EXPECT_TRUE(over.TextOnly);
    EXPECT_EQ(over.Formats, (std::vector<uint32_t>{13, 16, 1, 7}));
}

TEST(ClipboardSnapshotTest, HugeSizesDoNotWrapTheTotal) {
    const size_t huge = std::numeric_limits<size_t>::max();
    const std::vector<OfferedFormat> offered{{0xC001, huge}, {0xC002, huge}, {13, 2}};
    const FormatChoice choice = ChooseFormatsToSave(offered, kSnapshotByteLimit);
    EXPECT_TRUE(choice.TextOnly);
    EXPECT_EQ(choice.Formats, (std::vector<uint32_t>{13}));
}

TEST(ClipboardSnapshotTest, AnEmptyClipboardGivesAnEmptyChoice) {
    const FormatChoice choice = ChooseFormatsToSave({}, kSnapshotByteLimit);
    EXPECT_TRUE(choice.Formats.empty());
    EXPECT_FALSE(choice.TextOnly);
}

}  // namespace
