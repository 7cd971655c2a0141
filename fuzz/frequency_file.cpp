// The frequency file beside a log: any bytes give every QSO a frequency on
// its band or none, and a file that is not used says why.
#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "rig/RigBands.h"
#include "storage/FrequencyFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    // Three QSOs: 20 m CW, 40 m phone and a record with no band.
    static const std::vector<QSORecName> qsos = [] {
        std::vector<QSORecName> out(3);
        out[0].QBandMode = 3;
        out[1].QBandMode = 12;
        out[2].QBandMode = 0;
        return out;
    }();
    const LogFrequencies read = parseFrequencies(fuzz::bytesOf(data, size), "FUZZ.KSF", qsos);
    fuzz::require(read.hz.size() == qsos.size(), "one frequency per QSO");
    for (std::size_t i = 0; i < qsos.size(); ++i)
        fuzz::require(read.hz[i] == 0 || qsoFrequencyHz(read.hz[i], qsos[i].QBandMode) == read.hz[i],
                      "a frequency on its QSO's band");
    fuzz::require(read.notice.empty() ||
                      std::all_of(read.hz.begin(), read.hz.end(), [](auto hz) { return hz == 0; }),
                  "an unused file gives no frequencies");
    return 0;
}
