#include "entry/EntryLine.h"

#include <algorithm>
#include <cctype>

#include "callsign/CountryLookup.h"
#include "callsign/Prefix.h"
#include "entry/ExchangeParsers.h"
#include "entry/MultRows.h"
#include "entry/Scoring.h"
#include "model/QsoDate.h"
#include "model/Stamp.h"
#include "rig/RigBands.h"

namespace keslog {

namespace {

constexpr std::size_t kCallLength = 10;

// Until a transmit side is attached the sending keys do nothing.
class SilentTransmit : public IEntryTransmit {
  public:
    void sendFunctionKeyMessage(int, bool) override {}
    void sendExchange(const std::string&) override {}
    void sendDupeMessage() override {}
    void playExchangeVoice() override {}
    void selectRadio(int) override {}
    void switchLogRadio() override {}
    void openKeyboardCW(int, int) override {}
    Status testSerialLine(bool) override { return Status::ok(); }
    bool cancelSending() override { return false; }
};

SilentTransmit silentTransmit;

// Until rig control is attached there is no rig to steer.
class NoRig : public IEntryRig {
  public:
    bool tuneToTyped(const std::string&) override { return false; }
    void bandModeKeyed(BandModeCode) override {}
};

NoRig noRig;

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// The characters whose keystroke updates the displays of a box.
bool updatesDisplays(char c) {
    return isLetter(c) || isDigit(c) || c == '/';
}

// Contests whose exchange is one number: a blank is refused in both boxes.
bool numericExchange(ContestNr nr) {
    return nr == contest::ArrlDx || nr == contest::Cqww || nr == contest::Wpx || nr == contest::Aa;
}

bool validBox(int box) {
    return box == kCallBox || box == kExchangeBox;
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string rightJustified(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// The exchange item of the last-QSO line.
std::string lastQsoItem(const MainMod& state, const QSORecName& q) {
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Cqww:
        case contest::Wpx:
        case contest::Aa:
            return padded(q.QMult.trimmed(), 5);
        case contest::Cqp:
        case contest::Paqp:
            return padded(multName(state, q), 5);
        case contest::Sprint:
        case contest::Naqp:
            return q.QName.trimmed() + " " + padded(multName(state, q), 5);
        case contest::Ss: {
            const std::string_view raw = q.QMult.raw();
            return std::string(raw.substr(0, 1)) + " " + std::string(raw.substr(1, 2)) + " " +
                   multName(state, q);
        }
        default:
            return {};
    }
}

}  // namespace

int functionKeyCode(EntryKey key) {
    const int n = static_cast<int>(key) - static_cast<int>(EntryKey::F1);
    return n >= 0 && n < 12 ? kKeyCodeF1 + n : 0;
}

void EntryBox::setText(std::string value, int caretAt) {
    text = std::move(value);
    moveCaret(caretAt);
}

void EntryBox::select(int start, int length) {
    const int size = static_cast<int>(text.size());
    selStart = std::clamp(start, 0, size);
    selLength = std::clamp(length, 0, size - selStart);
    caret = selStart + selLength;
}

void EntryBox::insert(char c) {
    if (selLength > 0) backspace();
    text.insert(static_cast<std::size_t>(caret), 1, c);
    moveCaret(caret + 1);
}

void EntryBox::backspace() {
    if (selLength > 0) {
        text.erase(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength));
        moveCaret(selStart);
    } else if (caret > 0) {
        text.erase(static_cast<std::size_t>(caret - 1), 1);
        moveCaret(caret - 1);
    }
}

void EntryBox::del() {
    if (selLength > 0)
        backspace();
    else if (caret < static_cast<int>(text.size()))
        text.erase(static_cast<std::size_t>(caret), 1);
}

void EntryBox::moveCaret(int to) {
    caret = std::clamp(to, 0, static_cast<int>(text.size()));
    selStart = caret;
    selLength = 0;
}

std::optional<MessageRequest> bandModeRefusal(const MainMod& state) {
    const BandModeCode code = state.CurrentBandMode;
    const int band = bandIndexOf(code);
    const bool cw = isCw(code);
    if (state.BandActive[static_cast<std::size_t>(band)] && state.ModeFlag[cw ? 1 : 0])
        return std::nullopt;
    return MessageRequest{
        "This contest does not log QSOs on " + trim(BandNameM[static_cast<std::size_t>(band - 1)]) +
            (cw ? " CW" : " SSB") + ".  Put the radio on an allowed band and mode to log.",
        "Band-Mode Not Allowed", MsgButtons::Ok, MsgIcon::Stop};
}

EntryCommand entryCommand(std::string_view callBox) {
    const std::string word = toUpper(trim(callBox));
    if (word == "R" || word == "RPT") return EntryCommand::Repeat;
    if (word == "DTRCLEAR1") return EntryCommand::DtrClear;
    if (word == "DTRSET1") return EntryCommand::DtrSet;
    return EntryCommand::None;
}

std::string lastQsoLine(const MainMod& state, const QSORecName& q) {
    const int band = isValidBandMode(q.QBandMode) ? bandIndexOf(q.QBandMode) : band::B20;
    std::string rcvd = rightJustified(q.QRcvd, 4);
    if (state.contestNr == contest::Naqp) rcvd = "    ";
    // A stored power of 0 stands for a kilowatt.
    if (state.contestNr == contest::ArrlDx && q.QRcvd == 0) rcvd = "1000";
    std::string points(q.QPoints.raw());
    if (state.contestNr == contest::Paqp && points == "3") points = "1.5";
    return "Last: " + std::string(BandName[static_cast<std::size_t>(band - 1)]) + " " +
           (isCw(q.QBandMode) ? "CW " : "SSB") + " " + timeText(q.QTime) + " " +
           std::string(q.QCall.raw()) + " " + rightJustified(q.QNr, 4) + " " + rcvd + " " +
           lastQsoItem(state, q) + " " + points;
}

EntryLine::EntryLine(MainMod& state, Platform& platform, IQsoStore& store, IEntryHost& host)
    : state_(state),
      platform_(platform),
      store_(store),
      host_(host),
      transmit_(&silentTransmit),
      rig_(&noRig),
      partial_(state, platform.messageBox) {}

void EntryLine::reset() {
    view_ = EntryView{};
    entry_ = PerEntry{};
    backslashTyped_ = bracketTyped_ = keepMatchesOnce_ = false;
    partial_.showCheckPartial({});
}

// --- typing -------------------------------------------------------------

void EntryLine::onChar(int box, char c) {
    if (!validBox(box)) return;
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == '+' || c == '-') return;
    if (c == ']' || c == '\\') {
        (c == ']' ? bracketTyped_ : backslashTyped_) = true;
        handleKey(box, EntryKey::None, {});
        return;
    }
    if (c == ' ' && (box == kCallBox || numericExchange(state_.contestNr))) return;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return;
    view_.InData[static_cast<std::size_t>(box)].insert(c);
    if (updatesDisplays(c)) afterEdit(box);
}

