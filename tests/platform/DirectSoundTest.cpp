#include "platform/DirectSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/Clock.h"
#include "platform/FailureInjection.h"

namespace {

HWND__ gameWindow{};
const HWND kWindow = &gameWindow;
constexpr DWORD kControls = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY;

WAVEFORMATEX Pcm(WORD channels, WORD bits, DWORD rate = 22050) {
    const WORD align = static_cast<WORD>(channels * bits / 8);
    return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

std::vector<uint8_t> Bytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

// A ramp that never repeats a value, so a misplaced frame shows.
std::vector<int16_t> Ramp(size_t count, int16_t first = 100) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>(first + 7 * i);
    return samples;
}

// What a mono source at full volume and its own rate sounds like on the stereo output.
std::vector<int16_t> OnBothChannels(const std::vector<int16_t>& mono) {
    std::vector<int16_t> stereo;
    for (int16_t sample : mono) stereo.insert(stereo.end(), {sample, sample});
    return stereo;
}

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::seam::SetVirtualTime(0);
        ASSERT_EQ(DirectSoundCreate(nullptr, &device_, nullptr), DS_OK);
        ASSERT_EQ(device_->SetCooperativeLevel(kWindow, DSSCL_PRIORITY), DS_OK);
    }

    void TearDown() override {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) (*it)->Release();
        device_->Release();
        platform::seam::ClearInjectedFailures();
    }

    IDirectSoundBuffer* Make(DSBUFFERDESC desc) {
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        if (buffer) owned_.push_back(buffer);
        return buffer;
    }

    IDirectSoundBuffer* Secondary(WAVEFORMATEX format, DWORD bytes, DWORD flags = kControls) {
        return Make(DSBUFFERDESC{36, flags, bytes, 0, &format, DS3DALG_DEFAULT});
    }

    IDirectSoundBuffer* Primary(DWORD flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME) {
        return Make(DSBUFFERDESC{36, flags, 0, 0, nullptr, DS3DALG_DEFAULT});
    }

    IDirectSoundBuffer* Loaded(WAVEFORMATEX format, const std::vector<uint8_t>& bytes, DWORD flags = kControls) {
        IDirectSoundBuffer* buffer = Secondary(format, static_cast<DWORD>(bytes.size()), flags);
        Write(buffer, 0, bytes);
        return buffer;
    }

    static void Write(IDirectSoundBuffer* buffer, DWORD offset, const std::vector<uint8_t>& bytes) {
        void* first = nullptr;
        void* second = nullptr;
        DWORD firstBytes = 0, secondBytes = 0;
        ASSERT_EQ(buffer->Lock(offset, static_cast<DWORD>(bytes.size()), &first, &firstBytes, &second, &secondBytes, 0),
                  DS_OK);
        std::memcpy(first, bytes.data(), firstBytes);
        if (secondBytes) std::memcpy(second, bytes.data() + firstBytes, secondBytes);
        ASSERT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);
    }

    static std::vector<uint8_t> ReadAll(IDirectSoundBuffer* buffer) {
        void* first = nullptr;
        DWORD firstBytes = 0;
        EXPECT_EQ(buffer->Lock(0, 0, &first, &firstBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        std::vector<uint8_t> bytes(static_cast<uint8_t*>(first), static_cast<uint8_t*>(first) + firstBytes);
        EXPECT_EQ(buffer->Unlock(first, 0, nullptr, 0), DS_OK);
        return bytes;
    }

    static DWORD Status(IDirectSoundBuffer* buffer) {
        DWORD status = 0xFFFFFFFF;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return status;
    }

    static DWORD PlayCursor(IDirectSoundBuffer* buffer) {
        DWORD play = 0, write = 0;
        EXPECT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
        return play;
    }

    // Moves the virtual clock so that exactly `frames` more output frames are due.
    void AdvanceFrames(uint64_t frames) {
        framesDue_ += frames;
        platform::seam::SetVirtualTime((framesDue_ * 1'000'000 + 22049) / 22050);
    }

    static std::vector<int16_t> Mixed() { return platform::seam::TakeMixedSamples(); }

    IDirectSound* device_ = nullptr;
    std::vector<IDirectSoundBuffer*> owned_;
    uint64_t framesDue_ = 0;
};

// --- Device and reference counts -------------------------------------------------

TEST(DirectSoundCreateTest, InjectedFailureLeavesNoDeviceAndTheNextCallSucceeds) {
    IDirectSound* device = reinterpret_cast<IDirectSound*>(&gameWindow);
    platform::seam::FailNextCalls("DirectSoundCreate", 1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(platform::seam::PrimarySoundFormat().nSamplesPerSec, 0u);

    int outer = 0;
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, &outer), DSERR_NOAGGREGATION);
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->Release(), 0u);
}

