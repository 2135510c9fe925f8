// zenvoral-testdriver COMMAND [OPTIONS] ARGUMENTS...
//
// Plays the user's side of an end-to-end test from inside Wine. Each command is one
// small step that a test script strings together; the exit code says whether it
// happened (see driver_status.h).

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_output.h"
#include "driver_status.h"
#include "user_commands.h"
#include "window_commands.h"

namespace {

struct Command {
    const wchar_t* name;
    const wchar_t* usage;
    const std::vector<std::wstring>* switches;
    int (*run)(const CommandArguments&);
};

const std::vector<std::wstring> kNoSwitches;

const Command kCommands[] = {
    {L"wait-window", L"[window options] TITLE TIMEOUT_MS", &kWindowSwitches, RunWaitWindow},
    {L"wait-no-window", L"[window options] TITLE TIMEOUT_MS", &kWindowSwitches, RunWaitNoWindow},
    {L"window-text", L"[window options] TITLE", &kWindowSwitches, RunWindowText},
    {L"close-window", L"[window options] TITLE", &kWindowSwitches, RunCloseWindow},
    {L"press", L"[window options] TITLE BUTTON_TEXT", &kWindowSwitches, RunPress},
    {L"select", L"[window options] TITLE CONTROL_ID ITEM_TEXT", &kWindowSwitches, RunSelect},
    {L"send-keys", L"KEYS (e.g. win+F9, ctrl+shift+a, escape)", &kNoSwitches, RunSendKeys},
    {L"hotkey-free", L"KEYS", &kNoSwitches, RunHotkeyFree},
    {L"hold-hotkey", L"KEYS TIMEOUT_MS", &kNoSwitches, RunHoldHotkey},
    {L"wait-state", L"[window options] TITLE shown-on-top|hidden|foreground TIMEOUT_MS",
     &kWindowSwitches, RunWaitState},
    {L"tray-icon", L"[window options] TITLE present|absent TIMEOUT_MS", &kWindowSwitches,
     RunTrayIcon},
    {L"tray-drop", L"[window options] TITLE", &kWindowSwitches, RunTrayDrop},
    {L"tray-callback", L"[window options] TITLE MOUSE_MESSAGE", &kWindowSwitches, RunTrayCallback},
    {L"shell-restarted", L"", &kNoSwitches, RunShellRestarted},
    {L"wait-menu", L"open|closed TIMEOUT_MS", &kNoSwitches, RunWaitMenu},
    {L"time-keys", L"KEYS TARGET_TITLE TIMEOUT_MS", &kNoSwitches, RunTimeKeys},
    {L"end-session", L"[window options] TITLE", &kWindowSwitches, RunEndSession},
    {L"activate", L"[window options] TITLE", &kWindowSwitches, RunActivate},
    {L"window-rect", L"[window options] TITLE", &kWindowSwitches, RunWindowRect},
};

int ShowUsage() {
    std::wstring usage = L"usage: zenvoral-testdriver COMMAND ...\n";
    for (const Command& command : kCommands) {
        usage += L"  " + std::wstring(command.name) + L" " + command.usage + L"\n";
    }
    usage += L"window options: --class NAME, --owner EXE_PATH, --hidden\n";
    WriteError(usage);
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::span<wchar_t*> words(argv, static_cast<size_t>(argc));
    if (words.size() < 2) {
        return ShowUsage();
    }
    const std::wstring name = words[1];
    for (const Command& command : kCommands) {
        if (name != command.name) {
            continue;
        }
        const std::vector<std::wstring> rest(words.begin() + 2, words.end());
        const std::optional<CommandArguments> arguments =
            ParseCommandArguments(rest, *command.switches);
        if (!arguments) {
            WriteError(L"an option lacks its value\n");
            return kExitUsage;
        }
        return command.run(*arguments);
    }
    return ShowUsage();
}
