#pragma once

// What the program relies on from its settings file, held against every store: the
// fake the other tests use and, in the Windows build, cProfile. A harness gives
// Store(), HandEdit(entries) (the file rewritten by hand) and Entries() (the file's
// entries in order).

#include <gtest/gtest.h>

#include <string>

#include "fake_stores.h"

template <typename Harness>
class SettingsStoreContract : public ::testing::Test {
  protected:
    Harness harness;
};
TYPED_TEST_SUITE_P(SettingsStoreContract);

TYPED_TEST_P(SettingsStoreContract, AMissingKeyGivesItsDefaultAndAReadWritesNothing) {
    EXPECT_EQ(this->harness.Store().Read(L"Delay", L"0.06"), L"0.06");
    EXPECT_EQ(this->harness.Entries(), SettingsEntries{});
}

TYPED_TEST_P(SettingsStoreContract, KeysMatchWithoutRegardToCaseAndKeepTheirFirstSpelling) {
    SettingsStore& store = this->harness.Store();
    ASSERT_TRUE(store.Write(L"Delay", L"0.06"));
    ASSERT_TRUE(store.Write(L"HotKey2", L"8;F10"));
    ASSERT_TRUE(store.Write(L"Hotkey2", L"8;F7"));
    EXPECT_EQ(store.Read(L"hotkey2", L""), L"8;F7");
    EXPECT_EQ(this->harness.Entries(),
              (SettingsEntries{{L"Delay", L"0.06"}, {L"HotKey2", L"8;F7"}}));
}

TYPED_TEST_P(SettingsStoreContract, AHandEditIsSeenAtTheNextRead) {
    this->harness.HandEdit({{L"Delay", L"0.06"}});
    EXPECT_EQ(this->harness.Store().Read(L"Delay", L""), L"0.06");
    this->harness.HandEdit({{L"Delay", L"0.75"}, {L"AutoSwitchKeyboard", L""}});
    EXPECT_EQ(this->harness.Store().Read(L"Delay", L""), L"0.75");
    EXPECT_EQ(this->harness.Store().Read(L"AutoSwitchKeyboard", L"1"), L"");  // not the default
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, AMissingKeyGivesItsDefaultAndAReadWritesNothing,
                            KeysMatchWithoutRegardToCaseAndKeepTheirFirstSpelling,
                            AHandEditIsSeenAtTheNextRead);
