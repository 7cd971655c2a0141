#pragma once

#include <array>
#include <vector>

#include "model/MainMod.h"
#include "model/PrintedText.h"

namespace keslog {

// Worked marks of one country or zone on the bands 10, 15, 20, 40, 80 and
// 160 m, in that order.
using BandMarks = std::array<bool, 6>;

// Where the panel learns which countries and zones are worked (the
// per-band count tables of the scoring).
class IWorkedCountries {
  public:
    virtual ~IWorkedCountries() = default;
    virtual BandMarks countryWorked(int countryNr) const = 0;
    virtual BandMarks zoneWorked(int zone) const = 0;
};

// The country panel of the multiplier window in the DX contests: country,
// beam heading, zone and the bands each is worked on. It holds the texts
// to print; the window clears it before a new call is shown.
class CountryPanel {
  public:
    void clear() { texts_.clear(); }
    void ShowCountryHeadings(const MainMod& state);
    // zone: the received zone, or 0 to show the country's own zone.
    void ShowCountryInfo(const MainMod& state, const IWorkedCountries& worked, int countryNr,
                         int zone);

    const std::vector<PrintedText>& texts() const { return texts_; }

  private:
    void print(int y, std::string text, int colour);

    std::vector<PrintedText> texts_;
};

}  // namespace keslog
