// KESLOG90.DAT: a refused file leaves the tables alone; an accepted one
// writes back to the same tables and expands into the multiplier tables.
#include "FuzzSupport.h"
#include "storage/DataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    ReferenceData reference;
    if (!ReadDataFile(fuzz::bytesOf(data, size), reference)) {
        fuzz::require(reference == ReferenceData{}, "a refused data file changes nothing");
        return 0;
    }
    ReferenceData again;
    fuzz::require(bool(ReadDataFile(dataFileText(reference), again)), "written data reads back");
    fuzz::require(again == reference, "data survives writing and reading back");
    MultTables mults;
    ExpandMultTables(reference, size % 2 == 0, mults);
    return 0;
}
