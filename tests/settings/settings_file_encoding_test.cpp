#include <gtest/gtest.h>

#include <string>

#include "settings/settings_file_encoding.h"

namespace {

using namespace std::string_literals;

TEST(SettingsFileEncoding, EveryFileEndsInUtf16AndNoTextIsLost) {
    const struct {
        std::optional<std::string> file;
        std::optional<std::string> rewritten;
    } cases[] = {
        {std::nullopt, "\xFF\xFE"s},
        {""s, "\xFF\xFE"s},
        {"K=\xD8\xB6"s, "\xFF\xFEK\0=\0\x36\x06"s},              // UTF-8 Arabic
        {"\xEF\xBB\xBFK=\xD8\xB6"s, "\xFF\xFEK\0=\0\x36\x06"s},  // with its mark
        {"K=\xE9"s, "\xFF\xFEK\0=\0\xE9\0"s},                    // no UTF-8: code page 1252
        {"\xFF\xFEK\0=\0\x36\x06"s, std::nullopt},
        {"\xFE\xFF\0K\0="s, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16SettingsFile(c.file), c.rewritten) << c.file.value_or("(no file)");
    }
}

}  // namespace
