#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "capture/clipboard_functions.h"
#include "capture/convert_cycle.h"
#include "capture/cycle_clipboard.h"
#include "capture/cycle_clock.h"
#include "capture/key_injector.h"
#include "capture/modifier_probe.h"

// Recording fakes for the capture interfaces. They share one journal, so a test can
// check the order of every step across keys, clipboard and waits.
using Journal = std::vector<std::string>;

inline std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", seconds);
    return text;
}

inline std::vector<uint8_t> Utf16Bytes(const std::wstring& text, bool withZero = true) {
    std::vector<uint8_t> bytes;
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(unit) & 0xFF));
        bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(unit) >> 8));
    }
    if (withZero) {
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return bytes;
}

// Virtual time: a wait moves it forward, running the events scheduled on the way.
class FakeClock final : public CycleClock {
  public:
    struct WaitRecord {
        float Requested = 0;
        double Waited = 0;
        bool Conditional = false;
        bool EndedEarly = false;
    };

    explicit FakeClock(Journal& journal) : journal_(journal) {}

    double Now() const { return now_; }

    void At(double time, std::function<void()> action) { events_.emplace(time, std::move(action)); }

    // Runs once at the start of every wait that serves messages, as a message
    // arriving in the middle of a cycle would.
    std::function<void()> OnServeMessages;

    const std::vector<WaitRecord>& Waits() const { return waits_; }

    void Wait(float seconds) override {
        journal_.push_back("wait " + SecondsText(seconds));
        Run(seconds, nullptr);
    }

    bool WaitUntil(float seconds, const std::function<bool()>& happened) override {
        journal_.push_back("wait<=" + SecondsText(seconds));
        return Run(seconds, happened);
    }

  private:
    bool Run(float seconds, const std::function<bool()>& happened) {
        const auto check = [&] { return happened && happened(); };
        const double start = now_;
        const auto finish = [&](bool early) {
            waits_.push_back({seconds, now_ - start, static_cast<bool>(happened), early});
            return early;
        };
        if (!(seconds > 0.0f)) {
            return finish(check());
        }
        if (OnServeMessages) {
            const std::function<void()> serve = OnServeMessages;
            serve();
        }
        const double end = now_ + static_cast<double>(seconds);
        if (check()) {
            return finish(true);
        }
        while (!events_.empty() && events_.begin()->first <= end) {
            auto event = events_.begin();
            now_ = std::max(now_, event->first);
            const std::function<void()> action = std::move(event->second);
            events_.erase(event);
            action();
            if (check()) {
                return finish(true);
            }
        }
        now_ = end;
        return finish(false);
    }

    Journal& journal_;
    double now_ = 0;
    std::multimap<double, std::function<void()>> events_;
    std::vector<WaitRecord> waits_;
};

// An in-memory clipboard holding memory formats.
class FakeClipboard final : public CycleClipboard {
  public:
    explicit FakeClipboard(Journal& journal) : journal_(journal) {}

    std::vector<ClipboardItem> Items;
    bool SaveFails = false;
    bool ReadFails = false;
    bool PutFails = false;

    void SetText(const std::wstring& text) {
        Items = {MakeItem(kFormatUnicodeText, Utf16Bytes(text))};
        ++sequence_;
    }

    static ClipboardItem MakeItem(uint32_t format, std::vector<uint8_t> bytes) {
        ClipboardItem item;
        item.Format = format;
        item.Bytes = std::move(bytes);
        return item;
    }

    // What a target's paste reads; it counts as fetching the text.
    std::wstring FetchForPaste() {
        if (watching_) {
            fetched_ = true;
        }
        return TextNow().value_or(L"");
    }

    ClipboardSnapshot Save() override {
        journal_.push_back("save");
        ClipboardSnapshot snapshot;
        if (!SaveFails) {
            snapshot.Saved = true;
            snapshot.Items = Items;
        }
        return snapshot;
    }

    bool Restore(const ClipboardSnapshot& snapshot) override {
        journal_.push_back("restore");
        if (!snapshot.Saved) {
            return false;
        }
        Items = snapshot.Items;
        ++sequence_;
        return true;
    }

    bool Clear() override {
        journal_.push_back("clear");
        Items.clear();
        ++sequence_;
        return true;
    }

    bool IsEmpty() override { return Items.empty(); }

    bool HasText() override { return TextNow().has_value(); }

    std::optional<std::wstring> ReadText() override {
        journal_.push_back("read");
        if (ReadFails) {
            return std::nullopt;
        }
        return TextNow();
    }

    uint32_t SequenceNumber() override { return sequence_; }

    bool PutText(const std::wstring& text) override {
        journal_.push_back("put " + std::string(text.begin(), text.end()));
        if (PutFails) {
            return false;
        }
        SetText(text);
        watching_ = false;
        fetched_ = false;
        return true;
    }

    void ExpectPaste() override {
        journal_.push_back("expect paste");
        watching_ = true;
        fetched_ = false;
    }

    bool PasteWasFetched() override { return fetched_; }

