#include <gtest/gtest.h>

#include <algorithm>

#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/engine/sound/SoundBufferTestSupport.h"

namespace {

using Content::OggVorbisWriter;
using Content::WavWriter;
using soundtest::Bytes;
using Vantor::SoundBuffer;
using Vantor::SoundBuffer_DS7;

const WavWriter::Format kMono8{1, 1, 22050, 8};
const WavWriter::Format kStereo16{1, 2, 22050, 16};
const char* const kOverflow = "Sound System: DirectSound buffers overflow";

class SoundBufferTest : public soundtest::SoundBufferTest {
protected:
    // A second of stereo noise at the output's own rate.
    Bytes WriteSecond(const std::string& name) {
        const Bytes pcm = soundtest::NoiseBytes(22050 * 4, 3);
        WriteData(name, WavWriter::Write(kStereo16, pcm));
        return pcm;
    }
};

TEST_F(SoundBufferTest, DataUpToTheRingSizeIsStaticAndLongerDataIsStreamed) {
    const Bytes full = soundtest::NoiseBytes(SoundBuffer::kRingSize);
    WriteData("audio/static.wav", WavWriter::Write(kMono8, full));
    Bytes longer = full;
    longer.push_back(7);
    WriteData("audio/stream.wav", WavWriter::Write(kMono8, longer));

    auto still = Make(L"audio\\static.wav", true);
    EXPECT_FALSE(still->IsStreamed());
    EXPECT_TRUE(still->IsResident());
    ASSERT_NE(still->GetSecondaryBuffer(), nullptr);
    EXPECT_EQ(DeviceBytes(still->GetSecondaryBuffer()), full);

    auto stream = Make(L"audio\\stream.wav", true);
    EXPECT_TRUE(stream->IsStreamed());
    EXPECT_FALSE(stream->IsResident());
    EXPECT_EQ(stream->GetSecondaryBuffer(), nullptr);
    EXPECT_FALSE(stream->IsLooping());
    EXPECT_EQ(stream->GetStreamState(), SoundBuffer::kStopped);
    stream->Play(false);
    ASSERT_NE(stream->GetSecondaryBuffer(), nullptr);
    // The ring holds the first 0x90000 bytes of the file.
    EXPECT_EQ(DeviceBytes(stream->GetSecondaryBuffer()), full);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SoundBufferTest, ReaderIsChosenByTheExtensionInAnyLetterCase) {
    WriteData("audio/tone.ogg", OggVorbisWriter::Encode(soundtest::Noise(4000), 1, 22050));
    WriteData("audio/tone.wav", WavWriter::Write(kMono8, Bytes(100, 1)));

    auto ogg = Make(L"Audio\\TONE.OGG", true);
    EXPECT_EQ(ogg->GetFileName(), L"audio\\tone.ogg");
    EXPECT_NE(dynamic_cast<const Vantor::SoundFileReaderOGG*>(ogg->GetReader()), nullptr);
    EXPECT_EQ(ogg->GetTotalBytes(), 8000u);
    auto wav = Make(L"audio\\Tone.Wav", true);
    EXPECT_NE(dynamic_cast<const Vantor::SoundFileReaderWAV*>(wav->GetReader()), nullptr);
    EXPECT_TRUE(Errors().empty());

    auto unnamed = Make(L"", true);
    EXPECT_NE(dynamic_cast<const Vantor::SoundFileReaderEMP*>(unnamed->GetReader()), nullptr);
    EXPECT_TRUE(Errors().empty());

    auto unknown = Make(L"audio\\tone.mp3", true);
    EXPECT_NE(dynamic_cast<const Vantor::SoundFileReaderEMP*>(unknown->GetReader()), nullptr);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Failed to load \"audio\\tone.mp3\" sound file - unknown type"});
}

