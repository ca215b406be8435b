// The sound manager: its tables of sounds and buffers, shared static data, the request
// queue and the per-frame pass while active and inactive.

#include "engine/sound/SoundManager.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/engine/sound/SoundManagerTestSupport.h"

namespace {

using Vantor::Sound;
using Vantor::SoundBuffer;

class SoundManagerTest : public soundtest::SoundManagerTest {
protected:
    std::vector<std::uint32_t> Ids() const {
        std::vector<std::uint32_t> ids;
        for (std::size_t i = 0; i < manager_->GetSoundCount(); ++i) ids.push_back(manager_->GetSoundId(i));
        return ids;
    }
};

TEST_F(SoundManagerTest, DestroyedIdIsTakenByTheNextSoundWhichIsListedLast) {
    EXPECT_EQ(manager_->GetSoundCount(), 0u);
    std::vector<Sound*> made;
    for (int i = 0; i < 5; ++i) made.push_back(Create(L""));
    EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));

    manager_->DestroySound(made[3]);
    EXPECT_EQ(manager_->GetSoundCount(), 4u);
    Sound* reused = Create(L"");
    EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{0, 1, 2, 4, 3}));
    EXPECT_EQ(manager_->GetSound(4), reused);
    EXPECT_EQ(manager_->GetSound(3), made[4]);

    // The most recently freed id first.
    manager_->DestroySound(made[1]);
    manager_->DestroySound(made[0]);
    Create(L"");
    Create(L"");
    EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{2, 4, 3, 0, 1}));
    Create(L"");
    EXPECT_EQ(manager_->GetSoundId(5), 5u);

    manager_->DestroySound(nullptr);
    EXPECT_EQ(manager_->GetSoundCount(), 6u);
}

TEST_F(SoundManagerTest, SoundsOfOneStaticFileShareItsData) {
    WriteNoise("audio/second.wav", kSecondBytes);
    Sound* first = Create(L"audio\\second.wav", true);
    Sound* second = Create(L"Audio\\SECOND.wav", false);  // a copy: resident like its source
    EXPECT_NE(&BufferOf(first), &BufferOf(second));
    EXPECT_TRUE(BufferOf(second).IsResident());
    ASSERT_NE(BufferOf(second).GetSecondaryBuffer(), nullptr);
    EXPECT_TRUE(ShareMemory(BufferOf(first).GetSecondaryBuffer(), BufferOf(second).GetSecondaryBuffer()));

    // The first live buffer of the name is the one copied.
    manager_->DestroySound(first);
    Sound* third = Create(L"audio\\second.wav", true);
    EXPECT_TRUE(ShareMemory(BufferOf(third).GetSecondaryBuffer(), BufferOf(second).GetSecondaryBuffer()));

    // A copy of a buffer that is not resident is not resident either.
    WriteNoise("audio/other.wav", kSecondBytes / 2);
    Create(L"audio\\other.wav", false);
    EXPECT_FALSE(BufferOf(Create(L"audio\\other.wav", true)).IsResident());
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SoundManagerTest, SoundsOfOneStreamedFileHaveRingsOfTheirOwn) {
    const std::vector<std::int16_t> data = WriteNoise("music/long.wav", 2 * SoundBuffer::kRingSize);
    Sound* first = Create(L"music\\long.wav", false);
    first->Play();
    Passes(1000000);
    Sound* second = Create(L"music\\long.wav", false);
    second->Play();
    ASSERT_NE(BufferOf(second).GetSecondaryBuffer(), nullptr);
    EXPECT_FALSE(ShareMemory(BufferOf(first).GetSecondaryBuffer(), BufferOf(second).GetSecondaryBuffer()));

    // Each plays its own place in the file.
    first->SetVolume(0.0f);
    EXPECT_TRUE(IsDataFrom(Passes(1000000), data, 0));
}

TEST_F(SoundManagerTest, RequestsRunAtOnceOrAtTheEndOfTheFrameInTheirOrder) {
    const std::vector<std::int16_t> data = WriteNoise("audio/second.wav", kSecondBytes);
    Sound* sound = Create(L"audio\\second.wav");
    Mixed();

    manager_->Play(sound, false);
    EXPECT_EQ(sound->GetState(), Sound::kStopped);
    EXPECT_TRUE(IsSilent(Pass(kTenthSecond)));
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0));

    // A pause and a play: the sound continues. A play and a pause: it starts again
    // and stays paused.
    manager_->Pause(sound, false);
    manager_->Play(sound, false);
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, kTenth));
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 2 * kTenth));
    manager_->Play(sound, false);
    manager_->Pause(sound, false);
    Pass(kTenthSecond);
    EXPECT_EQ(sound->GetState(), Sound::kPaused);
    manager_->Play(sound, true);
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0));

    manager_->Stop(sound, true);
    EXPECT_EQ(sound->GetState(), Sound::kStopped);
}

