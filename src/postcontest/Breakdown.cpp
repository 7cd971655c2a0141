#include "postcontest/Breakdown.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "entry/MultRows.h"
#include "model/Text.h"
#include "postcontest/SheetText.h"

namespace keslog {
namespace {

// One column of the hour table: its heading, where the heading starts and
// the column its values end on.
struct Column {
    const char* heading;
    int headingAt;
    int valueEnd;
};

// The band columns 10 .. 160 m, then 6 m and 2 m (CQP, PAQP).
constexpr std::array<Column, kBandCount> kBandColumns{{{"10", 8, 9},
                                                       {"15", 14, 15},
                                                       {"20", 20, 21},
                                                       {"40", 26, 27},
                                                       {"80", 33, 34},
                                                       {"160", 38, 40},
                                                       {"6m", 43, 44},
                                                       {"2m", 47, 48}}};

// The columns after the bands.
struct TailColumns {
    Column all;
    Column cum;
    Column points;  // heading nullptr: not printed
    Column perQso;
    Column mults;
};

TailColumns tailColumnsOf(ContestNr nr) {
    if (isMixedMode(nr))
        return {{"All", 51, 54},
                {"Cum.", 57, 60},
                {"Pts", 63, 65},
                {"Pts/Q", 68, 72},
                {"Mults", 74, 78}};
    if (nr == contest::Wpx)
        return {{"All", 43, 46},
                {"Cum.", 50, 53},
                {"Pts", 59, 61},
                {"Pts/Q", 66, 70},
                {"Pfxs", 73, 76}};
    return {{"All", 43, 46}, {"Cum.", 50, 53}, {nullptr, 0, 0}, {nullptr, 0, 0}, {"Mults", 59, 63}};
}

// What one hour row (or the whole log) holds.
struct Tally {
    std::array<std::array<int, kBandCount + 1>, 2> qsos{};  // [cw][band index]
    int all = 0;
    long points = 0;  // PAQP: tenths
    int newMults = 0;

    void add(const Tally& other) {
        for (std::size_t m = 0; m < 2; ++m)
            for (std::size_t b = 0; b < qsos[m].size(); ++b) qsos[m][b] += other.qsos[m][b];
        all += other.all;
        points += other.points;
        newMults += other.newMults;
    }
};

class Sheet {
  public:
    Sheet(const MainMod& state, const RescoredLog& log)
        : state_(state),
          log_(log),
          nr_(state.contestNr),
          mixed_(isMixedMode(state.contestNr)),
          bands_(mixed_ ? kBandCount : band::B160),
          tail_(tailColumnsOf(state.contestNr)) {}

    std::vector<std::string> lines() {
        hourTable();
        if (mixed_) {
            rates("PHONE ", false);
            rates("CW ", true);
        } else {
            rates("", std::nullopt);
        }
        if (nr_ == contest::Wpx) continentTable();
        if (nr_ == contest::Cqp || nr_ == contest::Ss) multiplierTable();
        return std::move(lines_);
    }

  private:
    std::string pointsText(long points) const {
        if (points == 0) return "--";
        return nr_ == contest::Paqp ? tenthsText(points) : std::to_string(points);
    }

    double wholePoints(long points) const {
        return nr_ == contest::Paqp ? points / 10.0 : static_cast<double>(points);
    }

    // Band columns then the tail: the hour rows and the "Tot" row.
    std::string row(const std::string& label, const Tally& t, const std::string& cum) const {
        SheetLine line;
        line.endingAt(2, label);
        for (int b = 1; b <= bands_; ++b) {
            const auto i = static_cast<std::size_t>(b);
            const int cw = t.qsos[1][i];
            const int phone = t.qsos[0][i];
            std::string text;
            if (!mixed_)
                text = countText(cw + phone);
            else
                text = cw + phone == 0 ? "--" : std::to_string(phone) + "/" + std::to_string(cw);
            line.endingAt(kBandColumns[i - 1].valueEnd, text);
        }
        line.endingAt(tail_.all.valueEnd, countText(t.all));
        if (!cum.empty()) line.endingAt(tail_.cum.valueEnd, cum);
        if (tail_.points.heading != nullptr) {
            line.endingAt(tail_.points.valueEnd, pointsText(t.points));
            const std::string average = averageText(wholePoints(t.points), t.all);
            line.endingAt(tail_.perQso.valueEnd, average == "----" ? "--" : average);
        }
        line.endingAt(tail_.mults.valueEnd, countText(t.newMults));
        return line;
    }