void EntryLine::onTextEdited(int box, const std::string& text) {
    if (!validBox(box)) return;
    EntryBox& b = view_.InData[static_cast<std::size_t>(box)];
    const int caret = b.caret;
    b.setText(toUpper(text), caret);
    afterEdit(box);
}

void EntryLine::onCaret(int box, int caret, int selStart, int selLength) {
    if (!validBox(box)) return;
    EntryBox& b = view_.InData[static_cast<std::size_t>(box)];
    if (selLength > 0)
        b.select(selStart, selLength);
    else
        b.moveCaret(caret);
}

void EntryLine::onKeyDown(int box, EntryKey key, KeyMods mods) {
    if (!validBox(box)) return;
    handleKey(box, key, mods);
}

EntryKey EntryLine::mappedKey(EntryKey key, KeyMods mods) {
    const bool plainUp = key == EntryKey::Up && !mods.shift && !mods.ctrl && !mods.alt;
    const auto mapped = [&](bool isMapped, const std::string& mapping) {
        return isMapped &&
               ((mapping == "backslash" && backslashTyped_) ||
                (mapping == "rightbracket" && bracketTyped_) || (mapping == "uparrow" && plainUp));
    };
    const Settings& s = state_.settings;
    EntryKey result = key;
    if (mapped(s.Key1IsMapped, s.Key1Mapping))
        result = EntryKey::Insert;
    else if (mapped(s.Key2IsMapped, s.Key2Mapping))
        result = EntryKey::F9;
    backslashTyped_ = bracketTyped_ = false;
    return result;
}

