#include "entry/Scoring.h"

#include <algorithm>

#include "callsign/CountryLookup.h"
#include "callsign/NorthAmerica.h"
#include "callsign/Prefix.h"
#include "entry/Dupes.h"
#include "entry/MultRows.h"
#include "storage/DataFile.h"

namespace keslog {

namespace {

// Per-band tables have columns for 10..160 m only: a QSO on 6 m or 2 m has
// no column there, so it never counts a per-band multiplier.
int bandColumn(BandModeCode code) {
    if (!isValidBandMode(code)) return 0;
    const int band = bandIndexOf(code);
    return band <= band::B160 ? band : 0;
}

OwnStation ownStation(const MainMod& state) {
    return {state.QTHUSAFlag, state.QTHCanadaFlag};
}

bool isNorthAmericanRule(const MainMod& state) {
    return state.QTHUSAFlag || state.QTHCanadaFlag;
}

std::string continentOf(const MainMod& state, std::string_view call) {
    const int nr = CountryOfCall(state.countries, call);
    return state.countries.isCountry(nr) ? state.countries.country(nr).CtyContinent.trimmed()
                                         : std::string();
}

// WPX: a QSO with the own country (North American rule) or the own
// continent.
bool isSameArea(const MainMod& state, const QSORec& record) {
    if (isNorthAmericanRule(state)) {
        const std::string points =
            NAPoints(record.QMult.trimmed(), contest::Wpx, ownStation(state), record.QBandMode);
        return points == "1" || points == "0";
    }
    return continentOf(state, record.QCall.trimmed()) == state.MyContinent;
}

std::string wpxContinentPoints(const MainMod& state, const QSORec& record) {
    const bool lowBand = bandClass(record.QBandMode) >= 4;
    if (continentOf(state, record.QCall.trimmed()) != state.MyContinent) return lowBand ? "6" : "3";
    if (state.MyContinent == "NA") return lowBand ? "4" : "2";
    return lowBand ? "2" : "1";
}

std::string paqpPoints(BandModeCode code) {
    if (!isCw(code)) return "1";
    const int band = bandIndexOf(code);
    return band == band::B80 || band == band::B160 ? "2" : "3";
}

std::string aaPoints(const MainMod& state, const QSORec& record) {
    if (continentOf(state, record.QCall.trimmed()) != "AS") return "0";
    const int band = bandIndexOf(record.QBandMode);
    if (band == band::B160) return "3";
    return band == band::B80 ? "2" : "1";
}

std::string countryPrefixOf(const MainMod& state, std::string_view call) {
    const int nr = CountryOfCall(state.countries, call);
    return state.countries.isCountry(nr) ? state.countries.country(nr).CtyPrefix.trimmed()
                                         : std::string();
}

// Inserts into an ascending list at a place found by multMarks.
void insertAt(std::vector<std::string>& list, int place, const std::string& text) {
    list.insert(list.begin() + (place - 1), text);
}

// The 1-based place where the text would go in an ascending list; 0 when
// it is there already.
int newPlace(const std::vector<std::string>& list, const std::string& text) {
    const auto at = std::lower_bound(list.begin(), list.end(), text);
    if (at != list.end() && *at == text) return 0;
    return static_cast<int>(at - list.begin()) + 1;
}

// Whether a row's worked flag is still clear.
bool rowIsNew(const MultTable& table, int row, int flagColumn) {
    if (row < 1 || row > static_cast<int>(table.rows.size())) return false;
    const std::vector<bool>& flags = table.rows[static_cast<std::size_t>(row - 1)].worked;
    const auto column = static_cast<std::size_t>(flagColumn);
    return column < flags.size() && !flags[column];
}

void applyMarks(MainMod& state, const MultMarks& marks) {
    ScoreTotals& totals = state.totals;
    const auto column = static_cast<std::size_t>(marks.column - 1);
    if (marks.countryNr != 0) {
        ++totals.countryQsos[static_cast<std::size_t>(marks.countryNr)][column];
        if (marks.newCountry) ++totals.countriesPerBand[column];
    }
    if (marks.zone != 0) {
        ++totals.zoneQsos[static_cast<std::size_t>(marks.zone)][column];
        if (marks.newZone) ++totals.zonesPerBand[column];
    }
    if (marks.prefixPlace != 0)
        insertAt(
            state.contestNr == contest::Wpx ? totals.wpxPrefixes : state.mults.AAPrefixes[column],
            marks.prefixPlace, marks.prefix);
    if (marks.row != 0)
        contestMultTable(state)
            ->rows[static_cast<std::size_t>(marks.row - 1)]
            .worked[static_cast<std::size_t>(marks.flagColumn)] = true;
}

void updateScore(MainMod& state) {
    ScoreTotals& t = state.totals;
    const long long product = static_cast<long long>(t.qsoPoints) * t.multCount;
    if (state.contestNr != contest::Paqp) {
        t.score = static_cast<std::int32_t>(product);
        return;
    }
    // Tenths of a point: divide by ten, ties to the even score.
    long long whole = product / 10;
    const long long rest = product % 10;
    if (rest > 5 || (rest == 5 && whole % 2 != 0)) ++whole;
    t.score = static_cast<std::int32_t>(whole);
}

}  // namespace

std::string QSOPoints(const MainMod& state, const QSORec& record, bool endsInSlash) {
    const BandModeCode code = record.QBandMode;
    switch (state.contestNr) {
        case contest::ArrlDx: {
            const int nr = state.countries.countryOfPrefix(record.QMult.trimmed());
            const bool wve = nr != 0 && (nr == state.countries.USACountryNr ||
                                         nr == state.countries.CanadaCountryNr);
            return wve ? "0" : "3";
        }
        case contest::Cqp:
            if (endsInSlash) return "0";
            return isCw(code) ? "3" : "2";
        case contest::Cqww: {
            // The contest-choice dialog always sets one location for CQWW.
            const std::string points = NAPoints(WPXPrefixOf(record.QCall.trimmed()), contest::Cqww,
                                                ownStation(state), code);
            return points.empty() ? "0" : points;
        }
        case contest::Sprint:
        case contest::Naqp:
            return "1";
        case contest::Ss:
            return "2";
        case contest::Wpx:
            if (isNorthAmericanRule(state))
                return NAPoints(WPXPrefixOf(record.QCall.trimmed()), contest::Wpx,
                                ownStation(state), code);
            return wpxContinentPoints(state, record);
        case contest::Aa:
            return aaPoints(state, record);
        case contest::Paqp:
            return paqpPoints(code);
        default:
            return "0";
    }
}

void setMultAndPoints(const MainMod& state, QSORecName& record, const ReceivedExchange& exchange,
                      bool acceptedDupe) {
    const std::string call = record.QCall.trimmed();
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Cqww:
            record.QMult = countryPrefixOf(state, call);
            break;
        case contest::Wpx:
        case contest::Aa:
            record.QMult = WPXPrefixOf(call);
            break;
        case contest::Ss: {
            const int row = state.mults.SSSections.findRow(exchange.ssSection);
            const std::string section =
                row != 0 ? state.mults.SSSections.rows[static_cast<std::size_t>(row - 1)].stored
                         : exchange.ssSection;
            record.QMult = exchange.ssPrecedence + exchange.ssCheck + section;
            break;
        }
        case contest::Cqp:
            if (state.InStateFlag) {
                const int county = state.mults.CQPInState.findRow(exchange.multText);
                if (county != 0) {
                    record.QMult =
                        state.mults.CQPInState.rows[static_cast<std::size_t>(county - 1)].forms[0];
                    break;
                }
            }
            [[fallthrough]];
        case contest::Paqp:
        case contest::Sprint:
        case contest::Naqp: {
            const MultTable& table = *contestMultTable(state);
            const int row = table.findRow(exchange.multText);
            record.QMult = row != 0 ? numberText(row)
                                    : unnumberedMultText(exchange.multText,
                                                         static_cast<int>(table.rows.size()));
            break;
        }
        default:
            break;
    }
    record.QPoints = acceptedDupe ? "0" : QSOPoints(state, record, exchange.endsInSlash);
}

