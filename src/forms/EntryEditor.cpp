#include "forms/EntryEditor.h"

#include <algorithm>
#include <cctype>

#include "entry/MultRows.h"
#include "entry/Scoring.h"
#include "forms/LogViewer.h"
#include "model/QsoDate.h"
#include "model/Stamp.h"
#include "model/Text.h"
#include "storage/FileErrors.h"
#include "storage/LogFile.h"

namespace keslog {

namespace {

constexpr const char* kInvalidEntry = "Invalid Entry";

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// A whole number typed into a box: its leading number, or none when the
// text holds none at all.
std::optional<long> typedNumber(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty() || !std::isdigit(static_cast<unsigned char>(t.front()))) return std::nullopt;
    return static_cast<long>(leadingNumber(t));
}

struct ParsedDate {
    int month = 0;
    int day = 0;
    int year = 0;
};

// A year after currentYear is refused: the date code keeps one digit of the
// year, so such a date would read back a decade early.
std::optional<ParsedDate> parseDate(const std::string& text, int currentYear) {
    if (text.size() != 8 || text[2] != '/' || text[5] != '/') return std::nullopt;
    const std::string mm = text.substr(0, 2), dd = text.substr(3, 2), yy = text.substr(6, 2);
    if (!allDigits(mm) || !allDigits(dd) || !allDigits(yy)) return std::nullopt;
    // The date code starts with the 1990s, so two digits from 90 are 19YY.
    const int twoDigits = std::stoi(yy);
    ParsedDate d{std::stoi(mm), std::stoi(dd),
                 twoDigits >= 90 ? 1900 + twoDigits : 2000 + twoDigits};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return std::nullopt;
    if (d.year > currentYear) return std::nullopt;
    return d;
}

// Minutes above 59 are refused: no such time exists, and the outputs
// would show it as "0000".
std::optional<int> parseTime(const std::string& text) {
    if (text.size() >= 5 || !allDigits(text)) return std::nullopt;
    const int value = std::stoi(text);
    if (value > 2359 || value % 100 > 59) return std::nullopt;
    return value;
}

// The smallest received number the entry line stores: a zone or a WPX
// serial starts at 1, while ages, powers and the other serials may be 0.
long lowestReceived(ContestNr nr) {
    return nr == contest::Cqww || nr == contest::Wpx ? 1 : 0;
}

// Points as the stored digit, or none when the contest allows no such value.
// PAQP keeps a half point as "3".
std::optional<std::string> pointsDigit(ContestNr nr, const std::string& text) {
    const std::string t = trim(text);
    if (t.empty() || !(std::isdigit(static_cast<unsigned char>(t.front())) || t.front() == '.'))
        return std::nullopt;
    const double value = leadingNumber(t);
    if (nr == contest::Paqp) {
        if (value == 1.5) return std::string("3");
        if (value == 0 || value == 1 || value == 2) return std::to_string(static_cast<long>(value));
        return std::nullopt;
    }
    const long points = roundHalfEven(value);
    const auto allowed = [&](std::initializer_list<long> values) {
        return std::find(values.begin(), values.end(), points) != values.end();
    };
    bool ok = false;
    switch (nr) {
        case contest::ArrlDx:
            ok = allowed({0, 3});
            break;
        case contest::Cqp:
        case contest::Cqww:
            ok = allowed({0, 2, 3});
            break;
        case contest::Sprint:
        case contest::Naqp:
            ok = allowed({0, 1});
            break;
        case contest::Ss:
            ok = allowed({0, 2});
            break;
        case contest::Wpx:
            ok = allowed({0, 1, 2, 3, 4, 6});
            break;
        case contest::Aa:
            ok = allowed({0, 1, 2, 3});
            break;
        default:
            break;
    }
    if (!ok) return std::nullopt;
    return std::to_string(points);
}

std::string pointsMessage(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return "Only Valid Points for ARRl DX Contest are 0 or 3.";
        case contest::Cqp:
        case contest::Cqww:
            return "Only Valid Points are 0, 2, or 3.";
        case contest::Sprint:
        case contest::Naqp:
            return "Only Valid Points for This Contest are 0 or 1.";
        case contest::Ss:
            return "Only Valid Points for SS Contest are 0 or 2.";
        case contest::Wpx:
            return "Only Valid Points for WPX Contest are 0, 1, 2, 3, 4, or 6.";
        case contest::Aa:
            return "Only Valid Points for AA Contest are 0, 1, 2, or 3.";
        default:
            return "Only Valid Points for PAQP are 0, 1, 1.5, or 2.";
    }
}

