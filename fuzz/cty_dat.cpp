// CTY.DAT conversion: any text is converted or refused, and a converted
// file is one the country-file reader takes.
#include "FuzzSupport.h"
#include "callsign/CountryFile.h"
#include "callsign/CtyDat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const Result<CountryFileConversion> converted =
        convertCtyDat(fuzz::bytesOf(data, size), kDefaultHome);
    if (!converted) return 0;
    fuzz::require(bool(parseCountryFile(converted->countryFile, "arrl.cty")),
                  "a converted country file reads back");
    return 0;
}
