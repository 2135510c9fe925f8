#pragma once

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "capture/convert_cycle.h"

// Every step of a cycle in order, separated by spaces: clipboard calls ("save"), key
// events ("17v" down, "17^" up), waits in milliseconds ("wait<=60:2": bounded by 60,
// over after 2), the conversion ("convert abc 2"), the counter ("DebugValue 1") and what
// the target's paste fetched ("pasted ABC").
inline void Note(std::string& steps, std::initializer_list<std::string_view> step) {
    steps.append(steps.empty() ? "" : " ");
    for (const std::string_view piece : step) {
        steps.append(piece);
    }
}

inline std::string Narrow(std::wstring_view text) {
    return std::string(text.begin(), text.end());  // the tests' texts are ASCII
}

// An in-memory clipboard; the contract suite holds it to the Win32 clipboard's
// behaviour.
class FakeClipboard final : public CycleClipboard {
  public:
    std::string Steps;
    bool PutFails = false;

    void SetText(const std::wstring& text) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
        const std::vector<uint8_t> block(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
        items_ = {{kFormatUnicodeText, FormatCopying::Memory, block, nullptr}};
        ++sequence_;
    }
    std::wstring Content() const { return TextNow().value_or(L"<no text>"); }
    std::wstring FetchForPaste() {  // what a target's paste reads
        fetched_ = watching_;
        return Content();
    }

    ClipboardSnapshot Save() override {
        Note(Steps, {"save"});
        return {true, items_};
    }
    bool Restore(const ClipboardSnapshot& snapshot) override {
        Note(Steps, {"restore"});
        if (snapshot.Saved) {
            items_ = snapshot.Items;
            ++sequence_;
        }
        return snapshot.Saved;
    }
    bool Clear() override {
        Note(Steps, {"clear"});
        items_.clear();
        ++sequence_;
        return true;
    }
    bool IsEmpty() override { return items_.empty(); }
    bool HasText() override { return TextNow().has_value(); }
    std::optional<std::wstring> ReadText() override {
        Note(Steps, {"read"});
        return TextNow();
    }
    uint32_t SequenceNumber() override { return sequence_; }
    bool PutText(const std::wstring& text) override {
        Note(Steps, {"put ", Narrow(text)});
        watching_ = fetched_ = false;
        if (!PutFails) {
            SetText(text);
        }
        return !PutFails;
    }
    void ExpectPaste() override {
        Note(Steps, {"expect-paste"});
        watching_ = true;
        fetched_ = false;
    }
    bool PasteWasFetched() override { return fetched_; }

  private:
    std::optional<std::wstring> TextNow() const {
        for (const ClipboardItem& item : items_) {
            if (item.Format == kFormatUnicodeText) {
                return std::wstring(reinterpret_cast<const wchar_t*>(item.Bytes.data()));
            }
        }
        return std::nullopt;
    }

    std::vector<ClipboardItem> items_;
    uint32_t sequence_ = 1;
    bool watching_ = false;
    bool fetched_ = false;
};

// Everything else around the cycle, sharing the clipboard's journal and one virtual
// time: the clock (a wait moves time on, running the events that fall due), an edit
// control in the foreground (Ctrl+C copies its selection 2 ms later, Ctrl+V fetches the
// clipboard 4 ms later, Shift+Home and Ctrl+Shift+Left select), the user's modifier keys,
// the settings and the conversion (upper case).
class FakeDesk final : public CycleClock,
                       public KeyInjector,
                       public ModifierProbe,
                       public CycleSettings {
  public:
    explicit FakeDesk(FakeClipboard& clipboard) : Steps(clipboard.Steps), clipboard_(clipboard) {}

    std::string& Steps;
    double Now = 0;
    std::function<void()> OnServeMessages;  // runs in every wait, as a message would
    std::wstring Selection = L"abc", LineBeforeCaret = L"line", WordBeforeCaret = L"word";
    bool ModifiersDown = false;
    float Delay = 0.06f;
    int32_t Counter = -1;

    CycleServices Services() {
        return {*this, *this, clipboard_, *this, *this, std::bind_front(&FakeDesk::Convert, this)};
    }

    void At(double time, std::function<void()> action) { events_.emplace(time, std::move(action)); }

    void Wait(float seconds) override { Run("wait ", seconds, nullptr); }
    bool WaitUntil(float seconds, const std::function<bool()>& happened) override {
        return Run("wait<=", seconds, happened);
    }

    void SendKeyEvent(uint8_t vk, uint32_t flags) override {
        // Literal flags: every event carries KEYEVENTF_EXTENDEDKEY (1), key-ups also
        // KEYEVENTF_KEYUP (3).
        Note(Steps, {std::to_string(vk), flags == 1 ? "v" : flags == 3 ? "^" : "?"});
        if (flags != 1) {
            held_.erase(vk);
            return;
        }
        const bool control = held_.contains(kVkControl), shift = held_.contains(kVkShift);
        if (vk == kVkC && control && !Selection.empty()) {
            At(Now + 0.002, [this, copied = Selection] { clipboard_.SetText(copied); });
        } else if (vk == kVkV && control) {
            At(Now + 0.004, [this] {
                Note(Steps, {"pasted ", Narrow(clipboard_.FetchForPaste())});
            });
        } else if (vk == kVkHome && shift) {
            Selection = LineBeforeCaret;
        } else if (vk == kVkLeft && shift && control) {
            Selection = WordBeforeCaret;
        }
        held_.insert(vk);
    }

    bool AnyModifierDown() override { return ModifiersDown; }

    float ReadDelay() override { return Delay; }
    int32_t DebugValue() const override { return Counter; }
    void WriteDebugValue(int32_t value) override {
        Note(Steps, {"DebugValue ", std::to_string(value)});
        Counter = value;
    }

  private:
    std::wstring Convert(std::wstring_view text, int32_t mode, bool autoDirection) {
        Note(Steps,
             {"convert ", Narrow(text), " ", std::to_string(mode), autoDirection ? " auto" : ""});
        std::wstring converted(text);
        std::ranges::transform(converted, converted.begin(), towupper);
        return converted;
    }

    // Journals the wait once it is over, so steps of a request served inside it come first.
    bool Run(std::string_view kind, float seconds, const std::function<bool()>& happened) {
        const double start = Now;
        const auto check = [&] { return happened && happened(); };
        bool done = check();
        if (seconds > 0 && OnServeMessages) {
            OnServeMessages();
        }
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
        Note(Steps, {kind, milliseconds(seconds), ":", milliseconds(Now - start)});
        return done;
    }

    FakeClipboard& clipboard_;
    std::multimap<double, std::function<void()>> events_;
    std::set<uint8_t> held_;
};
