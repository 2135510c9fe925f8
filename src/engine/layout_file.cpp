#include "engine/layout_file.h"

#include "base/text_encoding.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::wstring_view kCommentStart = L"<!--";

}  // namespace

std::wstring DecodeLayoutFileBytes(std::string_view bytes) {
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
        return Utf8ToUtf16(bytes);
    }
    if (IsValidUtf8(bytes)) {
        return Utf8ToUtf16(bytes);
    }
    return AnsiToUtf16(bytes);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (c != L'\r' && c != L'\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, pos - start));
        if (c == L'\r' && pos + 1 < text.size() && text[pos + 1] == L'\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

bool IsSectionHeader(std::wstring_view line) {
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

bool IsCommentLine(std::wstring_view line) {
    return line.substr(0, kCommentStart.size()) == kCommentStart;
}

std::vector<std::wstring> ParseLayoutNames(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> names;
    for (const std::wstring& line : lines) {
        const std::wstring_view trimmed = TrimBlanks(line);
        if (IsSectionHeader(trimmed)) {
            names.emplace_back(trimmed);
        }
    }
    return names;
}

std::vector<std::wstring> ParseLayoutKeys(const std::vector<std::wstring>& lines,
                                          std::wstring_view name) {
    const std::wstring header = L"[" + std::wstring(name) + L"]";
    auto line = lines.begin();
    while (line != lines.end() && TrimBlanks(*line) != header) {
        ++line;
    }
    if (line == lines.end()) {
        return {};
    }
    std::wstring sectionText;
    for (++line; line != lines.end(); ++line) {
        const std::wstring_view trimmed = TrimBlanks(*line);
        if (IsSectionHeader(trimmed)) {
            break;
        }
        if (trimmed.empty() || IsCommentLine(trimmed)) {
            continue;
        }
        sectionText.append(trimmed);
        sectionText.push_back(L' ');
    }
    return SplitKeyEntries(TrimBlanks(sectionText));
}

std::vector<std::wstring> SplitKeyEntries(std::wstring_view sectionText) {
    std::vector<std::wstring> entries;
    if (sectionText.empty()) {
        return entries;
    }
    size_t start = 0;
    for (;;) {
        const size_t blank = sectionText.find(L' ', start);
        if (blank == std::wstring_view::npos) {
            entries.emplace_back(sectionText.substr(start));
            return entries;
        }
        entries.emplace_back(sectionText.substr(start, blank - start));
        start = blank + 1;
    }
}

std::wstring LayoutButtonCaption(std::wstring_view name) {
    return L"&" + std::wstring(name.substr(0, name.find(L'(')));
}
