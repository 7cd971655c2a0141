// arrl.cty: any text is read or refused, and calls look up in what was read.
#include "FuzzSupport.h"
#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const Result<CountryTables> tables = parseCountryFile(fuzz::bytesOf(data, size), "arrl.cty");
    if (!tables) return 0;
    for (const char* call : {"K6AW", "VE3ABC", "JA1XYZ", "G4ABC/P", "KH6/K1AA", "4U1UN", "R", ""})
        CountryOfCall(*tables, call);
    return 0;
}
