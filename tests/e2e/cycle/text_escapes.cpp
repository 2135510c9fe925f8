#include "text_escapes.h"

namespace {

struct Escape {
    wchar_t plain;
    wchar_t letter;
};

constexpr Escape kEscapes[] = {{L'\r', L'r'}, {L'\n', L'n'}, {L'\t', L't'}, {L'\\', L'\\'}};

}  // namespace

std::optional<std::wstring> UnescapeText(std::wstring_view text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        bool known = false;
        for (const Escape& escape : kEscapes) {
            if (text[i] == escape.letter) {
                plain += escape.plain;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return plain;
}

std::wstring EscapeText(std::wstring_view text) {
    std::wstring escaped;
    for (const wchar_t unit : text) {
        bool replaced = false;
        for (const Escape& escape : kEscapes) {
            if (unit == escape.plain) {
                escaped += L'\\';
                escaped += escape.letter;
                replaced = true;
            }
        }
        if (!replaced) {
            escaped += unit;
        }
    }
    return escaped;
}
