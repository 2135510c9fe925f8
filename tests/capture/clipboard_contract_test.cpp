#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <shlobj.h>

#include "capture/api_clipboard.h"
#include "capture/win32_capture.h"
#include "capture_fakes.h"
#include "win32_test_window.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Block {
    UINT Format = 0;
    Bytes Content;
};

// Puts blocks on the clipboard directly, owned by the test window.
void SetClipboardBlocks(const std::vector<Block>& blocks) {
    const ScopedClipboard clipboard(TestWindow());
    ASSERT_TRUE(clipboard.IsOpen());
    ASSERT_TRUE(EmptyClipboard());
    for (const Block& block : blocks) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.Content.size());
        ASSERT_NE(memory, nullptr);
        std::memcpy(GlobalLock(memory), block.Content.data(), block.Content.size());
        GlobalUnlock(memory);
        ASSERT_NE(SetClipboardData(block.Format, memory), nullptr) << block.Format;
    }
}

void EmptyTheClipboard() {
    SetClipboardBlocks({});
}

std::optional<Bytes> ReadBlock(UINT format) {
    const ScopedClipboard clipboard(TestWindow());
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    HANDLE memory = GetClipboardData(format);
    if (memory == nullptr) {
        return std::nullopt;
    }
    const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
    Bytes bytes(data, data + GlobalSize(memory));
    GlobalUnlock(memory);
    return bytes;
}

std::vector<UINT> FormatsOnClipboard() {
    const ScopedClipboard clipboard(TestWindow());
    std::vector<UINT> formats;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        formats.push_back(format);
    }
    return formats;
}

// Every memory format on the clipboard with its bytes, in enumeration order.
std::vector<Block> MemoryContent() {
    std::vector<Block> content;
    for (const UINT format : FormatsOnClipboard()) {
        if (HowToCopyFormat(format) == FormatCopying::Memory) {
            content.push_back({format, ReadBlock(format).value_or(Bytes{})});
        }
    }
    return content;
}

bool IsHistoryMark(UINT format) {
    for (const wchar_t* name : {kExcludeFromMonitoringFormat, kHistoryFormat, kCloudFormat}) {
        if (format == RegisterClipboardFormatW(name)) {
            return true;
        }
    }
    return false;
}

// The content after a restore: the marks the restore adds are left out.
std::vector<Block> MemoryContentWithoutMarks() {
    std::vector<Block> content = MemoryContent();
    std::erase_if(content, [](const Block& block) { return IsHistoryMark(block.Format); });
    return content;
}

void ExpectSameContent(const std::vector<Block>& actual, const std::vector<Block>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].Format, expected[i].Format) << "position " << i;
        EXPECT_EQ(actual[i].Content, expected[i].Content) << "format " << expected[i].Format;
    }
}

// Saves, replaces the clipboard with something else, restores, and expects every
// memory format back as it was.
void ExpectRoundTrip() {
    const std::vector<Block> before = MemoryContent();
    const ClipboardSnapshot snapshot = SaveClipboard(TestWindow());
    ASSERT_TRUE(snapshot.Saved);
    SetClipboardBlocks({{CF_UNICODETEXT, Utf16Bytes(L"something else")}});
    ASSERT_TRUE(RestoreClipboard(TestWindow(), snapshot));
    ExpectSameContent(MemoryContentWithoutMarks(), before);
}

class ClipboardContractTest : public testing::Test {
  protected:
    void SetUp() override { EmptyTheClipboard(); }
    void TearDown() override { EmptyTheClipboard(); }
};

TEST_F(ClipboardContractTest, EmptyTextPlacesOneZeroUnit) {
    Win32ClipboardFunctions functions;
    cAPIClipboard clipboard(functions);
    ASSERT_TRUE(
        PutTextOnClipboard(clipboard, kPlatformNT, reinterpret_cast<uintptr_t>(TestWindow()), L""));
    EXPECT_EQ(ReadBlock(CF_UNICODETEXT), (Bytes{0, 0}));
}