void EntryLine::handleKey(int box, EntryKey key, KeyMods mods) {
    key = mappedKey(key, mods);
    EntryBox& b = view_.InData[static_cast<std::size_t>(box)];
    const bool naqp = state_.contestNr == contest::Naqp;
    switch (key) {
        case EntryKey::F1:
        case EntryKey::F2:
        case EntryKey::F3:
        case EntryKey::F4:
        case EntryKey::F5:
        case EntryKey::F6:
        case EntryKey::F7:
        case EntryKey::F11:
        case EntryKey::F12:
            transmit_->sendFunctionKeyMessage(functionKeyCode(key), mods.shift);
            break;
        case EntryKey::CapsLock:
            if (isCw(state_.CurrentBandMode)) transmit_->openKeyboardCW(box, b.caret);
            break;
        case EntryKey::F8:
            if (box == kCallBox) onSearch(mods);
            break;
        case EntryKey::F9:
            transmit_->selectRadio(0);
            if (naqp) host_.redrawMultipliers();
            break;
        case EntryKey::F10:
            transmit_->switchLogRadio();
            if (naqp) host_.redrawMultipliers();
            break;
        case EntryKey::Down:
        case EntryKey::Up: {
            if (!mods.ctrl) break;
            const BandModeCode from = state_.CurrentBandMode;
            state_.CurrentBandMode =
                key == EntryKey::Down
                    ? nextActiveBand(state_.CurrentBandMode, state_.BandActive)
                    : previousActiveBand(state_.CurrentBandMode, state_.BandActive);
            bandModeShown();
            rig_->bandModeKeyed(from);
            break;
        }
        case EntryKey::Left:
        case EntryKey::Right:
            if (mods.ctrl)
                switchMode();
            else
                b.moveCaret(b.caret + (key == EntryKey::Left ? -1 : 1));
            break;
        case EntryKey::Home:
            b.moveCaret(0);
            break;
        case EntryKey::End:
            b.moveCaret(static_cast<int>(b.text.size()));
            break;
        case EntryKey::Tab: {
            // As in any edit box, Tab selects the text it lands in, so a
            // filled-in exchange is typed over or taken as it stands.
            const int to = box == kCallBox ? kExchangeBox : kCallBox;
            EntryBox& next = view_.InData[static_cast<std::size_t>(to)];
            next.select(0, static_cast<int>(next.text.size()));
            setFocus(to);
            break;
        }
        case EntryKey::Enter:
            logEntry(box, mods.shift);
            break;
        case EntryKey::Escape:
            onCancel();
            break;
        case EntryKey::Insert:
            if (box == kCallBox) onInsert();
            break;
        case EntryKey::Backspace:
            b.backspace();
            afterEdit(box);
            break;
        case EntryKey::Delete:
            b.del();
            afterEdit(box);
            break;
        default:
            break;
    }
}

void EntryLine::afterEdit(int box) {
    if (box == kCallBox)
        callBoxChanged();
    else
        exchangeBoxChanged();
}

