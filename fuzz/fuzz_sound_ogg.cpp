// Fuzzes the Ogg Vorbis reader over libvorbisfile and the reader's own file callbacks:
// opening, the format and length checks, decoding in pieces of changing sizes, a
// rewind, and closing and opening the decoder again.

#include <cstddef>
#include <cstdint>

#include "engine/sound/SoundFileReaderOGG.h"
#include "fuzz/sound_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::SoundWorkspace workspace("input.ogg");
    const std::wstring name = workspace.Write(data, size);
    try {
        Vantor::SoundFileReaderOGG reader(name);
        // A small file can decode to minutes of sound: a few seconds tell enough.
        fuzzing::ReadThrough(reader, data, size, 0x80000);
        reader.Rewind();
        fuzzing::ReadThrough(reader, data + size / 2, size - size / 2, 0x20000);
        reader.Close();
        reader.Open();
        fuzzing::ReadThrough(reader, data, size, 0x20000);
    } catch (const Vantor::FileError&) {
    }
    return 0;
}
