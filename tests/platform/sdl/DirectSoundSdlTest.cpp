#include "platform/DirectSound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

HWND__ gameWindow{};

DWORD Status(IDirectSoundBuffer* buffer) {
    DWORD status = 0;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
}

// The SDL audio thread plays the buffer: a one-shot sound of 0.1 s must be reported
// stopped soon after its data has played, and not before.
TEST(DirectSoundSdlTest, OneShotBufferStopsOnceItsDataHasPlayed) {
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK) << "SDL's dummy audio driver should open";
    ASSERT_EQ(device->SetCooperativeLevel(&gameWindow, DSSCL_PRIORITY), DS_OK);

    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, 4410, 0, &format, DS3DALG_DEFAULT};
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    void* region = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &region, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    std::memset(region, 0x40, bytes);
    ASSERT_EQ(buffer->Unlock(region, bytes, nullptr, 0), DS_OK);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    while (Status(buffer) & DSBSTATUS_PLAYING) {
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the buffer never stopped";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    DWORD play = 1;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 0u);

    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(device->Release(), 0u);
}

}  // namespace
