#pragma once
// Ogg Vorbis files, decoded by libvorbisfile to 16-bit signed little-endian PCM.
// The library reads the file through this reader's callbacks over the engine's
// FileBinary, so the file may be a loose one or an entry of a pack.

#include <cstdint>
#include <string>

#include "engine/sound/SoundFileReader.h"

struct OggVorbis_File;

namespace Vantor {

class SoundFileReaderOGG : public SoundFileReader {
public:
    // Consecutive failed decodes after which a read gives up: a damaged stream can
    // keep reporting holes without ever delivering data or its end.
    static constexpr int kMaxConsecutiveDecodeFailures = 64;

    // Opens the decoder at once; throws FileError "... - incorrect format" when the
    // library refuses the file, its length is unknown, or it is not mono or stereo.
    explicit SoundFileReaderOGG(const std::wstring& fileName);
    ~SoundFileReaderOGG() override;

    void Open() override;
    void Close() override;
    void Rewind() override;
    void Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) override;

private:
    [[noreturn]] void FailClosed();

    // Open exactly while it exists.
    OggVorbis_File* decoder_ = nullptr;
};

}  // namespace Vantor
