#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "callsign/CountryPanel.h"
#include "entry/ExchangeParsers.h"
#include "model/MainMod.h"
#include "platform/Status.h"

namespace keslog {

// What the exchange parsers hand to scoring for a QSO being logged.
struct ReceivedExchange {
    std::string multText;      // CQP, PAQP, Sprint, NAQP: the multiplier as received
    bool endsInSlash = false;  // CQP: the exchange ended in "/", a QSO for no points
    std::string ssPrecedence;  // SS: one letter
    std::string ssCheck;       // SS: two digits
    std::string ssSection;     // SS: the section as received (any of its forms)
};

// QSO points of a QSO that is not a dupe, as its one digit: from the
// record's call, band-mode and (ARRL DX) stored country prefix, and the
// station's location. A CQP QSO whose exchange ended in "/" scores "0".
std::string QSOPoints(const MainMod& state, const QSORec& record, bool endsInSlash = false);

// Fills QMult and QPoints of a QSO being logged, whose QCall, QBandMode
// and QRcvd are set. A dupe that is logged anyway scores "0".
void setMultAndPoints(const MainMod& state, QSORecName& record, const ReceivedExchange& exchange,
                      bool acceptedDupe);

// The QSO that logging the call with this exchange on the band-mode makes,
// its multiplier and points set (date, time and number left to the caller):
// what the entry line logs, and what the band map values a spot by.
QSORecName scoredQso(const MainMod& state, std::string_view call, BandModeCode bandMode,
                     const ParsedExchange& parsed, bool acceptedDupe);

// What marking a QSO would change among the multipliers, worked out
// without changing anything: markQso applies it, and the band map asks it
// what a spotted station would be worth.
struct MultMarks {
    int column = 0;           // per-band column 1..6 of the counts below; 0: none
    int countryNr = 0;        // ARRL DX, CQWW: the country counted on the band
    bool newCountry = false;  //   its first QSO there, and a multiplier
    int zone = 0;             // CQWW: the zone counted on the band
    bool newZone = false;     //   its first QSO there
    std::string prefix;       // WPX, AA: the QSO's prefix
    int prefixPlace = 0;      //   its 1-based place in the worked list when new
    int row = 0;              // row-based contests: a row not worked yet
    int flagColumn = 0;       //   in this flag column (NAQP: per band)
    int count = 0;            // new multipliers
    int index = 0;            // MultIndex: the first of them
};

MultMarks multMarks(const MainMod& state, const QSORec& record);

// Marks one QSO of the log as worked: the call index, the portable calls,
// the worked flags and counts, the totals and score, NewMultFlag and
// MultIndex. Reads the record alone, so logging a QSO and replaying it
// from the file give the same state.
void markQso(MainMod& state, int qsoNr, const QSORecName& record);

// Logs a QSO in memory with the frequency it was made on (Hz, 0: none):
// appends it to the log tables, marks it and raises QSONr. A full log
// refuses with a message and changes nothing.
Status addLoggedQso(MainMod& state, const QSORecName& record, std::int64_t hz = 0);

// Rebuilds everything the log has worked from the QSOs in the log tables:
// the multiplier tables of the contest and location are set up afresh,
// totals, worked flags, call index and portable calls cleared, then every
// QSO is marked in log order. Call it whenever the log tables have been
// filled or changed other than by addLoggedQso (opening, editing, a new
// empty log).
void replayLog(MainMod& state);

// Kill Last Entry in memory: removes the last QSO and replays the log, so
// no multiplier stays marked by the QSO that is gone.
void removeLastQso(MainMod& state);

// WPX and AA, while the call is typed: whether its prefix is still needed
// (AA: on the current band). Sets totals.prefixNeeded; always false in
// other contests and on bands without a multiplier.
bool checkPrefixNeeded(MainMod& state, std::string_view call);

// "Mults:  " and the multiplier count.
std::string multsLabelText(const ScoreTotals& totals);
// "Score: " and the score with thousands commas.
std::string scoreLabelText(const ScoreTotals& totals);
// A score as ScoreLabel shows it: 4 to 7 digits get their commas, shorter
// and longer numbers none.
std::string scoreText(long score);
// Total QSO points as the score uses them: PAQP with one decimal.
std::string pointsText(const MainMod& state);

// The country panel's view of the country and zone counts.
class WorkedCountries : public IWorkedCountries {
  public:
    explicit WorkedCountries(const ScoreTotals& totals) : totals_(totals) {}
    BandMarks countryWorked(int countryNr) const override;
    BandMarks zoneWorked(int zone) const override;

  private:
    const ScoreTotals& totals_;
};

}  // namespace keslog
