#pragma once

#include <array>
#include <string>
#include <string_view>

#include "transmit/CWMessages.h"

namespace keslog {

// One recorded message of the voice keyer: slot i belongs to the key of CW
// slot i + 1 (F1..F7, F11, F12).
struct VoiceSlot {
    std::string file;             // DVKFiles(i): full path of the wave file
    std::string label = "Empty";  // DVKLabels(i): as typed, without tag
    char radio = '0';             // '1' blue, '2' red, else no radio
    int plays = 1;                // 1, 3 or 6 per key press

    bool operator==(const VoiceSlot&) const = default;
};

using VoiceSet = std::array<VoiceSlot, kSlotCount>;

// "F-1 Key" .. "F-7 Key", "F-11 Key", "F-12 Key" for index 0..8.
std::string voiceKeyName(int index);
// ButtonLabel(i): "[3]" or "[6]" before the label when it plays more than once.
std::string voiceCaption(const VoiceSlot& slot);
// The play count a menu choice or a stored digit stands for: 3, 6, else 1.
int voicePlays(char digit);

// A setup file: per slot the wave-file path and then the label record
// "[RADIO" r "][PLAY" p "]" label, each a quoted field on a line of its own.
std::string setupFileText(const VoiceSet& voices);

struct SetupFileContents {
    VoiceSet voices;         // slots the file does not reach are empty
    int pairs = 0;           // pairs read, at most nine
    bool tooMany = false;    // the file holds more than nine pairs
    bool truncated = false;  // it ends inside a pair or inside a field
};

// Any bytes give a result: records are whole lines, a quoted one without its
// closing quote is cut short.
SetupFileContents parseSetupFile(std::string_view text);

}  // namespace keslog
