#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/layout_loader.h"
#include "engine/layout_table.h"
#include "program/message_sink.h"

// layouts.txt read for the two selected layouts, as one value: the table, the captions
// of the two layout buttons ("&English "), the warning about unequal key counts (the
// count check has already lowered the first count), or the missing file.
struct LayoutLoad {
    bool FileMissing = false;
    LayoutTable Table;
    std::array<std::wstring, 2> ButtonCaptions;
    std::optional<std::wstring> Warning;
};

// Reads programFolder\layouts.txt.
LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name);

// Takes a load into the program's layouts and tells the user what it found: the missing
// file (error icon; false, the program has to end, and the layouts stay as they were),
// else the unequal key counts (exclamation icon), once the new layouts are in place.
bool ApplyLayoutLoad(LayoutLoad load, LayoutLoad& layouts, MessageSink& messages);
