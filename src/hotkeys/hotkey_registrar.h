#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The system's global hotkeys and the atoms that give them their ids.
class HotkeyRegistrar {
  public:
    virtual ~HotkeyRegistrar() = default;

    // A global atom for the name; its value is the hotkey id. 0 when the system
    // refused; the caller goes on with it regardless.
    virtual int32_t AddAtom(const std::wstring& name) = 0;
    virtual void DeleteAtom(int32_t atom) = 0;

    // True when the combination is now this program's; false when refused for
    // whatever reason (most often another application holds it).
    virtual bool Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) = 0;

    // Harmless for an id that is not registered.
    virtual void Unregister(int32_t hotkeyId) = 0;
};

// The system's registrar for one window, which receives WM_HOTKEY. Whatever is still
// registered, and every atom still held, is released when the object goes, so an early
// exit leaves nothing behind in the system. Where the system has no global hotkeys,
// ids come from a counter and only this object's own registrations can refuse a
// combination.
class SystemHotkeyRegistrar final : public HotkeyRegistrar {
  public:
    // windowHandle: the HWND of the window that gets the hotkey messages.
    explicit SystemHotkeyRegistrar(void* windowHandle);
    ~SystemHotkeyRegistrar() override;
    SystemHotkeyRegistrar(const SystemHotkeyRegistrar&) = delete;
    SystemHotkeyRegistrar& operator=(const SystemHotkeyRegistrar&) = delete;

    int32_t AddAtom(const std::wstring& name) override;
    void DeleteAtom(int32_t atom) override;
    bool Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) override;
    void Unregister(int32_t hotkeyId) override;

  private:
    struct Held;
    std::unique_ptr<Held> held_;
};