TEST_F(DirectSoundTest, ReleaseReturnsTheReferencesThatRemain) {
    EXPECT_EQ(device_->AddRef(), 2u);
    EXPECT_EQ(device_->Release(), 1u);

    WAVEFORMATEX mono = Pcm(1, 16);
    DSBUFFERDESC desc{36, DSBCAPS_CTRL3D | kControls, 64, 0, &mono, DS3DALG_DEFAULT};
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    IDirectSound3DBuffer* spatial = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&spatial)), DS_OK);
    IDirectSoundBuffer* duplicate = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(buffer, &duplicate), DS_OK);

    // The 3D interface is the same object as its buffer; a duplicate is its own object.
    EXPECT_EQ(spatial->Release(), 1u);
    EXPECT_EQ(duplicate->Release(), 0u);
    EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(DirectSoundTest, CooperativeLevelNeedsAWindowAndAKnownLevel) {
    EXPECT_EQ(device_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DSERR_INVALIDPARAM);
    EXPECT_EQ(device_->SetCooperativeLevel(kWindow, 5), DSERR_INVALIDPARAM);
    platform::seam::FailNextCalls("IDirectSound::SetCooperativeLevel", 1);
    EXPECT_EQ(device_->SetCooperativeLevel(kWindow, DSSCL_PRIORITY), DSERR_ALLOCATED);
}

// --- Primary buffer ---------------------------------------------------------------

TEST_F(DirectSoundTest, PrimaryFormatIsSetTo22050Hz16BitStereoAtPriorityLevel) {
    IDirectSoundBuffer* primary = Primary();
    WAVEFORMATEX wanted = Pcm(2, 16);
    EXPECT_EQ(platform::seam::PrimarySoundFormat().wBitsPerSample, 8);

    ASSERT_EQ(device_->SetCooperativeLevel(kWindow, DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(primary->SetFormat(&wanted), DSERR_PRIOLEVELNEEDED);
    ASSERT_EQ(device_->SetCooperativeLevel(kWindow, DSSCL_PRIORITY), DS_OK);
    ASSERT_EQ(primary->SetFormat(&wanted), DS_OK);

    const WAVEFORMATEX format = platform::seam::PrimarySoundFormat();
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.nBlockAlign, 4);
    EXPECT_EQ(format.nAvgBytesPerSec, 88200u);

    WAVEFORMATEX other = Pcm(2, 16, 44100);
    EXPECT_EQ(primary->SetFormat(&other), DSERR_BADFORMAT);
    platform::seam::FailNextCalls("IDirectSoundBuffer::SetFormat", 1);
    EXPECT_EQ(primary->SetFormat(&wanted), DSERR_GENERIC);
}

TEST_F(DirectSoundTest, PrimaryStatusShowsMixingAndLoss) {
    IDirectSoundBuffer* primary = Primary();
    IDirectSoundBuffer* sound = Secondary(Pcm(1, 16), 4410);
    EXPECT_EQ(Status(primary), 0u);
    ASSERT_EQ(sound->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(primary), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    ASSERT_EQ(sound->Stop(), DS_OK);

    platform::seam::MarkSoundBufferLost(primary);
    EXPECT_EQ(Status(primary), DSBSTATUS_BUFFERLOST);
    ASSERT_EQ(primary->Restore(), DS_OK);
    EXPECT_EQ(Status(primary), 0u);
}

TEST_F(DirectSoundTest, PrimaryRefusesFrequencyAndSampleAccess) {
    DSBUFFERDESC withFormat{36, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, DS3DALG_DEFAULT};
    WAVEFORMATEX format = Pcm(2, 16);
    withFormat.lpwfxFormat = &format;
    IDirectSoundBuffer* refused = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&withFormat, &refused, nullptr), DSERR_INVALIDPARAM);

    IDirectSoundBuffer* primary = Primary();
    EXPECT_EQ(primary->SetFrequency(44100), DSERR_CONTROLUNAVAIL);
    void* region = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(primary->Lock(0, 4, &region, &bytes, nullptr, nullptr, 0), DSERR_UNSUPPORTED);
    IDirectSoundBuffer* duplicate = nullptr;
    EXPECT_EQ(device_->DuplicateSoundBuffer(primary, &duplicate), DSERR_INVALIDCALL);
}