void EntryLine::showNeeded(const std::string& heading, const std::string& item, bool needed) {
    const long pad = roundHalfEven((12.0 - static_cast<double>(item.size())) / 2.0);
    view_.NeedPfxLabel = heading + "\n" +
                         std::string(static_cast<std::size_t>(std::max(pad, 0L)), ' ') + item +
                         "\n" + (needed ? " NEEDED" : " Worked");
    view_.needPfxColour = needed ? kNeededColour : kWorkedColour;
}

void EntryLine::callBoxChanged() {
    const std::string typed = view_.InData[kCallBox].text;
    const CallBoxView found = callTyped(state_, typed);
    view_.matches = found.matches;
    showCheckPartial(typed);
    // A grid shown by an earlier dupe check was of another call.
    view_.ModeLabel.clear();
    view_.PrevQSO = {};
    view_.NeedPfxLabel.clear();

    const ContestNr nr = state_.contestNr;
    const int band = bandIndexOf(state_.CurrentBandMode);
    if (nr == contest::ArrlDx || nr == contest::Cqww) {
        view_.countryNr = found.countryNr;
        host_.showCountryPanel(found.countryNr, 0);
        const bool known = state_.countries.isCountry(found.countryNr);
        if (known) {
            const Country& country = state_.countries.country(found.countryNr);
            const BandMarks worked = WorkedCountries(state_.totals).countryWorked(found.countryNr);
            const bool needed = band > band::B160 || !worked[static_cast<std::size_t>(band - 1)];
            showNeeded("Country Ck", country.CtyPrefix.trimmed(), needed);
        }
        if (nr == contest::Cqww) {
            const std::string zone =
                known ? " " + std::string(state_.countries.country(found.countryNr).CtyZone.raw())
                      : std::string();
            view_.InData[kExchangeBox].setText(zone, static_cast<int>(zone.size()));
        }
    } else if ((nr == contest::Wpx || nr == contest::Aa) && !typed.empty()) {
        if (nr == contest::Wpx) {
            const int country = CountryOfCall(state_.countries, typed);
            view_.LblWpxCountry = state_.countries.isCountry(country)
                                      ? state_.countries.country(country).CtyName.trimmed()
                                      : std::string();
        }
        showNeeded("Prefix Ck", WPXPrefixOf(typed), found.prefixNeeded);
    } else if (nr == contest::Wpx) {
        view_.LblWpxCountry.clear();
    }
}

void EntryLine::exchangeBoxChanged() {
    const std::string text = trim(view_.InData[kExchangeBox].text);
    const int band = bandIndexOf(state_.CurrentBandMode);
    if (state_.contestNr == contest::Cqww) {
        const double value = leadingNumber(text);
        const int zone = static_cast<int>(value);
        if (!text.empty() && zone == value && zone >= 1 && zone <= 40) {
            const BandMarks worked = WorkedCountries(state_.totals).zoneWorked(zone);
            showNeeded("Zone Ck", std::to_string(zone),
                       band > band::B160 || !worked[static_cast<std::size_t>(band - 1)]);
            host_.showCountryPanel(view_.countryNr, zone);
        }
    } else if (state_.contestNr == contest::Naqp) {
        view_.ModeLabel.clear();
        const auto blank = text.find(' ');
        if (blank == std::string::npos) return;
        const MultTable& table = state_.mults.NAQPMults;
        const int row = table.findRow(trim(text.substr(blank + 1)));
        if (row == 0) return;
        const MultRow& mult = table.rows[static_cast<std::size_t>(row - 1)];
        std::string label = mult.forms[0] + " needed on  ";
        for (int b = band::B10; b <= band::B160; ++b) {
            const auto column = static_cast<std::size_t>(b - 1);
            if (column < mult.worked.size() && mult.worked[column]) continue;
            const std::string name(BandNameM[column]);
            label += b == band ? " [" + name + "]" : " " + name;
        }
        view_.ModeLabel = label;
    }
}

