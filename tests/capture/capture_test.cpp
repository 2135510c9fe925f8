#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
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

    // With `mark`, the text is a copy of the whole line marked by that registered format.
    void SetText(const std::wstring& text, const std::wstring& mark = L"") {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
        const std::vector<uint8_t> block(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
        items_ = {{kFormatUnicodeText, FormatCopying::Memory, block, nullptr}};
        named_ = mark.empty() ? decltype(named_){} : decltype(named_){{mark, ""}};
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
    std::optional<std::string> ReadNamedFormat(const std::wstring& name) override {
        return named_.contains(name) ? std::optional(named_[name]) : std::nullopt;
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
            named_.clear();
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
    std::map<std::wstring, std::string> named_;
    uint32_t sequence_ = 1;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ClipboardContract, FakeClipboard);

// A cycle's surroundings in one virtual time, journalled in Steps: the clipboard with the
// user's text; the clock (a wait moves time on, running the events that fall due); the
// Target window, an edit holding Text up to the caret, of which the last Selected units
// are selected (Ctrl+C or Ctrl+Insert copies them 2 ms later, or with nothing selected the
// marked line when LineCopy; Ctrl+V or Shift+Insert fetches the text 4 ms later, types it
// over the selection and holds the clipboard for PasteHold; Shift+Home selects the line,
// Ctrl+Shift+Left the word, Shift+Left one unit more, Shift+Right one less); the user's modifier
// keys, the settings and the conversion (upper case).
class FakeDesk final : public CycleClock,
                       public KeyInjector,
                       public ModifierProbe,
                       public ForegroundWindow,
                       public CycleSettings {
  public:
    FakeDesk() { Clipboard.SetText(L"users text"); }

    FakeClipboard Clipboard;
    std::string& Steps = Clipboard.Steps;
    CycleState State;
    double Time = 0, PasteHold = 0;
    std::wstring Text = L"a line abc";
    size_t Selected = 3;
    bool LineCopy = false, ModifiersDown = false, ConsoleSelected = false;
    TargetWindow Target{7, L"Edit", L"notepad.exe", false};
    float Delay = 0.06f;
    int32_t Counter = -1;

    // By default the "Toggle layouts" hotkey: copy mode 1, conversion mode 0 in the
    // direction the text calls for, then the input-language switch.
    CycleOutcome Request(const CycleRequest& request = {1, 0, true, true, true}) {
        auto convert = std::bind_front(&FakeDesk::Convert, this);
        return RunConvertSelection({*this, *this, Clipboard, *this, *this, *this, convert}, State,
                                   request);
    }

    void At(double time, std::function<void()> action) { events_.emplace(time, std::move(action)); }

    double Now() override { return Time; }
    void Wait(float seconds) override { Run("wait ", seconds, nullptr); }
    bool WaitUntil(float seconds, const std::function<bool()>& happened) override {
        return Run("wait<=", seconds, happened);
    }

    void SendKeyEvent(uint8_t vk, KeyMotion motion) override {
        Note(Steps, std::to_string(vk) + (motion == KeyMotion::Down ? "v" : "^"));
        const bool ctrl = held_[kVkControl], shift = held_[kVkShift];
        if (!(held_[vk] = motion == KeyMotion::Down)) {
            return;
        }
        if (ctrl && (vk == kVkC || vk == kVkInsert)) {
            At(Time + 0.002, [this, copied = Text.substr(Text.size() - Selected)] {
                if (!copied.empty() || LineCopy) {
                    Clipboard.SetText(copied.empty() ? Text + L"\r\n" : copied,
                                      copied.empty() ? L"MSDEVLineSelect" : L"");
                }
            });
        } else if ((ctrl && vk == kVkV) || (shift && vk == kVkInsert)) {
            At(Time + 0.004, [this] { Paste(); });
        } else if (vk == kVkHome || vk == kVkLeft || vk == kVkRight) {
            Selected = vk == kVkHome    ? Text.size() - (Text.rfind(L'\n') + 1)
                       : vk == kVkRight ? Selected - std::min<size_t>(Selected, 1)
                       : ctrl           ? Text.size() - (Text.rfind(L' ') + 1)
                                        : std::min(Selected + 1, Text.size());
        }
    }

    bool AnyModifierDown() override { return ModifiersDown; }

    TargetWindow Describe() override { return Target; }
    bool ConsoleHasSelection(const TargetWindow& window) override {
        Note(Steps, "console? " + Narrow(window.ClassName));
        return ConsoleSelected;
    }

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
        Text = Text.substr(0, Text.size() - Selected) + Clipboard.Content();
        Selected = 0;
        Note(Steps, "pasted " + Narrow(Clipboard.Content()));
        if (PasteHold > 0) {
            Clipboard.Held = true;
            At(Time + PasteHold, [this] { Clipboard.Held = false; });
        }
    }

    // Journals the wait once it is over, so steps of a request served inside it come first.
    bool Run(std::string_view kind, float seconds, const std::function<bool()>& happened) {
        const double start = Time;
        const auto check = [&] { return happened && happened(); };
        bool done = check();
        while (seconds > 0 && !done && !events_.empty() &&
               events_.begin()->first <= start + seconds) {
            auto event = events_.extract(events_.begin());
            Time = std::max(Time, event.key());
            event.mapped()();
            done = check();
        }
        Time = seconds > 0 && !done ? start + seconds : Time;
        const auto milliseconds = [](double time) {
            return std::to_string(std::lround(time * 1000));
        };
        Note(Steps, std::string(kind) + milliseconds(seconds) + ":" + milliseconds(Time - start));
        return done;
    }

    std::bitset<256> held_;
    std::multimap<double, std::function<void()>> events_;
};

TEST(CycleTest, ACycleCopiesConvertsPastesAndPutsTheUsersClipboardBack) {
    FakeDesk desk;
    desk.Counter = 0;
    EXPECT_EQ(desk.Request(), CycleOutcome::Done);
    EXPECT_EQ(desk.Steps,
              "save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:2 read "
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
    const auto console = [](FakeDesk& d) { d.Target.ClassName = L"ConsoleWindowClass"; };
    const struct {
        std::function<void(FakeDesk&)> arrange;
        std::string piece;
        std::wstring content = L"users text";
        CycleOutcome outcome = CycleOutcome::Done;
    } cases[] = {
        {[](FakeDesk& d) { d.Clipboard.Held = true; }, "^ save $"},  // not a key, no change
        {[](FakeDesk& d) { d.Text.clear(), d.Selected = 0; },        // nothing to copy
         "^ save clear wait<=60:0 wait<=1000:0 17v 67v 67^ 17^ wait<=60:60 16v 36v 36^ 16^ "
         "wait 60:60 17v 67v 67^ 17^ wait<=60:60 wait 180:180 clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.Clipboard.PutFails = true; }, "put ABC clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.PasteHold = 1.5; },  // not counting either
         "86^ 17^ pasted ABC wait<=100:4 clear clear clear wait<=5000:1500 wait<=100:0 restore"},
        {[](FakeDesk& d) { d.PasteHold = 9; },  // longer than the restore keeps trying
         "pasted ABC wait<=100:4 clear clear wait<=5000:5000 clear 18v", L"ABC"},
        // A request served in the wait for the paste is ignored.
        {[](FakeDesk& d) {
             d.At(0.003, [&d] { EXPECT_EQ(d.Request(), CycleOutcome::IgnoredAsNested); });
         },
         "86^ 17^ pasted ABC wait<=100:4 clear wait<=100:0 restore 18v"},
        {[](FakeDesk& d) { d.Counter = std::numeric_limits<int32_t>::max(); },  // no wrap
         "DebugValue 2147483647 pasted"},
        {[](FakeDesk& d) { d.ModifiersDown = true, d.At(0.3, [&d] { d.ModifiersDown = false; }); },
         "^ save clear wait<=60:0 wait<=1000:300 17v"},
        {[](FakeDesk& d) { d.Request(), d.Delay = 0.5f, d.Steps.clear(); },  // reread at each copy
         "^ save clear wait<=500:0 "},
        {[](FakeDesk& d) { d.ModifiersDown = true; },
         "^ save clear wait<=60:0 wait<=1000:1000 17v"},
        // An editor's copy of the whole line is no selection: the line is selected instead.
        {[](FakeDesk& d) { d.Selected = 0, d.LineCopy = true; },
         "17^ wait<=60:2 16v 36v 36^ 16^ wait 60:60 17v 67v 67^ 17^ wait<=60:2 read "
         "convert a line abc 0 auto"},
        {[](FakeDesk& d) { d.Target.OutranksUs = true; }, "^  $", L"users text",  // nothing
         CycleOutcome::TargetElevated},
        {console, "^ console? ConsoleWindowClass $", L"users text", CycleOutcome::SelectTextFirst},
        {[&](FakeDesk& d) { console(d), d.ConsoleSelected = true; },
         "expect-paste 16v 45v 45^ 16^"},
        // In a terminal the copy tells whether anything is selected; no key selects there.
        {[](FakeDesk& d) { d.Target.ProcessName = L"alacritty.exe", d.Selected = 0; },
         "17v 45v 45^ 17^ wait<=60:60 wait 180:180 clear wait<=100:0 restore $", L"users text",
         CycleOutcome::SelectTextFirst},
    };
    for (const auto& c : cases) {
        FakeDesk desk;
        c.arrange(desk);
        EXPECT_EQ(desk.Request(), c.outcome) << desk.Steps;
        EXPECT_NE(("^ " + desk.Steps + " $").find(c.piece), std::string::npos) << desk.Steps;
        EXPECT_EQ(desk.Clipboard.Content(), c.content) << desk.Steps;
    }
}

// A hotkey pressed again after a paste, with nothing selected: the piece of its journal
// after the first copy, and the text in the edit afterwards.
TEST(CycleTest, APressAfterAPasteContinuesOnThePastedText) {
    const CycleRequest layout{1, 0, true, false, true}, letterCase{3, 8, false, false, true};
    const std::string reselect = "16v 37v 37^ 37v 37^ 37v 37^ 16^ 17v 67v 67^ 17^ wait<=60:2 read ";
    const struct {
        const char* what;
        CycleRequest first, again;
        std::function<void(FakeDesk&)> between;
        std::string piece;
        std::wstring text;
    } cases[] = {
        {"the layout hotkey puts the original back", layout, layout, nullptr,
         reselect + "clear wait<=60:0 put abc", L"a line abc"},
        {"the case hotkey converts it again", letterCase, letterCase, nullptr,
         reselect + "convert ABC 8", L"a line ABC"},
        {"after a case conversion the layout hotkey converts", letterCase, layout, nullptr,
         reselect + "convert ABC 0 auto", L"a line ABC"},
        {"a third press converts again", layout, layout,
         [&](FakeDesk& d) { d.Request(layout), d.Time += 1; },
         reselect + "clear wait<=60:0 put ABC", L"a line ABC"},
        {"the text changed", layout, layout, [](FakeDesk& d) { d.Text += L"x"; },
         reselect + "16v 39v 39^ 39v 39^ 39v 39^ 16^ 16v 36v", L"A LINE ABCX"},
        {"the text before the caret is shorter", layout, layout, [](FakeDesk& d) { d.Text = L"x"; },
         reselect + "16v 39v 39^ 16^ 16v 36v", L"X"},
        {"another window", layout, layout, [](FakeDesk& d) { d.Target.Identity = 8; }, "16v 36v",
         L"A LINE ABC"},
        {"too late", layout, layout, [](FakeDesk& d) { d.Time += 10; }, "16v 36v", L"A LINE ABC"},
        {"a button", layout, {1, 1, false, false, false}, nullptr, "16v 36v", L"A LINE ABC"},
    };
    for (const auto& c : cases) {
        FakeDesk desk;
        desk.Request(c.first), desk.Time += 1, c.between ? c.between(desk) : void();
        desk.Steps.clear();
        EXPECT_EQ(desk.Request(c.again), CycleOutcome::Done) << c.what;
        EXPECT_NE(desk.Steps.find("17v 67v 67^ 17^ wait<=60:60 " + c.piece), std::string::npos)
            << c.what << ": " << desk.Steps;
        EXPECT_EQ(desk.Text, c.text) << c.what;
        EXPECT_EQ(desk.Selected, 0u) << c.what;
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

TEST(KeystrokesTest, OnlyKeysThatAKeyboardSendsExtendedCarryTheFlag) {
    const std::pair<uint8_t, bool> cases[] = {
        {kVkControl, false}, {kVkShift, false}, {kVkAlt, false},
        {kVkC, false},       {kVkV, false},     {13, false},
        {162, false},        {106, false},      {kVkHome, true},
        {kVkLeft, true},     {kVkRight, true},  {kVkInsert, true},
        {46, true},          {33, true},        {163, true},
        {165, true},         {91, true},        {93, true},
        {111, true},         {144, true}};  // Enter, left Ctrl, keypad *, ...
    for (const auto& [vk, extended] : cases) {
        EXPECT_EQ(IsExtendedKey(vk), extended) << int{vk};
    }
}

TEST(KeystrokesTest, CaretStopsCountWhatOneLeftPressCrosses) {
    const std::pair<std::wstring, int> cases[] = {
        {L"", 0},
        {L"ab", 2},
        {L"a\r\nb", 3},
        {L"\r\r\n", 2},
        {L"\n\r", 2},
        {L"x\xD83D\xDE00", 2},
        {L"\xDE00\xD83D", 2},  // a pair, and two halves out of order
        {L"e\u0301", 1},
        {L"\u0628\u064E\u0651", 1},
        {L"\u0644\u0627", 2},  // harakat, lam-alef
        {L"\u05E9\u05C1", 1},
        {L"\u0301a", 2},  // Hebrew point; a mark with no base
    };
    for (const auto& [text, stops] : cases) {
        EXPECT_EQ(CountCaretStops(text), stops) << Narrow(text);
    }
}

TEST(ForegroundWindowTest, TerminalsAreKnownByClassOrByProcess) {
    const struct {
        std::wstring_view className, processName;
        WindowKind kind;
    } cases[] = {
        {L"ConsoleWindowClass", L"cmd.exe", WindowKind::Console},
        {L"WineConsoleClass", L"conhost.exe", WindowKind::Console},
        {L"CASCADIA_HOSTING_WINDOW_CLASS", L"", WindowKind::Terminal},
        {L"Window Class", L"ALACRITTY.EXE", WindowKind::Terminal},
        {L"Chrome_WidgetWin_1", L"Tabby.exe", WindowKind::Terminal},
        {L"Chrome_WidgetWin_1", L"Code.exe", WindowKind::Ordinary},
        {L"ConsoleWindowClas", L"tabby", WindowKind::Ordinary},  // only whole names
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOfWindow(c.className, c.processName), c.kind) << Narrow(c.className);
    }
}

TEST(ClipboardTest, AnEditorsCopyDescriptionTellsAWholeLineCopy) {
    const std::u16string wide = u"{\"isFromEmptySelection\": true}";
    const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    const std::pair<std::string, bool> cases[] = {
        {R"({"version":1,"isFromEmptySelection":true,"multicursorText":null})", true},
        {"{ \"isFromEmptySelection\" :\r\n\ttrue }", true},
        {utf16, true},
        {R"({"isFromEmptySelection":false})", false},
        {R"({"isFromEmptySelection":"true"})", false},
        {R"({"isFromEmptySelection":false,"x":{"isFromEmptySelection":true}})", true},
        {R"({"isFromEmptySelection")", false},
        {"", false},
    };
    for (const auto& [data, wholeLine] : cases) {
        EXPECT_EQ(DescribesEmptySelectionCopy(data), wholeLine) << data;
    }
}

}  // namespace