    void hourTable() {
        const HourRows hours = hourRowsOf(nr_);
        std::vector<Tally> tallies(static_cast<std::size_t>(hours.rows));
        const int count = std::min(state_.log.count(), static_cast<int>(log_.qsos.size()));
        for (int n = 1; n <= count; ++n) {
            const QSORecName q = state_.log.at(n);
            const RescoredQso& r = log_.qsos[static_cast<std::size_t>(n - 1)];
            Tally& t = tallies[static_cast<std::size_t>(hourRowOf(hours, r.runningMinute) - 1)];
            if (isValidBandMode(q.QBandMode))
                ++t.qsos[isCw(q.QBandMode) ? 1 : 0]
                        [static_cast<std::size_t>(bandIndexOf(q.QBandMode))];
            ++t.all;
            t.points += pointValue(nr_, q);
            t.newMults += r.newMults;
        }

        SheetLine title(std::string(15, ' ') + "QSO TOTALS BY BAND PER HOUR");
        if (mixed_) title.at(21, "(Phone/CW QSO's)");
        lines_.push_back(title);
        lines_.emplace_back();
        SheetLine heading("Hour");
        for (int b = 1; b <= bands_; ++b)
            heading.at(kBandColumns[static_cast<std::size_t>(b - 1)].headingAt,
                       kBandColumns[static_cast<std::size_t>(b - 1)].heading);
        for (const Column& c : {tail_.all, tail_.cum, tail_.points, tail_.perQso, tail_.mults})
            if (c.heading != nullptr) heading.at(c.headingAt, c.heading);
        lines_.push_back(heading);
        lines_.emplace_back();

        const int startHour = hours.startMinute / 60;
        Tally total;
        for (std::size_t i = 0; i < tallies.size(); ++i) {
            total.add(tallies[i]);
            const int label = (startHour + static_cast<int>(i)) % 24;
            lines_.push_back(row(std::to_string(label), tallies[i], countText(total.all)));
        }
        lines_.emplace_back(heading.str().size(), '-');
        lines_.push_back(row("Tot", total, ""));
    }

    // Hours of on-time, QSOs and points per band and overall, of one mode
    // (CQP, PAQP) or of the whole log.
    void rates(const std::string& modeName, std::optional<bool> cw) {
        std::array<double, band::B160 + 1> minutes{};
        std::array<long, band::B160 + 1> qsos{};
        std::array<long, band::B160 + 1> points{};
        double allMinutes = 0;
        long allQsos = 0, allPoints = 0;
        if (cw) {
            for (int b = 1; b <= kBandCount; ++b) {
                const auto code = static_cast<std::size_t>(bandModeCode(b, !*cw));
                allQsos += log_.qsosPerBandMode[code];
                allPoints += log_.pointsPerBandMode[code];
                if (b > band::B160) continue;
                const auto i = static_cast<std::size_t>(b);
                minutes[i] = log_.time.onTime(static_cast<int>(code));
                qsos[i] = log_.qsosPerBandMode[code];
                points[i] = log_.pointsPerBandMode[code];
            }
            allMinutes = *cw ? log_.time.cwOnTime() : log_.time.phoneOnTime();
        } else {
            for (int b = 1; b <= band::B160; ++b) {
                const auto i = static_cast<std::size_t>(b);
                minutes[i] = log_.time.onTime(bandModeCode(b, false)) +
                             log_.time.onTime(bandModeCode(b, true));
                qsos[i] = log_.qsosPerBand[i];
                points[i] = log_.pointsPerBand[i];
            }
            allMinutes = log_.time.totalMinutes();
            allQsos = log_.qsoCount;
            allPoints = log_.qsoPoints;
        }

        lines_.emplace_back();
        lines_.push_back(SheetLine(std::string(15, ' ') + modeName + "RATES PER BAND")
                             .at(47, modeName + "OVERALL"));
        SheetLine hrs("Hrs"), qph("Q/H"), pph("P/H");
        for (int b = 1; b <= band::B160; ++b) {
            const auto i = static_cast<std::size_t>(b);
            const int end = kBandColumns[i - 1].valueEnd;
            hrs.endingAt(end, hoursText(minutes[i]));
            qph.endingAt(end, rateText(qsos[i], minutes[i]));
            pph.endingAt(end, rateText(wholePoints(points[i]), minutes[i]));
        }
        hrs.right(47, 5, hoursText(allMinutes));
        qph.right(48, 4, rateText(allQsos, allMinutes));
        pph.right(48, 4, rateText(wholePoints(allPoints), allMinutes));
        lines_.push_back(hrs);
        lines_.push_back(qph);
        lines_.push_back(pph);
    }