  private:
    std::optional<std::wstring> TextNow() const {
        for (const ClipboardItem& item : Items) {
            if (item.Format == kFormatUnicodeText) {
                std::wstring text;
                for (size_t i = 0; i + 1 < item.Bytes.size(); i += 2) {
                    const auto unit =
                        static_cast<wchar_t>(item.Bytes[i] | (item.Bytes[i + 1] << 8));
                    if (unit == L'\0') {
                        break;
                    }
                    text.push_back(unit);
                }
                return text;
            }
        }
        return std::nullopt;
    }

    Journal& journal_;
    uint32_t sequence_ = 1;
    bool watching_ = false;
    bool fetched_ = false;
};

struct KeyRecord {
    uint8_t Vk = 0;
    uint32_t Flags = 0;
    double Time = 0;
    bool operator==(const KeyRecord& other) const { return Vk == other.Vk && Flags == other.Flags; }
};

// Records injected events and behaves like an edit control in the foreground: it
// copies its selection on Ctrl+C, pastes on Ctrl+V and selects on Shift+Home and
// Ctrl+Shift+Left, each after a latency of its own.
class FakeTarget final : public KeyInjector {
  public:
    FakeTarget(Journal& journal, FakeClock& clock, FakeClipboard& clipboard)
        : journal_(journal), clock_(clock), clipboard_(clipboard) {}

    std::vector<KeyRecord> Events;
    std::wstring Selection;        // what Ctrl+C copies; empty copies nothing
    std::wstring LineBeforeCaret;  // what Shift+Home selects
    std::wstring WordBeforeCaret;  // what Ctrl+Shift+Left selects
    std::vector<std::wstring> Pasted;
    double CopyLatency = 0.002;
    double PasteLatency = 0.004;
    bool Refuses = false;

    int SendKeyEvent(uint8_t vk, uint32_t flags) override {
        Events.push_back({vk, flags, clock_.Now()});
        if (Refuses) {
            return 0;
        }
        const bool down = flags == kKeyDownFlags;
        if (!down) {
            held_.erase(vk);
            return 1;
        }
        React(vk);
        held_.insert(vk);
        return 1;
    }

  private:
    bool Held(int32_t vk) const { return held_.count(static_cast<uint8_t>(vk)) != 0; }

    void React(uint8_t vk) {
        const bool control = Held(kVkControl);
        const bool shift = Held(kVkShift);
        if (vk == kVkC && control) {
            journal_.push_back("Ctrl+C");
            if (!Selection.empty()) {
                const std::wstring copied = Selection;
                clock_.At(clock_.Now() + CopyLatency,
                          [this, copied] { clipboard_.SetText(copied); });
            }
        } else if (vk == kVkV && control) {
            journal_.push_back("Ctrl+V");
            clock_.At(clock_.Now() + PasteLatency,
                      [this] { Pasted.push_back(clipboard_.FetchForPaste()); });
        } else if (vk == kVkHome && shift && !control) {
            journal_.push_back("Shift+Home");
            Selection = LineBeforeCaret;
        } else if (vk == kVkLeft && shift && control) {
            journal_.push_back("Ctrl+Shift+Left");
            Selection = WordBeforeCaret;
        }
    }

    Journal& journal_;
    FakeClock& clock_;
    FakeClipboard& clipboard_;
    std::set<uint8_t> held_;
};

class FakeModifiers final : public ModifierProbe {
  public:
    bool Down = false;
    bool AnyModifierDown() override { return Down; }
};

class FakeSettings final : public CycleSettings {
  public:
    explicit FakeSettings(Journal& journal) : journal_(journal) {}

    std::vector<float> Delays{0.06f};  // one per read; the last one repeats
    int32_t Counter = -1;
    std::vector<int32_t> Written;

    float ReadDelay() override {
        const float delay = Delays[std::min(reads_, Delays.size() - 1)];
        ++reads_;
        return delay;
    }
    int32_t DebugValue() const override { return Counter; }
    void WriteDebugValue(int32_t value) override {
        journal_.push_back("DebugValue " + std::to_string(value));
        Counter = value;
        Written.push_back(value);
    }

  private:
    Journal& journal_;
    size_t reads_ = 0;
};

// Records the bare clipboard calls cAPIClipboard makes.
class RecordingClipboardFunctions final : public ClipboardFunctions {
  public:
    Journal Calls;
    bool OpenSucceeds = true;
    bool SetSucceeds = true;
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> Blocks;

    bool OpenClipboard(uintptr_t owner) override {
        Calls.push_back("OpenClipboard " + std::to_string(owner));
        return OpenSucceeds;
    }
    void CloseClipboard() override { Calls.push_back("CloseClipboard"); }
    void EmptyClipboard() override { Calls.push_back("EmptyClipboard"); }
    bool SetClipboardBytes(uint32_t format, const std::vector<uint8_t>& bytes) override {
        Calls.push_back("SetClipboardData " + std::to_string(format));
        if (SetSucceeds) {
            Blocks.emplace_back(format, bytes);
        }
        return SetSucceeds;
    }
    uint32_t RegisterFormat(const std::wstring& name) override {
        const auto found = registered_.find(name);
        if (found != registered_.end()) {
            return found->second;
        }
        const uint32_t format = 0xC000 + static_cast<uint32_t>(registered_.size());
        registered_.emplace(name, format);
        return format;
    }

  private:
    std::map<std::wstring, uint32_t> registered_;
};
