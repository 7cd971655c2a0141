#include "callsign/CountryPanel.h"

#include <utility>

namespace keslog {

namespace {

constexpr int kLeft = 100;

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string bandMarks(const BandMarks& marks) {
    std::string out;
    for (bool worked : marks) out += worked ? "  XX" : "  --";
    return out;
}

// Blue when worked on the current band, red when still needed. The marks
// have no column for 6 m and 2 m, so there the row is drawn uncoloured.
int rowColour(const BandMarks& marks, BandModeCode current) {
    const int band = bandIndexOf(current);
    if (band < band::B10 || band > band::B160) return palette::Black;
    return marks[static_cast<std::size_t>(band - 1)] ? palette::Blue : palette::Red;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

void CountryPanel::print(int y, std::string text, int colour) {
    texts_.push_back({kLeft, y, std::move(text), colour});
}

void CountryPanel::ShowCountryHeadings(const MainMod& state) {
    print(100, "Country  10  15  20  40  80 160", palette::Blue);
    print(550, "Name:" + std::string(22, ' ') + "Hdg:", palette::Blue);
    if (state.contestNr != contest::ArrlDx)
        print(900, " Zone    10  15  20  40  80 160", palette::Blue);
}

void CountryPanel::ShowCountryInfo(const MainMod& state, const IWorkedCountries& worked,
                                   int countryNr, int zone) {
    const CountryTables& tables = state.countries;
    const bool known = tables.isCountry(countryNr);
    if (known) {
        const Country& c = tables.country(countryNr);
        const BandMarks marks = worked.countryWorked(countryNr);
        const int colour = rowColour(marks, state.CurrentBandMode);
        print(350, "   " + padded(c.CtyPrefix.trimmed(), 6) + bandMarks(marks), colour);
        print(550,
              "Name: " + std::string(c.CtyName.raw().substr(0, 21)) +
                  "Hdg: " + std::string(c.CtyHeading.raw()),
              colour);
    }

    if (state.contestNr != contest::Cqww || (countryNr == 0 && zone == 0)) return;
    if (zone == 0 && known)
        zone = static_cast<int>(leadingNumber(tables.country(countryNr).CtyZone.raw()));
    if (zone < 1 || zone > 40) return;
    const BandMarks marks = worked.zoneWorked(zone);
    print(1140, "  " + twoDigits(zone) + "     " + bandMarks(marks),
          rowColour(marks, state.CurrentBandMode));
}

}  // namespace keslog
