// One contract for every INI store: the system's private-profile functions behind
// cProfile (on Windows) and the portable reader and writer. Each case runs against
// both, so the program behaves the same whichever store it is built with.

#include <gtest/gtest.h>

#include <string>

#include "base/file_access.h"
#include "settings/portable_profile.h"
#include "settings/profile_store.h"
#include "support/temp_folder.h"

namespace {

constexpr int32_t kBuffer = 4096;

template <typename Store>
class ProfileContract : public ::testing::Test {
  protected:
    std::wstring FileIn(const std::wstring& name) const {
        return folder.ProgramPath() + L"\\" + name;
    }
    std::wstring Read(const std::wstring& key, const std::wstring& defaultText = L"<default>",
                      int32_t bufferSize = kBuffer) const {
        return store.ReadValue(L"Zenvoral", key, defaultText, file, bufferSize);
    }
    bool Write(const std::wstring& key, const std::wstring& value) const {
        return store.WriteValue(L"Zenvoral", key, value, file);
    }
    std::string FileBytes() const { return ReadFileBytes(file).value_or("<no file>"); }
    void HandEdit(std::string_view bytes) const { ASSERT_TRUE(WriteFileBytes(file, bytes)); }

    TempFolder folder;
    std::wstring file = FileIn(L"Zenvoral.ini");
    Store store;
};

class StoreNames {
  public:
    template <typename T>
    static std::string GetName(int) {
        return std::is_same_v<T, PortableProfile> ? "Portable" : "System";
    }
};

using Stores = ::testing::Types<PortableProfile, cProfile>;
TYPED_TEST_SUITE(ProfileContract, Stores, StoreNames);

TYPED_TEST(ProfileContract, ReadingAMissingFileGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(this->Read(L"Delay", L"0.06"), L"0.06");
    EXPECT_FALSE(FileExists(this->file));
}

TYPED_TEST(ProfileContract, WritingAMissingFileCreatesItWithSectionAndKey) {
    EXPECT_TRUE(this->Write(L"Delay", L"0.06"));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\nDelay=0.06\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"0.06");
}

