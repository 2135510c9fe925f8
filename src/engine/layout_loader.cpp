#include "engine/layout_loader.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"

namespace {

using Lines = std::vector<std::wstring_view>;

constexpr std::wstring_view kCommentStart = L"<!--";

// Used in place of a first or second layout the file does not have.
const std::array<std::wstring, 2> kDefaultLayoutNames = {L"English (101 Keys)",
                                                         L"Arabic (101 Keys)"};

// The message with %1, %2, ... replaced by the values in order, in one pass: a name
// holding "%2" stays as it is.
std::wstring FillIn(std::wstring_view message, std::initializer_list<std::wstring_view> values) {
    std::wstring text;
    for (size_t i = 0; i < message.size(); ++i) {
        const size_t index =
            i + 1 < message.size() ? static_cast<size_t>(message[i + 1] - L'1') : values.size();
        if (message[i] == L'%' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += message[i];
        }
    }
    return text;
}

// Each line trimmed of blanks; lines end at CR LF, a lone CR or a lone LF.
Lines SplitTrimmedLines(std::wstring_view text) {
    Lines lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of(L"\r\n"), text.size());
        lines.push_back(TrimBlanks(text.substr(0, end)));
        const bool crLf = text.substr(end).starts_with(L"\r\n");
        text.remove_prefix(std::min(text.size(), end + (crLf ? 2 : 1)));
    }
    return lines;
}