TEST_F(DirectSoundTest, PrimaryVolumeScalesTheWholeMix) {
    IDirectSoundBuffer* primary = Primary();
    IDirectSoundBuffer* sound = Loaded(Pcm(1, 16), Bytes(std::vector<int16_t>(10, 20000)));
    ASSERT_EQ(primary->SetVolume(-10000), DS_OK);
    ASSERT_EQ(sound->Play(0, 0, 0), DS_OK);
    AdvanceFrames(10);
    EXPECT_EQ(Mixed(), std::vector<int16_t>(20, 0));
}

// --- Secondary buffers: creation and Lock ------------------------------------------

TEST_F(DirectSoundTest, SecondaryDescriptionsAreChecked) {
    struct Case {
        WAVEFORMATEX format;
        DWORD bytes;
        DWORD flags;
        HRESULT expected;
    };
    WAVEFORMATEX floatingPoint = Pcm(1, 16);
    floatingPoint.wFormatTag = 3;
    WAVEFORMATEX wrongAlign = Pcm(2, 16);
    wrongAlign.nBlockAlign = 2;
    const Case cases[] = {
        {Pcm(1, 8), 100, kControls, DS_OK},
        {Pcm(2, 16, 44100), 100, kControls, DS_OK},
        {Pcm(1, 16), 100, DSBCAPS_CTRL3D | kControls, DS_OK},
        {Pcm(2, 16), 100, DSBCAPS_CTRL3D | kControls, DSERR_INVALIDPARAM},
        {Pcm(1, 24), 100, kControls, DSERR_BADFORMAT},
        {Pcm(3, 16), 100, kControls, DSERR_BADFORMAT},
        {floatingPoint, 100, kControls, DSERR_BADFORMAT},
        {wrongAlign, 100, kControls, DSERR_BADFORMAT},
        {Pcm(1, 16, 99), 100, kControls, DSERR_BADFORMAT},
        {Pcm(1, 16), 0, kControls, DSERR_INVALIDPARAM},
        {Pcm(1, 16), DSBSIZE_MAX + 1, kControls, DSERR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        WAVEFORMATEX format = c.format;
        DSBUFFERDESC desc{36, c.flags, c.bytes, 0, &format, DS3DALG_DEFAULT};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), c.expected)
            << format.nChannels << " channels, " << format.wBitsPerSample << " bits, " << c.bytes << " bytes";
        if (buffer) buffer->Release();
    }
    DSBUFFERDESC noFormat{36, kControls, 100, 0, nullptr, DS3DALG_DEFAULT};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&noFormat, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
}

TEST_F(DirectSoundTest, NewBuffersHoldSilence) {
    EXPECT_EQ(ReadAll(Secondary(Pcm(1, 8), 6)), std::vector<uint8_t>(6, 128));
    EXPECT_EQ(ReadAll(Secondary(Pcm(2, 16), 8)), std::vector<uint8_t>(8, 0));
}

TEST_F(DirectSoundTest, LockSplitsARangeThatWrapsIntoTwoRegions) {
    struct Case {
        DWORD offset, bytes, flags;
        HRESULT expected;
        DWORD first, second;
    };
    const Case cases[] = {
        {0, 1000, 0, DS_OK, 1000, 0},
        {200, 300, 0, DS_OK, 300, 0},
        {800, 400, 0, DS_OK, 200, 200},
        {999, 1000, 0, DS_OK, 1, 999},
        {600, 0, DSBLOCK_ENTIREBUFFER, DS_OK, 400, 600},
        {0, 0, 0, DSERR_INVALIDPARAM, 0, 0},
        {0, 1001, 0, DSERR_INVALIDPARAM, 0, 0},
        {1000, 10, 0, DSERR_INVALIDPARAM, 0, 0},
        {0, 10, 0x4, DSERR_INVALIDPARAM, 0, 0},
    };
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 8), 1000);
    for (const Case& c : cases) {
        void* first = nullptr;
        void* second = nullptr;
        DWORD firstBytes = 0, secondBytes = 0;
        ASSERT_EQ(buffer->Lock(c.offset, c.bytes, &first, &firstBytes, &second, &secondBytes, c.flags), c.expected)
            << "offset " << c.offset << ", bytes " << c.bytes;
        if (c.expected != DS_OK) continue;
        EXPECT_EQ(firstBytes, c.first);
        EXPECT_EQ(secondBytes, c.second);
        EXPECT_EQ(second == nullptr, c.second == 0);
        EXPECT_EQ(buffer->Unlock(first, 0, second, 0), DS_OK);
    }
}

