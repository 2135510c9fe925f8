#pragma once

#include <string>
#include <string_view>

#include "engine/layout_table.h"

// The outcome of retyping only the words that were typed on the wrong layout.
struct SmartConversion {
    std::wstring Text;   // every blank, line end and kept word exactly as it was
    int LastLayout = 0;  // 1 or 2: the layout the last converted word went to; 0 for none
};

// Judges each word (a run of non-blank units) on its own: kept, or retyped on the first or
// the second layout, whichever reads as its language (the built-in models of
// Layout1Language and Layout2Language). Words with digits, addresses and words mixing the
// two layouts are kept, and so is a word whose two readings are nearly as likely: a
// wrong conversion costs the user more than a missed one. When either layout has no model
// the whole text is converted the plain way, as ConvertLayout does with autoDirection,
// and LastLayout is that direction (DecideDirection's choice).
SmartConversion ConvertMistypedWords(const LayoutTable& table, std::wstring_view text);