// --- focus ----------------------------------------------------------------

void EntryLine::setFocus(int box) {
    if (view_.focus == box) return;
    const int left = view_.focus;
    view_.focus = box;
    if (left == kCallBox) callBoxLostFocus();
    if (box == kExchangeBox) exchangeBoxGotFocus();
}

void EntryLine::callBoxLostFocus() {
    if (keepMatchesOnce_)
        keepMatchesOnce_ = false;
    else
        view_.matches = {};
}

void EntryLine::exchangeBoxGotFocus() {
    const std::string call = trim(view_.InData[kCallBox].text);
    state_.CurrentCall = call;
    const std::string exchange = trim(view_.InData[kExchangeBox].text);
    // A CQP exchange ending in "/" is logged for no points: no dupe question.
    const bool noPoints =
        state_.contestNr == contest::Cqp && !exchange.empty() && exchange.back() == '/';
    if (!noPoints && !call.empty()) {
        const auto answer = askIfDupe(call);
        if (answer && *answer != MsgResult::Yes) {
            cancelEntry();
            return;
        }
    }
    const auto prefill = exchangePrefill(state_, call, view_.InData[kExchangeBox].text);
    if (prefill) {
        view_.InData[kExchangeBox].setText(*prefill, 0);
    } else if (const auto known = historyPrefill(state_, call, view_.InData[kExchangeBox].text)) {
        // Selected, so that the first key replaces it; a fill led by blanks
        // keeps the caret in front for the serial number instead.
        EntryBox& box = view_.InData[kExchangeBox];
        box.setText(*known, 0);
        if (known->front() != ' ') box.select(0, static_cast<int>(known->size()));
    }
}

// Moves the focus without the handlers, for the logging sequence's own
// focus changes, which must leave the boxes as they are.
void EntryLine::placeFocus(int box) {
    if (view_.focus == kCallBox && box != kCallBox) callBoxLostFocus();
    view_.focus = box;
}

// --- dupes ----------------------------------------------------------------

const DupeCheck& EntryLine::dupeCheck(const std::string& call, bool notice) {
    // Whether a call is a dupe depends on the band and mode too.
    if (entry_.checked && entry_.call == call && entry_.bandMode == state_.CurrentBandMode)
        return entry_.check;
    entry_.call = call;
    entry_.bandMode = state_.CurrentBandMode;
    entry_.check = checkDupe(state_, call);
    entry_.checked = true;
    entry_.answered = false;
    if (entry_.check.workedBefore) {
        const WorkedBeforeGrid grid = workedBeforeGrid(state_, entry_.check);
        view_.matches = {};
        view_.ModeLabel = grid.modeLabel;
        view_.PrevQSO = grid.prevQso;
    }
    if (const auto portable = portableNotice(entry_.check); portable && notice)
        platform_.messageBox.show(*portable);
    return entry_.check;
}

std::optional<MsgResult> EntryLine::askIfDupe(const std::string& call) {
    const DupeCheck& check = dupeCheck(call);
    if (!check.dupe || entry_.answered) return std::nullopt;
    entry_.answered = true;
    return askDupeQuestion(state_, check, platform_.clock.now().year, platform_.messageBox,
                           platform_.beep);
}

// --- commands -------------------------------------------------------------

void EntryLine::onInsert() {
    const std::string call = trim(view_.InData[kCallBox].text);
    state_.CurrentCall = call;
    const DupeCheck& check = dupeCheck(call);
    const Settings& s = state_.settings;
    const bool cw = isCw(state_.CurrentBandMode);
    if (check.dupe && s.AutoDupeFlag == "True" && cw) {
        if (s.DupeBeepFlag == "True") platform_.beep.beep();
        transmit_->sendDupeMessage();
        cancelEntry();
    } else if (cw) {
        transmit_->sendExchange(view_.InData[kExchangeBox].text);
        setFocus(kExchangeBox);
    } else {
        transmit_->playExchangeVoice();
    }
    if (state_.contestNr == contest::Naqp) host_.redrawMultipliers();
}

