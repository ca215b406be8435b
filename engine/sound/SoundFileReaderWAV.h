#pragma once
// RIFF/WAVE files of uncompressed PCM: mono or stereo, 8 or 16 bits. The chunks are
// walked from the first one after the RIFF header, so they may come in any order and
// with any others between them.

#include <cstdint>
#include <string>

#include "engine/sound/SoundFileReader.h"

namespace Vantor {

class SoundFileReaderWAV : public SoundFileReader {
public:
    // Reads and checks the header, the format and the place of the data at once.
    // Throws FileError ("no RIFF header", "no format chunk", "no data chunk", or the
    // file layer's own text for a chunk header cut off by the end of the file).
    explicit SoundFileReaderWAV(const std::wstring& fileName);

    void Open() override;
    void Close() override;
    void Rewind() override;
    void Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) override;

private:
    void ReadRiffHeader();
    void FindFormatChunk();
    void FindDataChunk();
    // Walks the chunks from offset 12 to the first one with the id and at least
    // minimumSize bytes; the file is then at its content. False when a chunk on the
    // way runs to or past the end of the file.
    bool FindChunk(const char* id, std::uint32_t minimumSize, std::uint32_t& size);

    std::uint32_t dataStart_ = 0;
    std::uint32_t remaining_ = 0;
};

}  // namespace Vantor
