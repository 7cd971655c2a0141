#include "transmit/EditMac.h"

#include "model/Text.h"

namespace keslog {

namespace {

bool validRow(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

void EditMac::load(int focusSlot) {
    const Settings& s = state_.settings;
    view_ = EditMacView{};
    for (int i = 0; i < kSlotCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        view_.FLabel[row] = "F" + std::to_string(keyNumberOfSlot(i + 1));
        view_.FullMacro[row] = parseMacro(s.CWMacros[macroEntry(state_.contestNr, i + 1)]).text;
        view_.ShMacro[row] = s.CWMacroLabels[macroEntry(state_.contestNr, i + 1)];
    }
    for (int k = 0; k < 2; ++k) {
        const int index = exchangeIndex(state_.contestNr, k == 1);
        if (index >= 0) view_.Exchange[static_cast<std::size_t>(k)] = s.CWExchanges[index];
    }
    view_.Dupe = s.DupeMessage;
    view_.focusSlot = focusSlot >= 1 && focusSlot <= kSlotCount ? focusSlot : 1;
}

void EditMac::onFullMacro(int index, const std::string& text) {
    if (validRow(index, view_.FullMacro.size()))
        view_.FullMacro[static_cast<std::size_t>(index)] = messageText(text);
}

void EditMac::onShMacro(int index, const std::string& text) {
    if (validRow(index, view_.ShMacro.size()))
        view_.ShMacro[static_cast<std::size_t>(index)] = messageText(text);
}

void EditMac::onExchange(int index, const std::string& text) {
    if (validRow(index, view_.Exchange.size()))
        view_.Exchange[static_cast<std::size_t>(index)] = messageText(text);
}

void EditMac::onDupe(const std::string& text) {
    view_.Dupe = messageText(text);
}

// Texts are trimmed as the settings file would trim them, so what is
// stored now is exactly what the next start reads.
void EditMac::onOK() {
    Settings& s = state_.settings;
    for (int i = 0; i < kSlotCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        std::string& macro = s.CWMacros[macroEntry(state_.contestNr, i + 1)];
        MacroParts parts = parseMacro(macro);
        parts.text = trim(view_.FullMacro[row]);
        macro = composeMacro(parts);
        s.CWMacroLabels[macroEntry(state_.contestNr, i + 1)] = trim(view_.ShMacro[row]);
    }
    for (int k = 0; k < 2; ++k) {
        const int index = exchangeIndex(state_.contestNr, k == 1);
        if (index >= 0) s.CWExchanges[index] = trim(view_.Exchange[static_cast<std::size_t>(k)]);
    }
    s.DupeMessage = trim(view_.Dupe);
    view_.closed = true;
    host_.messagesChanged();
}

void EditMac::onCancel() {
    view_.closed = true;
}

}  // namespace keslog
