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

struct LayoutLoad {
    bool FileMissing = false;  // show kMissingLayoutsMessage (error icon), then end
    LayoutTable Table;         // names, both key lists, counts after the count check
    std::array<std::wstring, 2> ButtonCaptions;  // "&English " for the first layout
    std::optional<std::wstring> Warning;         // kUnequalKeyCountsMessage (exclamation)
};

// The two layouts from the bytes of a layouts file, which may be UTF-8 (with or without
// a byte-order mark) or, failing that, in the system's ANSI code page; lines end at CR
// LF, CR or LF. A name that heads no section gets an empty list.
LayoutLoad ParseLayouts(std::string_view fileBytes, const std::wstring& layout1Name,
                        const std::wstring& layout2Name);

// The same from programFolder\layouts.txt. A file that exists but cannot be read loads
// like one without sections.
LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name);
