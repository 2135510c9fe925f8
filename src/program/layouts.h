#pragma once

#include "engine/layout_loader.h"
#include "program/message_sink.h"

// Takes a load into the program's layouts and tells the user what it found: the missing
// file (error icon; false, the program has to end, and the layouts stay as they were),
// else the unequal key counts (exclamation icon), once the new layouts are in place.
bool ApplyLayoutLoad(LayoutLoad load, LayoutLoad& layouts, MessageSink& messages);