MultMarks multMarks(const MainMod& state, const QSORec& record) {
    MultMarks marks;
    const ScoreTotals& totals = state.totals;
    const StoredMult mult = storedMult(state, record);
    const int column = bandColumn(record.QBandMode);
    const auto band = static_cast<std::size_t>(column - 1);
    const auto add = [&marks](int which) {
        if (marks.count == 0) marks.index = which;
        ++marks.count;
    };
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Cqww: {
            const auto countries = static_cast<int>(totals.countryQsos.size());
            if (mult.countryNr >= 1 && mult.countryNr < countries && column != 0) {
                marks.column = column;
                marks.countryNr = mult.countryNr;
                const bool counts = state.contestNr == contest::Cqww ||
                                    (mult.countryNr != state.countries.USACountryNr &&
                                     mult.countryNr != state.countries.CanadaCountryNr);
                marks.newCountry =
                    counts &&
                    totals.countryQsos[static_cast<std::size_t>(mult.countryNr)][band] == 0;
                if (marks.newCountry) add(mult.countryNr);
            }
            if (mult.zone != 0 && column != 0) {
                marks.column = column;
                marks.zone = mult.zone;
                marks.newZone = totals.zoneQsos[static_cast<std::size_t>(mult.zone)][band] == 0;
                if (marks.newZone) add(mult.zone);
            }
            break;
        }
        case contest::Wpx:
        case contest::Aa: {
            const bool wpx = state.contestNr == contest::Wpx;
            if (mult.prefix.empty() || (!wpx && column == 0)) break;
            marks.column = column;
            marks.prefix = mult.prefix;
            marks.prefixPlace =
                newPlace(wpx ? totals.wpxPrefixes : state.mults.AAPrefixes[band], mult.prefix);
            if (marks.prefixPlace != 0) add(marks.prefixPlace);
            break;
        }
        case contest::Naqp:
        case contest::Cqp:
        case contest::Paqp:
        case contest::Ss:
        case contest::Sprint: {
            // NAQP counts a multiplier per band, the others once.
            const bool perBand = state.contestNr == contest::Naqp;
            if (perBand && column == 0) break;
            const int flagColumn = perBand ? column - 1 : 0;
            if (rowIsNew(*contestMultTable(state), mult.row, flagColumn)) {
                marks.row = mult.row;
                marks.flagColumn = flagColumn;
                add(mult.row);
            }
            break;
        }
        default:
            break;
    }
    return marks;
}

