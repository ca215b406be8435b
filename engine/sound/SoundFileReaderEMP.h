#pragma once
// A silent source of 8 bytes of 8-bit mono 22050 Hz PCM that needs no file: the data
// of a sound without a file name, of an unknown type, or whose file failed to load.

#include <cstdint>

#include "engine/sound/SoundFileReader.h"

namespace Vantor {

class SoundFileReaderEMP : public SoundFileReader {
public:
    static constexpr std::uint32_t kSilentBytes = 8;
    // The silence of 8-bit unsigned PCM.
    static constexpr std::uint8_t kSilence = 128;

    SoundFileReaderEMP();

    void Open() override;
    void Close() override;
    void Rewind() override;
    void Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) override;

private:
    std::uint32_t position_ = 0;
};

}  // namespace Vantor
