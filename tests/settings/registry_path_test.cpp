#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "settings/registry.h"

namespace {

TEST(GetRootKey, MatchesTheSixRootNamesWithoutRegardToCase) {
    const struct {
        std::wstring path;
        RegistryRoot root;
    } cases[] = {
        {L"HKEY_CLASSES_ROOT\\x", RegistryRoot::ClassesRoot},
        {L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         RegistryRoot::CurrentUser},
        {L"hkey_current_user\\x", RegistryRoot::CurrentUser},
        {L"Hkey_Local_Machine\\x", RegistryRoot::LocalMachine},
        {L"HKEY_USERS\\x", RegistryRoot::Users},
        {L"HKEY_CURRENT_CONFIG\\x", RegistryRoot::CurrentConfig},
        {L"HKEY_DYN_DATA\\x", RegistryRoot::DynData},
        {L"HKCU\\Software", RegistryRoot::None},
        {L"HKEY_PERFORMANCE_DATA\\x", RegistryRoot::None},
        {L" HKEY_CURRENT_USER\\x", RegistryRoot::None},
        {L"\\Software", RegistryRoot::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetRootKey(c.path), c.root);
    }
}

TEST(GetRootKey, APathWithoutBackslashIsAnInvalidArgument) {
    EXPECT_THROW(GetRootKey(L"HKEY_CURRENT_USER"), std::invalid_argument);
    EXPECT_THROW(GetRootKey(L""), std::invalid_argument);
}

TEST(GetSubKey, IsEverythingAfterTheFirstBackslash) {
    EXPECT_EQ(GetSubKey(L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
              L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(GetSubKey(L"HKEY_CURRENT_USER\\"), L"");
    EXPECT_EQ(GetSubKey(L"NoBackslash"), L"NoBackslash");
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

TEST(EncodeRegistryValue, TextOfTypeOneCarriesItsTerminator) {
    const RegistryData data = EncodeRegistryValue(std::wstring(L"AB"), kRegistryString);
    EXPECT_EQ(data.type, kRegistryString);
    EXPECT_EQ(data.bytes, Bytes({'A', 0, 'B', 0, 0, 0}));
}

TEST(EncodeRegistryValue, OtherTypesStoreTextWithoutTerminator) {
    const RegistryData data = EncodeRegistryValue(std::wstring(L"AB"), 2);
    EXPECT_EQ(data.type, kRegistryString);
    EXPECT_EQ(data.bytes, Bytes({'A', 0, 'B', 0}));
    EXPECT_EQ(EncodeRegistryValue(int32_t{12}, kRegistryString).bytes,
              Bytes({'1', 0, '2', 0, 0, 0}));
}

TEST(EncodeRegistryValue, TypeFourStoresFourLittleEndianBytes) {
    EXPECT_EQ(EncodeRegistryValue(int32_t{7}, kRegistryDword).bytes, Bytes({7, 0, 0, 0}));
    EXPECT_EQ(EncodeRegistryValue(int32_t{-1}, kRegistryDword).bytes,
              Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(EncodeRegistryValue(std::wstring(L"258"), kRegistryDword).bytes, Bytes({2, 1, 0, 0}));
    EXPECT_EQ(EncodeRegistryValue(std::wstring(L"not a number"), kRegistryDword).bytes,
              Bytes({0, 0, 0, 0}));
}

TEST(DecodeRegistryValue, ConvertsByType) {
    EXPECT_EQ(DecodeRegistryValue(kRegistryString, Bytes({'A', 0, 'B', 0, 0, 0})), L"AB");
    EXPECT_EQ(DecodeRegistryValue(kRegistryString, Bytes({'A', 0, 'B', 0})), L"AB");
    EXPECT_EQ(DecodeRegistryValue(kRegistryDword, Bytes({7, 0, 0, 0})), L"007");
    EXPECT_EQ(DecodeRegistryValue(kRegistryDword, Bytes({250, 0, 0, 0})), L"250");
    EXPECT_EQ(DecodeRegistryValue(kRegistryDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), L"4294967295");
    EXPECT_EQ(DecodeRegistryValue(kRegistryBinary, Bytes({0x0A, 0xFF})), L"0AFF");
    EXPECT_EQ(DecodeRegistryValue(kRegistryBinary, Bytes({})), L"");
    EXPECT_EQ(DecodeRegistryValue(2, Bytes({'A', 0, 'B', 0, 0, 0})), L"AB");
    EXPECT_EQ(DecodeRegistryValue(2, Bytes({'A', 0, 'B', 0})), L"A");
    EXPECT_EQ(DecodeRegistryValue(2, Bytes({})), L"");
}

}  // namespace
