// The exchange parsers of every contest: the first byte picks the contest
// and the station's location, the rest is the exchange box. A refusal
// selects text inside the box.
#include "FuzzSupport.h"
#include "entry/ExchangeParsers.h"
#include "platform/Files.h"
#include "storage/DataFile.h"

namespace {

keslog::MultTables shippedMults(bool inCalifornia) {
    using namespace keslog;
    ReferenceData reference;
    const Result<std::string> text =
        readWholeFile(std::string(fuzz::kShippedDataDir) + kDataFileName);
    fuzz::require(text && ReadDataFile(*text, reference), "the shipped data file reads");
    MultTables mults;
    ExpandMultTables(reference, inCalifornia, mults);
    return mults;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    static const MultTables outside = shippedMults(false);
    static const MultTables inside = shippedMults(true);
    if (size == 0) return 0;
    const bool inState = (data[0] & 0x80) != 0;
    const ExchangeRules rules{
        static_cast<ContestNr>(contest::First + (data[0] & 0x7F) % contest::Last), inState,
        inState ? &inside : &outside};
    const std::string_view box = fuzz::bytesOf(data + 1, size - 1);
    const ExchangeCheck check = checkExchange(rules, box);
    if (!check.accepted()) {
        const ExchangeRefusal& r = check.refusal;
        fuzz::require(!r.message.empty(), "a refusal says why");
        fuzz::require(r.selStart >= 0 && r.selLength >= 0 &&
                          static_cast<std::size_t>(r.selStart + r.selLength) <= box.size(),
                      "the selection lies inside the box");
    }
    return 0;
}
