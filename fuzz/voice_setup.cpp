// Voice-keyer setup files: any bytes give slots, and the slots written
// back read as the same slots.
#include "FuzzSupport.h"
#include "transmit/VoiceSetup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const SetupFileContents read = parseSetupFile(fuzz::bytesOf(data, size));
    fuzz::require(read.pairs >= 0 && read.pairs <= kSlotCount, "at most nine pairs");
    for (const VoiceSlot& slot : read.voices) voiceCaption(slot);
    const SetupFileContents again = parseSetupFile(setupFileText(read.voices));
    fuzz::require(again.voices == read.voices, "slots survive writing and reading back");
    return 0;
}
