#include "program/layouts.h"

#include <utility>

bool ApplyLayoutLoad(LayoutLoad load, LayoutLoad& layouts, MessageSink& messages) {
    if (load.FileMissing) {
        messages.ShowMessage(kMissingLayoutsMessage, MessageIcon::Error);
        return false;
    }
    // In place before the warning: its message box keeps messages flowing, and a
    // conversion may run under it.
    layouts = std::move(load);
    if (layouts.Warning) {
        messages.ShowMessage(*layouts.Warning, MessageIcon::Exclamation);
    }
    return true;
}

bool TakeLayoutNamesInUse(const LayoutTable& layouts, ProgramSettings& settings) {
    const bool changed =
        settings.Layout1Name != layouts.Layout1Name || settings.Layout2Name != layouts.Layout2Name;
    settings.Layout1Name = layouts.Layout1Name;
    settings.Layout2Name = layouts.Layout2Name;
    return changed;
}
