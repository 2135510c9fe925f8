#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "capture/api_clipboard.h"
#include "capture_fakes.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Journal kMarks{"SetClipboardData 49152", "SetClipboardData 49153", "SetClipboardData 49154"};

Journal Concat(Journal first, const Journal& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(APIClipboardTest, ClosedObjectMakesNoPlatformCall) {
    RecordingClipboardFunctions functions;
    {
        cAPIClipboard clipboard(functions);
        clipboard.ClearClipboard();
        clipboard.ClipboardClose();
        EXPECT_FALSE(clipboard.SetTextData(1, L"AB"));
        EXPECT_TRUE(clipboard.ClipboardNotOpen());
    }
    EXPECT_TRUE(functions.Calls.empty());
}

TEST(APIClipboardTest, SetTextDataPlacesOneBytePerCharacterAndAZero) {
    RecordingClipboardFunctions functions;
    cAPIClipboard clipboard(functions);
    ASSERT_TRUE(clipboard.ClipboardOpen(0x1234));
    EXPECT_FALSE(clipboard.ClipboardNotOpen());
    EXPECT_FALSE(clipboard.SetTextData(1, L""));
    EXPECT_TRUE(clipboard.SetTextData(1, L"AB"));
    EXPECT_TRUE(clipboard.SetTextData(7, std::wstring(L"\xFF\x01", 2)));
    // A character beyond one byte places nothing at all.
    EXPECT_FALSE(clipboard.SetTextData(1, L"A\u0100"));
    ASSERT_EQ(functions.Blocks.size(), 2u);
    EXPECT_EQ(functions.Blocks[0].first, 1u);
    EXPECT_EQ(functions.Blocks[0].second, (Bytes{0x41, 0x42, 0x00}));
    EXPECT_EQ(functions.Blocks[1].first, 7u);
    EXPECT_EQ(functions.Blocks[1].second, (Bytes{0xFF, 0x01, 0x00}));
}

TEST(APIClipboardTest, OwnerZeroHoldsTheClipboardButWritesNothing) {
    RecordingClipboardFunctions functions;
    cAPIClipboard clipboard(functions);
    EXPECT_TRUE(clipboard.ClipboardOpen(0));
    EXPECT_TRUE(clipboard.ClipboardNotOpen());
    clipboard.ClearClipboard();
    EXPECT_FALSE(clipboard.SetTextData(1, L"AB"));
    clipboard.ClipboardClose();
    clipboard.ClipboardClose();  // the second close has nothing to close
    EXPECT_EQ(functions.Calls, (Journal{"OpenClipboard 0", "CloseClipboard"}));
}

TEST(APIClipboardTest, FailedOpenLeavesTheObjectClosed) {
    RecordingClipboardFunctions functions;
    functions.OpenSucceeds = false;
    cAPIClipboard clipboard(functions);
    EXPECT_FALSE(clipboard.ClipboardOpen(0x10));
    EXPECT_TRUE(clipboard.ClipboardNotOpen());
    EXPECT_FALSE(PutTextOnClipboard(clipboard, kPlatformNT, 0x10, L"abc"));
    EXPECT_EQ(functions.Calls, (Journal{"OpenClipboard 16", "OpenClipboard 16"}));
}

TEST(APIClipboardTest, DestructionClosesAClipboardLeftOpen) {
    RecordingClipboardFunctions functions;
    {
        cAPIClipboard clipboard(functions);
        clipboard.ClipboardOpen(0x10);
    }
    EXPECT_EQ(functions.Calls, (Journal{"OpenClipboard 16", "CloseClipboard"}));
}

TEST(PutTextOnClipboardTest, NTFamilyPlacesUtf16AndOneZeroUnit) {
    const std::wstring texts[] = {L"",
                                  L"a",
                                  L"Hello",
                                  L"\u0627\u0644\u0639\u0631\u0628\u064a\u0629",
                                  std::wstring(L"a\0b", 3),
                                  L"\xD83D\xDE00"};
    for (const std::wstring& text : texts) {
        RecordingClipboardFunctions functions;
        cAPIClipboard clipboard(functions);
        EXPECT_TRUE(PutTextOnClipboard(clipboard, kPlatformNT, 0x22, text));
        EXPECT_EQ(functions.Calls,
                  Concat({"OpenClipboard 34", "EmptyClipboard", "SetClipboardData 13"},
                         Concat(kMarks, {"CloseClipboard"})));
        ASSERT_FALSE(functions.Blocks.empty());
        const Bytes& block = functions.Blocks[0].second;
        EXPECT_EQ(block.size(), 2 * text.size() + 2);
        EXPECT_EQ(block, Utf16Bytes(text));
        for (size_t i = 1; i < functions.Blocks.size(); ++i) {
            EXPECT_EQ(functions.Blocks[i].second, (Bytes{0, 0, 0, 0}));
        }
        EXPECT_TRUE(clipboard.ClipboardNotOpen());
    }
}

TEST(PutTextOnClipboardTest, Win9xFamilyPlacesAnsiText) {
    for (const int32_t kind : {0, kPlatformWin9x}) {
        RecordingClipboardFunctions functions;
        cAPIClipboard clipboard(functions);
        EXPECT_TRUE(PutTextOnClipboard(clipboard, kind, 0x22, L"AB"));
        ASSERT_FALSE(functions.Blocks.empty());
        EXPECT_EQ(functions.Blocks[0].first, 1u);
        EXPECT_EQ(functions.Blocks[0].second, (Bytes{0x41, 0x42, 0x00}));
    }
}

TEST(PutTextOnClipboardTest, UnknownPlatformPlacesNothing) {
    for (const int32_t kind : {kPlatformUnknown, 3, -7}) {
        RecordingClipboardFunctions functions;
        cAPIClipboard clipboard(functions);
        EXPECT_FALSE(PutTextOnClipboard(clipboard, kind, 0x22, L"text"));
        EXPECT_TRUE(functions.Calls.empty()) << kind;
    }
}

TEST(PutTextOnClipboardTest, RefusedBlockIsReportedAndTheClipboardClosed) {
    RecordingClipboardFunctions functions;
    functions.SetSucceeds = false;
    cAPIClipboard clipboard(functions);
    EXPECT_FALSE(PutTextOnClipboard(clipboard, kPlatformNT, 0x22, L"x"));
    EXPECT_EQ(functions.Calls, (Journal{"OpenClipboard 34", "EmptyClipboard", "SetClipboardData 13",
                                        "CloseClipboard"}));
}

class ThrowingFunctions final : public ClipboardFunctions {
  public:
    Journal Calls;
    bool OpenClipboard(uintptr_t) override { return true; }
    void CloseClipboard() override { Calls.push_back("CloseClipboard"); }
    void EmptyClipboard() override {}
    bool SetClipboardBytes(uint32_t, const std::vector<uint8_t>&) override {
        throw std::bad_alloc();
    }
    uint32_t RegisterFormat(const std::wstring&) override { return 0xC000; }
};

TEST(PutTextOnClipboardTest, AFailingStepStillClosesTheClipboard) {
    ThrowingFunctions functions;
    cAPIClipboard clipboard(functions);
    EXPECT_THROW(PutTextOnClipboard(clipboard, kPlatformNT, 0x22, L"x"), std::bad_alloc);
    EXPECT_EQ(functions.Calls, (Journal{"CloseClipboard"}));
    EXPECT_TRUE(clipboard.ClipboardNotOpen());
}

}  // namespace
