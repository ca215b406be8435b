#pragma once
// The one audio output behind DirectSound: it mixes every playing secondary buffer
// into 22050 Hz 16-bit stereo. On the sdl backend the SDL audio callback mixes; on
// the headless backend mixing runs on demand up to the virtual clock's "now" and the
// output is kept for tests. Every change to a voice happens under a Guard, which
// holds the SDL audio lock (sdl) or first brings the mix up to date (headless).

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/DirectSound.h"

namespace platform {

// The sample memory of a secondary buffer, shared with its duplicates.
struct SampleMemory {
    WAVEFORMATEX format;
    std::vector<uint8_t> bytes;
};

// A secondary buffer as the mixer sees it: the buffer changes it, the mixer plays it.
struct SoundVoice {
    std::shared_ptr<SampleMemory> memory;
    uint64_t position = 0;        // source frames, 32.32 fixed point
    uint64_t step = 1ull << 32;   // source frames per output frame, 32.32 fixed point
    int32_t gain = 1 << 16;       // 16.16 fixed point
    bool playing = false;
    bool looping = false;
    bool lost = false;
    // Stored only; the output is plain stereo.
    Sound3DBufferSettings applied3D{};
    Sound3DBufferSettings pending3D{};
};

// What the primary buffer holds. There is one output, so every primary-buffer
// interface shares it.
struct PrimaryOutputState {
    // Until SetFormat the primary reports 22050 Hz 8-bit stereo, as DirectSound does.
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 22050, 44100, 2, 8, 0};
    DWORD cooperativeLevel = 0;
    bool lost = false;
    int32_t gain = 1 << 16;
    Sound3DListenerSettings applied3D{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    Sound3DListenerSettings pending3D = applied3D;
};

class SoundMixer {
public:
    static constexpr DWORD kRate = 22050;
    static constexpr int32_t kUnityGain = 1 << 16;

    // The output: opened by the first caller, closed when its last holder lets go.
    // Null when no audio output can be opened.
    static std::shared_ptr<SoundMixer> Acquire();
    // The open output, or null.
    static std::shared_ptr<SoundMixer> Current();

    // PCM that a secondary buffer may hold: 1 or 2 channels, 8 or 16 bits, a rate in
    // DSBFREQUENCY_MIN..MAX, and block alignment and data rate that agree with them.
    static bool CanMix(const WAVEFORMATEX& format);
    // 10^(volume / 2000) in 16.16 fixed point; DSBVOLUME_MIN is silence.
    static int32_t GainOf(LONG volume);
    // The resampling step of a source played at the given frequency.
    static uint64_t StepOf(DWORD frequency);

    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;
    ~SoundMixer();

    class Guard {
    public:
        explicit Guard(SoundMixer& mixer);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        SoundMixer& mixer_;
    };

    // Under a Guard.
    void Attach(SoundVoice* voice);
    void Detach(SoundVoice* voice);
    const std::vector<SoundVoice*>& Voices() const { return voices_; }
    PrimaryOutputState& Primary() { return primary_; }

    // Mixes the next frames of every playing voice into interleaved stereo.
    void Mix(int16_t* out, uint32_t frames);
    // Headless: every frame mixed since the last call, under a Guard.
    std::vector<int16_t> TakeRecorded();
    // Headless, under a Guard: every playing voice moves on to the clock's "now" as
    // mixing would move it, and nothing is mixed.
    void SkipToNow();

private:
    SoundMixer();
    bool OpenSdlOutput();
    void CatchUp();
    // Frames due at the clock's "now"; a clock set back starts the count again.
    uint64_t FramesDue();

    std::vector<SoundVoice*> voices_;
    PrimaryOutputState primary_;
    uint32_t sdlDevice_ = 0;
    // Headless: the clock time that frame 0 belongs to, the frames mixed so far, and
    // the recent output.
    uint64_t originMicroseconds_ = 0;
    uint64_t mixedFrames_ = 0;
    std::vector<int16_t> recorded_;
};

}  // namespace platform
