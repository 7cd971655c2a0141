#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Cli.h"
#include "entry/EntryLine.h"
#include "forms/EntryEditor.h"
#include "platform/Status.h"
#include "rig/RigClient.h"

namespace keslog::cli {

// One step of a key script.
struct TypedChar {
    char c;
};
struct PressedKey {
    EntryKey key;
    KeyMods mods;
};
enum class EntryButton { LogIt, Cancel, LastEntry, KillLastEntry, Background };
struct ClockStep {
    int seconds;
};
// Last Entry with the editor's fields retyped and OK pressed.
struct LastEntryEdit {
    std::vector<std::pair<EditField, std::string>> fields;
};
// Esc pressed this long after the step before it began: it stops the
// message that step started, then reaches the entry line.
struct EscapeWhileSending {
    int milliseconds;
};
// A radio's rig reporting a frequency and mode, as a rigctld poll would.
struct RigReport {
    int radio;
    RigReading reading;
};
using ScriptStep = std::variant<TypedChar, PressedKey, EntryButton, ClockStep, LastEntryEdit,
                                EscapeWhileSending, RigReport>;

// Reads a key script: plain text is typed, "{Name}" presses a key
// ("{Shift+F1}", "{Ctrl+Down}"), "{Clock +90s}" moves the clock on,
// "{LastEntry Call=K1AR Received=5}" edits the last QSO, "{Esc +300ms}"
// stops a message 300 ms into it, "{Rig 1 14025000 CW}" is radio 1's rig
// reporting 14,025.00 kHz in CW. Line ends only separate lines of the
// script.
Result<std::vector<ScriptStep>> parseKeyScript(const std::string& script);

// The key names of a script, for --help.
std::string keyScriptHelp();

// keslog-cli type: the main window's entry line driven from a key script.
int typeSession(Context& ctx);

}  // namespace keslog::cli