// While inactive every request waits, however many inactive frames pass; the first
// active pass carries the requests out and resumes only the sounds that were playing
// and that no request has decided otherwise about.
TEST_F(SoundManagerTest, ActivePassAfterInactiveFramesResumesExactlyThePlayingSounds) {
    const std::vector<std::int16_t> data = WriteNoise("audio/second.wav", kSecondBytes);
    struct Case {
        const char* what;
        int before;  // the state when the window became inactive
        void (Vantor::SoundManager::*request)(Sound*, bool);
        bool immediate;
        int after;
    };
    using M = Vantor::SoundManager;
    const Case cases[] = {
        {"playing", Sound::kPlaying, nullptr, true, Sound::kPlaying},
        {"paused", Sound::kPaused, nullptr, true, Sound::kPaused},
        {"stopped", Sound::kStopped, nullptr, true, Sound::kStopped},
        {"playing, then stopped", Sound::kPlaying, &M::Stop, true, Sound::kStopped},
        {"playing, then paused", Sound::kPlaying, &M::Pause, true, Sound::kPaused},
        {"playing, then paused at the frame end", Sound::kPlaying, &M::Pause, false, Sound::kPaused},
        {"paused, then played", Sound::kPaused, &M::Play, true, Sound::kPlaying},
        {"stopped, then played", Sound::kStopped, &M::Play, false, Sound::kPlaying},
    };
    std::vector<Sound*> sounds;
    for (const Case& c : cases) {
        Sound* sound = Create(L"audio\\second.wav");
        sound->SetVolume(0.0f);
        if (c.before != Sound::kStopped) sound->Play();
        if (c.before == Sound::kPaused) sound->Pause();
        sounds.push_back(sound);
    }
    // The one that is heard.
    sounds[0]->SetVolume(1.0f);
    Mixed();
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, 0));

    Pass(0, false);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        if (cases[i].request != nullptr) (manager_.get()->*cases[i].request)(sounds[i], cases[i].immediate);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(IsSilent(Pass(kTenthSecond, false)));
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            SCOPED_TRACE(cases[i].what);
            EXPECT_FALSE(sounds[i]->IsActive());
            EXPECT_EQ(sounds[i]->GetState(), cases[i].before == Sound::kStopped ? Sound::kStopped : Sound::kPaused);
        }
    }

    Pass(0);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_TRUE(sounds[i]->IsActive());
        EXPECT_EQ(sounds[i]->GetState(), cases[i].after);
    }
    // It goes on where it was paused.
    EXPECT_TRUE(IsDataFrom(Pass(kTenthSecond), data, kTenth));
    // The requests were carried out once: nothing changes in the next frames.
    Pass(kTenthSecond);
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(sounds[i]->GetState(), cases[i].after);
}

// A request still queued for a destroyed sound is dropped with it; it reaches neither
// the deleted sound nor a new one made in its place.
TEST_F(SoundManagerTest, DestroyingASoundDropsItsQueuedRequests) {
    WriteNoise("audio/second.wav", kSecondBytes);
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        Pass(0, active);
        Sound* doomed = Create(L"audio\\second.wav");
        Sound* kept = Create(L"audio\\second.wav");
        manager_->Play(doomed, false);
        manager_->Play(kept, false);
        manager_->Stop(doomed, false);
        manager_->DestroySound(doomed);
        Sound* next = Create(L"audio\\second.wav");
        Pass(kTenthSecond);
        EXPECT_EQ(kept->GetState(), Sound::kPlaying);
        EXPECT_EQ(next->GetState(), Sound::kStopped);
        manager_->DestroySound(kept);
        manager_->DestroySound(next);
    }
}

TEST_F(SoundManagerTest, DestroyingSoundsSilencesThemAtOnce) {
    WriteNoise("audio/second.wav", kSecondBytes);
    WriteNoise("music/long.wav", 2 * SoundBuffer::kRingSize);
    Sound* effect = Create(L"audio\\second.wav");
    effect->Play();
    EXPECT_FALSE(IsSilent(Pass(kTenthSecond)));
    manager_->DestroySound(effect);
    EXPECT_TRUE(IsSilent(Pass(kTenthSecond)));

    // The manager's end takes every sound and buffer with it, queued requests and all.
    Create(L"music\\long.wav", false)->Play();
    manager_->Play(Create(L"audio\\second.wav"), false);
    manager_->Pause(manager_->GetSound(0), false);
    EXPECT_FALSE(IsSilent(Pass(kTenthSecond)));
    manager_.reset();
    EXPECT_TRUE(IsSilent(Mixed()));
    platform::seam::AdvanceVirtualTime(kTenthSecond);
    EXPECT_TRUE(IsSilent(Mixed()));
}

}  // namespace
