#include "base/text_encoding.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence starting at bytes[pos]; returns its length, or 0 when
// the sequence is malformed (overlong, surrogate, beyond U+10FFFF, truncated).
size_t DecodeUtf8Sequence(std::string_view bytes, size_t pos, char32_t& out) {
    const auto byteAt = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    const uint8_t lead = byteAt(pos);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        out = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        out = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        out = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const uint8_t next = byteAt(pos + i);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        out = (out << 6) | (next & 0x3F);
    }
    if (out < minimum || out > 0x10FFFF || (out >= 0xD800 && out <= 0xDFFF)) {
        return 0;
    }
    return length;
}

void AppendUtf16(std::wstring& text, char32_t codePoint) {
    if (codePoint < 0x10000) {
        text.push_back(static_cast<wchar_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    text.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
    text.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

void AppendUtf8(std::string& bytes, char32_t codePoint) {
    if (codePoint < 0x80) {
        bytes.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        bytes.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        bytes.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        bytes.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// wchar_t is 32 bits on Linux; only the low 16 bits are a UTF-16 unit there.
uint32_t UnitAt(std::wstring_view text, size_t i) {
    return static_cast<uint32_t>(text[i]) & 0xFFFF;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t ignored = 0;
        const size_t length = DecodeUtf8Sequence(bytes, pos, ignored);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::wstring Utf8ToUtf16(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t codePoint = 0;
        const size_t length = DecodeUtf8Sequence(bytes, pos, codePoint);
        if (length == 0) {
            AppendUtf16(text, kReplacement);
            ++pos;
            continue;
        }
        AppendUtf16(text, codePoint);
        pos += length;
    }
    return text;
}

std::string Utf16ToUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t unit = UnitAt(text, i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const uint32_t low = UnitAt(text, i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        const bool unpairedSurrogate = unit >= 0xD800 && unit <= 0xDFFF;
        AppendUtf8(bytes, unpairedSurrogate ? kReplacement : unit);
    }
    return bytes;
}

std::wstring AsciiUpperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') {
            c -= L'a' - L'A';
        }
    }
    return upper;
}
