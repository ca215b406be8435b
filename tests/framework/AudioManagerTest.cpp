// The music and effects manager over the engine's sound manager on the headless mixer
// and the virtual clock: effects with several instances and the restart guard, music
// slots with their fades, the two volume variables, and a game without sound.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUISoundManager.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/AudioManager.h"
#include "framework/MusicTrack.h"
#include "framework/SoundEffect.h"
#include "platform/DirectSound.h"
#include "platform/FailureInjection.h"
#include "tests/framework/FrameworkEngineTestSupport.h"

namespace {

using GameFramework::AudioManager;
using GameFramework::MusicTrack;
using GameFramework::SoundEffect;
using Vantor::Sound;

// How far the per-frame re-send moves a volume.
constexpr float kJitter = 0.0005f;

class AudioManagerTest : public frameworktest::FrameworkEngineTest {
protected:
    void TearDown() override {
        audio_.reset();
        FrameworkEngineTest::TearDown();
    }

    // The engine, a few frames so that the clock is past the restart guard, and the
    // manager updated in every frame.
    void MakeAudio(float musicDefault = 1.0f, float soundDefault = 1.0f) {
        MakeEngine();
        audio_ = std::make_unique<AudioManager>(musicDefault, soundDefault, engine_->GetSoundManager());
        gameUpdate = [this] { audio_->Update(); };
        RunFrames(5);
    }

    std::vector<SoundEffect*> Instances(const std::string& name) const {
        std::vector<SoundEffect*> instances;
        for (SoundEffect* effect : audio_->GetEffects())
            if (effect->key == name) instances.push_back(effect);
        return instances;
    }

    static float Now() { return Vantor::TimerManager::Instance()->GetFrameTimer()->GetTime(); }

    // The samples mixed since the last look, up to the end of the frames.
    std::vector<std::int16_t> HeardDuring(float seconds) {
        std::vector<std::int16_t> heard;
        for (int frame = 0; frame < static_cast<int>(seconds / kFrameSeconds + 0.5f); ++frame) {
            RunFrame();
            const std::vector<std::int16_t> mixed = platform::seam::TakeMixedSamples();
            heard.insert(heard.end(), mixed.begin(), mixed.end());
        }
        return heard;
    }

