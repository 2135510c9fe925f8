#pragma once

#include <optional>
#include <string>

#include "base/message_sink.h"
#include "engine/layout_table.h"

// What loading layouts needs from the user interface.
class LayoutUi : public MessageSink {
  public:
    // buttonIndex 0 carries the first layout's caption, 1 the second's.
    virtual void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) = 0;

    // Called after the missing-file message has been closed: take the program down.
    // Loading stops whatever this does, so tests can simply record the call.
    virtual void EndProgram() = 0;
};

// The layout table together with where its file lies and whom to tell.
struct LayoutContext {
    LayoutTable& table;
    std::wstring programFolder;
    LayoutUi& ui;
};

inline const std::wstring kLayoutsFileName = L"layouts.txt";
inline const std::wstring kMissingLayoutsMessage =
    L"Cannot find this file: layouts.txt\r\nThe program cannot run without this file!";
inline const std::wstring kUnequalKeyCountsMessage =
    L"Number of keys under first and second keyboard layout are not equal.\n"
    L"This may cause incorrect converting between both layout!";

std::wstring AddBackslash(std::wstring folderPath);

// The full path of layouts.txt. When the file does not exist the user is told, the
// program is ended, and nothing is returned.
[[nodiscard]] std::optional<std::wstring> GetLayoutsFilePath(const LayoutContext& context);

// Rebuilds LayoutNames and LayoutNameCount. Returns false when the file was missing.
bool LoadLayoutNames(const LayoutContext& context);

// Rebuilds one slot's key list, stores its name and sets its button caption. A file
// that exists but cannot be read loads like a name without a section. Returns false
// when the file was missing.
bool LoadLayout(const LayoutContext& context, const std::wstring& name, int slot);

// Warns about unequal counts, then lowers Layout1KeyCount to the smaller count.
void CheckLayoutKeyCounts(const LayoutContext& context);
