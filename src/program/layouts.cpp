#include "program/layouts.h"

#include <utility>

namespace {

// Collects what the engine's loader reports on the way.
class CollectingLayoutUi final : public LayoutUi {
  public:
    explicit CollectingLayoutUi(LayoutLoad& load) : load_(load) {}

    void ShowMessage(const std::wstring& text, MessageIcon) override {
        if (text != kMissingLayoutsMessage) {
            load_.Warning = text;
        }
    }
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override {
        load_.ButtonCaptions.at(static_cast<size_t>(buttonIndex)) = caption;
    }
    void EndProgram() override { load_.FileMissing = true; }

  private:
    LayoutLoad& load_;
};

}  // namespace

LayoutLoad LoadLayoutsFile(const std::wstring& programFolder, const std::wstring& layout1Name,
                           const std::wstring& layout2Name) {
    LayoutLoad load;
    CollectingLayoutUi ui(load);
    const LayoutContext context{load.Table, programFolder, ui};
    if (LoadLayoutNames(context) && LoadLayout(context, layout1Name, 1) &&
        LoadLayout(context, layout2Name, 2)) {
        CheckLayoutKeyCounts(context);
    }
    return load;
}

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
