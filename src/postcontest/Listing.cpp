#include "postcontest/Listing.h"

#include <array>
#include <cstdio>
#include <set>
#include <unordered_set>

#include "entry/MultRows.h"
#include "model/QsoDate.h"
#include "postcontest/SheetText.h"

namespace keslog {
namespace {

// Band-mode codes outside 1..16 are listed as 6 m CW.
BandModeCode listedBandMode(BandModeCode code) {
    return isValidBandMode(code) ? code : BandModeCode{7};
}

// 10..160 m as 0..5; -1 for 6 m and 2 m, which keep no per-band marks.
int hfColumn(BandModeCode code) {
    const int band = bandIndexOf(code);
    return band <= band::B160 ? band - 1 : -1;
}

// The multipliers the listing has met so far, rebuilt from nothing: it
// numbers each first QSO with a multiplier in log order.
class ListedMults {
  public:
    explicit ListedMults(const MainMod& state) : state_(state) {
        if (const MultTable* table = contestMultTable(state))
            rowWorked_.assign(table->rows.size() + 1, false);
        countryWorked_.assign(static_cast<std::size_t>(state.countries.CountryCount()) + 1, {});
    }

    // Rows of CQP, PAQP, SS, Sprint, NAQP: "01", "02"... or two blanks.
    std::string newRow(const QSORec& q) {
        const auto row = static_cast<std::size_t>(storedMult(state_, q).row);
        if (row == 0 || row >= rowWorked_.size() || rowWorked_[row]) return "  ";
        rowWorked_[row] = true;
        char text[16];
        std::snprintf(text, sizeof text, "%02d", ++running_);
        return text;
    }

    // ARRL DX, CQWW: the country prefix when new on the band. The home
    // countries count as multipliers in CQWW only, as in the score.
    std::string newCountry(const QSORec& q, int column) {
        const auto nr = static_cast<std::size_t>(storedMult(state_, q).countryNr);
        if (column < 0 || nr == 0 || nr >= countryWorked_.size()) return padRight("", 5);
        bool& worked = countryWorked_[nr][static_cast<std::size_t>(column)];
        const bool home = static_cast<int>(nr) == state_.countries.USACountryNr ||
                          static_cast<int>(nr) == state_.countries.CanadaCountryNr;
        const bool counts = !worked && (state_.contestNr == contest::Cqww || !home);
        worked = true;
        return counts ? padRight(q.QMult.trimmed(), 5) : padRight("", 5);
    }

    // CQWW: the received zone in two digits when new on the band.
    std::string newZone(const QSORec& q, int column) {
        const auto zone = static_cast<std::size_t>(storedMult(state_, q).zone);
        if (column < 0 || zone == 0) return "  ";
        bool& worked = zoneWorked_[zone][static_cast<std::size_t>(column)];
        if (worked) return "  ";
        worked = true;
        char text[8];
        std::snprintf(text, sizeof text, "%02d", static_cast<int>(zone));
        return text;
    }

    // WPX: new for the log; AA: new on the band (HF only).
    std::string newPrefix(const QSORec& q, int column) {
        const std::string prefix = storedMult(state_, q).prefix;
        bool fresh = false;
        if (!prefix.empty() && state_.contestNr == contest::Wpx)
            fresh = wpxPrefixes_.insert(prefix).second;
        else if (!prefix.empty() && column >= 0)
            fresh = aaPrefixes_[static_cast<std::size_t>(column)].insert(prefix).second;
        return padRight(fresh ? prefix : "", 5);
    }