    std::unique_ptr<AudioManager> audio_;
};

// --- Effects ---

TEST_F(AudioManagerTest, SecondPlayWithinTwoHundredthsOfASecondChangesNothing) {
    WriteSound("click.wav", 1.0f);
    MakeAudio();
    audio_->AddEffect("07", L"audio\\click.wav", false, 2, false);
    const std::vector<SoundEffect*> clicks = Instances("07");

    audio_->PlayEffect("07");
    const float started = clicks[0]->lastStart;
    EXPECT_FLOAT_EQ(started, Now());
    platform::seam::AdvanceVirtualTimeUnmixed(15000);
    audio_->PlayEffect("07");
    RunFrame();

    EXPECT_EQ(clicks[0]->lastStart, started);
    EXPECT_EQ(clicks[1]->lastStart, 0.0f);
    EXPECT_EQ(clicks[0]->sound->GetState(), Sound::kPlaying);
    EXPECT_EQ(clicks[1]->sound->GetState(), Sound::kStopped);
}

TEST_F(AudioManagerTest, ThreeInstancesPlayedFourTimesRestartTheOldestOnTheFourth) {
    WriteSound("ring.wav", 1.0f);
    MakeAudio();
    audio_->AddEffect("12", L"audio\\ring.wav", false, 3, false);
    const std::vector<SoundEffect*> rings = Instances("12");
    ASSERT_EQ(rings.size(), 3u);

    std::vector<float> calls;
    for (int call = 0; call < 4; ++call) {
        calls.push_back(Now());
        audio_->PlayEffect("12");
        RunFor(0.1f);
    }
    // The fourth call took the instance started longest ago: the first.
    EXPECT_FLOAT_EQ(rings[0]->lastStart, calls[3]);
    EXPECT_FLOAT_EQ(rings[1]->lastStart, calls[1]);
    EXPECT_FLOAT_EQ(rings[2]->lastStart, calls[2]);
    for (const SoundEffect* ring : rings) EXPECT_EQ(ring->sound->GetState(), Sound::kPlaying);
    // All three overlap; the first was started again and is the last to end.
    RunFor(0.85f);
    EXPECT_EQ(rings[0]->sound->GetState(), Sound::kPlaying);
    EXPECT_EQ(rings[2]->sound->GetState(), Sound::kStopped);
}

TEST_F(AudioManagerTest, PlayingLoopIsLeftAloneButItsStartTimeMoves) {
    const std::vector<std::int16_t> data = WriteSound("hum.wav", 2.0f);
    MakeAudio();
    audio_->AddEffect("20", L"audio\\hum.wav", true, 1, false);
    SoundEffect* hum = Instances("20")[0];

    platform::seam::TakeMixedSamples();
    audio_->PlayEffect("20");
    std::vector<std::int16_t> heard = HeardDuring(0.2f);
    const float again = Now();
    audio_->PlayEffect("20");
    EXPECT_FLOAT_EQ(hum->lastStart, again);
    // Within the guard of the moved start time: ignored.
    platform::seam::AdvanceVirtualTime(10000);
    audio_->PlayEffect("20");
    EXPECT_FLOAT_EQ(hum->lastStart, again);
    const std::vector<std::int16_t> later = HeardDuring(0.2f);
    heard.insert(heard.end(), later.begin(), later.end());

    // One unbroken run of the data from its start, after the silence before it began.
    const auto start = std::find_if(heard.begin(), heard.end(), [](std::int16_t sample) { return sample != 0; });
    const std::vector<std::int16_t> played(start, heard.end());
    ASSERT_GT(played.size(), 22050u / 2);
    ASSERT_LT(played.size(), data.size());
    EXPECT_TRUE(std::equal(played.begin(), played.end(), data.begin()));
}

// The search for the oldest instance starts from infinity: with a fixed starting best
// time, every instance would be "newer" once the clock passed it and stay silent.
TEST_F(AudioManagerTest, EffectsStillPlayAfterTheClockPassedOneHundredThousandSeconds) {
    WriteSound("pop.wav", 0.1f);
    MakeAudio();
    audio_->AddEffect("24", L"audio\\pop.wav", false, 1, false);
    SoundEffect* pop = Instances("24")[0];
    platform::seam::AdvanceVirtualTimeUnmixed(100001ull * 1000000ull);
    RunFrame();
    ASSERT_GT(Now(), 100000.0f);

    for (int play = 0; play < 3; ++play) {
        const float now = Now();
        audio_->PlayEffect("24");
        EXPECT_FLOAT_EQ(pop->lastStart, now);
        RunFrame();
        EXPECT_EQ(pop->sound->GetState(), Sound::kPlaying) << "play " << play;
        RunFor(0.2f);
        EXPECT_EQ(pop->sound->GetState(), Sound::kStopped);
    }
}

TEST_F(AudioManagerTest, EffectStateIsTheFirstInstancesAndStopGoesThroughTheQueue) {
    WriteSound("step.wav", 1.0f);
    MakeAudio();
    audio_->AddEffect("30", L"audio\\step.wav", false, 2, false);
    const std::vector<SoundEffect*> steps = Instances("30");
    steps[1]->lastStart = -1.0f;  // the second instance is the older one

    audio_->PlayEffect("30");
    RunFrame();
    EXPECT_EQ(steps[1]->sound->GetState(), Sound::kPlaying);
    EXPECT_EQ(audio_->GetEffectState("30"), Sound::kStopped);
    EXPECT_EQ(audio_->GetEffectState("nothing"), Sound::kStopped);

    audio_->StopEffect("30");
    EXPECT_EQ(steps[1]->sound->GetState(), Sound::kPlaying);
    RunFrame();
    EXPECT_EQ(steps[1]->sound->GetState(), Sound::kStopped);
}

// --- Music ---

TEST_F(AudioManagerTest, PlayingKeyIsLeftAloneAlsoWhileItFadesOutAfterStopAllMusic) {
    WriteSound("theme.wav", 2.0f);
    MakeAudio();
    audio_->AddMusic("00", L"audio\\theme.wav", true);
    audio_->PlayMusic(0, "00", false, 1.0f);
    MusicTrack* theme = audio_->FindSlotTrack(0);
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(audio_->GetSlotTrackName(0), "00");
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPlaying);
    RunFor(0.1f);

