#include "transmit/CWMessages.h"

#include "model/Text.h"

namespace keslog {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct SlotKey {
    int keyCode;
    int keyNumber;
};

// F8, F9 and F10 have other duties.
constexpr std::array<SlotKey, kSlotCount> kSlotKeys{
    {{112, 1}, {113, 2}, {114, 3}, {115, 4}, {116, 5}, {117, 6}, {118, 7}, {122, 11}, {123, 12}}};

}  // namespace

bool hasRadioPrefix(std::string_view message) {
    return message.size() >= kMacroPrefixLength && message.substr(0, 6) == "[RADIO" &&
           isDigit(message[6]) && message.substr(7, 6) == "][PLAY" && isDigit(message[13]) &&
           message[14] == ']';
}

MacroParts parseMacro(std::string_view macro) {
    if (!hasRadioPrefix(macro)) return {'0', '1', std::string(macro)};
    return {macro[6], macro[13], std::string(macro.substr(kMacroPrefixLength))};
}

std::string composeMacro(const MacroParts& parts) {
    const char radio = isDigit(parts.radio) ? parts.radio : '0';
    const char play = isDigit(parts.play) ? parts.play : '1';
    return std::string("[RADIO") + radio + "][PLAY" + play + "]" + parts.text;
}

int playCountOf(std::string_view macro) {
    const char play = parseMacro(macro).play;
    return play >= '1' && play <= '9' ? play - '0' : 1;
}

int macroBaseOf(ContestNr contest) {
    switch (contest) {
        case contest::Cqp:
            return 0;
        case contest::Ss:
            return 9;
        case contest::Sprint:
            return 27;
        case contest::Paqp:
            return 36;
        case contest::Naqp:
            return 45;
        default:
            return 18;  // ARRL DX, CQWW, WPX and AA share the WPX set
    }
}

std::size_t macroEntry(ContestNr contest, int slot) {
    return static_cast<std::size_t>(macroBaseOf(contest) + slot - 1);
}

int slotOfKey(int keyCode) {
    for (std::size_t i = 0; i < kSlotKeys.size(); ++i)
        if (kSlotKeys[i].keyCode == keyCode) return static_cast<int>(i) + 1;
    return 0;
}

int keyNumberOfSlot(int slot) {
    if (slot < 1 || slot > kSlotCount) return 0;
    return kSlotKeys[static_cast<std::size_t>(slot - 1)].keyNumber;
}

int exchangeIndex(ContestNr contest, bool searchAndPounce) {
    if (!isValidContest(contest)) return -1;
    return 2 * contest - 2 + (searchAndPounce ? 1 : 0);
}

std::string exchangeMessage(const Settings& settings, ContestNr contest,
                            std::string_view exchangeBox) {
    const bool running = exchangeBox.empty() || exchangeBox.front() == ' ';
    const int index = exchangeIndex(contest, !running);
    if (index < 0) return {};
    return settings.CWExchanges[static_cast<std::size_t>(index)];
}

std::string messageText(std::string_view typed) {
    std::string text = toUpper(typed);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string viewMacCaption(int slot, std::string_view macro, std::string_view displayForm,
                           std::string_view yourCall) {
    std::string caption = "F" + std::to_string(keyNumberOfSlot(slot)) + "-";
    const int plays = playCountOf(macro);
    if (plays > 1) caption += "[" + std::to_string(plays) + "]";
    for (char c : displayForm) {
        if (c == '$')
            caption += yourCall;
        else
            caption += c;
    }
    return caption;
}

}  // namespace keslog
