// The system stores under Wine: cProfile against the settings contract, cRegistry read
// back with the system's own registry calls.

#include <windows.h>

#include <optional>
#include <sstream>

#include "base/file_access.h"
#include "settings_store_contract.h"
#include "support/temp_folder.h"

namespace {

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
        std::wistringstream lines(Utf8ToUtf16(ReadFileBytes(path_).value_or("")));
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
    bool HoldsAnything() const { return FileExists(path_); }

  private:
    TempFolder folder_;
    std::wstring path_ = folder_.ProgramPath() + L"\\Zenvoral.ini";
    cProfile store_{path_};
};

INSTANTIATE_TYPED_TEST_SUITE_P(System, SettingsStoreContract, ProfileHarness);

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