bool hasName(ContestNr nr) {
    return nr == contest::Sprint || nr == contest::Naqp;
}

}  // namespace

void EntryEditor::load(int entry) {
    entry_ = entry;
    written_ = false;
    edited_ = {};
    bandEdited_ = false;
    const QSORecName q = state_.log.at(entry);
    const ContestNr nr = state_.contestNr;
    const int code = isValidBandMode(q.QBandMode) ? q.QBandMode : band::B6;
    view_ = EntryEditorView{};
    view_.band = bandIndexOf(code);
    view_.ssVisible = nr == contest::Ss;
    view_.lastVisible = nr == contest::Ss || hasName(nr);
    view_.multVisible = nr != contest::Ss;
    view_.receivedVisible = nr != contest::Naqp;
    view_.label2 =
        nr == contest::Ss ? "Callsign           My #        His #     Prec   Ck    Sec    Points"
        : hasName(nr) ? "Callsign           My #        His #          Name         Mult   Points"
                      : "Callsign           My #        His #     Multiplier     Points";
    text(EditField::Date) =
        dateText(calendarDateOf(q.QDate, platform_.clock.now().year), DateForm::Us);
    text(EditField::Mode) = isCw(code) ? "CW" : "SSB";
    text(EditField::Time) = storedTimeText(q.QTime);
    text(EditField::Call) = q.QCall.trimmed();
    text(EditField::OwnNr) = std::to_string(q.QNr);
    text(EditField::Received) = std::to_string(q.QRcvd);
    const std::string points = q.QPoints.trimmed();
    text(EditField::Points) = nr == contest::Paqp && points == "3" ? "1.5" : points;
    if (nr == contest::Ss) {
        const std::string mult = q.QMult.trimmed();
        text(EditField::Prec) = mult.substr(0, 1);
        text(EditField::Check) = mult.size() > 1 ? mult.substr(1, 2) : "";
        text(EditField::Section) = multName(state_, q);
    } else {
        text(EditField::Mult) = multName(state_, q);
        if (hasName(nr)) text(EditField::Section) = q.QName.trimmed();
    }
}

void EntryEditor::setText(EditField field, const std::string& value) {
    text(field) = toUpper(value);
    edited_[static_cast<std::size_t>(field)] = true;
    view_.focus.reset();
}

bool EntryEditor::fail(EditField field, const std::string& title, const std::string& message) {
    platform_.messageBox.show({message, title, MsgButtons::Ok, MsgIcon::Stop});
    view_.focus = field;
    return false;
}

bool EntryEditor::checkLength(EditField field, std::size_t limit) {
    std::string& value = text(field);
    if (value.size() <= limit) return true;
    const std::string cut = value.substr(0, limit);
    const MsgResult answer = platform_.messageBox.show(
        {"Only " + std::to_string(limit) + " characters allowed.  Truncate entry to " + cut + "?",
         "Entry Too Long", MsgButtons::YesNo, MsgIcon::Question});
    if (answer == MsgResult::Yes) {
        value = cut;
        return true;
    }
    view_.focus = field;
    return false;
}

bool EntryEditor::checkPoints() {
    if (pointsDigit(state_.contestNr, text(EditField::Points))) return true;
    return fail(EditField::Points, kInvalidEntry, pointsMessage(state_.contestNr));
}

bool EntryEditor::checkField(EditField field) {
    view_.focus.reset();
    if (!edited(field)) return true;
    const std::string& value = text(field);
    switch (field) {
        case EditField::Date:
            if (parseDate(value, platform_.clock.now().year)) return true;
            return fail(field, "Date Format Error!", "Date must be in format MM/DD/YY.");
        case EditField::Time:
            if (parseTime(value)) return true;
            return fail(field, "Time Format Error!", "Time must be between 0000 and 2359.");
        case EditField::Mode:
            if (value == "CW" || value == "SSB") return true;
            return fail(field, kInvalidEntry, "Mode can only be CW or SSB.");
        case EditField::Call:
            return checkLength(field, 10);
        case EditField::OwnNr: {
            const auto n = typedNumber(value);
            if (n && *n >= 0 && *n <= 9999) return true;
            return fail(field, kInvalidEntry, "My number must be between 0 and 9999.");
        }
        case EditField::Received: {
            if (state_.contestNr == contest::Naqp) return true;
            const long lowest = lowestReceived(state_.contestNr);
            const auto n = typedNumber(value);
            if (n && *n >= lowest && *n <= 9999) return true;
            return fail(field, kInvalidEntry,
                        "Number must be between " + std::to_string(lowest) + " and 9999.");
        }
        case EditField::Mult:
            return state_.contestNr == contest::Ss || checkLength(field, 5);
        case EditField::Points:
            return checkPoints();
        case EditField::Prec:
            if (state_.contestNr != contest::Ss ||
                (value.size() == 1 &&
                 std::string_view("ABQMSU").find(value) != std::string_view::npos))
                return true;
            return fail(field, kInvalidEntry, "Precedence Error -- Must be A, B, M, Q, S, or U");
        case EditField::Check: {
            if (state_.contestNr != contest::Ss) return true;
            const auto n = trim(value).empty() ? std::optional<long>(0) : typedNumber(value);
            if (n && *n >= 0 && *n <= 99) return true;
            return fail(field, "Invalid Check",
                        "Check must be between 0 and 99 (leading zeros can be omitted).");
        }
        case EditField::Section: {
            if (hasName(state_.contestNr)) return checkLength(field, 10);
            if (state_.contestNr != contest::Ss) return true;
            for (const MultRow& row : state_.mults.SSSections.rows)
                if (!value.empty() && row.forms[0] == value) return true;
            return fail(field, "Illegal Multiplier",
                        "Not a legal multiplier.  Mults must match one of those displayed in "
                        "Multiplier window.");
        }
    }
    return true;
}