    audio_->PlayMusic(0, "00", true, 0.5f);
    EXPECT_EQ(theme->GetFadeKind(), MusicTrack::kNoFade);
    EXPECT_FLOAT_EQ(theme->GetVolume(), 1.0f);

    audio_->StopAllMusic(true, 2.0f);
    RunFor(0.2f);
    const float fading = theme->GetVolume();
    EXPECT_NEAR(fading, 0.6f, 0.01f);
    audio_->PlayMusic(0, "00", true, 0.5f);
    EXPECT_EQ(theme->GetFadeKind(), MusicTrack::kFadeOutAndStop);
    EXPECT_EQ(theme->GetVolume(), fading);

    RunFor(0.28f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPlaying);
    RunFor(0.06f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kStopped);
    EXPECT_EQ(audio_->GetSlotTrackName(0), "00");
}

TEST_F(AudioManagerTest, AnotherKeyFadesTheOldTrackOutInOneSecondAndTheNewOneInAtItsRate) {
    WriteSound("day.wav", 3.0f, 1);
    WriteSound("night.wav", 3.0f, 2);
    MakeAudio(0.5f);
    audio_->AddMusic("01", L"audio\\day.wav", true);
    audio_->AddMusic("02", L"audio\\night.wav", true);
    MusicTrack* day = audio_->FindTrack("01");
    MusicTrack* night = audio_->FindTrack("02");
    audio_->PlayMusic(1, "01", false, 1.0f);
    RunFor(0.1f);

    audio_->PlayMusic(1, "02", true, 0.5f);
    EXPECT_EQ(audio_->FindSlotTrack(1), night);
    EXPECT_EQ(day->GetFadeKind(), MusicTrack::kFadeOutAndStop);
    EXPECT_FLOAT_EQ(day->GetFadeRate(), 1.0f);
    EXPECT_EQ(night->GetFadeKind(), MusicTrack::kFadeIn);
    EXPECT_EQ(night->GetVolume(), 0.0f);
    EXPECT_EQ(night->GetState(), Sound::kPlaying);

    RunFor(0.9f);
    EXPECT_EQ(day->GetState(), Sound::kPlaying);
    EXPECT_NEAR(night->GetVolume(), 0.45f, 0.01f);
    // The engine hears the track's volume times the music volume.
    EXPECT_NEAR(night->GetSound()->GetVolume(), night->GetVolume() * 0.5f, kJitter);
    RunFor(0.14f);
    EXPECT_EQ(day->GetState(), Sound::kStopped);
    RunFor(0.9f);
    EXPECT_EQ(night->GetFadeKind(), MusicTrack::kFadeIn);
    RunFor(0.1f);
    EXPECT_EQ(night->GetFadeKind(), MusicTrack::kNoFade);
    EXPECT_EQ(night->GetVolume(), 1.0f);

    // Without a fade the new track starts at full volume.
    audio_->PlayMusic(1, "01", false, 0.5f);
    EXPECT_EQ(day->GetVolume(), 1.0f);
    EXPECT_EQ(day->GetState(), Sound::kPlaying);
    EXPECT_EQ(night->GetFadeKind(), MusicTrack::kFadeOutAndStop);
}

TEST_F(AudioManagerTest, FadeOutThatReachesExactlyZeroEndsOneFrameLater) {
    WriteSound("theme.wav", 2.0f);
    MakeAudio();
    audio_->AddMusic("00", L"audio\\theme.wav", true);
    audio_->PlayMusic(0, "00", false, 1.0f);
    MusicTrack* theme = audio_->FindSlotTrack(0);

    theme->SetFade(MusicTrack::kFadeOutAndStop, 1.0f);
    theme->UpdateFade(0.5f);
    theme->UpdateFade(0.5f);
    EXPECT_EQ(theme->GetVolume(), 0.0f);
    EXPECT_EQ(theme->GetFadeKind(), MusicTrack::kFadeOutAndStop);
    EXPECT_EQ(theme->GetState(), Sound::kPlaying);
    theme->UpdateFade(0.5f);
    EXPECT_EQ(theme->GetVolume(), 0.0f);
    EXPECT_EQ(theme->GetFadeKind(), MusicTrack::kNoFade);
    EXPECT_EQ(theme->GetState(), Sound::kStopped);
}