TEST_F(DirectSoundTest, WrappedWriteLandsAtTheEndAndTheStart) {
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 8), 10);
    Write(buffer, 7, {1, 2, 3, 4, 5});
    EXPECT_EQ(ReadAll(buffer), (std::vector<uint8_t>{4, 5, 128, 128, 128, 128, 128, 1, 2, 3}));

    // Only the bytes reported at Unlock are kept.
    void* first = nullptr;
    DWORD firstBytes = 0;
    ASSERT_EQ(buffer->Lock(2, 4, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    std::memset(first, 9, firstBytes);
    ASSERT_EQ(buffer->Unlock(first, 2, nullptr, 0), DS_OK);
    EXPECT_EQ(ReadAll(buffer), (std::vector<uint8_t>{4, 5, 9, 9, 128, 128, 128, 1, 2, 3}));
}

TEST_F(DirectSoundTest, UnlockRefusesRegionsItDidNotHandOut) {
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 8), 10);
    void* first = nullptr;
    DWORD firstBytes = 0;
    ASSERT_EQ(buffer->Lock(0, 4, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    uint8_t elsewhere[4] = {};
    EXPECT_EQ(buffer->Unlock(elsewhere, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(first, 5, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(first, 4, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->Unlock(first, 4, nullptr, 0), DSERR_INVALIDPARAM);

    platform::seam::FailNextCalls("IDirectSoundBuffer::Lock", 1);
    EXPECT_EQ(buffer->Lock(0, 4, &first, &firstBytes, nullptr, nullptr, 0), DSERR_GENERIC);
}

// --- Play, stop, status and position -----------------------------------------------

TEST_F(DirectSoundTest, PlayStopAndStatus) {
    IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(Ramp(1000)));
    EXPECT_EQ(Status(buffer), 0u);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    AdvanceFrames(100);
    EXPECT_EQ(PlayCursor(buffer), 200u);

    // Play on a playing buffer changes only the looping flag.
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    EXPECT_EQ(PlayCursor(buffer), 200u);

    // Stop keeps the position, and Play continues from it.
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    AdvanceFrames(50);
    EXPECT_EQ(PlayCursor(buffer), 200u);
    Mixed();
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    AdvanceFrames(3);
    const std::vector<int16_t> ramp = Ramp(1000);
    EXPECT_EQ(Mixed(), OnBothChannels({ramp[100], ramp[101], ramp[102]}));

    EXPECT_EQ(buffer->Play(0, 0, 0x2), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, SetCurrentPositionMovesToAWholeFrame) {
    IDirectSoundBuffer* buffer = Loaded(Pcm(2, 16), Bytes(Ramp(200)));
    ASSERT_EQ(buffer->SetCurrentPosition(42), DS_OK);
    EXPECT_EQ(PlayCursor(buffer), 40u);
    EXPECT_EQ(buffer->SetCurrentPosition(400), DSERR_INVALIDPARAM);

    // A lock from the write cursor starts there, whatever offset is passed.
    void* region = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 4, &region, &bytes, nullptr, nullptr, DSBLOCK_FROMWRITECURSOR), DS_OK);
    const std::vector<int16_t> ramp = Ramp(200);
    EXPECT_EQ(std::memcmp(region, &ramp[20], 4), 0);
    ASSERT_EQ(buffer->Unlock(region, 0, nullptr, 0), DS_OK);

    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    AdvanceFrames(1);
    EXPECT_EQ(Mixed(), (std::vector<int16_t>{ramp[20], ramp[21]}));
}

TEST_F(DirectSoundTest, OneShotBufferPlaysItsDataBitForBitThenReportsStopped) {
    const std::vector<int16_t> samples = Ramp(2205);  // 0.1 s
    IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(samples));
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);

    AdvanceFrames(2204);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    AdvanceFrames(1);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(PlayCursor(buffer), 0u);

    AdvanceFrames(5);
    std::vector<int16_t> expected = OnBothChannels(samples);
    expected.resize(expected.size() + 10, 0);
    EXPECT_EQ(Mixed(), expected);
}

