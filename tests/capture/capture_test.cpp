#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "capture/convert_cycle.h"
#include "clipboard_contract.h"

namespace {

// Every step of a cycle in order, separated by spaces: clipboard calls ("save"), key
// events ("17v" down, "17^" up), waits in milliseconds ("wait<=60:2": bounded by 60,
// over after 2), the conversion ("convert abc 2"), the counter ("DebugValue 1") and what
// the target's paste fetched ("pasted ABC").
void Note(std::string& steps, const std::string& step) {
    steps += (steps.empty() ? "" : " ") + step;
}

std::string Narrow(std::wstring_view text) {
    return std::string(text.begin(), text.end());  // the tests' texts are ASCII
}

// An in-memory clipboard; the contract suite holds it to the Win32 clipboard's
// behaviour. While Held (another program has it open) nothing can be saved or changed.
class FakeClipboard final : public CycleClipboard {
  public:
    std::string Steps;
    bool PutFails = false, Held = false;
    bool Watching = false, Fetched = false;  // for a paste; fetched once it read the text

    void SetText(const std::wstring& text) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
        const std::vector<uint8_t> block(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
        items_ = {{kFormatUnicodeText, FormatCopying::Memory, block, nullptr}};
        ++sequence_;
    }
    std::wstring Content() const { return TextNow().value_or(L"<no text>"); }

    ClipboardSnapshot Save() override {
        Note(Steps, "save");
        return Held ? ClipboardSnapshot{} : ClipboardSnapshot{true, items_};
    }
    bool Restore(const ClipboardSnapshot& snapshot) override { return Change("restore", snapshot); }
    bool Clear() override { return Change("clear", {}); }
    bool IsEmpty() override { return items_.empty(); }
    bool HasText() override { return TextNow().has_value(); }
    std::optional<std::wstring> ReadText() override {
        Note(Steps, "read");
        return TextNow();
    }
    uint32_t SequenceNumber() override { return sequence_; }
    bool PutText(const std::wstring& text) override {
        Note(Steps, "put " + Narrow(text));
        Watching = Fetched = false;
        if (!PutFails) {
            SetText(text);
        }
        return !PutFails;
    }
    void ExpectPaste() override {
        Note(Steps, "expect-paste");
        Watching = true;
        Fetched = false;
    }
    bool PasteWasFetched() override { return Fetched; }

  private:
    bool Change(const std::string& step, const ClipboardSnapshot& snapshot) {
        Note(Steps, step);
        if (!Held) {
            items_ = snapshot.Items;
            ++sequence_;
        }
        return !Held;
    }
    std::optional<std::wstring> TextNow() const {
        const auto text = std::ranges::find(items_, kFormatUnicodeText, &ClipboardItem::Format);
        return text == items_.end() ? std::nullopt
                                    : std::optional(std::wstring(
                                          reinterpret_cast<const wchar_t*>(text->Bytes.data())));
    }

