#include "model/Band.h"

namespace keslog {

namespace {
BandModeCode stepActiveBand(BandModeCode current, const BandActiveSet& active, int direction) {
    const int mode = isCw(current) ? 0 : kPhoneOffset;
    int b = bandIndexOf(current);
    for (int tries = 0; tries < kBandCount; ++tries) {
        b = ((b - 1 + direction + kBandCount) % kBandCount) + 1;
        if (active[static_cast<std::size_t>(b)]) return static_cast<BandModeCode>(b + mode);
    }
    return current;
}
}  // namespace

BandModeCode nextActiveBand(BandModeCode current, const BandActiveSet& active) {
    return stepActiveBand(current, active, +1);
}

BandModeCode previousActiveBand(BandModeCode current, const BandActiveSet& active) {
    return stepActiveBand(current, active, -1);
}

}  // namespace keslog