TEST_F(AudioManagerTest, ResumingAllMusicLeavesAStoppedTrackStopped) {
    WriteSound("a.wav", 2.0f, 1);
    WriteSound("b.wav", 2.0f, 2);
    MakeAudio();
    audio_->AddMusic("03", L"audio\\a.wav", true);
    audio_->AddMusic("04", L"audio\\b.wav", true);
    audio_->PlayMusic(0, "03", false, 1.0f);
    audio_->PlayMusic(2, "04", false, 1.0f);
    audio_->StopSlot(2, false, 1.0f);

    audio_->PauseAllMusic(true, false, 1.0f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPaused);
    EXPECT_EQ(audio_->GetSlotState(2), Sound::kStopped);
    audio_->PauseAllMusic(false, true, 0.5f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPlaying);
    EXPECT_EQ(audio_->FindSlotTrack(0)->GetFadeKind(), MusicTrack::kFadeIn);
    EXPECT_EQ(audio_->GetSlotState(2), Sound::kStopped);

    // A faded pause pauses once the volume is gone.
    RunFor(2.1f);
    audio_->PauseAllMusic(true, true, 2.0f);
    RunFor(0.48f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPlaying);
    RunFor(0.06f);
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPaused);
}

TEST_F(AudioManagerTest, UnknownKeyKeepsTheSlotsTrackAndIsWarned) {
    WriteSound("theme.wav", 2.0f);
    MakeAudio();
    audio_->AddMusic("00", L"audio\\theme.wav", true);
    audio_->PlayMusic(0, "00", false, 1.0f);
    Vantor::MessageManager::Instance()->ClearMessages();

    audio_->PlayMusic(0, "99", true, 1.0f);
    audio_->PlayMusic(3, "99", true, 1.0f);
    EXPECT_TRUE(enginetest::Logged("\nWarning: No music is registered under the key \"99\"!\n\n"));
    EXPECT_EQ(audio_->GetSlotTrackName(0), "00");
    EXPECT_EQ(audio_->GetSlotState(0), Sound::kPlaying);
    EXPECT_EQ(audio_->FindSlotTrack(0)->GetFadeKind(), MusicTrack::kNoFade);
    EXPECT_EQ(audio_->FindSlotTrack(3), nullptr);
    EXPECT_EQ(audio_->GetSlotState(3), Sound::kStopped);
}

// --- Volumes ---

TEST_F(AudioManagerTest, VolumesAreClampedToZeroToOne) {
    MakeAudio();
    struct Case {
        float asked;
        float stored;
    };
    for (const Case& c : {Case{1.5f, 1.0f}, Case{-0.2f, 0.0f}, Case{0.4f, 0.4f}}) {
        audio_->SetMusicVolume(c.asked);
        audio_->SetSoundVolume(c.asked);
        EXPECT_EQ(audio_->GetMusicVolume(), c.stored) << c.asked;
        EXPECT_EQ(audio_->GetSoundVolume(), c.stored) << c.asked;
    }
}

TEST_F(AudioManagerTest, EffectsVolumeReachesGuiSoundsButNotMusic) {
    WriteSound("theme.wav", 2.0f, 1);
    WriteSound("button.wav", 0.2f, 2);
    MakeAudio();
    audio_->AddMusic("00", L"audio\\theme.wav", true);
    Vantor::GUIManager::Instance()->GetSoundManager()->AddSound("gui_default_button_click", L"audio\\button.wav",
                                                                true);
    const Sound* button = Vantor::GUIManager::Instance()->GetSoundManager()->GetSounds()[0]->sound;

    audio_->SetSoundVolume(0.3f);
    EXPECT_FLOAT_EQ(button->GetVolume(), 0.3f);
    EXPECT_FLOAT_EQ(audio_->FindTrack("00")->GetSound()->GetVolume(), 1.0f);
}

