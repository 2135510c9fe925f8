#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file held as its lines, each with the line end it had, so that changing one
// value rewrites that one line and leaves every other byte as it was: comments,
// blank lines, other sections and their order.
//
// The reading rules follow the system's private-profile functions, so a file reads
// the same through either store:
// - "[name]" starts a section; blanks inside the brackets do not count, and lines
//   before the first header belong to the section with the empty name;
// - a line with "=" is a key: the text before the first "=" is its name, the rest its
//   value, each without surrounding blanks; a line without "=" is no key;
// - a value enclosed in a matching pair of " or ' is returned without them;
// - section and key names are compared without regard to ASCII letter case; only
//   the first section of a name counts, and within it the first line of a key.
class IniDocument {
  public:
    static IniDocument Parse(std::wstring_view text);

    std::wstring Text() const;

    std::optional<std::wstring> FindValue(std::wstring_view section, std::wstring_view key) const;

    // Replaces the key's line in place, keeping the key's first spelling; a new key
    // goes after the section's last non-blank line, a new section at the end.
    void SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // Removes the key's line; the section header stays. False when there was none.
    bool DeleteValue(std::wstring_view section, std::wstring_view key);

  private:
    struct Line {
        std::wstring text;
        std::wstring ending;  // "\r\n", "\n", "\r" or empty on a last line without one
    };
    struct SectionRange {
        size_t header;  // index of the header line; npos for the unnamed leading section
        size_t end;     // one past the section's last line
    };

    std::optional<SectionRange> FindSection(std::wstring_view section) const;
    std::optional<size_t> FindKeyLine(const SectionRange& range, std::wstring_view key) const;
    std::wstring NewLineEnding() const;
    void EnsureLastLineEnded();

    std::vector<Line> lines_;
};