TEST_F(ClipboardContractTest, TextPlacesTwoBytesPerUnitAndAZeroUnit) {
    const std::wstring texts[] = {
        L"a", L"Hello, world",
        L"\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645",
        L"\xD83D\xDE00 x"};
    for (const std::wstring& text : texts) {
        Win32ClipboardFunctions functions;
        cAPIClipboard clipboard(functions);
        ASSERT_TRUE(PutTextOnClipboard(clipboard, kPlatformNT,
                                       reinterpret_cast<uintptr_t>(TestWindow()), text));
        const std::optional<Bytes> block = ReadBlock(CF_UNICODETEXT);
        ASSERT_TRUE(block.has_value());
        EXPECT_EQ(block->size(), 2 * text.size() + 2);
        EXPECT_EQ(*block, Utf16Bytes(text));
        const std::vector<UINT> formats = FormatsOnClipboard();
        EXPECT_NE(std::find(formats.begin(), formats.end(),
                            RegisterClipboardFormatW(kExcludeFromMonitoringFormat)),
                  formats.end());
    }
}

TEST_F(ClipboardContractTest, AnsiTextIsThreeBytesForAB) {
    Win32ClipboardFunctions functions;
    cAPIClipboard clipboard(functions);
    ASSERT_TRUE(clipboard.ClipboardOpen(reinterpret_cast<uintptr_t>(TestWindow())));
    clipboard.ClearClipboard();
    EXPECT_FALSE(clipboard.SetTextData(CF_TEXT, L""));
    EXPECT_TRUE(clipboard.SetTextData(CF_TEXT, L"AB"));
    clipboard.ClipboardClose();
    EXPECT_EQ(ReadBlock(CF_TEXT), (Bytes{0x41, 0x42, 0x00}));
}

TEST_F(ClipboardContractTest, OwnerZeroHoldsTheClipboardButChangesNothing) {
    SetClipboardBlocks({{CF_UNICODETEXT, Utf16Bytes(L"before")}});
    Win32ClipboardFunctions functions;
    {
        cAPIClipboard clipboard(functions);
        ASSERT_TRUE(clipboard.ClipboardOpen(0));
        EXPECT_TRUE(clipboard.ClipboardNotOpen());
        clipboard.ClearClipboard();
        EXPECT_FALSE(clipboard.SetTextData(CF_TEXT, L"AB"));
        // Still held: nobody else can open it until the object closes it.
        EXPECT_FALSE(OpenClipboard(TestWindow()));
    }  // the destructor closes it
    EXPECT_EQ(ReadBlock(CF_UNICODETEXT), Utf16Bytes(L"before"));
}

TEST_F(ClipboardContractTest, UnknownPlatformLeavesTheClipboardAlone) {
    SetClipboardBlocks({{CF_UNICODETEXT, Utf16Bytes(L"before")}});
    Win32ClipboardFunctions functions;
    cAPIClipboard clipboard(functions);
    EXPECT_FALSE(PutTextOnClipboard(clipboard, kPlatformUnknown,
                                    reinterpret_cast<uintptr_t>(TestWindow()), L"after"));
    EXPECT_EQ(ReadBlock(CF_UNICODETEXT), Utf16Bytes(L"before"));
}

TEST_F(ClipboardContractTest, UnicodeAndArabicTextRoundTrip) {
    SetClipboardBlocks(
        {{CF_UNICODETEXT, Utf16Bytes(L"caf\u00e9 \u0633\u0644\u0627\u0645 \xD83D\xDE00")}});
    ExpectRoundTrip();
}

TEST_F(ClipboardContractTest, HtmlAndTextRoundTripInTheirOrder) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const std::string fragment =
        "Version:0.9\r\nStartHTML:0000000105\r\n<html><body><b>bold</b></body></html>";
    SetClipboardBlocks({{html, Bytes(fragment.begin(), fragment.end() + 1)},
                        {CF_UNICODETEXT, Utf16Bytes(L"bold")}});
    const std::vector<UINT> formats = FormatsOnClipboard();
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats.front(), html);
    ExpectRoundTrip();
}

