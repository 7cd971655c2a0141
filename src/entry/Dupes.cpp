#include "entry/Dupes.h"

#include <algorithm>

#include "entry/MultRows.h"
#include "model/QsoDate.h"

namespace keslog {

namespace {

std::string joinedNumbers(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers) out += (out.empty() ? "" : " ") + std::to_string(n);
    return out;
}

bool namesRecord(ContestNr nr) {
    return nr == contest::Sprint || nr == contest::Naqp;
}

// The exchange item of the earlier contact in the dupe question.
std::string exchangeItem(const MainMod& state, const QSORecName& q) {
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Aa:
            return std::to_string(q.QRcvd);
        case contest::Cqp:
            return storedMult(state, q).row != 0 ? multName(state, q) : "(No Mult)";
        case contest::Paqp:
            return multName(state, q);
        case contest::Ss: {
            const std::string_view raw = q.QMult.raw();
            return std::string(raw.substr(0, 1)) + " " + std::string(raw.substr(1, 2)) + " " +
                   multName(state, q);
        }
        case contest::Sprint:
        case contest::Naqp:
            return q.QName.trimmed() + " " + multName(state, q);
        default:
            return {};
    }
}

// The dupe rule: in SS a call worked before is a dupe on any band; in every
// other contest only on the same band-mode code (same band, same mode).
bool makesDupe(const MainMod& state, const CallIndexEntry& earlier, BandModeCode bandMode) {
    return state.contestNr == contest::Ss || earlier.bandMode == bandMode;
}

bool showsHisNumber(ContestNr nr) {
    return nr == contest::Cqp || nr == contest::Sprint || nr == contest::Ss || nr == contest::Wpx ||
           nr == contest::Paqp;
}

}  // namespace

std::string callWithoutDesignator(std::string_view call) {
    std::string_view longest;
    while (true) {
        const std::size_t slash = call.find('/');
        const std::string_view part = call.substr(0, slash);
        if (part.size() > longest.size()) longest = part;
        if (slash == std::string_view::npos) break;
        call.remove_prefix(slash + 1);
    }
    return std::string(longest);
}

void indexCall(MainMod& state, int qsoNr, const QSORec& record) {
    std::string call = record.QCall.trimmed();
    if (call.find('/') != std::string::npos) {
        std::vector<std::string>& forms = state.portableCalls[callWithoutDesignator(call)];
        if (std::find(forms.begin(), forms.end(), call) == forms.end()) forms.push_back(call);
    }
    state.callIndex.insert({std::move(call), record.QBandMode, qsoNr});
}

bool isDupe(const MainMod& state, std::string_view call, BandModeCode bandMode) {
    const auto [first, last] = state.callIndex.equal_range(call);
    return std::any_of(first, last, [&](const CallIndexEntry& entry) {
        return makesDupe(state, entry, bandMode);
    });
}

DupeCheck checkDupe(const MainMod& state, std::string_view call) {
    DupeCheck check;
    check.call = std::string(call);
    const auto [first, last] = state.callIndex.equal_range(call);
    for (auto entry = first; entry != last; ++entry) {
        check.workedBefore = true;
        check.lastContact = std::max(check.lastContact, entry->qsoNr);
        if (isValidBandMode(entry->bandMode))
            check.contactsByBandMode[static_cast<std::size_t>(entry->bandMode)].push_back(
                entry->qsoNr);
        if (makesDupe(state, *entry, state.CurrentBandMode))
            check.earlierContact = std::max(check.earlierContact, entry->qsoNr);
    }
    for (auto& numbers : check.contactsByBandMode) std::sort(numbers.begin(), numbers.end());
    check.dupe = check.earlierContact != 0;

    if (check.workedBefore) return check;
    if (call.find('/') != std::string_view::npos) {
        const std::string base = callWithoutDesignator(call);
        if (!base.empty() && state.callIndex.contains(std::string_view(base)))
            check.otherFormInLog = base;
    } else {
        const auto portable = state.portableCalls.find(std::string(call));
        if (portable != state.portableCalls.end()) check.otherFormInLog = portable->second.front();
    }
    return check;
}

std::optional<MessageRequest> portableNotice(const DupeCheck& check) {
    if (check.otherFormInLog.empty()) return std::nullopt;
    const bool typedPortable = check.call.find('/') != std::string::npos;
    return MessageRequest{
        "This station is also in the log\n" +
            std::string(typedPortable ? "as a nonportable:  " : "as a portable:  ") +
            check.otherFormInLog,
        "Portable Station?", MsgButtons::Ok, MsgIcon::Information, 0};
}

MessageRequest dupeQuestion(const MainMod& state, const DupeCheck& check, int currentYear) {
    const int nr = check.earlierContact != 0 ? check.earlierContact : check.lastContact;
    const QSORecName earlier = nr >= 1 && nr <= state.log.count() ? state.log.at(nr) : QSORecName{};
    const std::string line2 = std::string(namesRecord(state.contestNr) ? 10 : 15, ' ') +
                              std::string(earlier.QCall.raw()) + exchangeItem(state, earlier);
    std::string line3 = dateText(calendarDateOf(earlier.QDate, currentYear), DateForm::Us) + "  " +
                        timeText(earlier.QTime);
    if (showsHisNumber(state.contestNr)) line3 += "  His #" + std::to_string(earlier.QRcvd);
    line3 += "  My #" + std::to_string(earlier.QNr);
    return {"DUPE - OK to Log Anyway?\n" + line2 + "\n" + line3, "DUPE!", MsgButtons::YesNoCancel,
            MsgIcon::Exclamation, 1};
}

MsgResult askDupeQuestion(const MainMod& state, const DupeCheck& check, int currentYear,
                          IMessageBox& messageBox, IBeep& beep) {
    if (state.settings.DupeBeepFlag == "True") beep.beep();
    return messageBox.show(dupeQuestion(state, check, currentYear));
}

WorkedBeforeGrid workedBeforeGrid(const MainMod& state, const DupeCheck& check) {
    WorkedBeforeGrid grid;
    if (!check.workedBefore) return grid;
    grid.visible = true;
    const bool mixed = state.contestNr == contest::Cqp || state.contestNr == contest::Paqp;
    if (mixed)
        grid.modeLabel = "\nSSB:\n CW:";
    else if (state.contestNr != contest::Naqp)
        grid.modeLabel = isCw(state.CurrentBandMode) ? "\n CW:" : "\nSSB:";
    for (int band = 1; band <= kBandCount; ++band) {
        const auto& cw = check.contactsByBandMode[static_cast<std::size_t>(band)];
        const auto& phone = check.contactsByBandMode[static_cast<std::size_t>(band + kPhoneOffset)];
        if (cw.empty() && phone.empty()) continue;
        std::string text(BandNameM[static_cast<std::size_t>(band - 1)]);
        if (mixed) {
            text += "\n" + joinedNumbers(phone) + "\n" + joinedNumbers(cw);
        } else {
            std::vector<int> both = cw;
            both.insert(both.end(), phone.begin(), phone.end());
            std::sort(both.begin(), both.end());
            text += "\n" + joinedNumbers(both);
        }
        grid.prevQso[static_cast<std::size_t>(band - 1)] = std::move(text);
    }
    return grid;
}

}  // namespace keslog