bool IsSectionHeader(std::wstring_view line) {
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

void LoadLayoutNames(const Lines& lines, LayoutTable& table) {
    for (const std::wstring_view line : lines) {
        if (IsSectionHeader(line)) {
            table.LayoutNames.emplace_back(line);
        }
    }
    table.LayoutNameCount = static_cast<int>(table.LayoutNames.size());
}

// Every single blank separates two entries, so a run of n blanks inside a line gives
// n - 1 empty entries, each holding a position like any other; line ends separate
// entries like a blank.
void AppendKeyEntries(std::wstring_view line, std::vector<std::wstring>& entries) {
    for (size_t blank; (blank = line.find(L' ')) != std::wstring_view::npos;) {
        entries.emplace_back(line.substr(0, blank));
        line.remove_prefix(blank + 1);
    }
    entries.emplace_back(line);
}

// The lines of the first section headed "[" + name + "]", up to the next header (even
// one repeating the name).
Lines SectionLines(const Lines& lines, const std::wstring& name) {
    const auto header = std::find(lines.begin(), lines.end(), L"[" + name + L"]");
    if (header == lines.end()) {
        return {};
    }
    const auto end = std::find_if(header + 1, lines.end(), IsSectionHeader);
    return Lines(header + 1, end);
}

// A section's entries; empty and comment lines are skipped.
std::vector<std::wstring> ReadSectionKeys(const Lines& section) {
    std::vector<std::wstring> entries;
    for (const std::wstring_view line : section) {
        if (!line.empty() && !line.starts_with(kCommentStart)) {
            AppendKeyEntries(line, entries);
        }
    }
    return entries;
}

// The tag of the first "<!-- language: xx -->" comment: the comment form keeps the line
// out of the keys for any reader of the file that knows nothing of languages.
std::wstring ReadSectionLanguage(const Lines& section) {
    constexpr std::wstring_view kLanguageStart = L"<!-- language:";
    constexpr std::wstring_view kCommentEnd = L"-->";
    for (std::wstring_view line : section) {
        if (line.starts_with(kLanguageStart)) {
            line.remove_prefix(kLanguageStart.size());
            if (line.ends_with(kCommentEnd)) {
                line.remove_suffix(kCommentEnd.size());
            }
            return std::wstring(TrimBlanks(line));
        }
    }
    return {};
}

// "&" and the name up to its first "(": "&English " for "English (101 Keys)".
std::wstring LayoutButtonCaption(const std::wstring& name) {
    return L"&" + name.substr(0, name.find(L'('));
}

// Fills one slot and gives its button caption.
std::wstring LoadLayout(const Lines& lines, const std::wstring& name, int slot,
                        LayoutTable& table) {
    const Lines section = SectionLines(lines, name);
    (slot == 1 ? table.Layout1Name : table.Layout2Name) = name;
    (slot == 1 ? table.Layout1Language : table.Layout2Language) = ReadSectionLanguage(section);
    table.SetKeys(slot, ReadSectionKeys(section));
    return LayoutButtonCaption(name);
}

bool HasLayout(const LayoutTable& table, const std::wstring& name) {
    const std::vector<std::wstring>& headers = table.LayoutNames;
    return std::find(headers.begin(), headers.end(), L"[" + name + L"]") != headers.end();
}

// A slot's default, or the other slot's when the other layout is that one already: two
// equal layouts would convert nothing.
std::optional<std::wstring> DefaultLayout(const LayoutTable& table, size_t slot,
                                          const std::wstring& otherName) {
    for (const std::wstring& name : {kDefaultLayoutNames[slot], kDefaultLayoutNames[1 - slot]}) {
        if (name != otherName && HasLayout(table, name)) {
            return name;
        }
    }
    return std::nullopt;
}

// Replaces each name the file does not have by a default where it can, and tells the
// user about each, one paragraph apiece.
std::vector<std::wstring> ReplaceMissingLayouts(const LayoutTable& table,
                                                std::array<std::wstring, 2>& names,
                                                const std::wstring& filePath) {
    std::vector<std::wstring> paragraphs;
    for (size_t slot = 0; slot < names.size(); ++slot) {
        if (HasLayout(table, names[slot])) {
            continue;
        }
        const std::optional<std::wstring> used = DefaultLayout(table, slot, names[1 - slot]);
        paragraphs.push_back(
            used ? FillIn(kLayoutNotFoundMessage, {names[slot], filePath, *used})
                 : FillIn(kLayoutNotFoundNoDefaultMessage, {names[slot], filePath}));
        names[slot] = used.value_or(names[slot]);
    }
    return paragraphs;
}

// Conversion counts positions by Layout1KeyCount, so lowering it to the shorter list is
// enough to keep every compared position inside both lists. True when they differed.
bool EqualiseKeyCounts(LayoutTable& table) {
    if (table.Layout1KeyCount == table.Layout2KeyCount) {
        return false;
    }
    table.Layout1KeyCount = std::min(table.Layout1KeyCount, table.Layout2KeyCount);
    return true;
}

// The one message a load gives. A missing section explains any unequal counts, and a
// file without sections explains everything.
std::optional<std::wstring> LoadWarning(const LayoutTable& table,
                                        const std::vector<std::wstring>& missingLayouts,
                                        bool unequalCounts, const std::wstring& filePath) {
    if (table.LayoutNames.empty()) {
        return FillIn(kNoLayoutsFoundMessage, {filePath});
    }
    if (!missingLayouts.empty()) {
        std::wstring text = missingLayouts.front();
        for (size_t i = 1; i < missingLayouts.size(); ++i) {
            text += L"\r\n\r\n" + missingLayouts[i];
        }
        return text;
    }
    return unequalCounts ? std::optional(kUnequalKeyCountsMessage) : std::nullopt;
}

}  // namespace

LayoutLoad ParseLayouts(std::string_view fileBytes, const std::wstring& layout1Name,
                        const std::wstring& layout2Name, const std::wstring& filePath) {
    const std::wstring text = DecodeTextFile(fileBytes);
    const Lines lines = SplitTrimmedLines(text);
    LayoutLoad load;
    LoadLayoutNames(lines, load.Table);
    std::array<std::wstring, 2> names{layout1Name, layout2Name};
    const std::vector<std::wstring> missing = ReplaceMissingLayouts(load.Table, names, filePath);
    load.ButtonCaptions[0] = LoadLayout(lines, names[0], 1, load.Table);
    load.ButtonCaptions[1] = LoadLayout(lines, names[1], 2, load.Table);
    const bool unequalCounts = EqualiseKeyCounts(load.Table);
    load.Warning = LoadWarning(load.Table, missing, unequalCounts, filePath);
    return load;
}

LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name) {
    const std::wstring path = AddBackslash(programFolder) + kLayoutsFileName;
    if (!FileExists(path)) {
        LayoutLoad missing;
        missing.FileMissing = true;
        return missing;
    }
    return ParseLayouts(ReadFileBytes(path).value_or(std::string()), layout1Name, layout2Name,
                        path);
}