TEST_F(ClipboardContractTest, FileListRoundTripsByteForByte) {
    Bytes drop(sizeof(DROPFILES), 0);
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(drop.data(), &header, sizeof(header));
    const Bytes names =
        Utf16Bytes(std::wstring(L"C:\\users\\a.txt\0C:\\b \u0645.doc\0", 30), false);
    drop.insert(drop.end(), names.begin(), names.end());
    SetClipboardBlocks({{CF_HDROP, drop}});
    ExpectRoundTrip();
    EXPECT_EQ(ReadBlock(CF_HDROP), drop);
}

TEST_F(ClipboardContractTest, BitmapRoundTrips) {
    const uint32_t pixels[12] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF,
                                 0x00123456, 0x00654321, 0x00000000, 0x00ABCDEF,
                                 0x00010203, 0x00F0F0F0, 0x000F0F0F, 0x00777777};
    HBITMAP bitmap = CreateBitmap(4, 3, 1, 32, pixels);
    ASSERT_NE(bitmap, nullptr);
    {
        const ScopedClipboard clipboard(TestWindow());
        ASSERT_TRUE(clipboard.IsOpen());
        EmptyClipboard();
        ASSERT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
    }
    const ClipboardSnapshot snapshot = SaveClipboard(TestWindow());
    EmptyTheClipboard();
    ASSERT_TRUE(RestoreClipboard(TestWindow(), snapshot));
    const ScopedClipboard clipboard(TestWindow());
    ASSERT_TRUE(clipboard.IsOpen());
    auto restored = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(restored, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(restored, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);
    uint32_t back[12] = {};
    ASSERT_EQ(GetBitmapBits(restored, sizeof(back), back), static_cast<LONG>(sizeof(back)));
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(back[i] & 0x00FFFFFF, pixels[i]) << "pixel " << i;
    }
}

TEST_F(ClipboardContractTest, AnEmptyClipboardIsRestoredEmpty) {
    const ClipboardSnapshot snapshot = SaveClipboard(TestWindow());
    EXPECT_TRUE(snapshot.Saved);
    EXPECT_TRUE(snapshot.Items.empty());
    SetClipboardBlocks({{CF_UNICODETEXT, Utf16Bytes(L"converted")}});
    ASSERT_TRUE(RestoreClipboard(TestWindow(), snapshot));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST_F(ClipboardContractTest, OverTheLimitOnlyTheTextIsSaved) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    SetClipboardBlocks({{html, Bytes(4000, 'x')}, {CF_UNICODETEXT, Utf16Bytes(L"text")}});
    const ClipboardSnapshot snapshot = SaveClipboard(TestWindow(), 1000);
    EXPECT_TRUE(snapshot.TextOnly);
    for (const ClipboardItem& item : snapshot.Items) {
        EXPECT_TRUE(IsTextFormat(item.Format)) << item.Format;
    }
    EmptyTheClipboard();
    ASSERT_TRUE(RestoreClipboard(TestWindow(), snapshot));
    EXPECT_EQ(ReadBlock(CF_UNICODETEXT), Utf16Bytes(L"text"));
    EXPECT_FALSE(ReadBlock(html).has_value());
}

TEST_F(ClipboardContractTest, AClipboardHeldBrieflyIsWaitedFor) {
    std::atomic<bool> holding{false};
    std::thread holder([&] {
        if (OpenClipboard(nullptr)) {
            holding = true;
            Sleep(100);
            CloseClipboard();
        }
        holding = true;
    });
    while (!holding) {
        Sleep(1);
    }
    const ScopedClipboard clipboard(TestWindow());
    EXPECT_TRUE(clipboard.IsOpen());
    holder.join();
}