  private:
    const MainMod& state_;
    int running_ = 0;
    std::vector<bool> rowWorked_;
    std::vector<std::array<bool, 6>> countryWorked_;
    std::array<std::array<bool, 6>, 41> zoneWorked_{};
    std::unordered_set<std::string> wpxPrefixes_;
    std::array<std::set<std::string>, 6> aaPrefixes_;
};

std::string lineHead(const MainMod& state, const RescoredLog& log, const QSORec& q,
                     bool afterBreak) {
    const BandModeCode code = listedBandMode(q.QBandMode);
    const std::string band(BandName[static_cast<std::size_t>(bandIndexOf(code) - 1)]);
    const std::string mode = isCw(code) ? "CW " : "SSB";
    const std::string date = dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::Us);
    const std::string time = std::string(afterBreak ? " *ON " : "     ") + timeText(q.QTime) +
                             (afterBreak ? "* " : "  ");
    if (state.contestNr == contest::Ss) return band + " " + mode + " " + date + time;
    return date + " " + band + " " + mode + time;
}

std::string pointsOf(const MainMod& state, const QSORec& q) {
    const std::string points(q.QPoints.raw());
    return state.contestNr == contest::Paqp && points == "3" ? "1.5" : points;
}

std::string lineTail(const MainMod& state, const QSORecName& q, ListedMults& mults) {
    const Settings& s = state.settings;
    const BandModeCode code = listedBandMode(q.QBandMode);
    const int column = hfColumn(code);
    const std::string call(q.QCall.raw());
    const std::string rst = isCw(code) ? "599 " : "59 ";
    const std::string sent = number4(q.QNr);
    const std::string rcvd = number4(q.QRcvd);
    const std::string points = pointsOf(state, q);
    switch (state.contestNr) {
        case contest::ArrlDx: {
            const std::string power = q.QRcvd == 0 ? "1000" : rcvd;
            return call + " " + rst + " " + s.ExchangeARRLMult + "  " + rst + power + "    " +
                   mults.newCountry(q, column) + " " + points;
        }
        case contest::Cqww: {
            const std::string wwRst = isCw(code) ? "599" : "59 ";
            const std::string country = mults.newCountry(q, column);
            return call + " " + wwRst + " " + s.ExchangeCQWWMult + "  " + wwRst + rcvd + "    " +
                   country + " " + mults.newZone(q, column) + " " + points;
        }
        case contest::Cqp:
        case contest::Paqp: {
            const std::string& county =
                state.contestNr == contest::Cqp ? s.ExchangeCQPMult : s.ExchangePAQPMult;
            return call + " " + sent + " " + county + "  " + rcvd + "   " +
                   padRight(multName(state, q), 5) + " " + mults.newRow(q) + "  " + points;
        }
        case contest::Sprint:
        case contest::Naqp: {
            const bool naqp = state.contestNr == contest::Naqp;
            const std::string& name = naqp ? s.ExchangeNAQPName : s.ExchangeSprintName;
            const std::string& qth = naqp ? s.ExchangeNAQPMult : s.ExchangeSprintMult;
            return call + " " + sent + " " + name + " " + qth + "  " + (naqp ? "    " : rcvd) +
                   "  " + std::string(q.QName.raw()) + "   " + padRight(multName(state, q), 5) +
                   " " + mults.newRow(q) + "  " + points;
        }
        case contest::Ss: {
            const std::string raw(q.QMult.raw());
            return sent + " " + s.ExchangeSSPrec + " " + s.ExchangeSSCall + " " +
                   s.ExchangeSSCheck + " " + s.ExchangeSSSection + "  " + rcvd + "  " +
                   raw.substr(0, 1) + "   " + call + " " + raw.substr(1, 2) + "   " +
                   padRight(multName(state, q), 3) + " " + mults.newRow(q) + "  " + points;
        }
        case contest::Wpx:
            return call + " " + rst + sent + "  " + rst + rcvd + "   " +
                   mults.newPrefix(q, column) + "  " + points;
        case contest::Aa:
            return call + " " + rst + " " + s.ExchangeAAMult + " " + rst + rcvd + "    " +
                   mults.newPrefix(q, column) + " " + points;
        default:
            return {};
    }
}

}  // namespace

std::string listingPath(const RescoredLog& log) {
    return log.baseName + ".ASC";
}

std::vector<std::string> listingLines(const MainMod& state, const RescoredLog& log) {
    std::vector<std::string> lines;
    const int count = state.log.count();
    lines.reserve(static_cast<std::size_t>(count));
    ListedMults mults(state);
    const int threshold = log.time.threshold();
    for (int n = 1; n <= count; ++n) {
        const QSORecName q = state.log.at(n);
        const auto i = static_cast<std::size_t>(n - 1);
        const bool afterBreak =
            n > 1 && i < log.qsos.size() &&
            log.qsos[i].runningMinute - log.qsos[i - 1].runningMinute > threshold;
        lines.push_back(lineHead(state, log, q, afterBreak) + lineTail(state, q, mults));
    }
    return lines;
}

}  // namespace keslog
