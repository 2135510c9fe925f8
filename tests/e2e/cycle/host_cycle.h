#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "capture/convert_cycle.h"
#include "engine/layout_table.h"
#include "settings/profile_store.h"

// The cycle's settings for a test: "Delay" fixed by the caller or reread from an INI
// file at every copy (as the program rereads its settings file), and the usage
// counter in memory only.
class HostCycleSettings final : public CycleSettings {
  public:
    static HostCycleSettings WithDelay(float delay);
    static HostCycleSettings FromIniFile(std::wstring iniFilePath);

    float ReadDelay() override;
    int32_t DebugValue() const override { return debugValue_; }
    void WriteDebugValue(int32_t value) override { debugValue_ = value; }

  private:
    HostCycleSettings(float delay, std::optional<std::wstring> iniFilePath);

    cProfile profile_;
    std::optional<std::wstring> iniFilePath_;
    float delay_;
    int32_t debugValue_ = 0;
};

// The Delay the program starts with when its settings file has none.
inline constexpr float kDefaultCycleDelay = 0.06f;

// How a caller of the program runs the cycle for one conversion mode.
struct CycleRequest {
    int32_t CopyMode = 0;
    int32_t ConvertMode = 0;
    bool AutoDirection = false;
    bool SwitchesLayout = false;  // Alt+Shift afterwards when AutoSwitchKeyboard is on
};

// The program's entry sequences: 0 is the "Toggle layouts" hotkey, 8 the "Toggle
// letters case" hotkey, 1 to 5 the main window's conversion buttons. Nothing for any
// other mode.
std::optional<CycleRequest> RequestForMode(int32_t mode);

// Runs one request as the program would, with AutoSwitchKeyboard off (an input-language
// switch would change the test machine's keyboard). False when it was ignored.
bool RunRequest(const CycleServices& services, CycleState& state, const CycleRequest& request);

// Loads the program's default layouts from the layouts.txt in `folder`. False (with
// the program's messages on standard error) when it is missing.
bool LoadDefaultLayouts(const std::wstring& folder, LayoutTable& table);

// The folder of the running executable, where the shipped layouts.txt lies.
std::wstring ProgramFolder();
