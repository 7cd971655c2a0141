#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Band.h"
#include "rig/RigClient.h"

namespace keslog {

// The band index (band::B10 ... band::B2) a frequency lies in; 0 outside
// the logger's bands.
int bandOfFrequency(std::int64_t hz);

// What a QSO logged on the band-mode keeps of a rig's frequency: the
// frequency to 10 Hz when it lies on the QSO's band, else 0 (none).
std::int64_t qsoFrequencyHz(std::int64_t hz, BandModeCode code);

// The band-mode a rig reading puts the log on. A frequency outside the
// bands keeps the band, a mode other than CW or phone keeps the mode.
BandModeCode bandModeOfReading(BandModeCode current, const RigReading& reading);

// Where the rig goes on a band it has not been on: the start of the
// band's segment for the mode.
std::int64_t segmentStartHz(BandModeCode code);

// The rig mode for a band-mode: CW, or the usual sideband of the band.
std::string rigModeOf(BandModeCode code);

// "14,025.30": kHz with a thousands comma, to 10 Hz.
std::string frequencyText(std::int64_t hz);

// A frequency typed in kHz ("14025", "7025.5") in hertz; nullopt for
// anything else, such as a call or a short number.
std::optional<std::int64_t> typedFrequencyHz(std::string_view text);

}  // namespace keslog
