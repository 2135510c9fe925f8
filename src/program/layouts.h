#pragma once

#include "engine/layout_loader.h"
#include "program/message_sink.h"
#include "settings/program_settings.h"

// Takes a load into the program's layouts and tells the user what it found: the missing
// file (error icon; false, the program has to end, and the layouts stay as they were),
// else the load's warning (exclamation icon), once the new layouts are in place.
bool ApplyLayoutLoad(LayoutLoad load, LayoutLoad& layouts, MessageSink& messages);

// The settings take the names of the layouts in use, which differ from theirs when the
// load put a default in place of a layout layouts.txt lacks: the settings file and the
// options dialog then show what converts. True when a name changed, to be saved.
bool TakeLayoutNamesInUse(const LayoutTable& layouts, ProgramSettings& settings);
