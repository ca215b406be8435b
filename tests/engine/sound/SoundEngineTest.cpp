// The engine and its sound: the sound system and the sound manager made after input and
// destroyed before it, the request queue replayed at every frame end, and a game that
// runs silent when the device cannot be opened.

#include <gtest/gtest.h>

#include <string>

#include "content/WavWriter.h"
#include "engine/kernel/Engine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "platform/FailureInjection.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace {

using Vantor::Engine;
using Vantor::Sound;
using Vantor::SoundManager;

using SoundEngineTest = enginetest::EngineObjectTest;

TEST_F(SoundEngineTest, EngineMakesTheSoundPairAndReplaysTheFramesRequestsAtItsEnd) {
    const soundtest::Bytes wav = Content::WavWriter::Write({1, 1, 22050, 8}, soundtest::NoiseBytes(2205));
    home_.folder.WriteFile("data/audio/click.wav", soundtest::ToString(wav));
    auto settings = home_.Settings();
    settings.use3DSound = true;
    {
        Engine engine(settings);
        ASSERT_NE(SoundManager::Instance(), nullptr);
        EXPECT_TRUE(Vantor::SoundSystem::Instance()->GetUse3D());
        Sound* click = SoundManager::Instance()->CreateSound(L"audio\\click.wav", true, "");

        engine.BeginFrame();
        SoundManager::Instance()->Play(click, false);
        EXPECT_EQ(click->GetState(), Sound::kStopped);
        engine.EndFrame();
        EXPECT_EQ(click->GetState(), Sound::kPlaying);

        // Inactive frames, as the framework makes them, hold the sounds; the next
        // frame end resumes them.
        SoundManager::Instance()->SetActive(false);
        EXPECT_EQ(click->GetState(), Sound::kPaused);
        engine.BeginFrame();
        engine.EndFrame();
        EXPECT_EQ(click->GetState(), Sound::kPlaying);
        // The engine's end takes the sound with it.
    }
    const std::string log = home_.ReadLog();
    const size_t input = Position(log, "Initialization of DirectInput devices...");
    const size_t sound = Position(log, "Initialization of DirectSound Subsystem:");
    const size_t listener = Position(log, "...Get the 3D listener from the primary buffer...");
    const size_t soundGone = Position(log, "DirectSound system destroying:");
    const size_t inputGone = Position(log, "DirectInput devices destroying:");
    const size_t windowGone = Position(log, "Window destroying:");
    EXPECT_LT(input, sound);
    EXPECT_LT(sound, listener);
    EXPECT_LT(listener, soundGone);
    EXPECT_LT(soundGone, inputGone);
    EXPECT_LT(inputGone, windowGone);
    EXPECT_EQ(log.find("Error"), std::string::npos);
}

// Without a device the engine is built all the same and its frames run without sound.
// An engine with sound came first, so the sound holders still name its deleted pair:
// the silent engine must not take them for its own.
TEST_F(SoundEngineTest, GameRunsSilentWhenTheDeviceCannotBeOpened) {
    { Engine withSound(home_.Settings()); }
    platform::seam::FailNextCalls("DirectSoundCreate", 1);
    {
        Engine engine(home_.Settings());
        for (int frame = 0; frame < 3; ++frame) {
            engine.BeginFrame();
            engine.EndFrame();
        }
    }
    const std::string log = home_.ReadLog();
    const size_t failed = Position(log, "Failed to create a device");
    const size_t teardown = log.find("DirectSound system destroying:", failed);
    EXPECT_NE(teardown, std::string::npos);
    EXPECT_NE(log.find("Window destroying:", teardown), std::string::npos);
}

}  // namespace