TEST_F(DirectSoundTest, LoopingBufferWrapsToItsStart) {
    const std::vector<int16_t> samples = Ramp(200);  // 100 stereo frames
    IDirectSoundBuffer* buffer = Loaded(Pcm(2, 16), Bytes(samples));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    AdvanceFrames(250);

    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(PlayCursor(buffer), 50u * 4);
    std::vector<int16_t> expected;
    for (int turn = 0; turn < 3; ++turn) expected.insert(expected.end(), samples.begin(), samples.end());
    expected.resize(500);
    EXPECT_EQ(Mixed(), expected);
}

// --- Volume, frequency and sample formats -------------------------------------------

TEST_F(DirectSoundTest, VolumeIsHundredthsOfADecibel) {
    struct Case {
        LONG volume;
        int16_t expected;
    };
    // 20000 * 10^(volume / 2000), rounded through the 16.16 gain.
    const Case cases[] = {{0, 20000}, {-600, 10023}, {-2000, 2000}, {-6000, 20}, {-10000, 0}};
    for (const Case& c : cases) {
        IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(std::vector<int16_t>(4, 20000)));
        ASSERT_EQ(buffer->SetVolume(c.volume), DS_OK);
        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        AdvanceFrames(4);
        const std::vector<int16_t> mixed = Mixed();
        ASSERT_EQ(mixed.size(), 8u);
        EXPECT_NEAR(mixed[0], c.expected, c.volume == 0 || c.volume == -10000 ? 0 : 1) << c.volume << " mB";
        EXPECT_EQ(mixed[0], mixed[1]);
    }
}

TEST_F(DirectSoundTest, VolumeOutsideTheRangeOrWithoutTheControlIsRefused) {
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 16), 100);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(693), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    IDirectSoundBuffer* fixed = Secondary(Pcm(1, 16), 100, DSBCAPS_CTRLFREQUENCY);
    EXPECT_EQ(fixed->SetVolume(-100), DSERR_CONTROLUNAVAIL);
}

TEST_F(DirectSoundTest, FrequencyIsAResamplingStep) {
    const std::vector<int16_t> samples = Ramp(40);
    struct Case {
        DWORD frequency;
        std::vector<int16_t> expected;
    };
    const Case cases[] = {
        {44100, {samples[0], samples[2], samples[4], samples[6]}},
        {11025, {samples[0], samples[0], samples[1], samples[1]}},
        {33075, {samples[0], samples[1], samples[3], samples[4]}},
    };
    for (const Case& c : cases) {
        IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(samples));
        ASSERT_EQ(buffer->SetFrequency(c.frequency), DS_OK);
        DWORD frequency = 0;
        ASSERT_EQ(buffer->GetFrequency(&frequency), DS_OK);
        EXPECT_EQ(frequency, c.frequency);
        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        AdvanceFrames(4);
        EXPECT_EQ(Mixed(), OnBothChannels(c.expected)) << c.frequency << " Hz";
        ASSERT_EQ(buffer->Stop(), DS_OK);
    }
}

TEST_F(DirectSoundTest, FrequencyLimitsAndTheOriginalRate) {
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 16, 11025), 100);
    EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(100001), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->SetFrequency(30000), DS_OK);
    ASSERT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    DWORD frequency = 0;
    ASSERT_EQ(buffer->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 11025u);
    IDirectSoundBuffer* fixed = Secondary(Pcm(1, 16), 100, DSBCAPS_CTRLVOLUME);
    EXPECT_EQ(fixed->SetFrequency(44100), DSERR_CONTROLUNAVAIL);
}