TEST_F(SoundBufferTest, MissingFileGivesOneErrorLineAndEightSilentBytes) {
    auto buffer = Make(L"audio\\missing.wav", false);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Failed to open \"data\\audio\\missing.wav\" file"});
    EXPECT_EQ(buffer->GetTotalBytes(), 8u);
    EXPECT_EQ(buffer->GetChannels(), 1u);
    EXPECT_EQ(buffer->GetBitsPerSample(), 8u);
    EXPECT_EQ(buffer->GetSampleRate(), 22050u);
    EXPECT_FALSE(buffer->IsStreamed());

    Mixed();
    buffer->Play(false);
    ASSERT_NE(buffer->GetSecondaryBuffer(), nullptr);
    EXPECT_EQ(DeviceBytes(buffer->GetSecondaryBuffer()), Bytes(8, 128));
    const std::vector<std::int16_t> played = Frame(*buffer, 10000);
    EXPECT_TRUE(std::all_of(played.begin(), played.end(), [](std::int16_t sample) { return sample == 0; }));
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(SoundBufferTest, StaticDataShorterThanItsHeaderSaysIsPaddedWithSilence) {
    const Bytes pcm = soundtest::NoiseBytes(400);
    Bytes file = WavWriter::Write(kStereo16, pcm);
    file[40] = 0x20;  // data chunk claims 800 bytes
    file[41] = 0x03;
    WriteData("audio/short.wav", file);
    auto buffer = Make(L"audio\\short.wav", true);
    EXPECT_EQ(Errors(), std::vector<std::string>{"\"audio\\short.wav\" sound file - incorrect format"});
    Bytes expected = pcm;
    expected.resize(800, 0);
    EXPECT_EQ(DeviceBytes(buffer->GetSecondaryBuffer()), expected);
}

TEST_F(SoundBufferTest, PlayPauseAndStopMoveThroughStaticData) {
    const std::vector<std::int16_t> data = AsOutput(WriteSecond("audio/second.wav"));
    auto buffer = Make(L"audio\\second.wav", true);
    Mixed();
    buffer->Play(false);
    EXPECT_TRUE(buffer->IsPlaying());
    std::vector<std::int16_t> heard = Frame(*buffer, 250000);
    buffer->Pause();
    EXPECT_FALSE(buffer->IsPlaying());
    const std::vector<std::int16_t> paused = Frame(*buffer, 100000);
    EXPECT_TRUE(std::all_of(paused.begin(), paused.end(), [](std::int16_t sample) { return sample == 0; }));
    buffer->Play(false);  // continues
    const std::vector<std::int16_t> resumed = Frame(*buffer, 250000);
    heard.insert(heard.end(), resumed.begin(), resumed.end());
    ASSERT_EQ(heard.size(), 11025u * 2);  // half a second of stereo frames
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), data.begin()));

    buffer->Stop();
    EXPECT_NE(buffer->GetSecondaryBuffer(), nullptr);  // resident: kept
    buffer->Play(false);  // from the start again
    const std::vector<std::int16_t> again = Frame(*buffer, 100000);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), data.begin()));

    // A buffer that does not loop stops at its end.
    Frame(*buffer, 1000000);
    EXPECT_FALSE(buffer->IsPlaying());
}

TEST_F(SoundBufferTest, NonResidentBufferHoldsDeviceMemoryOnlyWhilePlaying) {
    WriteSecond("audio/second.wav");
    auto buffer = Make(L"audio\\second.wav", false);
    EXPECT_EQ(buffer->GetSecondaryBuffer(), nullptr);
    buffer->SetVolume(0.0f);  // kept for the device buffer made at Play
    Mixed();
    buffer->Play(false);
    ASSERT_NE(buffer->GetSecondaryBuffer(), nullptr);
    const std::vector<std::int16_t> heard = Frame(*buffer, 100000);
    EXPECT_TRUE(std::all_of(heard.begin(), heard.end(), [](std::int16_t sample) { return sample == 0; }));
    buffer->Stop();
    EXPECT_EQ(buffer->GetSecondaryBuffer(), nullptr);
}

TEST_F(SoundBufferTest, DeviceThatCannotMakeABufferLeavesItSilentUntilTheNextPlay) {
    const std::vector<std::int16_t> data = AsOutput(WriteSecond("audio/second.wav"));
    auto buffer = Make(L"audio\\second.wav", false);
    platform::seam::FailNextCalls("IDirectSound::CreateSoundBuffer", 1);
    buffer->Play(false);
    EXPECT_EQ(buffer->GetSecondaryBuffer(), nullptr);
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(Errors(), std::vector<std::string>{kOverflow});

    Mixed();
    buffer->Play(false);
    EXPECT_TRUE(buffer->IsPlaying());
    const std::vector<std::int16_t> heard = Frame(*buffer, 50000);
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), data.begin()));
}

