#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cluster/SpotLine.h"
#include "model/MainMod.h"

namespace keslog {

// The logger's band and mode of a spot: the band from the frequency, the
// mode from the comment ("CW", "SSB", ...) or else from the part of the band
// (CW below the usual phone segment). 0 for a frequency off the logger's
// bands and for the digital modes.
BandModeCode spotBandMode(double kHz, std::string_view comment);

// What working a spotted station would bring.
enum class SpotClass { NewQso, NewMult, Dupe };

struct BandSpot {
    Spot spot;
    BandModeCode bandMode = 0;
    std::int64_t heardAt = 0;  // seconds on the caller's clock
    // The QSO a contact would log, with the exchange the entry line would be
    // given for the call: what the class is worked out from.
    QSORecName qso;
    SpotClass spotClass = SpotClass::NewQso;
};

// The live spots, per band and sorted by frequency, each classed against
// the open log by the dupe rule and the scoring's own multiplier marking.
class BandMap {
  public:
    static constexpr std::int64_t kDefaultMaxAge = 30 * 60;

    explicit BandMap(std::int64_t maxAgeSeconds = kDefaultMaxAge) : maxAge_(maxAgeSeconds) {}
    void setMaxAge(std::int64_t maxAgeSeconds) { maxAge_ = maxAgeSeconds; }

    // Places a spot heard at `now`; a spot of the same call on the band is
    // replaced. False for a spot off the logger's bands.
    bool place(const MainMod& state, Spot spot, std::int64_t now);

    // Drops the spots heard more than the age limit before `now`.
    void expire(std::int64_t now);

    // After a QSO was logged: the spots of its call learn its exchange, and
    // every spot is classed again.
    void qsoLogged(const MainMod& state, std::string_view call);

    // After the log was opened, edited or shortened: every spot valued afresh.
    void revalue(const MainMod& state);

    // The spots of band index 1..8, lowest frequency first.
    const std::vector<BandSpot>& band(int bandIndex) const {
        return bands_[static_cast<std::size_t>(bandIndex - 1)];
    }
    std::size_t size() const;

  private:
    std::int64_t maxAge_;
    std::array<std::vector<BandSpot>, kBandCount> bands_;
};

}  // namespace keslog
