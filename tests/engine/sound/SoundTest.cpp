// Sounds: the state machine of play, pause and stop, finished sounds, looping,
// settings and copies, and buffers whose device memory was lost.

#include <gtest/gtest.h>

#include <memory>

#include "engine/sound/Sound_DS7.h"
#include "tests/engine/sound/SoundManagerTestSupport.h"

namespace {

using Vantor::Sound;
using Vantor::SoundBuffer;

class SoundTest : public soundtest::SoundManagerTest {};

TEST_F(SoundTest, NewSoundHasDefaultsAndACopyTakesItsSourcesSettings) {
    WriteNoise("audio/second.wav", kSecondBytes);
    Sound* sound = Create(L"audio\\second.wav");
    EXPECT_EQ(sound->GetFileName(), L"audio\\second.wav");
    EXPECT_EQ(sound->GetVolume(), 1.0f);
    EXPECT_EQ(sound->GetTempo(), 1.0f);
    EXPECT_EQ(sound->GetPosition().x, 0.0f);
    EXPECT_EQ(sound->GetPosition().y, 0.0f);
    EXPECT_EQ(sound->GetPosition().z, 0.0f);
    EXPECT_FALSE(sound->IsLooping());
    EXPECT_TRUE(sound->IsActive());
    EXPECT_EQ(sound->GetState(), Sound::kStopped);

    sound->SetLooping(true);
    sound->SetVolume(0.5f);
    sound->SetTempo(0.5f);
    sound->SetPosition(Vantor::Vector3(1, 2, 3));
    sound->Play();
    const std::unique_ptr<Sound> copy(system_->CloneSound(*sound));
    EXPECT_EQ(copy->GetFileName(), L"audio\\second.wav");
    EXPECT_TRUE(copy->IsLooping());
    EXPECT_EQ(copy->GetVolume(), 0.5f);
    EXPECT_EQ(copy->GetTempo(), 0.5f);
    EXPECT_EQ(copy->GetPosition().y, 2.0f);
    EXPECT_EQ(copy->GetState(), Sound::kStopped);

    // The settings reach the copy's own buffer, which shares the source's data.
    const Vantor::SoundBuffer_DS7& buffer = BufferOf(copy.get());
    EXPECT_NE(&buffer, &BufferOf(sound));
    EXPECT_EQ(buffer.GetVolume(), 0.5f);
    DWORD frequency = 0;
    ASSERT_NE(buffer.GetSecondaryBuffer(), nullptr);
    ASSERT_EQ(buffer.GetSecondaryBuffer()->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 11025u);
    EXPECT_TRUE(ShareMemory(BufferOf(sound).GetSecondaryBuffer(), buffer.GetSecondaryBuffer()));
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SoundTest, CopyOfALoopingStreamLoopsToo) {
    WriteNoise("music/long.wav", SoundBuffer::kRingSize + 4);
    Sound* sound = Create(L"music\\long.wav", false);
    sound->SetLooping(true);
    EXPECT_TRUE(BufferOf(sound).IsLooping());
    const std::unique_ptr<Sound> copy(system_->CloneSound(*sound));
    ASSERT_TRUE(BufferOf(copy.get()).IsStreamed());
    EXPECT_TRUE(BufferOf(copy.get()).IsLooping());
}

TEST_F(SoundTest, PlayRestartsAPlayingSoundResumesAPausedOneAndStartsAStoppedOne) {
    const std::vector<std::int16_t> data = WriteNoise("audio/second.wav", kSecondBytes);
    Sound* sound = Create(L"audio\\second.wav");
    Mixed();

    sound->Play();
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0));
    sound->Play();
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0)) << "a playing sound starts again";

    sound->Pause();
    EXPECT_EQ(sound->GetState(), Sound::kPaused);
    EXPECT_TRUE(IsSilent(Pass(kTenthSecond)));
    sound->Play();
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, kTenth)) << "a paused sound continues";

    sound->Stop();
    EXPECT_EQ(sound->GetState(), Sound::kStopped);
    EXPECT_TRUE(IsSilent(Pass(kTenthSecond)));
    sound->Play();
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0)) << "a stopped sound starts from the beginning";
}

// A sound that is not heard any more keeps reading "playing" until the next pass.
TEST_F(SoundTest, FinishedSoundReadsStoppedAtTheNextPass) {
    WriteNoise("audio/tenth.wav", kSecondBytes / 10);
    const struct {
        const wchar_t* file;
        bool resident;
    } cases[] = {
        {L"audio\\tenth.wav", true},
        {L"audio\\tenth.wav", false},
        {L"audio\\missing.wav", false},  // plays the eight silent bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << (c.resident ? " resident" : " not resident"));
        Sound* sound = Create(c.file, c.resident);
        sound->Play();
        ASSERT_TRUE(BufferOf(sound).IsPlaying());
        platform::seam::AdvanceVirtualTime(2 * kTenthSecond);
        EXPECT_FALSE(BufferOf(sound).IsPlaying());
        EXPECT_EQ(sound->GetState(), Sound::kPlaying);
        manager_->SetActive(true);
        EXPECT_EQ(sound->GetState(), Sound::kStopped);
        EXPECT_EQ(BufferOf(sound).GetSecondaryBuffer() != nullptr, c.resident);
        manager_->DestroySound(sound);
    }
}