QSORecName EntryEditor::record() const {
    const ContestNr nr = state_.contestNr;
    QSORecName q = state_.log.at(entry_);
    const auto number = [this](EditField field) {
        return static_cast<std::int16_t>(
            std::clamp(typedNumber(text(field)).value_or(0), 0L, 9999L));
    };
    if (edited(EditField::Date))
        if (const auto d = parseDate(text(EditField::Date), platform_.clock.now().year))
            q.QDate = dateCode(d->year, d->month, d->day);
    if (edited(EditField::Time))
        if (const auto t = parseTime(text(EditField::Time)))
            q.QTime = static_cast<std::int16_t>(*t);
    if (bandEdited_ || edited(EditField::Mode))
        q.QBandMode =
            bandModeCode(std::clamp(view_.band, 1, kBandCount), text(EditField::Mode) == "SSB");
    if (edited(EditField::Call)) q.QCall = text(EditField::Call);
    if (edited(EditField::OwnNr)) q.QNr = number(EditField::OwnNr);
    if (edited(EditField::Received))
        q.QRcvd = nr == contest::Naqp ? 0 : number(EditField::Received);
    const bool multEdited =
        nr == contest::Ss
            ? edited(EditField::Prec) || edited(EditField::Check) || edited(EditField::Section)
            : edited(EditField::Mult);
    if (multEdited) {
        switch (nr) {
            case contest::Ss:
            case contest::Cqp:
            case contest::Paqp:
            case contest::Sprint:
            case contest::Naqp: {
                // Stored as the entry line stores it: a form of a table row as
                // the row's number, an SS section by its short form.
                ReceivedExchange exchange;
                exchange.multText = text(EditField::Mult);
                exchange.ssPrecedence = text(EditField::Prec);
                const long check = typedNumber(text(EditField::Check)).value_or(0);
                exchange.ssCheck = std::string(check < 10 ? 1 : 0, '0') + std::to_string(check);
                exchange.ssSection = text(EditField::Section);
                const FixedText<1> points = q.QPoints;
                setMultAndPoints(state_, q, exchange, false);
                q.QPoints = points;
                break;
            }
            default:
                q.QMult = text(EditField::Mult);
                break;
        }
    }
    if (edited(EditField::Points))
        q.QPoints = pointsDigit(nr, text(EditField::Points)).value_or(std::string(q.QPoints.raw()));
    if (hasName(nr) && edited(EditField::Section)) q.QName = text(EditField::Section);
    return q;
}

bool EntryEditor::onOK() {
    // Every changed field, not just date and time: a box never left by the
    // focus must not put an unchecked value into the file.
    for (int i = 0; i < kEditFieldCount; ++i)
        if (!checkField(static_cast<EditField>(i))) return false;
    const QSORecName before = state_.log.at(entry_);
    const std::int64_t hzBefore = state_.log.frequencyOf(entry_).value_or(0);
    const QSORecName edited = record();
    state_.log.replace(entry_, edited);
    if (const Status written = writeQso(state_, entry_); !written) {
        // The file keeps the old record, so memory does too.
        state_.log.replace(entry_, before);
        state_.log.QsoHz[static_cast<std::size_t>(entry_ - 1)] = hzBefore;
        FileErrors(platform_.messageBox, written);
        return false;
    }
    view_.closed = true;
    written_ = true;
    return true;
}

}  // namespace keslog
