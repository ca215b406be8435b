// Fuzzes the WAV reader: the header and chunk walk, then the data in pieces of changing
// sizes, again after a rewind.

#include <cstddef>
#include <cstdint>

#include "engine/sound/SoundFileReaderWAV.h"
#include "fuzz/sound_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::SoundWorkspace workspace("input.wav");
    const std::wstring name = workspace.Write(data, size);
    try {
        Vantor::SoundFileReaderWAV reader(name);
        fuzzing::ReadThrough(reader, data, size, 0x100000);
        reader.Rewind();
        fuzzing::ReadThrough(reader, data + size / 2, size - size / 2, 0x100000);
    } catch (const Vantor::FileError&) {
    }
    return 0;
}