// A second program fetching the clipboard text, as a target's paste does.
std::optional<std::wstring> FetchTextFromAnotherThread(MessageServingClock& clock) {
    std::optional<std::wstring> fetched;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (int attempt = 0; attempt < 200 && !fetched; ++attempt) {
            if (OpenClipboard(nullptr)) {
                HANDLE memory = GetClipboardData(CF_UNICODETEXT);
                if (memory != nullptr) {
                    const auto* text = static_cast<const wchar_t*>(GlobalLock(memory));
                    fetched = std::wstring(text, GlobalSize(memory) / 2 - 1);
                    GlobalUnlock(memory);
                }
                CloseClipboard();
                break;
            }
            Sleep(5);
        }
        done = true;
    });
    // The owner's thread must keep serving messages to render the promised text.
    clock.WaitUntil(10.0f, [&] { return done.load(); });
    reader.join();
    return fetched;
}

TEST_F(ClipboardContractTest, CycleClipboardReadsWritesAndClears) {
    for (const bool delayed : {false, true}) {
        Win32CycleClipboard clipboard(delayed);
        ASSERT_NE(clipboard.Window(), nullptr);
        const uint32_t before = clipboard.SequenceNumber();
        const std::wstring text = L"\u0643\u062a\u0627\u0628 book";
        ASSERT_TRUE(clipboard.PutText(text));
        EXPECT_NE(clipboard.SequenceNumber(), before);
        EXPECT_TRUE(clipboard.HasText());
        EXPECT_FALSE(clipboard.IsEmpty());
        EXPECT_EQ(clipboard.ReadText(), text);
        EXPECT_EQ(ReadBlock(CF_UNICODETEXT), Utf16Bytes(text)) << "delayed " << delayed;
        EXPECT_TRUE(clipboard.Clear());
        EXPECT_TRUE(clipboard.IsEmpty());
        EXPECT_FALSE(clipboard.HasText());
        EXPECT_FALSE(clipboard.ReadText().has_value());
    }
}

TEST_F(ClipboardContractTest, DelayedTextTellsWhenThePasteFetchedIt) {
    Win32CycleClipboard clipboard(true);
    MessageServingClock clock;
    const std::wstring text = L"\u0627\u0644\u0633\u0644\u0627\u0645";
    ASSERT_TRUE(clipboard.PutText(text));
    clipboard.ExpectPaste();
    EXPECT_FALSE(clipboard.PasteWasFetched());
    EXPECT_EQ(FetchTextFromAnotherThread(clock), text);
    EXPECT_TRUE(clipboard.PasteWasFetched());
}

TEST_F(ClipboardContractTest, AFetchBeforeThePasteDoesNotCount) {
    Win32CycleClipboard clipboard(true);
    MessageServingClock clock;
    ASSERT_TRUE(clipboard.PutText(L"early"));
    EXPECT_EQ(FetchTextFromAnotherThread(clock), L"early");
    clipboard.ExpectPaste();
    EXPECT_FALSE(clipboard.PasteWasFetched());
}

TEST_F(ClipboardContractTest, PromisedTextIsRenderedWhenTheOwnerGoes) {
    {
        Win32CycleClipboard clipboard(true);
        ASSERT_TRUE(clipboard.PutText(L"left behind"));
    }
    EXPECT_EQ(ReadBlock(CF_UNICODETEXT), Utf16Bytes(L"left behind"));
}

TEST_F(ClipboardContractTest, CycleClipboardSnapshotRestoresTheUsersContent) {
    SetClipboardBlocks({{CF_UNICODETEXT, Utf16Bytes(L"\u0634\u0643\u0631\u0627 users")}});
    const std::vector<Block> before = MemoryContent();
    Win32CycleClipboard clipboard;
    const ClipboardSnapshot snapshot = clipboard.Save();
    ASSERT_TRUE(clipboard.PutText(L"converted"));
    ASSERT_TRUE(clipboard.Restore(snapshot));
    ExpectSameContent(MemoryContentWithoutMarks(), before);
}

}  // namespace
