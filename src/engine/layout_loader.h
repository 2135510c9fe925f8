#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/layout_table.h"

// Reading layouts.txt: named sections of blank-separated key entries. Nothing here
// talks to the user; the caller shows the messages a load returns.

inline const std::wstring kLayoutsFileName = L"layouts.txt";
inline const std::wstring kMissingLayoutsMessage =
    L"Cannot find this file: layouts.txt\r\nThe program cannot run without this file!";
inline const std::wstring kUnequalKeyCountsMessage =
    L"Number of keys under first and second keyboard layout are not equal.\n"
    L"This may cause incorrect converting between both layout!";
// %1 is the name the settings give, %2 the full path of layouts.txt, %3 the layout used
// in its place. Two missing layouts give two such paragraphs, a blank line between.
inline const std::wstring kLayoutNotFoundMessage =
    L"Cannot find the layout \"%1\" in this file: %2\r\nThe program uses \"%3\" instead.";
inline const std::wstring kLayoutNotFoundNoDefaultMessage =
    L"Cannot find the layout \"%1\" in this file: %2\r\nPlease select another layout in "
    L"Options.";
// %1 is the full path of layouts.txt.
inline const std::wstring kNoLayoutsFoundMessage =
    L"Cannot find any layout in this file: %1\r\nIt must be text in UTF-8, UTF-16 with a "
    L"byte order mark, or the ANSI code page, each layout under its [name] line!";

struct LayoutLoad {
    bool FileMissing = false;  // show kMissingLayoutsMessage (error icon), then end
    LayoutTable Table;         // names, both key lists, counts after the count check
    std::array<std::wstring, 2> ButtonCaptions;  // "&English " for the first layout
    // Shown with an exclamation icon, the program going on: kNoLayoutsFoundMessage, else
    // the kLayoutNotFound... paragraphs, else kUnequalKeyCountsMessage.
    std::optional<std::wstring> Warning;
};

// The two layouts from the bytes of the layouts file at filePath (named in messages),
// in UTF-16 with a byte order mark, UTF-8 or the ANSI code page; lines end at CR LF, CR
// or LF. A name the file does not have is replaced by its default, or by the other
// default when the other layout is that one already; without either it gets an empty
// list and converts nothing.
LayoutLoad ParseLayouts(std::string_view fileBytes, const std::wstring& layout1Name,
                        const std::wstring& layout2Name, const std::wstring& filePath);

// The same from programFolder\layouts.txt. A file that exists but cannot be read loads
// like one without sections.
LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name);