    std::vector<ClipboardItem> items_;
    uint32_t sequence_ = 1;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ClipboardContract, FakeClipboard);

// A cycle's surroundings in one virtual time, journalled in Steps: the clipboard with the
// user's text; the clock (a wait moves time on, running the events that fall due); an
// edit control in the foreground (C copies its selection 2 ms later, V fetches the text
// 4 ms later and holds the clipboard for PasteHold, Home and Left select); the user's
// modifier keys, the settings and the conversion (upper case).
class FakeDesk final : public CycleClock,
                       public KeyInjector,
                       public ModifierProbe,
                       public CycleSettings {
  public:
    FakeDesk() { Clipboard.SetText(L"users text"); }

    FakeClipboard Clipboard;
    std::string& Steps = Clipboard.Steps;
    CycleState State;
    double Now = 0, PasteHold = 0;
    std::wstring Selection = L"abc", LineBeforeCaret = L"line", WordBeforeCaret = L"word";
    bool ModifiersDown = false;
    float Delay = 0.06f;
    int32_t Counter = -1;

    // "Toggle layouts": copy mode 1, conversion mode 0 in the direction the text calls
    // for, then the input-language switch.
    bool Request() {
        const CycleServices services{*this, *this, Clipboard,
                                     *this, *this, std::bind_front(&FakeDesk::Convert, this)};
        return RunConvertSelection(services, State, 1, 0, true, true);
    }

    void At(double time, std::function<void()> action) { events_.emplace(time, std::move(action)); }

    void Wait(float seconds) override { Run("wait ", seconds, nullptr); }
    bool WaitUntil(float seconds, const std::function<bool()>& happened) override {
        return Run("wait<=", seconds, happened);
    }

    // Literal flags: every event carries KEYEVENTF_EXTENDEDKEY (1), key-ups also
    // KEYEVENTF_KEYUP (3). The edit reacts to a key alone; journals show its modifiers.
    void SendKeyEvent(uint8_t vk, uint32_t flags) override {
        Note(Steps, std::to_string(vk) + (flags == 1 ? "v" : flags == 3 ? "^" : "?"));
        if (flags == 1 && vk == kVkC && !Selection.empty()) {
            At(Now + 0.002, [this, copied = Selection] { Clipboard.SetText(copied); });
        } else if (flags == 1 && vk == kVkV) {
            At(Now + 0.004, [this] { Paste(); });
        } else if (flags == 1 && (vk == kVkHome || vk == kVkLeft)) {
            Selection = vk == kVkHome ? LineBeforeCaret : WordBeforeCaret;
        }
    }

    bool AnyModifierDown() override { return ModifiersDown; }

    float ReadDelay() override { return Delay; }
    int32_t DebugValue() const override { return Counter; }
    void WriteDebugValue(int32_t value) override {
        Note(Steps, "DebugValue " + std::to_string(value));
        Counter = value;
    }

  private:
    std::wstring Convert(std::wstring_view text, int32_t mode, bool autoDirection) {
        Note(Steps, "convert " + Narrow(text) + " " + std::to_string(mode) +
                        (autoDirection ? " auto" : ""));
        std::wstring converted(text);
        std::ranges::transform(converted, converted.begin(), towupper);
        return converted;
    }

    void Paste() {
        Clipboard.Fetched = Clipboard.Watching;
        Note(Steps, "pasted " + Narrow(Clipboard.Content()));
        if (PasteHold > 0) {
            Clipboard.Held = true;
            At(Now + PasteHold, [this] { Clipboard.Held = false; });
        }
    }

    // Journals the wait once it is over, so steps of a request served inside it come first.
    bool Run(std::string_view kind, float seconds, const std::function<bool()>& happened) {
        const double start = Now;
        const auto check = [&] { return happened && happened(); };
        bool done = check();
        while (seconds > 0 && !done && !events_.empty() &&
               events_.begin()->first <= start + seconds) {
            auto event = events_.extract(events_.begin());
            Now = std::max(Now, event.key());
            event.mapped()();
            done = check();
        }
        Now = seconds > 0 && !done ? start + seconds : Now;
        const auto milliseconds = [](double time) {
            return std::to_string(std::lround(time * 1000));
        };
        Note(Steps, std::string(kind) + milliseconds(seconds) + ":" + milliseconds(Now - start));
        return done;
    }

    std::multimap<double, std::function<void()>> events_;
};

TEST(CycleTest, ACycleCopiesConvertsPastesAndPutsTheUsersClipboardBack) {
    FakeDesk desk;
    desk.Counter = 0;
    EXPECT_TRUE(desk.Request());
    EXPECT_EQ(desk.Steps,
              "save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:2 read read "
              "convert abc 0 auto clear wait<=60:0 put ABC wait<=60:0 expect-paste 17v 86v 86^ "
              "17^ DebugValue 1 pasted ABC wait<=100:4 clear wait<=100:0 restore "
              "18v 16v 18^ 16^ 16^ 17^ 18^ 16^ 17^ 18^ 16^ 17^ 18^");
    EXPECT_EQ(desk.Clipboard.Content(), L"users text");
    EXPECT_FALSE(desk.State.Running);
}

// Each gives a journal with the piece shown ("^" marks its start, "$" its end) and
// leaves the user's clipboard as it was, or, after a target that holds it for longer than
// the restore keeps trying, with the pasted text.
TEST(CycleTest, EachCaseRunsAsItsJournalShows) {
    const struct {
        std::function<void(FakeDesk&)> arrange;
        std::string piece;
        std::wstring content = L"users text";
    } cases[] = {
        {[](FakeDesk& d) { d.Clipboard.Held = true; }, "^ save $"},   // not a key, no change
        {[](FakeDesk& d) { d.Selection = d.LineBeforeCaret = L""; },  // nothing to copy
         "^ save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:60 read 16v 36v 36^ 16^ "
         "wait 60:60 17v 67v 67^ 17^ wait<=60:60 wait 180:180 clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.Clipboard.PutFails = true; }, "put ABC clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.PasteHold = 1.5; },  // not counting either
         "86^ 17^ pasted ABC wait<=100:4 clear clear clear wait<=5000:1500 wait<=100:0 restore"},
        {[](FakeDesk& d) { d.PasteHold = 9; },  // longer than the restore keeps trying
         "pasted ABC wait<=100:4 clear clear wait<=5000:5000 clear 18v", L"ABC"},
        // A request served in the wait for the paste is ignored.
        {[](FakeDesk& d) { d.At(0.003, [&d] { EXPECT_FALSE(d.Request()); }); },
         "86^ 17^ pasted ABC wait<=100:4 clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.Counter = std::numeric_limits<int32_t>::max(); },  // no wrap
         "DebugValue 2147483647 pasted"},
        {[](FakeDesk& d) { d.ModifiersDown = true, d.At(0.3, [&d] { d.ModifiersDown = false; }); },
         "^ save clear wait<=60:0 wait<=1000:300 17v"},
        {[](FakeDesk& d) { d.Request(), d.Delay = 0.5f, d.Steps.clear(); },  // reread at each copy
         "^ save clear wait<=500:0 "},
        {[](FakeDesk& d) { d.ModifiersDown = true; },
         "^ save clear wait<=60:0 wait<=1000:1000 17v"},
    };
    for (const auto& c : cases) {
        FakeDesk desk;
        c.arrange(desk);
        EXPECT_TRUE(desk.Request());
        EXPECT_NE(("^ " + desk.Steps + " $").find(c.piece), std::string::npos) << desk.Steps;
        EXPECT_EQ(desk.Clipboard.Content(), c.content) << desk.Steps;
    }
}

TEST(CycleTest, WithoutASelectionTheLayoutModesTakeTheLineAndTheOthersTheWord) {
    const std::string line = "16v 36v 36^ 16^ wait 60:60",
                      word = "17v 16v 37v 37^ 16^ 17^ wait 60:60";
    const std::pair<int32_t, std::string> cases[] = {{1, line}, {2, line}, {0, word}, {3, word},
                                                     {5, word}, {8, word}, {9, word}, {-1, word}};
    for (const auto& [mode, keys] : cases) {
        FakeDesk desk;
        SelectBeforeCaret(desk, desk, mode, 0.06f);
        EXPECT_EQ(desk.Steps, keys) << mode;
    }
}

}  // namespace