void EntryLine::onSearch(KeyMods mods) {
    const std::string typed = trim(view_.InData[kCallBox].text);
    const ContestNr nr = state_.contestNr;
    if (!typed.empty()) {
        partial_.searchCalls(typed, mods.shift || mods.ctrl || mods.alt
                                        ? PartialSearchKind::EndsWith
                                        : PartialSearchKind::Contains);
    } else if (nr == contest::Cqp || nr == contest::Paqp) {
        partial_.searchCounty(toUpper(trim(view_.InData[kExchangeBox].text)));
    } else {
        platform_.beep.beep();
        return;
    }
    keepMatchesOnce_ = true;
    if (partial_.view().visible) host_.showPartial();
}

void EntryLine::onPartialCallChosen(const std::string& call) {
    view_.InData[kCallBox].setText(call, static_cast<int>(call.size()));
    placeFocus(kCallBox);
    callBoxChanged();
}

void EntryLine::switchMode() {
    const bool toPhone = isCw(state_.CurrentBandMode);
    if (!state_.ModeFlag[toPhone ? 0 : 1]) return;
    const BandModeCode from = state_.CurrentBandMode;
    state_.CurrentBandMode = bandModeCode(bandIndexOf(from), toPhone);
    bandModeShown();
    rig_->bandModeKeyed(from);
}

void EntryLine::followRig(BandModeCode code) {
    if (code == state_.CurrentBandMode) return;
    state_.CurrentBandMode = code;
    bandModeShown();
}

void EntryLine::bandModeShown() {
    host_.bandModeChanged();
    // A call checked on the old band-mode is checked again on the new one;
    // its worked-before grid and dupe question follow, the boxes stay.
    if (!entry_.checked) return;
    entry_.checked = false;
    view_.ModeLabel.clear();
    view_.PrevQSO = {};
    dupeCheck(entry_.call, false);
}

void EntryLine::hideEntryLabels() {
    view_.ModeLabel.clear();
    view_.PrevQSO = {};
    view_.matches = {};
    showCheckPartial("");
}

void EntryLine::showCheckPartial(std::string_view typed) {
    ScpMatches matches = scpMatches(state_, typed);
    if (matches == partial_.view().scp) return;
    partial_.showCheckPartial(std::move(matches));
    host_.showPartial();
}

void EntryLine::clearEntry() {
    view_.InData[kCallBox].setText("", 0);
    view_.InData[kExchangeBox].setText("", 0);
    hideEntryLabels();
    view_.NeedPfxLabel.clear();
    view_.LblWpxCountry.clear();
    view_.countryNr = 0;
    if (state_.contestNr == contest::ArrlDx || state_.contestNr == contest::Cqww)
        host_.showCountryPanel(0, 0);
    entry_ = PerEntry{};
    placeFocus(kCallBox);
}

void EntryLine::cancelEntry() {
    transmit_->cancelSending();
    clearEntry();
}

void EntryLine::onCancel() {
    // Esc that ended a CW message only stops the sending.
    if (transmit_->cancelSending()) return;
    clearEntry();
}

void EntryLine::onLogIt() {
    logEntry(kExchangeBox, false);
}

void EntryLine::onBackgroundClick() {
    placeFocus(kCallBox);
}

void EntryLine::onLastEntry() {
    if (state_.log.count() == 0) {
        platform_.messageBox.show({"No Entries in Log, so can't edit last entry.", "No Log Entries",
                                   MsgButtons::Ok, MsgIcon::Information});
        return;
    }
    if (host_.editLastEntry()) {
        replayLog(state_);
        entry_ = PerEntry{};
        host_.logRebuilt();
    }
    placeFocus(kCallBox);
}