TEST_F(SoundTest, LoopingSetOnAPlayingStaticSoundTakesEffectWithoutARestart) {
    const std::vector<std::int16_t> data = WriteNoise("audio/tenth.wav", kSecondBytes / 10);
    Sound* sound = Create(L"audio\\tenth.wav");
    Mixed();
    sound->Play();
    std::vector<std::int16_t> heard = Pass(40000);
    sound->SetLooping(true);
    const std::vector<std::int16_t> more = Pass(kTenthSecond);
    heard.insert(heard.end(), more.begin(), more.end());
    ASSERT_EQ(heard.size(), kTenth * 14 / 10);
    EXPECT_TRUE(IsDataFrom(std::vector<std::int16_t>(heard.begin(), heard.begin() + kTenth), data, 0));
    EXPECT_TRUE(IsDataFrom(std::vector<std::int16_t>(heard.begin() + kTenth, heard.end()), data, 0));
    Pass(3 * kTenthSecond);
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
}

// A stream that does not loop is stopped one chunk after its data, and its sound then
// reads stopped; a looping one goes on.
TEST_F(SoundTest, StreamEndsUnlessItLoops) {
    WriteNoise("music/long.wav", SoundBuffer::kRingSize + SoundBuffer::kChunkSize);
    for (const bool looping : {false, true}) {
        SCOPED_TRACE(looping ? "looping" : "not looping");
        Sound* sound = Create(L"music\\long.wav", false);
        sound->SetLooping(looping);
        manager_->Play(sound, true);
        Passes(10000000);  // about one and a half times its length
        EXPECT_EQ(sound->GetState(), looping ? Sound::kPlaying : Sound::kStopped);
        EXPECT_EQ(BufferOf(sound).GetStreamState(), looping ? SoundBuffer::kPlaying : SoundBuffer::kStopped);
        manager_->DestroySound(sound);
    }
}

// Pausing a stopped stream leaves nothing in its ring to resume: a Play after it starts
// from the beginning of the file.
TEST_F(SoundTest, StoppedStreamPausedAndPlayedStartsFromTheBeginning) {
    const std::vector<std::int16_t> data = WriteNoise("music/long.wav", 2 * SoundBuffer::kRingSize);
    Sound* sound = Create(L"music\\long.wav", false);
    sound->Play();
    Passes(1000000);
    sound->Stop();
    sound->Pause();
    EXPECT_EQ(sound->GetState(), Sound::kPaused);
    Mixed();
    sound->Play();
    EXPECT_TRUE(IsDataFrom(Passes(2000000), data, 0));
}

TEST_F(SoundTest, LostStaticBufferIsRestoredAndItsSoundStops) {
    WriteNoise("audio/second.wav", kSecondBytes);
    Sound* sound = Create(L"audio\\second.wav");
    sound->Play();
    Pass(kTenthSecond);
    platform::seam::MarkSoundBufferLost(BufferOf(sound).GetSecondaryBuffer());

    // A restore that fails is tried again in the next frame.
    platform::seam::FailNextCalls("IDirectSoundBuffer::Restore", 1);
    Pass(kTenthSecond);
    EXPECT_TRUE(BufferOf(sound).IsLost());
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);

    Pass(kTenthSecond);
    EXPECT_FALSE(BufferOf(sound).IsLost());
    EXPECT_EQ(sound->GetState(), Sound::kStopped);
    sound->Play();
    EXPECT_FALSE(IsSilent(Pass(kTenthSecond)));
}

// A lost stream starts over in the state it was in.
TEST_F(SoundTest, LostStreamIsRestartedInItsState) {
    const std::vector<std::int16_t> data = WriteNoise("music/long.wav", 2 * SoundBuffer::kRingSize);
    Sound* playing = Create(L"music\\long.wav", false);
    Sound* paused = Create(L"music\\long.wav", false);
    paused->SetVolume(0.0f);
    playing->Play();
    paused->Play();
    Passes(2000000);
    paused->Pause();

    platform::seam::MarkAllSoundBuffersLost();
    Pass(16000);
    EXPECT_EQ(playing->GetState(), Sound::kPlaying);
    EXPECT_EQ(paused->GetState(), Sound::kPaused);
    EXPECT_FALSE(BufferOf(playing).IsLost());
    EXPECT_FALSE(BufferOf(paused).IsLost());
    EXPECT_TRUE(IsDataFrom(Passes(1000000), data, 0));

    playing->SetVolume(0.0f);
    paused->SetVolume(1.0f);
    paused->Play();
    EXPECT_TRUE(IsDataFrom(Passes(1000000), data, 0));
}

}  // namespace
