#include "stats/QSOStats.h"

#include "model/Stamp.h"
#include "model/Text.h"

namespace keslog {

namespace {

// The figures a band column can hold, one per line.
enum class Row { SsbCw, Qsos, Hours, Pts, PtsPerQ, QsPerHr, PtsPerHr, Mults, Cties, Zones, Pfxs };

struct RowHeading {
    Row row;
    const char* heading;
};

const std::vector<RowHeading>& rowsOf(ContestNr nr) {
    static const std::vector<RowHeading> plain{{Row::Qsos, "QSOs:"},
                                               {Row::Hours, "Hours:"},
                                               {Row::QsPerHr, " Qs/Hr:"},
                                               {Row::Mults, "Mults:"}};
    static const std::vector<RowHeading> mixed{{Row::SsbCw, "SSB/CW"},
                                               {Row::Qsos, "QSOs:"},
                                               {Row::QsPerHr, " Qs/Hr:"},
                                               {Row::PtsPerHr, " Pts/Hr:"},
                                               {Row::Mults, "Mults"}};
    static const std::vector<RowHeading> cqww{{Row::Qsos, "QSOs:"},       {Row::Pts, "Pts:"},
                                              {Row::PtsPerQ, " Pts/Q:"},  {Row::QsPerHr, " Qs/Hr:"},
                                              {Row::PtsPerHr, "Pts/Hr:"}, {Row::Cties, "Cties:"},
                                              {Row::Zones, "Zones:"}};
    static const std::vector<RowHeading> prefixes{
        {Row::Qsos, "QSOs:"},      {Row::Pts, "Pts:"},         {Row::PtsPerQ, " Pts/Q:"},
        {Row::QsPerHr, " Qs/Hr:"}, {Row::PtsPerHr, "Pts/Hr:"}, {Row::Pfxs, "Pfxs:"}};
    switch (nr) {
        case contest::Cqp:
        case contest::Paqp:
            return mixed;
        case contest::Cqww:
            return cqww;
        case contest::Wpx:
        case contest::Aa:
            return prefixes;
        default:
            return plain;
    }
}

bool isMixed(ContestNr nr) {
    return nr == contest::Cqp || nr == contest::Paqp;
}

// The contests whose QSOs carry points of their own show point figures
// beside the QSO figures.
bool hasPointFigures(ContestNr nr) {
    return nr == contest::Cqp || nr == contest::Cqww || nr == contest::Wpx || nr == contest::Aa ||
           nr == contest::Paqp;
}

int headingHeight(ContestNr nr) {
    switch (nr) {
        case contest::Cqp:
        case contest::Paqp:
            return 450;
        case contest::Cqww:
            return 1000;
        case contest::Wpx:
        case contest::Aa:
            return 800;
        default:
            return 400;
    }
}

int windowWidth(ContestNr nr) {
    if (isMixed(nr)) return 8100;
    return nr == contest::Sprint ? 3400 : 5200;
}

bool bandShown(ContestNr nr, int band) {
    if (isMixed(nr)) return true;
    if (nr == contest::Sprint) return band >= band::B20 && band <= band::B80;
    return band <= band::B160;
}

// A rate line's figure: a whole number, and nothing at all for zero.
std::string rateFigure(long value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::string twoDigits(long n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The figures of one column: a band, or all bands together.
struct Figures {
    int phoneQsos = 0;
    int cwQsos = 0;
    double onTime = 0;  // minutes
    double points = 0;  // whole points (PAQP: tenths divided by 10)
    int mults = 0;
    int countries = 0;
    int zones = 0;

    int qsos() const { return phoneQsos + cwQsos; }
};

std::string figureText(Row row, const Figures& f) {
    switch (row) {
        case Row::SsbCw:
            return std::to_string(f.phoneQsos) + "/" + std::to_string(f.cwQsos);
        case Row::Qsos:
            return countText(f.qsos());
        case Row::Hours:
            return hoursMinutesText(f.onTime);
        case Row::Pts:
            return countText(roundHalfEven(f.points));
        case Row::PtsPerQ:
            return averageText(f.points, f.qsos());
        case Row::QsPerHr:
            return perHourText(f.qsos(), f.onTime);
        case Row::PtsPerHr:
            return perHourText(f.points, f.onTime);
        case Row::Mults:
        case Row::Pfxs:
            return countText(f.mults);
        case Row::Cties:
            return countText(f.countries);
        case Row::Zones:
            return countText(f.zones);
    }
    return {};
}

std::string columnText(const std::string& name, ContestNr nr, const Figures* figures) {
    std::string text = name;
    for (const RowHeading& r : rowsOf(nr))
        text += "\n" + (figures ? figureText(r.row, *figures) : "--");
    return text;
}

double wholePoints(ContestNr nr, long points) {
    return nr == contest::Paqp ? points / 10.0 : static_cast<double>(points);
}

}  // namespace

std::string hoursMinutesText(double minutes) {
    const long total = roundHalfEven(minutes);
    if (total == 0) return "--";
    return std::to_string(total / 60) + ":" + twoDigits(total % 60);
}

std::string perHourText(double amount, double minutes) {
    if (minutes <= 0) return "--";
    const long figure = roundHalfEven(amount * 60.0 / minutes);
    return figure > 999 ? "999" : std::to_string(figure);
}

void QSOStats::load(const MainMod& state) {
    const ContestNr nr = state.contestNr;
    const bool mixed = isMixed(nr);
    view_ = QSOStatsView{};
    view_.width = windowWidth(nr);
    view_.headingHeight = headingHeight(nr);
    view_.separatorTop = view_.headingHeight + 655;

    // The headings line up with the figures, below the band names.
    std::string headings;
    for (const RowHeading& r : rowsOf(nr)) headings += std::string("\n") + r.heading;
    view_.Modelabel = {30, 30, headings};
    view_.LabelAll = {mixed ? 1050 : 1000, 30, columnText("All", nr, nullptr)};
    int position = 0;
    for (int band = 1; band <= kBandCount; ++band) {
        StatsLabel& column = view_.BMTotal[static_cast<std::size_t>(band - 1)];
        column.visible = bandShown(nr, band);
        if (!column.visible) continue;
        column.left = mixed ? 1800 + 800 * position : 1600 + 600 * position;
        column.top = 30;
        column.text =
            columnText(std::string(BandNameM[static_cast<std::size_t>(band - 1)]), nr, nullptr);
        ++position;
    }

    const int line = view_.lineHeight;
    const int top = view_.separatorTop + 60;
    const int timeLeft = view_.width > 4000 ? 2200 : 1700;
    view_.RatesLabel = {100, top, hasPointFigures(nr) ? "Qs/Pts per Hour" : "Q's per Hr"};
    view_.Last10Label = {130, top + line, "Last 10:"};
    view_.LastHrLabel = {130, top + 2 * line, "Last hr:"};
    view_.OverallLabel = {130, top + 3 * line, "Overall:"};
    view_.TimeLabel = {timeLeft, top, "Time"};
    view_.OnTimeLabel = {timeLeft, top + line, "On Time:"};
    view_.OnBandTimeLabel = {timeLeft, top + 2 * line, "On Band:"};
    view_.Label1 = {timeLeft, top + 3 * line, "", mixed};
    const bool wpx = nr == contest::Wpx;
    view_.Label4 = {100, top + 4 * line + 60, "QSOs with", wpx};
    view_.Label2 = {130, top + 5 * line + 60, "", wpx};
    view_.Label3 = {130, top + 6 * line + 60, "", wpx};

    view_.graphTop = (wpx ? view_.Label3.top : view_.OverallLabel.top) + 2 * line;
    view_.height = view_.graphTop + view_.graphHeight + 2 * line;
    counts_.reset(state);
}

void QSOStats::refresh(const MainMod& state, const DateTime& clock, bool live) {
    counts_.catchUp(state);
    writeBandFigures(state);
    if (counts_.count() > 0) writeRates(state, referenceMinute(state, clock, live));
    writeTimes(state);
    view_.hourlyQsos = counts_.hours();
    view_.firstHour = counts_.firstHour();
}

int QSOStats::referenceMinute(const MainMod& state, const DateTime& clock, bool live) const {
    const OperatingTime& time = counts_.time();
    const int last = time.lastMinute();
    if (!live) return last;
    const QsoStamp now = stampQso(clock, state.settings.isGmt(), state.settings.TimeCorrection);
    const int minute = time.minuteOfNext(now.QDate, now.QTime);
    // Once the operator has been away for a break, the rates stand still.
    return minute >= last && minute - last < time.threshold() ? minute : last;
}

void QSOStats::writeBandFigures(const MainMod& state) {
    const ContestNr nr = state.contestNr;
    const ScoreTotals& totals = state.totals;
    const OperatingTime& time = counts_.time();
    Figures all;
    for (int band = 1; band <= kBandCount; ++band) {
        const BandModeCode cw = bandModeCode(band, false);
        const BandModeCode phone = bandModeCode(band, true);
        Figures f;
        f.cwQsos = counts_.qsos(cw);
        f.phoneQsos = counts_.qsos(phone);
        f.onTime = time.onTime(cw) + time.onTime(phone);
        f.points = wholePoints(nr, counts_.points(cw) + counts_.points(phone));
        f.mults = totals.multsPerBand[static_cast<std::size_t>(band)];
        if (band <= band::B160) {
            f.countries = totals.countriesPerBand[static_cast<std::size_t>(band - 1)];
            f.zones = totals.zonesPerBand[static_cast<std::size_t>(band - 1)];
        }
        all.cwQsos += f.cwQsos;
        all.phoneQsos += f.phoneQsos;
        all.countries += f.countries;
        all.zones += f.zones;
        StatsLabel& column = view_.BMTotal[static_cast<std::size_t>(band - 1)];
        if (column.visible)
            column.text =
                columnText(std::string(BandNameM[static_cast<std::size_t>(band - 1)]), nr, &f);
    }
    all.onTime = time.totalMinutes();
    all.points = wholePoints(nr, totals.qsoPoints);
    all.mults = totals.multCount;
    view_.LabelAll.text = columnText("All", nr, &all);
}

void QSOStats::writeRates(const MainMod& state, int reference) {
    const ContestNr nr = state.contestNr;
    const int n = counts_.count();
    const auto line = [nr](long qsos, long points) {
        return rateFigure(qsos) + (hasPointFigures(nr) ? "/" + rateFigure(points) : "");
    };

    if (n >= 11) {
        const int span = reference - counts_.minuteOf(n - 9);
        if (span >= 1) {
            const double points = wholePoints(nr, counts_.pointsOf(n - 9, n));
            view_.Last10Label.text =
                "Last 10: " + line(roundHalfEven(600.0 / span), roundHalfEven(points * 60 / span));
        }
    }

    const int hourAgo = reference - 60;
    if (hourAgo >= counts_.minuteOf(1)) {
        const int first = counts_.firstQsoFrom(hourAgo);
        const double points = wholePoints(nr, counts_.pointsOf(first, n));
        view_.LastHrLabel.text = "Last Hr: " + line(n - first + 1, roundHalfEven(points));
    }

    const int minutes = counts_.time().totalMinutes();
    if (minutes >= 1) {
        const double points = wholePoints(nr, state.totals.qsoPoints);
        view_.OverallLabel.text = "Overall: " + line(static_cast<long>(n * 60.0 / minutes),
                                                     static_cast<long>(points * 60.0 / minutes));
    }
}

void QSOStats::writeTimes(const MainMod& state) {
    const ContestNr nr = state.contestNr;
    const OperatingTime& time = counts_.time();
    const int total = time.totalMinutes();
    view_.OnTimeLabel.text = "     Total: " + twoDigits(total / 60) + ":" + twoDigits(total % 60);
    view_.OnBandTimeLabel.text = (isMixed(nr) ? "Band-Mode: " : "On Band: ") +
                                 hoursMinutesText(time.onTime(state.CurrentBandMode));
    if (isMixed(nr))
        view_.Label1.text = "SSB/CW: " + hoursMinutesText(time.phoneOnTime()) + "/" +
                            hoursMinutesText(time.cwOnTime());
    if (nr == contest::Wpx) {
        std::string heading;
        if (state.QTHUSAFlag)
            heading = "USA: ";
        else if (state.QTHCanadaFlag)
            heading = "CAN: ";
        else if (state.countries.isCountry(counts_.ownCountryNr()))
            heading = state.countries.country(counts_.ownCountryNr()).CtyName.trimmed() + "   : ";
        else
            heading = "   : ";
        const int own = counts_.ownCountryQsos();
        view_.Label2.text = heading + std::to_string(own);
        view_.Label3.text = "DX: " + std::to_string(counts_.count() - own);
    }
}

}  // namespace keslog
