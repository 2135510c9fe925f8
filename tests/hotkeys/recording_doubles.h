#pragma once

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/message_sink.h"
#include "hotkeys/hotkey_registrar.h"

// Keeps every message instead of showing it.
class RecordingMessageSink : public MessageSink {
  public:
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        messages.emplace_back(text, icon);
    }
    std::vector<std::pair<std::wstring, MessageIcon>> messages;
};

// Writes down every call in order and refuses the combinations it is told are taken.
class RecordingRegistrar : public HotkeyRegistrar {
  public:
    int32_t AddAtom(const std::wstring& name) override {
        calls.push_back(L"AddAtom " + name);
        return nextAtom++;
    }
    void DeleteAtom(int32_t atom) override {
        calls.push_back(L"DeleteAtom " + std::to_wstring(atom));
    }
    bool Register(int32_t id, int32_t modifiers, int32_t keyCode) override {
        calls.push_back(L"Register " + std::to_wstring(id) + L" " + std::to_wstring(modifiers) +
                        L" " + std::to_wstring(keyCode));
        return taken.count({modifiers, keyCode}) == 0;
    }
    void Unregister(int32_t id) override { calls.push_back(L"Unregister " + std::to_wstring(id)); }

    std::vector<std::wstring> calls;
    std::set<std::tuple<int32_t, int32_t>> taken;  // (modifiers, key code) held elsewhere
    int32_t nextAtom = 0xC001;
};