TEST_F(AudioManagerTest, VolumeSetInTheConsoleIsHeardAtTheNextUpdate) {
    WriteSound("theme.wav", 2.0f, 1);
    WriteSound("bell.wav", 0.2f, 2);
    MakeAudio();
    audio_->AddMusic("00", L"audio\\theme.wav", true);
    audio_->AddEffect("08", L"audio\\bell.wav", false, 1, true);
    const Sound* theme = audio_->FindTrack("00")->GetSound();
    const Sound* bell = Instances("08")[0]->sound;

    ASSERT_EQ(Vantor::Config::Instance()->ExecuteLine("g_sound_volume 0.25"), Vantor::ConfigResult::Done);
    ASSERT_EQ(Vantor::Config::Instance()->ExecuteLine("g_music_volume 0.5"), Vantor::ConfigResult::Done);
    EXPECT_FLOAT_EQ(bell->GetVolume(), 1.0f);
    EXPECT_FLOAT_EQ(theme->GetVolume(), 1.0f);

    RunFrame();
    EXPECT_NEAR(bell->GetVolume(), 0.25f, kJitter);
    EXPECT_NEAR(theme->GetVolume(), 0.5f, kJitter);
    // The re-send does not move the stored values.
    EXPECT_EQ(audio_->GetSoundVolume(), 0.25f);
    EXPECT_EQ(audio_->GetMusicVolume(), 0.5f);
}

TEST_F(AudioManagerTest, VolumeVariablesAreSavedWithTheirDefaultsAndLeftAtTheEnd) {
    home_.WriteIni("g_music_volume 0.3\n");
    MakeAudio(0.8f, 0.65f);
    Vantor::Config& config = *Vantor::Config::Instance();
    EXPECT_EQ(config.GetDefaultText("g_music_volume"), "0.800000");
    EXPECT_EQ(config.GetDefaultText("g_sound_volume"), "0.650000");
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 0.3f);
    EXPECT_FLOAT_EQ(audio_->GetSoundVolume(), 0.65f);
    EXPECT_FLOAT_EQ(audio_->GetConfiguredMusicVolume(), 0.8f);
    EXPECT_FLOAT_EQ(audio_->GetConfiguredSoundVolume(), 0.65f);

    audio_.reset();
    EXPECT_EQ(config.ExecuteLine("g_music_volume 0.5"), Vantor::ConfigResult::Unknown);
    EXPECT_EQ(config.ExecuteLine("g_sound_volume 0.5"), Vantor::ConfigResult::Unknown);
}

TEST_F(AudioManagerTest, ResolvesToTheWaveFileWhenOnlyThatExists) {
    WriteSound("both.ogg", 0.1f);
    WriteSound("both.wav", 0.1f);
    WriteSound("wave.wav", 0.1f);
    MakeAudio();
    EXPECT_EQ(AudioManager::ResolveAudioPath(L"both.ogg"), L"audio\\both.ogg");
    EXPECT_EQ(AudioManager::ResolveAudioPath(L"wave.ogg"), L"audio\\wave.wav");
    EXPECT_EQ(AudioManager::ResolveAudioPath(L"none.ogg"), L"audio\\none.ogg");
}

// --- Without sound ---

TEST_F(AudioManagerTest, WithoutSoundEverythingIsSilentAndStopped) {
    WriteSound("theme.wav", 2.0f, 1);
    WriteSound("bell.wav", 0.2f, 2);
    platform::seam::FailNextCalls("DirectSoundCreate", 1);
    MakeAudio(0.8f, 0.6f);
    ASSERT_EQ(engine_->GetSoundManager(), nullptr);

    audio_->AddMusic("00", L"audio\\theme.wav", true);
    audio_->AddEffect("08", L"audio\\bell.wav", true, 2, false);
    EXPECT_TRUE(audio_->GetTracks().empty());
    EXPECT_TRUE(audio_->GetEffects().empty());
    audio_->PlayMusic(0, "00", true, 1.0f);
    audio_->PlayEffect("08");
    audio_->PauseAllMusic(false, true, 0.5f);
    audio_->SetMusicVolume(0.1f);
    RunFrames(3);

    EXPECT_EQ(audio_->GetSlotState(0), Sound::kStopped);
    EXPECT_EQ(audio_->GetSlotTrackName(0), "");
    EXPECT_EQ(audio_->GetEffectState("08"), Sound::kStopped);
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 0.8f);
    EXPECT_FLOAT_EQ(audio_->GetSoundVolume(), 0.6f);
}

}  // namespace
