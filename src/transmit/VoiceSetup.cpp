#include "transmit/VoiceSetup.h"

#include <vector>

#include "model/Text.h"

namespace keslog {

namespace {

struct Record {
    std::string text;
    bool cutShort = false;  // a quoted field without its closing quote
    bool blankLine = false;
};

std::string quoted(std::string_view field) {
    return "\"" + std::string(field) + "\"\r\n";
}

// Line breaks would split a record; other control characters only garble.
std::string printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

Record recordOf(std::string_view line) {
    if (line.empty() || line.front() != '"') {
        std::string text = trim(printable(line));
        const bool blank = text.empty();
        return {std::move(text), false, blank};
    }
    const std::size_t close = line.rfind('"');
    if (close == 0) return {printable(line.substr(1)), true, false};
    return {printable(line.substr(1, close - 1)), false, false};
}

std::vector<Record> recordsOf(std::string_view text) {
    std::vector<Record> records;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        records.push_back(recordOf(text.substr(at, end - at)));
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    // Blank lines after the last record are no records.
    while (!records.empty() && records.back().blankLine) records.pop_back();
    return records;
}

}  // namespace

std::string voiceKeyName(int index) {
    return "F-" + std::to_string(keyNumberOfSlot(index + 1)) + " Key";
}

int voicePlays(char digit) {
    return digit == '3' ? 3 : digit == '6' ? 6 : 1;
}

std::string voiceCaption(const VoiceSlot& slot) {
    const std::string tag = slot.plays == 3 ? "[3]" : slot.plays == 6 ? "[6]" : "";
    return tag + slot.label;
}

std::string setupFileText(const VoiceSet& voices) {
    std::string out;
    for (const VoiceSlot& slot : voices) {
        const char radio = slot.radio == '1' || slot.radio == '2' ? slot.radio : '0';
        const char play = slot.plays == 3 ? '3' : slot.plays == 6 ? '6' : '1';
        out += quoted(slot.file);
        out += quoted(composeMacro({radio, play, slot.label}));
    }
    return out;
}

SetupFileContents parseSetupFile(std::string_view text) {
    const std::vector<Record> records = recordsOf(text);
    SetupFileContents read;
    const std::size_t pairs = (records.size() + 1) / 2;
    read.tooMany = pairs > kSlotCount;
    read.truncated =
        !read.tooMany && (records.size() % 2 != 0 || (!records.empty() && records.back().cutShort));
    read.pairs = static_cast<int>(std::min<std::size_t>(pairs, kSlotCount));
    for (int i = 0; i < read.pairs; ++i) {
        VoiceSlot& slot = read.voices[static_cast<std::size_t>(i)];
        const std::size_t at = 2 * static_cast<std::size_t>(i);
        slot.file = records[at].text;
        if (at + 1 >= records.size()) {
            slot.label.clear();
            continue;
        }
        const MacroParts parts = parseMacro(records[at + 1].text);
        slot.radio = parts.radio == '1' || parts.radio == '2' ? parts.radio : '0';
        slot.plays = voicePlays(parts.play);
        slot.label = parts.text;
    }
    return read;
}

}  // namespace keslog
