#pragma once

#include <stdexcept>
#include <string>

#include "callsign/CountryFile.h"
#include "model/MainMod.h"
#include "platform/Files.h"
#include "storage/DataFile.h"

namespace keslog::bench {

// A fresh state with the shipped country file and reference data, as the
// program has it after start-up.
inline MainMod stateWithShippedData() {
    MainMod state;
    if (!ReadCountryFile(std::string(KESLOG_SOURCE_DIR) + "/data/arrl.cty", state.countries))
        throw std::runtime_error("arrl.cty");
    const Result<std::string> data =
        readWholeFile(std::string(KESLOG_SOURCE_DIR) + "/data/KESLOG90.DAT");
    if (!data || !ReadDataFile(*data, state.reference)) throw std::runtime_error("KESLOG90.DAT");
    return state;
}

}  // namespace keslog::bench