    static std::string hoursText(double minutes) {
        if (minutes <= 0) return "--";
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", minutes / 60);
        return text;
    }

    // Per hour of on-time, at most "999"; "--" without on-time.
    static std::string rateText(double amount, double minutes) {
        if (minutes <= 0) return "--";
        const double rate = amount * 60 / minutes;
        return rate >= 999.5 ? "999" : std::to_string(roundHalfEven(rate));
    }

    void continentTable() {
        static const char* const kClasses[] = {"US", "VE", "NA", "AF", "JA",
                                               "AS", "EU", "OC", "SA"};
        lines_.resize(lines_.size() + 2);
        lines_.emplace_back("QSOs 10   15   20   40   80  160  Total");
        const int count = std::min(state_.log.count(), static_cast<int>(log_.qsos.size()));
        for (const char* name : kClasses) {
            std::array<long, band::B160 + 1> perBand{};
            long total = 0;
            for (int n = 1; n <= count; ++n) {
                if (log_.qsos[static_cast<std::size_t>(n - 1)].continentClass != name) continue;
                ++total;
                const BandModeCode code = state_.log.at(n).QBandMode;
                if (isValidBandMode(code) && bandIndexOf(code) <= band::B160)
                    ++perBand[static_cast<std::size_t>(bandIndexOf(code))];
            }
            SheetLine line(name);
            for (int b = 1; b <= band::B160; ++b)
                line.at(5 * b, numberText(perBand[static_cast<std::size_t>(b)]));
            line.at(35, numberText(total))
                .at(42, " (" + averageText(total * 100.0, log_.qsoCount) + "%)");
            lines_.push_back(line);
        }
    }

    void multiplierTable() {
        lines_.resize(lines_.size() + 2);
        lines_.push_back(std::string(15, ' ') + "QSOs per Multiplier");
        lines_.emplace_back();
        const MultTable& table = *contestMultTable(state_);
        const int rows = static_cast<int>(table.rows.size());
        std::vector<long> perRow(table.rows.size() + 1, 0);
        const bool cqp = nr_ == contest::Cqp;
        long other = 0;
        for (int n = 1; n <= state_.log.count(); ++n) {
            const QSORecName q = state_.log.at(n);
            const int row =
                cqp ? storedRowNumber(q.QMult.raw(), rows).value_or(0) : storedMult(state_, q).row;
            if (row == 0)
                ++other;
            else
                ++perRow[static_cast<std::size_t>(row)];
        }
        for (int r = 1; r <= rows; ++r)
            lines_.push_back(padRight(table.rows[static_cast<std::size_t>(r - 1)].forms[0], 6) +
                             ":  " + numberText(perRow[static_cast<std::size_t>(r)]));
        if (cqp && state_.InStateFlag) lines_.push_back("Other: " + numberText(other));
    }

    const MainMod& state_;
    const RescoredLog& log_;
    const ContestNr nr_;
    const bool mixed_;
    const int bands_;
    const TailColumns tail_;
    std::vector<std::string> lines_;
};

}  // namespace

HourRows hourRowsOf(ContestNr nr) {
    switch (nr) {
        case contest::Cqp:
        case contest::Paqp:
            return {960, 30};
        case contest::Ss:
            return {1260, 30};
        case contest::Naqp:
            return {1080, 12};
        case contest::Sprint:
            return {0, 4};
        default:
            return {0, 48};
    }
}

int hourRowOf(const HourRows& hours, int runningMinute) {
    const int offset = runningMinute - hours.startMinute;
    const int row = offset < 0 ? 1 : offset / 60 + 1;
    return std::clamp(row, 1, hours.rows);
}

std::string breakdownPath(const RescoredLog& log) {
    return log.baseName + ".BRK";
}

std::vector<std::string> breakdownLines(const MainMod& state, const RescoredLog& log) {
    return Sheet(state, log).lines();
}

}  // namespace keslog