QSORecName scoredQso(const MainMod& state, std::string_view call, BandModeCode bandMode,
                     const ParsedExchange& parsed, bool acceptedDupe) {
    QSORecName record;
    record.QBandMode = bandMode;
    record.QCall = call;
    record.QRcvd = parsed.received;
    record.QName = parsed.name;
    ReceivedExchange received;
    received.multText = parsed.multText;
    received.endsInSlash = parsed.endsInSlash;
    if (state.contestNr == contest::Ss) {
        received.ssPrecedence = std::string(1, parsed.precedence);
        received.ssCheck = parsed.check;
        received.ssSection = parsed.section;
    }
    setMultAndPoints(state, record, received, acceptedDupe);
    return record;
}

void markQso(MainMod& state, int qsoNr, const QSORecName& record) {
    indexCall(state, qsoNr, record);
    ScoreTotals& totals = state.totals;
    if (isValidBandMode(record.QBandMode))
        ++totals.qsosPerBandMode[static_cast<std::size_t>(record.QBandMode)];
    totals.qsoPoints += pointValue(state.contestNr, record);

    const MultMarks marks = multMarks(state, record);
    applyMarks(state, marks);
    if (state.contestNr == contest::Wpx) {
        if (isSameArea(state, record)) ++totals.sameAreaCount;
        totals.prefixNeeded = false;
    }
    state.NewMultFlag = marks.count != 0;
    state.MultIndex = marks.index;
    totals.multCount += marks.count;
    if (isValidBandMode(record.QBandMode))
        totals.multsPerBand[static_cast<std::size_t>(bandIndexOf(record.QBandMode))] += marks.count;
    updateScore(state);
}

Status addLoggedQso(MainMod& state, const QSORecName& record, std::int64_t hz) {
    const Status appended = state.log.append(record, hz);
    if (!appended) return appended;
    markQso(state, state.log.count(), record);
    state.QSONr = state.log.count() + 1;
    return Status::ok();
}

void replayLog(MainMod& state) {
    ExpandMultTables(state.reference, state.contestNr == contest::Cqp && state.InStateFlag,
                     state.mults, state.rules);
    state.clearWorked();
    const int count = state.log.count();
    for (int n = 1; n <= count; ++n) markQso(state, n, state.log.at(n));
    state.QSONr = count + 1;
    state.NewMultFlag = false;
    state.MultIndex = 0;
}

void removeLastQso(MainMod& state) {
    state.log.removeLast();
    replayLog(state);
}

bool checkPrefixNeeded(MainMod& state, std::string_view call) {
    bool needed = false;
    if (!call.empty() && state.contestNr == contest::Wpx) {
        needed = !std::binary_search(state.totals.wpxPrefixes.begin(),
                                     state.totals.wpxPrefixes.end(), WPXPrefixOf(call));
    } else if (!call.empty() && state.contestNr == contest::Aa) {
        const int column = bandColumn(state.CurrentBandMode);
        if (column != 0) {
            const auto& worked = state.mults.AAPrefixes[static_cast<std::size_t>(column - 1)];
            needed = !std::binary_search(worked.begin(), worked.end(), WPXPrefixOf(call));
        }
    }
    state.totals.prefixNeeded = needed;
    return needed;
}

std::string multsLabelText(const ScoreTotals& totals) {
    return "Mults:  " + std::to_string(totals.multCount);
}

std::string scoreLabelText(const ScoreTotals& totals) {
    return "Score: " + scoreText(totals.score);
}

std::string scoreText(long score) {
    std::string digits = std::to_string(score);
    const std::size_t length = digits.size();
    if (length < 4 || length > 7) return digits;
    digits.insert(length - 3, ",");
    if (length == 7) digits.insert(1, ",");
    return digits;
}

std::string pointsText(const MainMod& state) {
    const long points = state.totals.qsoPoints;
    if (state.contestNr != contest::Paqp) return std::to_string(points);
    return std::to_string(points / 10) + "." + std::to_string(points % 10);
}

BandMarks WorkedCountries::countryWorked(int countryNr) const {
    BandMarks marks{};
    if (countryNr < 1 || countryNr >= static_cast<int>(totals_.countryQsos.size())) return marks;
    const BandCounts& counts = totals_.countryQsos[static_cast<std::size_t>(countryNr)];
    for (std::size_t b = 0; b < marks.size(); ++b) marks[b] = counts[b] > 0;
    return marks;
}

BandMarks WorkedCountries::zoneWorked(int zone) const {
    BandMarks marks{};
    if (zone < 1 || zone > 40) return marks;
    const BandCounts& counts = totals_.zoneQsos[static_cast<std::size_t>(zone)];
    for (std::size_t b = 0; b < marks.size(); ++b) marks[b] = counts[b] > 0;
    return marks;
}

}  // namespace keslog