TYPED_TEST(ProfileContract, MissingSectionOrKeyGivesTheDefault) {
    this->HandEdit("[Other]\r\nDelay=0.5\r\n[Zenvoral]\r\nLayout1=X\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"<default>");
    EXPECT_EQ(this->store.ReadValue(L"Missing", L"Layout1", L"d", this->file, kBuffer), L"d");
}

TYPED_TEST(ProfileContract, SectionAndKeyNamesMatchWithoutRegardToCase) {
    this->HandEdit("[zenVORAL]\r\nHotKey2=8;F10\r\n");
    EXPECT_EQ(this->Read(L"Hotkey2"), L"8;F10");
    EXPECT_EQ(this->Read(L"hotkey2"), L"8;F10");
}

TYPED_TEST(ProfileContract, WritingAnotherSpellingReplacesTheKeyInPlace) {
    this->HandEdit("[Zenvoral]\r\nHotKey1=8;F9\r\nHotKey2=8;F10\r\nHotKey3=8;F11\r\n");
    EXPECT_TRUE(this->Write(L"Hotkey2", L"8;F7"));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\nHotKey1=8;F9\r\nHotKey2=8;F7\r\nHotKey3=8;F11\r\n");
    EXPECT_EQ(this->Read(L"HotKey2"), L"8;F7");
}

TYPED_TEST(ProfileContract, ANewKeyJoinsItsSectionAndANewSectionIsAdded) {
    this->HandEdit("[Zenvoral]\r\nDelay=0.5\r\n[Last]\r\nB=2\r\n");
    EXPECT_TRUE(this->Write(L"Layout1", L"X"));
    EXPECT_TRUE(this->store.WriteValue(L"Fresh", L"K", L"v", this->file));
    EXPECT_EQ(this->FileBytes(),
              "[Zenvoral]\r\nDelay=0.5\r\nLayout1=X\r\n[Last]\r\nB=2\r\n[Fresh]\r\nK=v\r\n");
}

TYPED_TEST(ProfileContract, OtherLinesAreKeptAsTheyWere) {
    this->HandEdit(
        "; written by hand\r\n[Other]\r\nA=1\r\n[Zenvoral]\r\nDelay=0.5\r\n;Delay=9\r\n"
        "Layout1=English (101 Keys)\r\n[Last]\r\nB=2\r\n");
    EXPECT_TRUE(this->Write(L"Delay", L"1"));
    EXPECT_EQ(this->FileBytes(),
              "; written by hand\r\n[Other]\r\nA=1\r\n[Zenvoral]\r\nDelay=1\r\n;Delay=9\r\n"
              "Layout1=English (101 Keys)\r\n[Last]\r\nB=2\r\n");
}

TYPED_TEST(ProfileContract, AValueLongerThanTheBufferIsCutToOneLessThanItsSize) {
    const std::wstring value(5000, L'x');
    EXPECT_TRUE(this->Write(L"Layout1", value));
    EXPECT_EQ(this->Read(L"Layout1"), std::wstring(4095, L'x'));
    EXPECT_EQ(this->Read(L"Layout1", L"", 3), L"xx");
    EXPECT_EQ(this->Read(L"Missing", L"default", 3), L"de");
    EXPECT_EQ(this->Read(L"Layout1", L"", 1), L"");
}

TYPED_TEST(ProfileContract, AnEmptyValueIsTheEmptyTextNotTheDefault) {
    this->HandEdit("[Zenvoral]\r\nAutoSwitchKeyboard=\r\n");
    EXPECT_EQ(this->Read(L"AutoSwitchKeyboard", L"1"), L"");
    EXPECT_EQ(this->Read(L"StartWithWindows", L"1"), L"1");
}

TYPED_TEST(ProfileContract, BlanksAroundNamesAndValuesAndEnclosingQuotesAreDropped) {
    this->HandEdit(
        "[ Zenvoral ]\r\n  HotKey1 =  \"8;F9\"  \r\nLayout1='Arabic'\r\nLayout2=\"open\r\n"
        "Delay=\t0.5\t\r\n");
    EXPECT_EQ(this->Read(L"HotKey1"), L"8;F9");
    EXPECT_EQ(this->Read(L"Layout1"), L"Arabic");
    EXPECT_EQ(this->Read(L"Layout2"), L"\"open");
    EXPECT_EQ(this->Read(L"Delay"), L"0.5");
}

TYPED_TEST(ProfileContract, TrailingBlanksOfTheDefaultAreDropped) {
    EXPECT_EQ(this->Read(L"Missing", L"8;F9  "), L"8;F9");
}

TYPED_TEST(ProfileContract, AHandEditBetweenTwoReadsIsSeen) {
    this->HandEdit("[Zenvoral]\r\nDelay=0.06\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"0.06");
    this->HandEdit("[Zenvoral]\r\nDelay=0.75\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"0.75");
}

TYPED_TEST(ProfileContract, DeleteRemovesOnlyThatKey) {
    this->HandEdit("[Zenvoral]\r\nDelay=0.5\r\nLayout1=X\r\n[Last]\r\nDelay=2\r\n");
    EXPECT_TRUE(this->store.DeleteValue(L"ZENVORAL", L"delay", this->file));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\nLayout1=X\r\n[Last]\r\nDelay=2\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"<default>");
}

TYPED_TEST(ProfileContract, DeletingTheLastKeyLeavesAnEmptySection) {
    this->HandEdit("[Zenvoral]\r\nDelay=0.5\r\n");
    EXPECT_TRUE(this->store.DeleteValue(L"Zenvoral", L"Delay", this->file));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\n");
    EXPECT_EQ(this->Read(L"Delay"), L"<default>");
    EXPECT_TRUE(this->Write(L"Delay", L"0.06"));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\nDelay=0.06\r\n");
}

TYPED_TEST(ProfileContract, DeletingAMissingKeyChangesNothing) {
    this->HandEdit("[Zenvoral]\r\nDelay=0.5\r\n");
    static_cast<void>(this->store.DeleteValue(L"Zenvoral", L"Layout1", this->file));
    EXPECT_EQ(this->FileBytes(), "[Zenvoral]\r\nDelay=0.5\r\n");
}

TYPED_TEST(ProfileContract, DeletingFromAMissingFileCreatesNothing) {
    static_cast<void>(this->store.DeleteValue(L"Zenvoral", L"Delay", this->file));
    EXPECT_FALSE(FileExists(this->file));
}

TYPED_TEST(ProfileContract, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
    const std::wstring unreachable = this->FileIn(L"missing\\Zenvoral.ini");
    EXPECT_FALSE(this->store.WriteValue(L"Zenvoral", L"Delay", L"0.06", unreachable));
    EXPECT_FALSE(FileExists(unreachable));
    EXPECT_EQ(this->store.ReadValue(L"Zenvoral", L"Delay", L"d", unreachable, kBuffer), L"d");
}

TYPED_TEST(ProfileContract, WesternCharactersRoundTrip) {
    EXPECT_TRUE(this->Write(L"Layout1", L"Fran\u00E7ais (Qu\u00E9bec)"));
    EXPECT_EQ(this->Read(L"Layout1"), L"Fran\u00E7ais (Qu\u00E9bec)");
}

}  // namespace