TEST_F(DirectSoundTest, EightBitAndStereoSourcesReachBothChannels) {
    struct Case {
        WAVEFORMATEX format;
        std::vector<uint8_t> bytes;
        std::vector<int16_t> expected;
    };
    const Case cases[] = {
        {Pcm(1, 8), {128, 255, 0, 129}, {0, 0, 127 * 256, 127 * 256, -32768, -32768, 256, 256}},
        {Pcm(2, 8), {0, 255, 130, 126}, {-32768, 127 * 256, 512, -512}},
        {Pcm(2, 16), Bytes({-5, 7, 1000, -1000}), {-5, 7, 1000, -1000}},
    };
    for (const Case& c : cases) {
        IDirectSoundBuffer* buffer = Loaded(c.format, c.bytes);
        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        AdvanceFrames(c.expected.size() / 2);
        EXPECT_EQ(Mixed(), c.expected) << c.format.nChannels << " channels, " << c.format.wBitsPerSample << " bits";
    }
}

TEST_F(DirectSoundTest, PlayingBuffersAreAddedAndTheSumIsClamped) {
    IDirectSoundBuffer* first = Loaded(Pcm(1, 16), Bytes({1000, 30000, -30000}));
    IDirectSoundBuffer* second = Loaded(Pcm(1, 16), Bytes({-300, 30000, -30000}));
    ASSERT_EQ(first->Play(0, 0, 0), DS_OK);
    ASSERT_EQ(second->Play(0, 0, 0), DS_OK);
    AdvanceFrames(3);
    EXPECT_EQ(Mixed(), OnBothChannels({700, 32767, -32768}));
}

// --- Duplicates ---------------------------------------------------------------------

TEST_F(DirectSoundTest, DuplicateSharesSamplesButKeepsItsOwnState) {
    IDirectSoundBuffer* original = Loaded(Pcm(1, 16), Bytes(std::vector<int16_t>(100, 1000)));
    ASSERT_EQ(original->SetVolume(-600), DS_OK);
    IDirectSoundBuffer* duplicate = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &duplicate), DS_OK);
    owned_.push_back(duplicate);

    // Samples written through the original are the duplicate's too.
    const std::vector<int16_t> samples = Ramp(100);
    Write(original, 0, Bytes(samples));
    EXPECT_EQ(ReadAll(duplicate), Bytes(samples));

    // Its own volume, position and play state.
    ASSERT_EQ(duplicate->SetVolume(0), DS_OK);
    ASSERT_EQ(duplicate->SetCurrentPosition(20), DS_OK);
    ASSERT_EQ(duplicate->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(original), 0u);
    AdvanceFrames(3);
    EXPECT_EQ(Mixed(), OnBothChannels({samples[10], samples[11], samples[12]}));
    EXPECT_EQ(PlayCursor(original), 0u);

    platform::seam::FailNextCalls("IDirectSound::DuplicateSoundBuffer", 1);
    IDirectSoundBuffer* refused = nullptr;
    EXPECT_EQ(device_->DuplicateSoundBuffer(original, &refused), DSERR_OUTOFMEMORY);
    EXPECT_EQ(refused, nullptr);
}

TEST_F(DirectSoundTest, DuplicateOutlivesItsOriginal) {
    const std::vector<int16_t> samples = Ramp(10);
    WAVEFORMATEX format = Pcm(1, 16);
    DSBUFFERDESC desc{36, kControls, 20, 0, &format, DS3DALG_DEFAULT};
    IDirectSoundBuffer* original = nullptr;
    ASSERT_EQ(device_->CreateSoundBuffer(&desc, &original, nullptr), DS_OK);
    Write(original, 0, Bytes(samples));
    IDirectSoundBuffer* duplicate = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &duplicate), DS_OK);
    owned_.push_back(duplicate);
    EXPECT_EQ(original->Release(), 0u);

    ASSERT_EQ(duplicate->Play(0, 0, 0), DS_OK);
    AdvanceFrames(10);
    EXPECT_EQ(Mixed(), OnBothChannels(samples));
}

// --- Lost buffers ---------------------------------------------------------------------

