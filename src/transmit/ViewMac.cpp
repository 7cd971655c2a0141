#include "transmit/ViewMac.h"

namespace keslog {

namespace {

std::uint32_t colourOfRadio(char radio) {
    if (radio == '1') return colour::Blue;
    if (radio == '2') return colour::Red;
    return colour::Black;
}

std::size_t itemIndex(ViewMacItem item) {
    return static_cast<std::size_t>(item);
}

}  // namespace

void ViewMac::refresh() {
    const Settings& s = state_.settings;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::size_t entry = macroEntry(state_.contestNr, slot);
        const std::string& macro = s.CWMacros[entry];
        view_.DisplayMac[static_cast<std::size_t>(slot - 1)] = {
            viewMacCaption(slot, macro, s.CWMacroLabels[entry], s.YourCall),
            colourOfRadio(parseMacro(macro).radio)};
    }
}

std::array<bool, kViewMacItemCount> ViewMac::menuTicks(int index) const {
    std::array<bool, kViewMacItemCount> ticks{};
    if (index < 0 || index >= kSlotCount) return ticks;
    const std::string& macro = state_.settings.CWMacros[macroEntry(state_.contestNr, index + 1)];
    const char radio = parseMacro(macro).radio;
    ticks[itemIndex(radio == '1'   ? ViewMacItem::Radio1
                    : radio == '2' ? ViewMacItem::Radio2
                                   : ViewMacItem::NoRadio)] = true;
    const int plays = playCountOf(macro);
    ticks[itemIndex(plays == 3   ? ViewMacItem::Play3
                    : plays == 6 ? ViewMacItem::Play6
                                 : ViewMacItem::NoRepeats)] = true;
    return ticks;
}

void ViewMac::onMenuItem(int index, ViewMacItem item) {
    if (index < 0 || index >= kSlotCount) return;
    if (item == ViewMacItem::EditMessage) {
        host_.editMessage(index + 1);
        return;
    }
    std::string& macro = state_.settings.CWMacros[macroEntry(state_.contestNr, index + 1)];
    MacroParts parts = parseMacro(macro);
    switch (item) {
        case ViewMacItem::Radio1:
            parts.radio = '1';
            break;
        case ViewMacItem::Radio2:
            parts.radio = '2';
            break;
        case ViewMacItem::NoRadio:
            parts.radio = '0';
            break;
        case ViewMacItem::Play3:
            parts.play = '3';
            break;
        case ViewMacItem::Play6:
            parts.play = '6';
            break;
        case ViewMacItem::NoRepeats:
            parts.play = '1';
            break;
        case ViewMacItem::EditMessage:
            break;
    }
    macro = composeMacro(parts);
    refresh();
    host_.messagesChanged();
}

}  // namespace keslog
