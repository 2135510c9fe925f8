#include "settings/ini_text.h"

namespace {

constexpr size_t kNoLine = static_cast<size_t>(-1);

bool IsIniBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f';
}

std::wstring_view TrimIniBlanks(std::wstring_view text) {
    while (!text.empty() && IsIniBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

wchar_t AsciiUpper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? c - (L'a' - L'A') : c;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

// The name in a header line, or nothing when the line is no header.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
    const std::wstring_view trimmed = TrimIniBlanks(line);
    if (trimmed.empty() || trimmed.front() != L'[') {
        return std::nullopt;
    }
    std::wstring_view name = trimmed.substr(1);
    const size_t close = name.find(L']');
    if (close != std::wstring_view::npos) {
        name = name.substr(0, close);
    }
    return TrimIniBlanks(name);
}

std::optional<std::wstring_view> KeyName(std::wstring_view line) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    return TrimIniBlanks(line.substr(0, equals));
}

std::wstring ValueOf(std::wstring_view line) {
    std::wstring_view value = TrimIniBlanks(line.substr(line.find(L'=') + 1));
    const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                        value.back() == value.front();
    if (quoted) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

}  // namespace

IniDocument IniDocument::Parse(std::wstring_view text) {
    IniDocument document;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            document.lines_.push_back({std::wstring(text.substr(start)), L""});
            break;
        }
        const size_t endingLength =
            (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1;
        document.lines_.push_back({std::wstring(text.substr(start, end - start)),
                                   std::wstring(text.substr(end, endingLength))});
        start = end + endingLength;
    }
    return document;
}

std::wstring IniDocument::Text() const {
    std::wstring text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(std::wstring_view section) const {
    std::optional<SectionRange> found;
    if (section.empty()) {
        found = SectionRange{kNoLine, lines_.size()};
    }
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::wstring_view> name = SectionName(lines_[i].text);
        if (!name) {
            continue;
        }
        if (found) {
            found->end = i;
            return found;
        }
        if (EqualIgnoringCase(*name, section)) {
            found = SectionRange{i, lines_.size()};
        }
    }
    return found;
}

std::optional<size_t> IniDocument::FindKeyLine(const SectionRange& range,
                                               std::wstring_view key) const {
    const size_t first = range.header == kNoLine ? 0 : range.header + 1;
    for (size_t i = first; i < range.end; ++i) {
        const std::optional<std::wstring_view> name = KeyName(lines_[i].text);
        if (name && EqualIgnoringCase(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> IniDocument::FindValue(std::wstring_view section,
                                                   std::wstring_view key) const {
    const std::optional<SectionRange> range = FindSection(section);
    if (!range) {
        return std::nullopt;
    }
    const std::optional<size_t> line = FindKeyLine(*range, key);
    if (!line) {
        return std::nullopt;
    }
    return ValueOf(lines_[*line].text);
}

std::wstring IniDocument::NewLineEnding() const {
    for (const Line& line : lines_) {
        if (!line.ending.empty()) {
            return line.ending;
        }
    }
    return L"\r\n";
}

void IniDocument::EnsureLastLineEnded() {
    if (!lines_.empty() && lines_.back().ending.empty()) {
        lines_.back().ending = NewLineEnding();
    }
}

void IniDocument::SetValue(std::wstring_view section, std::wstring_view key,
                           std::wstring_view value) {
    const std::optional<SectionRange> range = FindSection(section);
    if (!range) {
        EnsureLastLineEnded();
        const std::wstring ending = NewLineEnding();
        lines_.push_back({L"[" + std::wstring(section) + L"]", ending});
        lines_.push_back({std::wstring(key) + L"=" + std::wstring(value), ending});
        return;
    }
    if (const std::optional<size_t> line = FindKeyLine(*range, key)) {
        const std::wstring firstSpelling(*KeyName(lines_[*line].text));
        lines_[*line].text = firstSpelling + L"=" + std::wstring(value);
        return;
    }
    // After the last non-blank line, so blank lines that separate this section from
    // the next stay where they are.
    size_t insertAt = range->header == kNoLine ? 0 : range->header + 1;
    for (size_t i = insertAt; i < range->end; ++i) {
        if (!TrimIniBlanks(lines_[i].text).empty()) {
            insertAt = i + 1;
        }
    }
    if (insertAt == lines_.size()) {
        EnsureLastLineEnded();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{std::wstring(key) + L"=" + std::wstring(value), NewLineEnding()});
}

bool IniDocument::DeleteValue(std::wstring_view section, std::wstring_view key) {
    const std::optional<SectionRange> range = FindSection(section);
    if (!range) {
        return false;
    }
    const std::optional<size_t> line = FindKeyLine(*range, key);
    if (!line) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}
