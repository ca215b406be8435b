#pragma once
// The sound and sound-manager tests: a DirectSound sound system with a sound manager
// registered over it, frames made of the manager's per-frame pass, and the sound files
// those tests play.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "tests/engine/sound/SoundBufferTestSupport.h"

namespace soundtest {

// Output samples (stereo frames at 22050 Hz) in one second.
constexpr std::size_t kOutputSecond = 22050 * 2;

class SoundManagerTest : public SoundBufferTest {
protected:
    // Bytes of one second of the output's format, microseconds and output samples of a
    // tenth of a second.
    static constexpr std::uint32_t kSecondBytes = 22050 * 4;
    static constexpr std::uint64_t kTenthSecond = 100000;
    static constexpr std::size_t kTenth = kOutputSecond / 10;

    void SetUp() override {
        SoundBufferTest::SetUp();
        manager_ = std::make_unique<Vantor::SoundManager>();
        Vantor::SoundManager::Instance(manager_.get());
    }

    void TearDown() override {
        manager_.reset();
        SoundBufferTest::TearDown();
    }

    // Stereo 16-bit noise at the output's own rate, so the output equals the data; the
    // samples as the output mixes them at full volume.
    std::vector<std::int16_t> WriteNoise(const std::string& name, std::uint32_t bytes, std::uint32_t seed = 3) {
        const Bytes pcm = NoiseBytes(bytes, seed);
        WriteData(name, Content::WavWriter::Write({1, 2, 22050, 16}, pcm));
        return AsOutput(pcm);
    }

    Vantor::Sound* Create(const std::wstring& file, bool resident = true) {
        return manager_->CreateSound(file, resident, "");
    }

    static Vantor::SoundBuffer_DS7& BufferOf(const Vantor::Sound* sound) {
        return *static_cast<Vantor::SoundBuffer_DS7*>(sound->GetBuffer());
    }

    // One frame: the clock moves on, then the manager's pass; returns what was mixed
    // during the frame.
    std::vector<std::int16_t> Pass(std::uint64_t microseconds, bool active = true) {
        platform::seam::AdvanceVirtualTime(microseconds);
        manager_->SetActive(active);
        return Mixed();
    }

    // Frames of 16 ms for the given time, mixed output joined.
    std::vector<std::int16_t> Passes(std::uint64_t microseconds) {
        std::vector<std::int16_t> heard;
        for (std::uint64_t elapsed = 0; elapsed < microseconds; elapsed += 16000) {
            const std::vector<std::int16_t> frame = Pass(16000);
            heard.insert(heard.end(), frame.begin(), frame.end());
        }
        return heard;
    }

    static bool IsSilent(const std::vector<std::int16_t>& samples) {
        return std::all_of(samples.begin(), samples.end(), [](std::int16_t sample) { return sample == 0; });
    }

    // Whether the heard samples are the data from the given sample on.
    static bool IsDataFrom(const std::vector<std::int16_t>& heard, const std::vector<std::int16_t>& data,
                           std::size_t from) {
        return !heard.empty() && from + heard.size() <= data.size() &&
               std::equal(heard.begin(), heard.end(), data.begin() + static_cast<std::ptrdiff_t>(from));
    }

    // Whether two device buffers show one memory: a mark written through one is read
    // through the other.
    static bool ShareMemory(IDirectSoundBuffer* writer, IDirectSoundBuffer* reader) {
        void* region = nullptr;
        DWORD size = 0;
        EXPECT_EQ(writer->Lock(0, 4, &region, &size, nullptr, nullptr, 0), DS_OK);
        std::fill_n(static_cast<std::uint8_t*>(region), 4, 0xA5);
        writer->Unlock(region, size, nullptr, 0);
        const Bytes seen = DeviceBytes(reader);
        return std::all_of(seen.begin(), seen.begin() + 4, [](std::uint8_t byte) { return byte == 0xA5; });
    }

    std::unique_ptr<Vantor::SoundManager> manager_;
};

}  // namespace soundtest
