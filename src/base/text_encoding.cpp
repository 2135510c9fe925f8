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

// The converters write through a pointer into text sized for the longest result and
// cut it to length at the end: far faster than appending unit by unit.
wchar_t* PutUtf16(wchar_t* out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        *out++ = static_cast<wchar_t>(codePoint);
        return out;
    }
    codePoint -= 0x10000;
    *out++ = static_cast<wchar_t>(0xD800 + (codePoint >> 10));
    *out++ = static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
    return out;
}

char* PutUtf8(char* out, char32_t codePoint) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

// Each unit as it stands in the file; surrogates stay paired as they were written.
std::wstring Utf16BytesToText(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        const auto high = static_cast<uint8_t>(bytes[bigEndian ? pos : pos + 1]);
        const auto low = static_cast<uint8_t>(bytes[bigEndian ? pos + 1 : pos]);
        text.push_back(static_cast<wchar_t>(high << 8 | low));
    }
    if (bytes.size() % 2 != 0) {
        text.push_back(static_cast<wchar_t>(kReplacement));
    }
    return text;
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

bool SkipUtf8ByteOrderMark(std::string_view& bytes) {
    if (!bytes.starts_with(kUtf8Bom)) {
        return false;
    }
    bytes.remove_prefix(kUtf8Bom.size());
    return true;
}

std::wstring Utf8ToUtf16(std::string_view bytes) {
    // No sequence gives more UTF-16 units than it has bytes.
    std::wstring text(bytes.size(), L'\0');
    wchar_t* out = text.data();
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t codePoint = 0;
        const size_t length = DecodeUtf8Sequence(bytes, pos, codePoint);
        out = PutUtf16(out, length == 0 ? kReplacement : codePoint);
        pos += length == 0 ? 1 : length;
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}

std::string Utf16ToUtf8(std::wstring_view text) {
    // No unit gives more than three bytes; a surrogate pair gives four for two.
    std::string bytes(text.size() * 3, '\0');
    char* out = bytes.data();
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t unit = UnitAt(text, i);
        if (IsHighSurrogate(unit) && i + 1 < text.size()) {
            const uint32_t low = UnitAt(text, i + 1);
            if (IsLowSurrogate(low)) {
                out = PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        const bool unpairedSurrogate = IsHighSurrogate(unit) || IsLowSurrogate(unit);
        out = PutUtf8(out, unpairedSurrogate ? kReplacement : unit);
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
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

std::wstring DecodeTextFile(std::string_view bytes) {
    constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
    constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        return Utf16BytesToText(bytes.substr(2), bytes.starts_with(kUtf16BeBom));
    }
    // Files saved the old way, in the ANSI code page, still load: such bytes are almost
    // never valid UTF-8.
    if (SkipUtf8ByteOrderMark(bytes) || IsValidUtf8(bytes)) {
        return Utf8ToUtf16(bytes);
    }
    return AnsiToUtf16(bytes);
}
