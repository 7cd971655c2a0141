#include "postcontest/PostContestForm.h"

#include <algorithm>

#include "postcontest/SentExchange.h"
#include "storage/DataFile.h"
#include "storage/LogNames.h"
#include "storage/LogOpening.h"
#include "storage/SettingsFile.h"

namespace keslog {
namespace {

const char* contestLabelName(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return "ARRL DX";
        case contest::Cqp:
            return "CQP";
        case contest::Cqww:
            return "CQWW DX";
        case contest::Sprint:
            return "Sprint";
        case contest::Ss:
            return "SS ";
        case contest::Wpx:
            return "WPX";
        case contest::Aa:
            return "All Asian";
        case contest::Paqp:
            return "PAQP";
        case contest::Naqp:
            return "NAQP";
        default:
            return "";
    }
}

MessageRequest exchangeError(const std::string& text) {
    return {text, "Exchange Error", MsgButtons::Ok, MsgIcon::Stop};
}

bool isSsSection(const MainMod& state, const std::string& section) {
    const auto& rows = state.mults.SSSections.rows;
    return std::any_of(rows.begin(), rows.end(),
                       [&](const MultRow& row) { return row.forms[0] == section; });
}

}  // namespace

PostContestForm::PostContestForm(MainMod& state, Platform& platform)
    : state_(state), platform_(platform) {}

Status PostContestForm::load(const std::string& logPath) {
    if (Result<std::string> base = outputBaseName(logPath); !base) return base.status();
    Result<OpenedLog> opened =
        readLogForOpening(logPath, openServicesOf(state_, platform_.messageBox));
    if (!opened) return opened.status();
    path_ = logPath;
    const LogChoices& choices = opened->choices;
    state_.contestNr = choices.contest;
    state_.InStateFlag = choices.InStateFlag;
    state_.ModeFlag = choices.ModeFlag;
    cw_ = isMixedMode(choices.contest) || choices.ModeFlag[1];
    state_.rules = opened->rules;
    ExpandMultTables(state_.reference, choices.contest == contest::Cqp && choices.InStateFlag,
                     state_.mults, state_.rules);

    view_ = PostContestView{};
    view_.contestLabel = std::string(" Contest: ") + contestLabelName(choices.contest);
    if (!isMixedMode(choices.contest)) view_.contestLabel += cw_ ? " CW" : " SSB";
    view_.logFileLabel = " Log File: " + logPath;
    showExchange();
    return Status::ok();
}

void PostContestForm::fitLogFileLabel(const std::function<bool(std::string_view)>& fits) {
    view_.logFileLabel = fitPath(" Log File: ", path_, fits);
}

void PostContestForm::setExport(bool on) {
    view_.exportFile = on;
    view_.omitEnabled = on;
    view_.adifEnabled = on;
    view_.dxb4Enabled =
        on && state_.contestNr != contest::Sprint && state_.contestNr != contest::Naqp;
    if (!on) view_.omitWK = view_.omitJA = view_.adif = view_.dxb4 = false;
}

void PostContestForm::setFormat(bool adif) {
    if (adif && view_.adifEnabled) {
        view_.adif = true;
        view_.dxb4 = false;
    } else if (!adif && view_.dxb4Enabled) {
        view_.adif = false;
        view_.dxb4 = true;
    }
}

std::array<std::string*, 4> PostContestForm::exchangeStrings() {
    Settings& s = state_.settings;
    switch (state_.contestNr) {
        case contest::ArrlDx:
            return {&s.ExchangeARRLMult};
        case contest::Cqp:
            return {&s.ExchangeCQPMult};
        case contest::Cqww:
            return {&s.ExchangeCQWWMult};
        case contest::Sprint:
            return {&s.ExchangeSprintName, &s.ExchangeSprintMult};
        case contest::Ss:
            return {&s.ExchangeSSPrec, &s.ExchangeSSCall, &s.ExchangeSSCheck, &s.ExchangeSSSection};
        case contest::Aa:
            return {&s.ExchangeAAMult};
        case contest::Paqp:
            return {&s.ExchangePAQPMult};
        case contest::Naqp:
            return {&s.ExchangeNAQPName, &s.ExchangeNAQPMult};
        default:
            return {};
    }
}

void PostContestForm::showExchange() {
    const char* heading = "Multiplier";
    switch (state_.contestNr) {
        case contest::Cqww:
            heading = "Zone";
            break;
        case contest::Sprint:
        case contest::Naqp:
            heading = "Name          Mult";
            break;
        case contest::Ss:
            heading = "Prec    Call        Ck      Section";
            break;
        case contest::Aa:
            heading = "Age";
            break;
        default:
            break;
    }
    view_.exchangeText = sentExchangeText(state_, cw_);
    view_.editEnabled = state_.contestNr != contest::Wpx;
    view_.editing = false;
    view_.okEnabled = true;
    view_.focusField = -1;
    const auto strings = exchangeStrings();
    view_.fieldCount = static_cast<int>(std::count_if(
        strings.begin(), strings.end(), [](const std::string* p) { return p != nullptr; }));
    view_.fieldsLabel = view_.fieldCount > 0 ? heading : "";
}

void PostContestForm::edit() {
    if (!view_.editEnabled || view_.editing) return;
    const auto strings = exchangeStrings();
    for (std::size_t i = 0; i < view_.fields.size(); ++i)
        view_.fields[i] = strings[i] != nullptr ? *strings[i] : "";
    view_.editing = true;
    view_.okEnabled = false;
}