TEST_F(SoundBufferTest, ResidentCopySharesTheDeviceMemoryOfItsSource) {
    WriteSecond("audio/second.wav");
    auto source = Make(L"audio\\second.wav", true);
    SoundBuffer_DS7 copy(*source, scratch_.data());
    EXPECT_TRUE(copy.IsResident());
    EXPECT_EQ(copy.GetFileName(), L"audio\\second.wav");
    ASSERT_NE(copy.GetSecondaryBuffer(), nullptr);
    EXPECT_NE(copy.GetSecondaryBuffer(), source->GetSecondaryBuffer());

    // A change to the source's memory shows through the copy.
    void* region = nullptr;
    DWORD size = 0;
    ASSERT_EQ(source->GetSecondaryBuffer()->Lock(0, 4, &region, &size, nullptr, nullptr, 0), DS_OK);
    std::fill_n(static_cast<std::uint8_t*>(region), 4, 0x5A);
    source->GetSecondaryBuffer()->Unlock(region, size, nullptr, 0);
    const Bytes shared = DeviceBytes(copy.GetSecondaryBuffer());
    EXPECT_EQ(Bytes(shared.begin(), shared.begin() + 4), Bytes(4, 0x5A));

    platform::seam::FailNextCalls("IDirectSound::DuplicateSoundBuffer", 1);
    SoundBuffer_DS7 failed(*source, scratch_.data());
    EXPECT_EQ(failed.GetSecondaryBuffer(), nullptr);
    EXPECT_EQ(Errors(), std::vector<std::string>{kOverflow});
    EXPECT_FALSE(failed.IsPlaying());
    failed.Play(false);  // tries again, now with a buffer of its own
    EXPECT_TRUE(failed.IsPlaying());
}

TEST_F(SoundBufferTest, LostStaticBufferIsRestoredAndFilledAgain) {
    const std::vector<std::int16_t> data = AsOutput(WriteSecond("audio/second.wav"));
    auto buffer = Make(L"audio\\second.wav", true);
    platform::seam::MarkSoundBufferLost(buffer->GetSecondaryBuffer());
    EXPECT_TRUE(buffer->IsLost());
    EXPECT_TRUE(buffer->Restore());
    EXPECT_FALSE(buffer->IsLost());
    ASSERT_NE(buffer->GetSecondaryBuffer(), nullptr);
    Mixed();
    buffer->Play(false);
    const std::vector<std::int16_t> heard = Frame(*buffer, 100000);
    ASSERT_FALSE(heard.empty());
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), data.begin()));

    platform::seam::MarkSoundBufferLost(buffer->GetSecondaryBuffer());
    platform::seam::FailNextCalls("IDirectSoundBuffer::Restore", 1);
    EXPECT_FALSE(buffer->Restore());
    EXPECT_TRUE(buffer->IsLost());

    auto idle = Make(L"audio\\second.wav", false);
    EXPECT_FALSE(idle->Restore());  // no device buffer to restore
}

TEST_F(SoundBufferTest, TempoScalesTheSampleRate) {
    WriteSecond("audio/second.wav");
    auto buffer = Make(L"audio\\second.wav", true);
    buffer->SetTempo(2.0f);
    DWORD frequency = 0;
    ASSERT_EQ(buffer->GetSecondaryBuffer()->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 44100u);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SoundBufferTest, MonoBuffersGet3DPositionsWhile3DIsOn) {
    StartSystem(true);
    WriteData("audio/mono.wav", WavWriter::Write(kMono8, Bytes(1000, 100)));
    WriteSecond("audio/stereo.wav");
    auto mono = Make(L"audio\\mono.wav", true);
    auto stereo = Make(L"audio\\stereo.wav", true);
    ASSERT_NE(mono->Get3DBuffer(), nullptr);
    EXPECT_EQ(stereo->Get3DBuffer(), nullptr);

    mono->SetPosition(Vantor::Vector3(1, 2, 3));
    stereo->SetPosition(Vantor::Vector3(1, 2, 3));  // nothing to set
    EXPECT_EQ(platform::seam::Applied3DBufferSettings(mono->Get3DBuffer()).position.y, 0.0f);
    system_->Refresh();
    EXPECT_EQ(platform::seam::Applied3DBufferSettings(mono->Get3DBuffer()).position.y, 2.0f);

    platform::seam::FailNextCalls("IDirectSoundBuffer::QueryInterface", 1);
    auto flat = Make(L"audio\\mono.wav", true);
    EXPECT_EQ(flat->Get3DBuffer(), nullptr);
    EXPECT_NE(flat->GetSecondaryBuffer(), nullptr);
    EXPECT_EQ(Errors(),
              std::vector<std::string>{"Sound System: Failed to get the 3D buffer from the secondary buffer"});
}

}  // namespace
