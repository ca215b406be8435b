#pragma once
// The buffer and stream tests: a DirectSound sound system registered as the instance,
// and frames driven by the virtual clock with what the headless mixer put out.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace soundtest {

class SoundBufferTest : public SoundKernelTest {
protected:
    void SetUp() override {
        SoundKernelTest::SetUp();
        StartSystem(false);
    }

    void TearDown() override {
        system_.reset();
        SoundKernelTest::TearDown();
    }

    void StartSystem(bool use3D) {
        system_.reset();
        system_ = std::make_unique<Vantor::SoundSystem_DS7>(use3D, GameWindow());
        Vantor::SoundSystem::Instance(system_.get());
        SharedLog().ClearMessages();
    }

    std::unique_ptr<Vantor::SoundBuffer_DS7> Make(const std::wstring& file, bool resident) {
        return std::make_unique<Vantor::SoundBuffer_DS7>(file, scratch_.data(), resident);
    }

    // What was mixed since the last call (the call also forgets it).
    static std::vector<std::int16_t> Mixed() { return platform::seam::TakeMixedSamples(); }

    // One frame of the given length: the clock moves on, then the buffer's per-frame pass.
    static std::vector<std::int16_t> Frame(Vantor::SoundBuffer_DS7& buffer, std::uint64_t microseconds) {
        platform::seam::AdvanceVirtualTime(microseconds);
        buffer.Update();
        return Mixed();
    }

    // The whole device memory of a buffer.
    static Bytes DeviceBytes(IDirectSoundBuffer* secondary) {
        void* region = nullptr;
        DWORD size = 0;
        EXPECT_EQ(secondary->Lock(0, 0, &region, &size, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        Bytes bytes(static_cast<std::uint8_t*>(region), static_cast<std::uint8_t*>(region) + size);
        secondary->Unlock(region, size, nullptr, 0);
        return bytes;
    }

    // Stereo 16-bit PCM as the output frames it mixes to at full volume.
    static std::vector<std::int16_t> AsOutput(const Bytes& pcm) {
        std::vector<std::int16_t> samples(pcm.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(pcm[2 * i] | pcm[2 * i + 1] << 8);
        return samples;
    }

    std::unique_ptr<Vantor::SoundSystem_DS7> system_;
};

}  // namespace soundtest
