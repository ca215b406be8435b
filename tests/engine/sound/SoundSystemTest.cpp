#include "engine/sound/SoundSystem_DS7.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>

#include "engine/kernel/Error.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace {

using Vantor::SoundSystem_DS7;
using Vantor::Vector3;

void ExpectVector(const Vector3& vector, float x, float y, float z) {
    EXPECT_EQ(vector.x, x);
    EXPECT_EQ(vector.y, y);
    EXPECT_EQ(vector.z, z);
}

class SoundSystemTest : public soundtest::SoundKernelTest {
protected:
    // Construction must fail with an empty error; returns the log it wrote.
    std::vector<std::string> FailedConstruction(const char* failingCall, bool use3D = false) {
        platform::seam::FailNextCalls(failingCall, 1);
        try {
            SoundSystem_DS7 system(use3D, soundtest::GameWindow());
            ADD_FAILURE() << "the sound system was made although " << failingCall << " failed";
        } catch (const Vantor::Error& error) {
            EXPECT_EQ(error.GetText(), "");
        }
        return Logged();
    }
};

TEST_F(SoundSystemTest, ResultCodesAreWrittenWithTheirTexts) {
    const struct {
        HRESULT code;
        const char* text;
    } cases[] = {
        {DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
        {DSERR_ALLOCATED,
         "The request failed because resources, such as a priority level, were already in use by another caller."},
        {DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
        {DSERR_UNINITIALIZED,
         "The IDirectSound::Initialize method has not been called or has not been called successfully before "
         "other methods were called."},
        {1, "Unknown error (Code: 1)"},
        {static_cast<HRESULT>(0x80000000u), "Unknown error (Code: -2147483648)"},
    };
    for (const auto& entry : cases) {
        soundtest::SharedLog().ClearMessages();
        SoundSystem_DS7::CheckResult("SoundBuffer_DS7::Play", entry.code);
        EXPECT_EQ(Errors(), std::vector<std::string>{std::string("DirectSound Subsystem (SoundBuffer_DS7::Play): ") +
                                                     entry.text});
    }
    soundtest::SharedLog().ClearMessages();
    SoundSystem_DS7::CheckResult("SoundSystem_DS7::Refresh", DS_OK);
    EXPECT_TRUE(Logged().empty());
}

TEST_F(SoundSystemTest, EveryFailureCodeOfTheDeviceHasATextOfItsOwn) {
    const HRESULT codes[] = {DSERR_UNSUPPORTED,     DSERR_NOINTERFACE,        DSERR_GENERIC,
                             DSERR_NOAGGREGATION,   DSERR_ACCESSDENIED,       DSERR_OUTOFMEMORY,
                             DSERR_INVALIDPARAM,    DSERR_ALLOCATED,          DSERR_CONTROLUNAVAIL,
                             DSERR_INVALIDCALL,     DSERR_PRIOLEVELNEEDED,    DSERR_BADFORMAT,
                             DSERR_NODRIVER,        DSERR_ALREADYINITIALIZED, DSERR_BUFFERLOST,
                             DSERR_OTHERAPPHASPRIO, DSERR_UNINITIALIZED};
    soundtest::SharedLog().ClearMessages();
    for (HRESULT code : codes) SoundSystem_DS7::CheckResult("SoundSystem_DS7::Refresh", code);
    std::vector<std::string> texts = Errors();
    ASSERT_EQ(texts.size(), std::size(codes));
    for (const std::string& text : texts) EXPECT_EQ(text.find("Unknown error"), std::string::npos) << text;
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
}

TEST_F(SoundSystemTest, VolumeBecomesAThousandTimesItsNaturalLogarithm) {
    const struct {
        float volume;
        LONG attenuation;
    } cases[] = {
        {1.0f, 0},        {0.75f, -287},     {0.5f, -693},      {0.26f, -1347},       {0.1f, -2302},
        {0.01f, -4605},   {0.001f, -6907},   {0.0001f, -9210},  {0.0000999f, -10000}, {0.0f, -10000},
        {-1.0f, -10000},  {2.0f, 693},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(SoundSystem_DS7::VolumeToAttenuation(entry.volume), entry.attenuation) << entry.volume;
}

TEST_F(SoundSystemTest, OpensTheDeviceWithAPrimaryBufferOf22050HzStereo) {
    SoundSystem_DS7 system(false, soundtest::GameWindow());
    EXPECT_NE(system.GetDevice(), nullptr);
    EXPECT_NE(system.GetPrimaryBuffer(), nullptr);
    EXPECT_EQ(system.GetListener(), nullptr);
    EXPECT_FALSE(system.GetUse3D());
    const WAVEFORMATEX format = platform::seam::PrimarySoundFormat();
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(Logged(), (std::vector<std::string>{"\nInitialization of DirectSound Subsystem:\n",
                                                  "...Creating a device...\n", "...Set cooperative level...\n",
                                                  "...Create primary buffer...\n",
                                                  "...Set primary buffer format...\n", "\n"}));

    // Without 3D the listener operations only store their vectors.
    system.SetListenerPosition(Vector3(1, 2, 3));
    system.SetListenerOrientation(Vector3(0, 1, 0), Vector3(1, 0, 0));
    ExpectVector(system.GetListenerPosition(), 1, 2, 3);
    ExpectVector(system.GetListenerUp(), 1, 0, 0);
    system.ResetListener();
    ExpectVector(system.GetListenerPosition(), 0, 0, 0);
    ExpectVector(system.GetListenerForward(), 0, 0, -1);
    ExpectVector(system.GetListenerUp(), 0, 1, 0);
}

TEST_F(SoundSystemTest, ListenerSettingsTakeEffectAtTheNextRefresh) {
    SoundSystem_DS7 system(true, soundtest::GameWindow());
    ASSERT_NE(system.GetListener(), nullptr);
    EXPECT_TRUE(system.GetUse3D());
    const std::vector<std::string> logged = Logged();
    EXPECT_NE(std::find(logged.begin(), logged.end(), "...Get the 3D listener from the primary buffer...\n"),
              logged.end());

    system.SetListenerPosition(Vector3(4, 5, 6));
    system.SetListenerOrientation(Vector3(1, 0, 0), Vector3(0, 0, 1));
    EXPECT_EQ(platform::seam::Applied3DListenerSettings(system.GetListener()).position.x, 0.0f);
    system.Refresh();
    const platform::Sound3DListenerSettings applied = platform::seam::Applied3DListenerSettings(system.GetListener());
    EXPECT_EQ(applied.position.z, 6.0f);
    EXPECT_EQ(applied.front.x, 1.0f);
    EXPECT_EQ(applied.top.z, 1.0f);
}

TEST_F(SoundSystemTest, MissingListenerLeavesTheSystemWithout3D) {
    platform::seam::FailNextCalls("IDirectSoundBuffer::QueryInterface", 1);
    SoundSystem_DS7 system(true, soundtest::GameWindow());
    EXPECT_EQ(system.GetListener(), nullptr);
    EXPECT_FALSE(system.GetUse3D());
    EXPECT_EQ(Errors(), std::vector<std::string>{"Failed to get the 3D listener from the primary buffer"});
}

// The engine swallows the error and goes on without a sound system.
TEST_F(SoundSystemTest, DeviceFailureLeavesTheGameWithoutSound) {
    const std::vector<std::string> logged = FailedConstruction("DirectSoundCreate");
    EXPECT_EQ(logged, (std::vector<std::string>{"\nInitialization of DirectSound Subsystem:\n",
                                                "...Creating a device...\n",
                                                "\nError: Failed to create a device!\n\n",
                                                "DirectSound system destroying:\n"}));
}

TEST_F(SoundSystemTest, LaterConstructionFailuresReleaseWhatWasMadeOnce) {
    const struct {
        const char* call;
        const char* error;
        std::vector<std::string> releases;
    } cases[] = {
        {"IDirectSound::SetCooperativeLevel", "Failed to set cooperative level", {"...Releasing device...\n"}},
        {"IDirectSound::CreateSoundBuffer", "Failed to create primary buffer", {"...Releasing device...\n"}},
        {"IDirectSoundBuffer::SetFormat",
         "Failed to set primary buffer format",
         {"...Releasing primary buffer...\n", "...Releasing device...\n"}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.call);
        soundtest::SharedLog().ClearMessages();
        std::vector<std::string> logged = FailedConstruction(entry.call);
        EXPECT_EQ(Errors(), std::vector<std::string>{entry.error});
        const auto teardown = std::find(logged.begin(), logged.end(), "DirectSound system destroying:\n");
        ASSERT_NE(teardown, logged.end());
        EXPECT_EQ(std::vector<std::string>(teardown + 1, logged.end()), entry.releases);
    }
    // Nothing was left open: a new system gets the device.
    SoundSystem_DS7 system(false, soundtest::GameWindow());
    EXPECT_NE(system.GetPrimaryBuffer(), nullptr);
}

TEST_F(SoundSystemTest, TeardownReleasesListenerPrimaryAndDevice) {
    {
        SoundSystem_DS7 system(true, soundtest::GameWindow());
        soundtest::SharedLog().ClearMessages();
    }
    EXPECT_EQ(Logged(), (std::vector<std::string>{"DirectSound system destroying:\n", "...Releasing 3D listener...\n",
                                                  "...Releasing primary buffer...\n", "...Releasing device...\n"}));
}

TEST_F(SoundSystemTest, RefreshRestoresAPrimaryBufferThatIsOnlyLost) {
    SoundSystem_DS7 system(false, soundtest::GameWindow());
    IDirectSoundBuffer* primary = system.GetPrimaryBuffer();
    const auto status = [primary] {
        DWORD value = 0;
        primary->GetStatus(&value);
        return value;
    };

    platform::seam::MarkSoundBufferLost(primary);
    ASSERT_EQ(status(), DSBSTATUS_BUFFERLOST);
    system.Refresh();
    EXPECT_EQ(status(), 0u);

    // While a secondary buffer plays, the primary reports playing beside lost: left alone.
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC description{36, DSBCAPS_CTRLVOLUME, 4410, 0, &format, DS3DALG_DEFAULT};
    IDirectSoundBuffer* secondary = nullptr;
    ASSERT_EQ(system.GetDevice()->CreateSoundBuffer(&description, &secondary, nullptr), DS_OK);
    ASSERT_EQ(secondary->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    platform::seam::MarkSoundBufferLost(primary);
    ASSERT_NE(status(), DSBSTATUS_BUFFERLOST);
    system.Refresh();
    EXPECT_NE(status() & DSBSTATUS_BUFFERLOST, 0u);
    secondary->Release();
}

}  // namespace
