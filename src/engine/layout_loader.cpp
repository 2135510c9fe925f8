#include "engine/layout_loader.h"

#include "base/file_access.h"
#include "engine/layout_file.h"

namespace {

std::vector<std::wstring> ReadLayoutFileLines(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return {};
    }
    return SplitLines(DecodeLayoutFileBytes(*bytes));
}

}  // namespace

std::wstring AddBackslash(std::wstring folderPath) {
    if (folderPath.empty() || folderPath.back() != L'\\') {
        folderPath.push_back(L'\\');
    }
    return folderPath;
}

std::optional<std::wstring> GetLayoutsFilePath(const LayoutContext& context) {
    std::wstring path = AddBackslash(context.programFolder) + kLayoutsFileName;
    if (FileExists(path)) {
        return path;
    }
    context.ui.ShowMessage(kMissingLayoutsMessage, MessageIcon::Error);
    context.ui.EndProgram();
    return std::nullopt;
}

bool LoadLayoutNames(const LayoutContext& context) {
    const std::optional<std::wstring> path = GetLayoutsFilePath(context);
    if (!path) {
        return false;
    }
    LayoutTable& table = context.table;
    table.LayoutNames = ParseLayoutNames(ReadLayoutFileLines(*path));
    table.LayoutNameCount = static_cast<int>(table.LayoutNames.size());
    return true;
}

bool LoadLayout(const LayoutContext& context, const std::wstring& name, int slot) {
    const std::optional<std::wstring> path = GetLayoutsFilePath(context);
    if (!path) {
        return false;
    }
    LayoutTable& table = context.table;
    const bool first = slot == 1;
    std::vector<std::wstring> keys = ParseLayoutKeys(ReadLayoutFileLines(*path), name);
    (first ? table.Layout1Name : table.Layout2Name) = name;
    context.ui.SetLayoutButtonCaption(first ? 0 : 1, LayoutButtonCaption(name));
    table.SetKeys(slot, std::move(keys));
    return true;
}

void CheckLayoutKeyCounts(const LayoutContext& context) {
    LayoutTable& table = context.table;
    if (table.Layout1KeyCount == table.Layout2KeyCount) {
        return;
    }
    // The message box is modal but keeps messages flowing, so a conversion may run
    // before the count below is lowered; the converter checks the lists itself.
    context.ui.ShowMessage(kUnequalKeyCountsMessage, MessageIcon::Exclamation);
    if (table.Layout2KeyCount < table.Layout1KeyCount) {
        table.Layout1KeyCount = table.Layout2KeyCount;
    }
}
