// Wave files of the voice keyer: the header and the sound of any bytes are
// read or refused, and what is read lies within the file.
#include "FuzzSupport.h"
#include "transmit/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const Result<WaveInfo> info = parseWaveHeader(bytes, size);
    if (info) {
        fuzz::require(info->dataOffset + info->dataBytes <= size, "sound data within the file");
        info->lengthMs();
    }
    const Result<WaveSound> sound = decodeWaveSound(bytes, "voice.wav");
    if (sound)
        fuzz::require(sound->samples.size() % (sound->format.bitsPerSample / 8) == 0,
                      "whole samples only");
    return 0;
}
