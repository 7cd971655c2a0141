#include "forms/LogViewer.h"

#include <algorithm>

#include "entry/MultRows.h"
#include "entry/Scoring.h"
#include "forms/LogForm.h"
#include "model/QsoDate.h"
#include "model/Text.h"

namespace keslog {

namespace {

// Puts text at a 1-based column, blank-filling up to it.
void putAt(std::string& line, int column, std::string_view text) {
    const auto at = static_cast<std::size_t>(column - 1);
    if (line.size() < at) line.resize(at, ' ');
    line.replace(at, std::min(text.size(), line.size() - at), text);
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

struct Columns {
    int received = 49;  // 0: none
    int name = 0;
    int mult = 55;
    int points = 65;
};

Columns columnsOf(ContestNr nr) {
    switch (nr) {
        case contest::Sprint:
            return {49, 54, 68, 73};
        case contest::Naqp:
            return {0, 49, 62, 67};
        case contest::Ss:
            return {49, 0, 55, 70};
        case contest::Wpx:
            return {49, 0, 55, 63};
        default:
            return {};
    }
}

std::string multColumn(const MainMod& state, const QSORec& q) {
    const std::string stored(q.QMult.raw());
    switch (state.contestNr) {
        case contest::Ss: {
            const std::string text = q.QMult.trimmed();
            const std::string prec = text.substr(0, 1);
            const std::string check = text.size() > 1 ? text.substr(1, 2) : "";
            return prec + "   " + check + "   " + multName(state, q);
        }
        case contest::Cqp:
        case contest::Paqp:
        case contest::Sprint:
        case contest::Naqp: {
            const MultTable* table = contestMultTable(state);
            if (!storedRowNumber(stored, static_cast<int>(table->rows.size())))
                return state.contestNr == contest::Naqp ? q.QMult.trimmed() : stored;
            const std::string name = multName(state, q);
            if (state.contestNr == contest::Cqp) return rightAligned(name, 5);
            if (state.contestNr == contest::Paqp) return "  " + name;
            return name;
        }
        default:
            return stored;
    }
}

}  // namespace

std::string viewLogLine(const MainMod& state, int n, int currentYear) {
    const QSORecName q = state.log.at(n);
    const int code = isValidBandMode(q.QBandMode) ? q.QBandMode : band::B6;
    const Columns cols = columnsOf(state.contestNr);
    std::string line;
    putAt(line, 1, dateText(calendarDateOf(q.QDate, currentYear), DateForm::Us));
    putAt(line, 12, BandName[static_cast<std::size_t>(bandIndexOf(code) - 1)]);
    putAt(line, 17, isCw(code) ? "CW " : "SSB");
    putAt(line, 22, storedTimeText(q.QTime));
    putAt(line, 28, q.QCall.trimmed());
    putAt(line, 44, rightAligned(std::to_string(q.QNr), 4));
    if (cols.received != 0) putAt(line, cols.received, std::to_string(q.QRcvd));
    if (cols.name != 0) putAt(line, cols.name, q.QName.trimmed());
    putAt(line, cols.mult, multColumn(state, q));
    const std::string points(q.QPoints.raw());
    putAt(line, cols.points,
          state.contestNr == contest::Paqp && points == "3" ? std::string("1.5") : points);
    return trimRight(line);
}

void LogViewer::setLinesPerPage(int lines) {
    linesPerPage_ = std::max(1, lines);
    viewTop_ = clampTop(viewTop_);
}

int LogViewer::clampTop(int top) const {
    return std::clamp(top, 1, std::max(1, count()));
}

int LogViewer::scrollMax() const {
    return std::max(1, count() - linesPerPage_ + 1);
}

std::vector<std::string> LogViewer::page() const {
    std::vector<std::string> lines;
    const int year = platform_.clock.now().year;
    for (int n = viewTop_; n <= count() && n < viewTop_ + linesPerPage_; ++n)
        lines.push_back(viewLogLine(state_, n, year));
    return lines;
}

void LogViewer::onStart() {
    viewTop_ = 1;
}

void LogViewer::onEnd() {
    viewTop_ = scrollMax();
}

void LogViewer::onScroll(int value) {
    viewTop_ = clampTop(value);
}

bool LogViewer::onGoTo(const std::string& text, bool* retry) {
    if (retry != nullptr) *retry = false;
    const std::string kept = text.size() > 4 ? text.substr(text.size() - 4) : text;
    const long entry = static_cast<long>(leadingNumber(trim(kept)));
    if (entry >= 1 && entry <= count()) {
        viewTop_ = static_cast<int>(entry);
        return true;
    }
    const MsgResult answer = platform_.messageBox.show(
        {"You must choose an entry number between 1 and " + std::to_string(count()),
         "Invalid Log Entry Number", MsgButtons::OkCancel, MsgIcon::Stop});
    if (retry != nullptr) *retry = answer == MsgResult::Ok;
    return false;
}

bool LogViewer::onSelect(int line) {
    const int entry = viewTop_ + line;
    if (line < 0 || entry > count()) return false;
    selectedEntry_ = entry;
    return true;
}

void LogViewer::onClose(LogForm& form) {
    if (!logEdited_) return;
    onUpdateLog(form);
}

void LogViewer::onUpdateLog(LogForm& form) {
    logEdited_ = false;
    reloadAfterEdit(state_, form);
    viewTop_ = clampTop(viewTop_);
}

void reloadAfterEdit(MainMod& state, LogForm& form) {
    form.writeSettings();
    replayLog(state);
    form.refreshAfterLoad();
}

}  // namespace keslog
