#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text is held as UTF-16 code units in std::wstring on every platform (on Linux each
// wchar_t simply carries one 16-bit unit), so the engine counts and matches exactly
// what the Windows clipboard delivers. These are the conversions at the edges.

bool IsValidUtf8(std::string_view bytes);

// The two halves of a surrogate pair, by the UTF-16 unit's value.
constexpr bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Removes a leading UTF-8 byte-order mark; true when there was one.
bool SkipUtf8ByteOrderMark(std::string_view& bytes);

// Invalid sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::wstring Utf8ToUtf16(std::string_view bytes);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::wstring_view text);

// Upper-cases a-z only: names of keys, registry roots and the like are ASCII, and
// must compare the same whatever the user's locale.
std::wstring AsciiUpperCase(std::wstring_view text);

// The system's ANSI code page on Windows; Windows-1252 where there is none.
std::wstring AnsiToUtf16(std::string_view bytes);

// The text of a file a user may have saved in any of Notepad's encodings: UTF-16 after
// its byte order mark (either byte order; an odd last byte becomes U+FFFD), else UTF-8
// (after its mark, if any) when the bytes are valid UTF-8, else the ANSI code page.
std::wstring DecodeTextFile(std::string_view bytes);
