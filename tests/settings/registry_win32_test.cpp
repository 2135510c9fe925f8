// cRegistry against the system's registry, under a subkey of HKEY_CURRENT_USER that
// each test makes for itself and removes afterwards. The stored type and bytes are
// checked with the system's own query, not through the class.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "settings/registry.h"

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using ScopedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct StoredValue {
    DWORD type = 0;
    std::vector<uint8_t> bytes;
};

std::optional<StoredValue> QueryStored(const std::wstring& subKey, const std::wstring& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const ScopedKey key(raw);
    StoredValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, value.bytes.data(),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    return value;
}

bool KeyExists(HKEY root, const std::wstring& subKey) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(raw);
    return true;
}

void StoreRaw(const std::wstring& subKey, const std::wstring& name, DWORD type,
              const std::vector<uint8_t>& bytes) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &raw, nullptr),
              ERROR_SUCCESS);
    const ScopedKey key(raw);
    ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, type, bytes.data(),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

std::vector<uint8_t> Utf16Bytes(const std::wstring& text, bool withTerminator) {
    std::vector<uint8_t> bytes;
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    if (withTerminator) {
        bytes.insert(bytes.end(), {0, 0});
    }
    return bytes;
}

class RegistryTest : public ::testing::Test {
  protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, testKey.c_str());
        // Only succeeds once no other test still has a key under it.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZenvoralTests");
    }

    const std::wstring testKey = L"Software\\ZenvoralTests\\Registry" +
                                 std::to_wstring(GetCurrentProcessId()) + L"_" +
                                 std::to_wstring(GetTickCount());
    const std::wstring path = L"HKEY_CURRENT_USER\\" + testKey;
    cRegistry registry;
};

TEST_F(RegistryTest, TextOfTypeOneIsStoredWithItsTerminator) {
    const std::wstring text = L"C:\\Apps\\Zenv.exe";  // 16 characters
    ASSERT_EQ(text.size(), 16u);
    EXPECT_TRUE(registry.WriteValue(path, L"UxZenvoral", text, kRegistryString));
    const std::optional<StoredValue> stored = QueryStored(testKey, L"UxZenvoral");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->bytes.size(), 17u * sizeof(wchar_t));
    EXPECT_EQ(stored->bytes, Utf16Bytes(text, true));
    EXPECT_EQ(registry.ReadValue(path, L"UxZenvoral", L"d"), text);
}

TEST_F(RegistryTest, ARootNameInLowerCaseIsAccepted) {
    const std::wstring lower = L"hkey_current_user\\" + testKey;
    EXPECT_TRUE(registry.WriteValue(lower, L"V", std::wstring(L"x"), kRegistryString));
    EXPECT_TRUE(QueryStored(testKey, L"V"));
    EXPECT_EQ(registry.ReadValue(lower, L"V", L"d"), L"x");
}

TEST_F(RegistryTest, AnAbbreviatedRootNameReachesNothing) {
    const std::wstring abbreviated = L"HKCU\\" + testKey;
    EXPECT_FALSE(registry.WriteValue(abbreviated, L"V", std::wstring(L"x"), kRegistryString));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, testKey));
    EXPECT_EQ(registry.ReadValue(abbreviated, L"V", L"d"), L"d");
    EXPECT_FALSE(registry.DeleteValue(abbreviated, L"V"));
}

TEST_F(RegistryTest, WritingCreatesTheWholeSubkeyPath) {
    const std::wstring deep = testKey + L"\\One\\Two\\Three";
    EXPECT_TRUE(registry.WriteValue(L"HKEY_CURRENT_USER\\" + deep, L"V", std::wstring(L"x"),
                                    kRegistryString));
    EXPECT_TRUE(QueryStored(deep, L"V"));
}

TEST_F(RegistryTest, NumbersOfTypeFourReadBackWithAtLeastThreeDigits) {
    EXPECT_TRUE(registry.WriteValue(path, L"Seven", int32_t{7}, kRegistryDword));
    EXPECT_TRUE(registry.WriteValue(path, L"Largest", std::wstring(L"-1"), kRegistryDword));
    EXPECT_TRUE(registry.WriteValue(path, L"Word", std::wstring(L"many"), kRegistryDword));
    const std::optional<StoredValue> seven = QueryStored(testKey, L"Seven");
    ASSERT_TRUE(seven);
    EXPECT_EQ(seven->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(seven->bytes, (std::vector<uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(registry.ReadValue(path, L"Seven", L"d"), L"007");
    EXPECT_EQ(registry.ReadValue(path, L"Largest", L"d"), L"4294967295");
    EXPECT_EQ(registry.ReadValue(path, L"Word", L"d"), L"000");
}

TEST_F(RegistryTest, BinaryDataReadsAsUpperCaseHex) {
    StoreRaw(testKey, L"Bytes", REG_BINARY, {0x0A, 0xFF});
    EXPECT_EQ(registry.ReadValue(path, L"Bytes", L"d"), L"0AFF");
}

TEST_F(RegistryTest, OtherTypesAreStoredAsTextWithoutTerminator) {
    EXPECT_TRUE(registry.WriteValue(path, L"Other", std::wstring(L"abc"), 2));
    const std::optional<StoredValue> stored = QueryStored(testKey, L"Other");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->bytes, Utf16Bytes(L"abc", false));
    StoreRaw(testKey, L"Expand", REG_EXPAND_SZ, Utf16Bytes(L"%TEMP%", true));
    EXPECT_EQ(registry.ReadValue(path, L"Expand", L"d"), L"%TEMP%");
}

TEST_F(RegistryTest, MissingOrOversizedValuesGiveTheDefault) {
    EXPECT_EQ(registry.ReadValue(path, L"Missing", L"default"), L"default");
    StoreRaw(testKey, L"Huge", REG_BINARY, std::vector<uint8_t>(2049, 1));
    EXPECT_EQ(registry.ReadValue(path, L"Huge", L"default"), L"default");
    StoreRaw(testKey, L"Fits", REG_BINARY, std::vector<uint8_t>(2048, 1));
    EXPECT_EQ(registry.ReadValue(path, L"Fits", L"default").size(), 4096u);
}

TEST_F(RegistryTest, DeletingRemovesTheValueButKeepsTheKey) {
    ASSERT_TRUE(registry.WriteValue(path, L"V", std::wstring(L"x"), kRegistryString));
    EXPECT_TRUE(registry.DeleteValue(path, L"V"));
    EXPECT_FALSE(QueryStored(testKey, L"V"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, testKey));
}

TEST_F(RegistryTest, DeletingWhatIsNotThereChangesNothing) {
    EXPECT_TRUE(registry.DeleteValue(path + L"\\NoSuchKey", L"V"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, testKey + L"\\NoSuchKey"));
    ASSERT_TRUE(registry.WriteValue(path, L"Kept", std::wstring(L"x"), kRegistryString));
    EXPECT_TRUE(registry.DeleteValue(path, L"NoSuchValue"));
    EXPECT_TRUE(QueryStored(testKey, L"Kept"));
}

TEST_F(RegistryTest, APathWithoutBackslashFailsReadAndWriteButNotDelete) {
    EXPECT_THROW(registry.ReadValue(L"HKEY_CURRENT_USER", L"V", L"d"), std::invalid_argument);
    EXPECT_THROW(registry.WriteValue(L"HKEY_CURRENT_USER", L"V", std::wstring(L"x"), 1),
                 std::invalid_argument);
    EXPECT_NO_THROW(registry.DeleteValue(L"HKEY_CURRENT_USER", L"V"));
}

}  // namespace