TEST_F(DirectSoundTest, LostBufferRefusesLockAndPlayUntilRestored) {
    IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(Ramp(100)));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    platform::seam::MarkSoundBufferLost(buffer);

    EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
    void* region = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(buffer->Lock(0, 4, &region, &bytes, nullptr, nullptr, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(buffer->Stop(), DS_OK);

    platform::seam::FailNextCalls("IDirectSoundBuffer::Restore", 1);
    EXPECT_EQ(buffer->Restore(), DSERR_BUFFERLOST);
    EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
    ASSERT_EQ(buffer->Restore(), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    ASSERT_EQ(buffer->Lock(0, 4, &region, &bytes, nullptr, nullptr, 0), DS_OK);
    ASSERT_EQ(buffer->Unlock(region, bytes, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
}

TEST_F(DirectSoundTest, LosingTheOutputLosesEveryBuffer) {
    IDirectSoundBuffer* primary = Primary();
    IDirectSoundBuffer* first = Secondary(Pcm(1, 16), 100);
    IDirectSoundBuffer* second = Secondary(Pcm(2, 8), 100);
    ASSERT_EQ(first->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    platform::seam::MarkAllSoundBuffersLost();
    EXPECT_EQ(Status(primary), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Status(first), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Status(second), DSBSTATUS_BUFFERLOST);
}

// --- 3D settings ---------------------------------------------------------------------

TEST_F(DirectSoundTest, ListenerExistsOnlyOnA3DPrimary) {
    IDirectSound3DListener* listener = nullptr;
    EXPECT_EQ(Primary()->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)),
              DSERR_NOINTERFACE);
    EXPECT_EQ(listener, nullptr);

    IDirectSoundBuffer* primary = Primary(DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D);
    platform::seam::FailNextCalls("IDirectSoundBuffer::QueryInterface", 1);
    EXPECT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)),
              DSERR_NOINTERFACE);
    ASSERT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)), DS_OK);
    EXPECT_EQ(listener->Release(), 1u);
}

TEST_F(DirectSoundTest, DeferredSettingsTakeEffectAtCommit) {
    IDirectSoundBuffer* primary = Primary(DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D);
    IDirectSound3DListener* listener = nullptr;
    ASSERT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)), DS_OK);
    IDirectSoundBuffer* buffer = Secondary(Pcm(1, 16), 100, DSBCAPS_CTRL3D | kControls);
    IDirectSound3DBuffer* spatial = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&spatial)), DS_OK);

    ASSERT_EQ(listener->SetPosition(1, 2, 3, DS3D_DEFERRED), DS_OK);
    ASSERT_EQ(listener->SetOrientation(0, 0, -1, 0, 1, 0, DS3D_DEFERRED), DS_OK);
    ASSERT_EQ(spatial->SetPosition(4, 5, 6, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(platform::seam::Applied3DListenerSettings(listener).position.x, 0.0f);
    EXPECT_EQ(platform::seam::Applied3DListenerSettings(listener).front.z, 1.0f);
    EXPECT_EQ(platform::seam::Applied3DBufferSettings(spatial).position.x, 0.0f);

    ASSERT_EQ(listener->CommitDeferredSettings(), DS_OK);
    const platform::Sound3DListenerSettings applied = platform::seam::Applied3DListenerSettings(listener);
    EXPECT_EQ(applied.position.y, 2.0f);
    EXPECT_EQ(applied.front.z, -1.0f);
    EXPECT_EQ(applied.top.y, 1.0f);
    EXPECT_EQ(platform::seam::Applied3DBufferSettings(spatial).position.z, 6.0f);

    ASSERT_EQ(spatial->SetPosition(7, 8, 9, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(platform::seam::Applied3DBufferSettings(spatial).position.x, 7.0f);
    EXPECT_EQ(spatial->SetPosition(0, 0, 0, 2), DSERR_INVALIDPARAM);

    spatial->Release();
    listener->Release();
}

TEST_F(DirectSoundTest, ThreeDInterfaceNeedsTheControl) {
    IDirectSound3DBuffer* spatial = nullptr;
    EXPECT_EQ(Secondary(Pcm(1, 16), 100)->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&spatial)),
              DSERR_NOINTERFACE);
    EXPECT_EQ(spatial, nullptr);
}

// --- Headless clock ---------------------------------------------------------------------

TEST_F(DirectSoundTest, MixingFollowsTheVirtualClock) {
    IDirectSoundBuffer* buffer = Loaded(Pcm(1, 16), Bytes(Ramp(22050)));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    platform::seam::AdvanceVirtualTime(500'000);
    EXPECT_EQ(PlayCursor(buffer), 11025u * 2);
    EXPECT_EQ(Mixed().size(), 11025u * 2);
    EXPECT_TRUE(Mixed().empty());
}

}  // namespace
