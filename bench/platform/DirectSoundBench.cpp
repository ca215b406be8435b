#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Clock.h"
#include "platform/DirectSound.h"

namespace {

// The headless mixer runs on the virtual clock, so the work is exactly one second of
// output whatever the machine. Chosen before anything asks for the backend.
const bool headless = setenv("PLATFORM_BACKEND", "headless", 1) == 0;

struct Source {
    WORD channels;
    WORD bits;
    DWORD rate;
    LONG volume;
};

// A mix like the game's: effects at their own rates, some quieter, music in stereo.
constexpr Source kSources[] = {
    {1, 16, 22050, 0},
    {2, 16, 44100, -600},
    {1, 8, 11025, -1200},
    {2, 16, 22050, 0},
};

IDirectSoundBuffer* MakeLoopingBuffer(IDirectSound* device, const Source& source, unsigned seed) {
    const WORD align = static_cast<WORD>(source.channels * source.bits / 8);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, source.channels, source.rate, source.rate * align, align, source.bits, 0};
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, source.rate * align, 0, &format,
                      DS3DALG_DEFAULT};
    IDirectSoundBuffer* buffer = nullptr;
    if (device->CreateSoundBuffer(&desc, &buffer, nullptr) != DS_OK) return nullptr;
    void* region = nullptr;
    DWORD bytes = 0;
    buffer->Lock(0, 0, &region, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    auto* data = static_cast<uint8_t*>(region);
    for (DWORD i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>((i * 2654435761u + seed) >> 13);
    buffer->Unlock(region, bytes, nullptr, 0);
    buffer->SetVolume(source.volume);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    return buffer;
}

// One iteration mixes one second of 32 looping buffers; its time is the share of one
// core that the mixer needs in real time.
void BM_MixOneSecondOf32Buffers(benchmark::State& state) {
    if (!headless) {
        state.SkipWithError("cannot select the headless backend");
        return;
    }
    IDirectSound* device = nullptr;
    if (DirectSoundCreate(nullptr, &device, nullptr) != DS_OK) {
        state.SkipWithError("no DirectSound device");
        return;
    }
    std::vector<IDirectSoundBuffer*> buffers;
    for (unsigned i = 0; i < 32; ++i) buffers.push_back(MakeLoopingBuffer(device, kSources[i % 4], i));

    DWORD status = 0;
    for (auto _ : state) {
        platform::seam::AdvanceVirtualTime(1'000'000);
        buffers.front()->GetStatus(&status);
        benchmark::DoNotOptimize(platform::seam::TakeMixedSamples());
    }
    state.counters["core_share"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);

    for (auto it = buffers.rbegin(); it != buffers.rend(); ++it)
        if (*it) (*it)->Release();
    device->Release();
}
BENCHMARK(BM_MixOneSecondOf32Buffers)->Unit(benchmark::kMillisecond);

}  // namespace