void EntryLine::onKillLastEntry() {
    // Without a QSO there is nothing to kill, and QSONr must never reach 0.
    if (state_.log.count() == 0) {
        platform_.messageBox.show({"No Entries in Log, so can't kill last entry.", "No Log Entries",
                                   MsgButtons::Ok, MsgIcon::Information});
        return;
    }
    const MsgResult answer = platform_.messageBox.show(
        {"Kill last log entry?", "Confirm kill", MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgResult::Yes) return;
    const QSORecName killed = state_.log.at(state_.log.count());
    removeLastQso(state_);
    entry_ = PerEntry{};
    const Status cut = store_.cutAfterLastQso(state_);
    if (!cut)
        platform_.messageBox.show({"The last QSO is gone from the log, but the log file " +
                                       state_.currentLogPath +
                                       " could not be shortened:  " + cut.message() +
                                       "\nThe next QSO logged takes its place in the file.",
                                   "File or Disk Error", MsgButtons::Ok, MsgIcon::Stop});
    host_.qsoKilled(killed);
    host_.logRebuilt();
    placeFocus(kCallBox);
}

// --- the logging sequence -------------------------------------------------

bool EntryLine::callFits(std::string& call) {
    if (call.size() <= kCallLength) return true;
    const std::string cut = call.substr(0, kCallLength);
    const MsgResult answer = platform_.messageBox.show(
        {"Only 10 characters allowed for Callsign.  Truncate entry to " + cut + "?",
         "Entry Too Long", MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgResult::Yes) return false;
    call = cut;
    view_.InData[kCallBox].setText(call, static_cast<int>(call.size()));
    return true;
}

void EntryLine::repeatLastNaqp() {
    const QSORecName last = state_.log.at(state_.log.count());
    const std::string call = last.QCall.trimmed();
    const std::string exchange = last.QName.trimmed() + " " + multName(state_, last);
    view_.InData[kCallBox].setText(call, static_cast<int>(call.size()));
    view_.InData[kExchangeBox].setText(exchange, static_cast<int>(exchange.size()));
    placeFocus(kExchangeBox);
}

void EntryLine::testSerialLine(bool on) {
    const Status tested = transmit_->testSerialLine(on);
    if (!tested)
        platform_.messageBox.show({tested.message(),
                                   tested.title().empty() ? "Serial Port Error" : tested.title(),
                                   MsgButtons::Ok, MsgIcon::Exclamation});
    view_.InData[kCallBox].setText("", 0);
    placeFocus(kCallBox);
}

void EntryLine::logEntry(int box, bool shift) {
    state_.NewMultFlag = false;
    const std::string typed = trim(view_.InData[kCallBox].text);
    switch (entryCommand(typed)) {
        case EntryCommand::Repeat:
            if (state_.contestNr != contest::Naqp || state_.log.count() == 0) break;
            repeatLastNaqp();
            return;
        case EntryCommand::DtrClear:
            testSerialLine(false);
            return;
        case EntryCommand::DtrSet:
            testSerialLine(true);
            return;
        default:
            break;
    }
    if (rig_->tuneToTyped(typed)) {
        view_.InData[kCallBox].setText("", 0);
        placeFocus(kCallBox);
        return;
    }
    if (typed.empty()) {
        if (!shift && state_.settings.SendF1Enabled)
            transmit_->sendFunctionKeyMessage(kKeyCodeF1, false);
        placeFocus(kCallBox);
        return;
    }
    if (const auto refusal = bandModeRefusal(state_)) {
        platform_.messageBox.show(*refusal);
        placeFocus(kCallBox);
        return;
    }
    if (state_.log.isFull()) {
        platform_.messageBox.show({logFullMessage(), "Log Full", MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    std::string call = typed;
    if (!callFits(call)) {
        placeFocus(kCallBox);
        return;
    }
    // Enter in either box: the call is always the call box's, and its dupe
    // check and question run unless they did for this very call, so a call
    // typed and logged without leaving the call box is checked all the same.
    (void)box;
    logCall(call, shift);
}

void EntryLine::logCall(std::string call, bool shift) {
    state_.CurrentCall = call;
    const auto answer = askIfDupe(call);
    if (answer && *answer == MsgResult::No) {
        cancelEntry();
        return;
    }

    const ExchangeRules rules{state_.contestNr, state_.InStateFlag, &state_.mults};
    const ExchangeCheck checked = checkExchange(rules, view_.InData[kExchangeBox].text);
    if (!checked.accepted()) {
        const ExchangeRefusal& r = checked.refusal;
        platform_.messageBox.show({r.message, r.title, MsgButtons::Ok, MsgIcon::Stop});
        view_.InData[kExchangeBox].select(r.selStart, r.selLength);
        // From the call box this is an ordinary focus change: the exchange
        // box's own handling (its pre-fill) runs.
        setFocus(kExchangeBox);
        return;
    }
    const ParsedExchange& parsed = *checked.parsed;

    // SS: a call sent inside the exchange is the call worked.
    if (state_.contestNr == contest::Ss && !parsed.call.empty() && parsed.call != call) {
        std::string sent = parsed.call;
        if (!callFits(sent)) {
            placeFocus(kExchangeBox);
            return;
        }
        call = sent;
        view_.InData[kCallBox].setText(call, static_cast<int>(call.size()));
        state_.CurrentCall = call;
        const auto again = askIfDupe(call);
        if (again && *again == MsgResult::No) {
            cancelEntry();
            return;
        }
    }

    const Settings& s = state_.settings;
    const bool sendF5 = s.LogandSendF5Enabled && state_.cw.CallSentFlag && !shift;
    if (sendF5 && !s.LogFirst) transmit_->sendFunctionKeyMessage(kKeyCodeF1 + 4, false);

    QSORecName record = scoredQso(state_, call, state_.CurrentBandMode, parsed, entry_.check.dupe);
    const QsoStamp stamp = stampQso(platform_.clock.now(), s.isGmt(), s.TimeCorrection);
    record.QDate = stamp.QDate;
    record.QTime = stamp.QTime;
    record.QNr = static_cast<std::int16_t>(state_.QSONr);
    if (!storeQso(record)) return;

    hideEntryLabels();
    view_.InData[kCallBox].setText("", 0);
    view_.InData[kExchangeBox].setText("", 0);
    entry_ = PerEntry{};
    placeFocus(kCallBox);
    view_.lastQso = lastQsoLine(state_, record);
    if (notInScp(state_, record.QCall.trimmed())) view_.lastQso += "  not in SCP";
    if (sendF5 && s.LogFirst) transmit_->sendFunctionKeyMessage(kKeyCodeF1 + 4, false);
}

bool EntryLine::storeQso(const QSORecName& record) {
    // The log radio's frequency, unless the band was changed by hand since.
    const std::int64_t hz = qsoFrequencyHz(
        state_.RadioHz[static_cast<std::size_t>(state_.LogRadio - 1)], record.QBandMode);
    const Status added = addLoggedQso(state_, record, hz);
    if (!added) {
        platform_.messageBox.show({added.message(),
                                   added.title().empty() ? "Log Full" : added.title(),
                                   MsgButtons::Ok, MsgIcon::Stop});
        return false;
    }
    const Status written = store_.writeQso(state_, state_.log.count());
    if (!written) {
        platform_.messageBox.show(
            {"QSO " + std::to_string(record.QNr) + " with " + record.QCall.trimmed() +
                 " could not be written to the log file " + state_.currentLogPath + ":  " +
                 written.message() +
                 "\nIt is kept in the log and goes to the file with the next QSO, with File, "
                 "Save, or when Exit is answered Yes.",
             "File or Disk Error", MsgButtons::Ok, MsgIcon::Stop});
    }
    host_.qsoLogged();
    return true;
}

}  // namespace keslog