void PostContestForm::setField(int index, const std::string& text) {
    if (index >= 0 && index < view_.fieldCount)
        view_.fields[static_cast<std::size_t>(index)] = text;
}

bool PostContestForm::editOk() {
    if (!view_.editing) return false;
    std::array<std::string, 4> values;
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = toUpper(trim(view_.fields[i]));
    const bool ss = state_.contestNr == contest::Ss;
    if (ss) values[2] = trim(view_.fields[2]);  // the check is stored as typed

    const auto refuse = [this](int field) {
        view_.focusField = field;
        return false;
    };
    if (state_.contestNr == contest::Cqp && state_.InStateFlag) {
        const auto& rows = state_.mults.CQPInState.rows;
        const bool known = std::any_of(rows.begin(), rows.end(), [&](const MultRow& row) {
            return row.forms[0] == values[0];
        });
        if (!known &&
            platform_.messageBox.show(
                {"County Is not a standard CQP county abbreviation.  Use it anyway?",
                 "County Error", MsgButtons::YesNo, MsgIcon::Exclamation, 1}) != MsgResult::Yes)
            return refuse(0);
    }
    if (ss) {
        if (values[0].size() != 1 || std::string("ABQMSU").find(values[0]) == std::string::npos) {
            platform_.messageBox.show(
                exchangeError("Precedence Error -- Must be A, B, M, Q, S, or U"));
            return refuse(0);
        }
        const double check = leadingNumber(values[2]);
        if (values[2].empty() || values[2].find_first_not_of("0123456789") != std::string::npos ||
            check < 0 || check > 99) {
            platform_.messageBox.show(exchangeError("Check Must be between 00 and 99"));
            return refuse(2);
        }
        if (!isSsSection(state_, values[3])) {
            platform_.messageBox.show(exchangeError("Section is Invalid."));
            return refuse(3);
        }
    }
    const auto strings = exchangeStrings();
    for (std::size_t i = 0; i < strings.size(); ++i)
        if (strings[i] != nullptr) *strings[i] = values[i];
    // The exchange is kept whether or not the settings file could be written;
    // the writer tells the operator about a failure itself.
    WriteSettings(state_, platform_.messageBox);
    showExchange();
    return true;
}

void PostContestForm::editCancel() {
    showExchange();
}

OutputChoices PostContestForm::choices() const {
    OutputChoices c;
    c.cabrillo = view_.electronic;
    c.summary = c.breakdown = c.listing = c.dupeSheets = view_.normal;
    c.adif = view_.exportFile && view_.adif;
    // No DXB4 file for the contests that log names.
    c.dxb4 = view_.exportFile && !view_.adif && view_.dxb4Enabled;
    c.omitWK = view_.omitWK;
    c.omitJA = view_.omitJA;
    return c;
}

void PostContestForm::onOK() {
    platform_.busy.setBusy(true);
    report_ = runPostContest(state_, path_, choices(), openServicesOf(state_, platform_.messageBox),
                             platform_.clock.now().year);
    platform_.busy.setBusy(false);
    const Result<PostContestReport>& report = *report_;
    std::string problem;
    if (!report) {
        problem = report.status().message();
    } else {
        problem = report->log.openingNotices;
        for (const std::string& failure : report->failures)
            problem += (problem.empty() ? "" : "\n") + failure;
    }
    if (!problem.empty())
        platform_.messageBox.show(
            {problem, "Post-Contest Processing", MsgButtons::Ok, MsgIcon::Exclamation});
    view_.closed = true;
}

namespace {

// The settings behind the rows, in the order of kUserInfoLabels.
std::array<std::string*, kUserInfoLabels.size()> userInformation(Settings& s) {
    return {&s.UserCallsign,   &s.UserOperator, &s.UserName, &s.UserAddress, &s.UserCity,
            &s.UserCountry,    &s.UserClub,     &s.UserRig,  &s.UserAnt,     &s.UserState,
            &s.UserPostalCode, &s.UserEmail,    &s.UserGrid};
}

}  // namespace

UserInfo::UserInfo(MainMod& state, IMessageBox& messageBox)
    : state_(state), messageBox_(messageBox) {
    const auto strings = userInformation(state_.settings);
    for (std::size_t i = 0; i < strings.size(); ++i) view_.texts[i] = *strings[i];
    for (const CategoryChoice& c : categoryChoices())
        view_.categories.push_back(chosenCategory(c, state_.settings));
}

void UserInfo::setCategory(int index, const std::string& value) {
    const auto& choices = categoryChoices();
    if (index >= 0 && index < static_cast<int>(choices.size()) &&
        isCategoryValue(choices[static_cast<std::size_t>(index)], value))
        view_.categories[static_cast<std::size_t>(index)] = value;
}

void UserInfo::setText(int row, const std::string& text) {
    if (row >= 0 && row < static_cast<int>(view_.texts.size()))
        view_.texts[static_cast<std::size_t>(row)] = text;
}

void UserInfo::onOK() {
    const auto strings = userInformation(state_.settings);
    for (std::size_t i = 0; i < strings.size(); ++i) *strings[i] = view_.texts[i].substr(0, 50);
    for (std::size_t i = 0; i < view_.categories.size(); ++i)
        state_.settings.*categoryChoices()[i].setting = view_.categories[i];
    WriteSettings(state_, messageBox_);
    view_.closed = true;
}

}  // namespace keslog
