// The system stores under Wine: cProfile against the settings contract, cRegistry read
// back with the system's own registry calls, and the encoding cProfile keeps the file in.

#include <windows.h>

#include <cstring>
#include <optional>
#include <sstream>

#include "base/file_access.h"
#include "settings_store_contract.h"
#include "support/temp_folder.h"

namespace {

// The file's text: UTF-16LE after its byte order mark, otherwise UTF-8.
std::wstring FileText(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path).value_or("");
    if (!bytes.starts_with("\xFF\xFE")) {
        return Utf8ToUtf16(bytes);
    }
    std::wstring text((bytes.size() - 2) / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
    return text;
}

class ProfileHarness {
  public:
    SettingsStore& Store() { return store_; }
    void HandEdit(const SettingsEntries& entries) {
        std::wstring text = L"[Zenvoral]\r\n";
        for (const auto& [key, value] : entries) {
            text += key + L"=" + value + L"\r\n";
        }
        ASSERT_TRUE(WriteFileBytes(path_, Utf16ToUtf8(text)));
    }
    SettingsEntries Entries() const {
        std::wistringstream lines(FileText(path_));
        SettingsEntries entries;
        for (std::wstring line; std::getline(lines, line);) {
            const size_t equals = line.find(L'=');
            if (equals != std::wstring::npos) {
                entries.emplace_back(line.substr(0, equals),
                                     line.substr(equals + 1, line.find(L'\r') - equals - 1));
            }
        }
        return entries;
    }

  private:
    TempFolder folder_;
    std::wstring path_ = folder_.ProgramPath() + L"\\Zenvoral.ini";
    cProfile store_{path_};
};

INSTANTIATE_TYPED_TEST_SUITE_P(System, SettingsStoreContract, ProfileHarness);

class cProfileFile : public ::testing::Test {
  protected:
    TempFolder folder;
    std::wstring path = folder.ProgramPath() + L"\\Zenvoral.ini";
    std::wstring arabicName = L"\u0639\u0631\u0628\u064A (101 Keys)";
};

// As the options dialog saves a layout named in Arabic, and the next start reads it.
TEST_F(cProfileFile, KeepsANonAsciiValueInUtf16) {
    ASSERT_TRUE(cProfile(path).Write(L"Layout2", arabicName));
    EXPECT_EQ(FileText(path), L"[Zenvoral]\r\nLayout2=" + arabicName + L"\r\n");
    EXPECT_EQ(cProfile(path).Read(L"Layout2", L""), arabicName);
}

TEST_F(cProfileFile, ReadsAHandEditInUtf8AndRewritesItInUtf16) {
    const std::wstring text = L"[Zenvoral]\r\nLayout2=" + arabicName + L"\r\n";
    ASSERT_TRUE(WriteFileBytes(path, Utf16ToUtf8(text)));
    EXPECT_EQ(cProfile(path).Read(L"Layout2", L""), arabicName);
    EXPECT_TRUE(ReadFileBytes(path).value().starts_with("\xFF\xFE"));
    EXPECT_EQ(FileText(path), text);
}

// Nothing unless the value is there as a REG_SZ.
std::optional<std::wstring> StoredRunValue() {
    std::wstring text(512, L'\0');
    auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"UxZenvoral", RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, text.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(size / sizeof(wchar_t) - 1);  // the size counts the terminator
    return text;
}

// The real Run value of the harness's throw-away Wine prefix.
TEST(cRegistry, WritesAndDeletesTheRunValue) {
    const std::wstring command = L"\"C:\\Program Files\\Zenvoral\\Zenvoral.exe\"";
    cRegistry registry;
    EXPECT_TRUE(registry.WriteRunValue(command));
    EXPECT_EQ(StoredRunValue(), command);
    EXPECT_TRUE(registry.DeleteRunValue());
    EXPECT_EQ(StoredRunValue(), std::nullopt);
    EXPECT_TRUE(registry.DeleteRunValue());  // nothing left is no failure
}

}  // namespace
