#include "engine/layout_loader.h"

#include <algorithm>
#include <vector>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"

namespace {

using Lines = std::vector<std::wstring_view>;

constexpr std::wstring_view kCommentStart = L"<!--";

// Files saved the old way, in the ANSI code page, still load: such bytes are almost
// never valid UTF-8.
std::wstring DecodeLayoutFileBytes(std::string_view bytes) {
    if (SkipUtf8ByteOrderMark(bytes) || IsValidUtf8(bytes)) {
        return Utf8ToUtf16(bytes);
    }
    return AnsiToUtf16(bytes);
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

// The entries of the first section headed "[" + name + "]", up to the next header (even
// one repeating the name); empty and comment lines are skipped.
std::vector<std::wstring> ReadSectionKeys(const Lines& lines, const std::wstring& name) {
    const std::wstring header = L"[" + name + L"]";
    std::vector<std::wstring> entries;
    auto line = std::find(lines.begin(), lines.end(), header);
    if (line == lines.end()) {
        return entries;
    }
    for (++line; line != lines.end() && !IsSectionHeader(*line); ++line) {
        if (!line->empty() && !line->starts_with(kCommentStart)) {
            AppendKeyEntries(*line, entries);
        }
    }
    return entries;
}

// "&" and the name up to its first "(": "&English " for "English (101 Keys)".
std::wstring LayoutButtonCaption(const std::wstring& name) {
    return L"&" + name.substr(0, name.find(L'('));
}

// Fills one slot and gives its button caption.
std::wstring LoadLayout(const Lines& lines, const std::wstring& name, int slot,
                        LayoutTable& table) {
    (slot == 1 ? table.Layout1Name : table.Layout2Name) = name;
    table.SetKeys(slot, ReadSectionKeys(lines, name));
    return LayoutButtonCaption(name);
}

// Conversion counts positions by Layout1KeyCount, so lowering it to the shorter list is
// enough to keep every compared position inside both lists.
std::optional<std::wstring> CheckLayoutKeyCounts(LayoutTable& table) {
    if (table.Layout1KeyCount == table.Layout2KeyCount) {
        return std::nullopt;
    }
    table.Layout1KeyCount = std::min(table.Layout1KeyCount, table.Layout2KeyCount);
    return kUnequalKeyCountsMessage;
}

std::optional<std::wstring> GetLayoutsFilePath(const std::wstring& programFolder) {
    std::wstring path = AddBackslash(programFolder) + kLayoutsFileName;
    if (!FileExists(path)) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

LayoutLoad ParseLayouts(std::string_view fileBytes, const std::wstring& layout1Name,
                        const std::wstring& layout2Name) {
    const std::wstring text = DecodeLayoutFileBytes(fileBytes);
    const Lines lines = SplitTrimmedLines(text);
    LayoutLoad load;
    LoadLayoutNames(lines, load.Table);
    load.ButtonCaptions[0] = LoadLayout(lines, layout1Name, 1, load.Table);
    load.ButtonCaptions[1] = LoadLayout(lines, layout2Name, 2, load.Table);
    load.Warning = CheckLayoutKeyCounts(load.Table);
    return load;
}

LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name) {
    const std::optional<std::wstring> path = GetLayoutsFilePath(programFolder);
    if (!path) {
        LayoutLoad missing;
        missing.FileMissing = true;
        return missing;
    }
    return ParseLayouts(ReadFileBytes(*path).value_or(std::string()), layout1Name, layout2Name);
}
