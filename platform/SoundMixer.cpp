#include "platform/SoundMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Backend.h"
#include "platform/Clock.h"

namespace {

constexpr uint32_t kBlockFrames = 256;
constexpr size_t kRecordedLimit = 30 * platform::SoundMixer::kRate * 2;

std::weak_ptr<platform::SoundMixer>& OpenMixer() {
    static std::weak_ptr<platform::SoundMixer> mixer;
    return mixer;
}

template <int Bits>
int32_t ReadSample(const uint8_t* at) {
    if constexpr (Bits == 8) {
        return (static_cast<int32_t>(*at) - 128) * 256;
    } else {
        int16_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
}

// Adds one voice to the block. A voice that does not loop stops, rewound, once its
// last frame has played.
template <int Bits, int Channels>
void MixVoice(platform::SoundVoice& voice, int32_t* mix, uint32_t frames) {
    const uint8_t* data = voice.memory->bytes.data();
    constexpr uint32_t frameBytes = Channels * Bits / 8;
    const uint64_t end = static_cast<uint64_t>(voice.memory->bytes.size() / frameBytes) << 32;
    if (end == 0) {
        voice.playing = false;
        return;
    }
    const int32_t gain = voice.gain;
    uint64_t position = voice.position;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint8_t* frame = data + (position >> 32) * frameBytes;
        const int32_t left = ReadSample<Bits>(frame);
        const int32_t right = Channels == 2 ? ReadSample<Bits>(frame + Bits / 8) : left;
        mix[2 * i] += (left * gain) >> 16;
        mix[2 * i + 1] += (right * gain) >> 16;
        position += voice.step;
        if (position >= end) {
            if (!voice.looping) {
                voice.playing = false;
                voice.position = 0;
                return;
            }
            position %= end;
        }
    }
    voice.position = position;
}

void MixVoice(platform::SoundVoice& voice, int32_t* mix, uint32_t frames) {
    const WAVEFORMATEX& format = voice.memory->format;
    const bool wide = format.wBitsPerSample == 16;
    if (format.nChannels == 2)
        wide ? MixVoice<16, 2>(voice, mix, frames) : MixVoice<8, 2>(voice, mix, frames);
    else
        wide ? MixVoice<16, 1>(voice, mix, frames) : MixVoice<8, 1>(voice, mix, frames);
}

// Moves a voice on by that many output frames exactly as MixVoice would.
void SkipVoice(platform::SoundVoice& voice, uint64_t frames) {
    const WAVEFORMATEX& format = voice.memory->format;
    const uint64_t frameBytes = uint64_t{format.nChannels} * format.wBitsPerSample / 8;
    const uint64_t end = frameBytes == 0 ? 0 : static_cast<uint64_t>(voice.memory->bytes.size() / frameBytes) << 32;
    if (end == 0) {
        voice.playing = false;
        return;
    }
    const unsigned __int128 moved = static_cast<unsigned __int128>(frames) * voice.step + voice.position;
    if (moved < end) {
        voice.position = static_cast<uint64_t>(moved);
    } else if (voice.looping) {
        voice.position = static_cast<uint64_t>(moved % end);
    } else {
        voice.playing = false;
        voice.position = 0;
    }
}

void SDLCALL FillSdlStream(void* mixer, Uint8* stream, int bytes) {
    static_cast<platform::SoundMixer*>(mixer)->Mix(reinterpret_cast<int16_t*>(stream),
                                                   static_cast<uint32_t>(bytes) / 4);
}

}  // namespace

namespace platform {

std::shared_ptr<SoundMixer> SoundMixer::Acquire() {
    if (auto mixer = OpenMixer().lock()) return mixer;
    std::shared_ptr<SoundMixer> mixer(new SoundMixer());
    if (!IsHeadless() && !mixer->OpenSdlOutput()) return nullptr;
    OpenMixer() = mixer;
    return mixer;
}

std::shared_ptr<SoundMixer> SoundMixer::Current() { return OpenMixer().lock(); }

bool SoundMixer::CanMix(const WAVEFORMATEX& format) {
    if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (format.nChannels != 1 && format.nChannels != 2) return false;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) return false;
    if (format.nSamplesPerSec < DSBFREQUENCY_MIN || format.nSamplesPerSec > DSBFREQUENCY_MAX) return false;
    return format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
           format.nAvgBytesPerSec == format.nSamplesPerSec * format.nBlockAlign;
}

int32_t SoundMixer::GainOf(LONG volume) {
    if (volume <= DSBVOLUME_MIN) return 0;
    return static_cast<int32_t>(std::lround(kUnityGain * std::pow(10.0, volume / 2000.0)));
}

uint64_t SoundMixer::StepOf(DWORD frequency) { return (static_cast<uint64_t>(frequency) << 32) / kRate; }

SoundMixer::SoundMixer() : originMicroseconds_(NowMicroseconds()) {}

SoundMixer::~SoundMixer() {
    if (sdlDevice_ == 0) return;
    SDL_CloseAudioDevice(sdlDevice_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SoundMixer::OpenSdlOutput() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 512;
    wanted.callback = FillSdlStream;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the hardware wants.
    sdlDevice_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (sdlDevice_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(sdlDevice_, 0);
    return true;
}

SoundMixer::Guard::Guard(SoundMixer& mixer) : mixer_(mixer) {
    if (mixer_.sdlDevice_ != 0)
        SDL_LockAudioDevice(mixer_.sdlDevice_);
    else
        mixer_.CatchUp();
}

SoundMixer::Guard::~Guard() {
    if (mixer_.sdlDevice_ != 0) SDL_UnlockAudioDevice(mixer_.sdlDevice_);
}

void SoundMixer::Attach(SoundVoice* voice) { voices_.push_back(voice); }

void SoundMixer::Detach(SoundVoice* voice) { std::erase(voices_, voice); }

void SoundMixer::Mix(int16_t* out, uint32_t frames) {
    int32_t mix[kBlockFrames * 2];
    while (frames > 0) {
        const uint32_t count = std::min(frames, kBlockFrames);
        std::fill_n(mix, count * 2, 0);
        for (SoundVoice* voice : voices_)
            if (voice->playing) MixVoice(*voice, mix, count);
        for (uint32_t i = 0; i < count * 2; ++i) {
            const int64_t sample = (static_cast<int64_t>(mix[i]) * primary_.gain) >> 16;
            out[i] = static_cast<int16_t>(std::clamp<int64_t>(sample, INT16_MIN, INT16_MAX));
        }
        out += count * 2;
        frames -= count;
    }
}

uint64_t SoundMixer::FramesDue() {
    const uint64_t now = NowMicroseconds();
    const uint64_t due = now >= originMicroseconds_ ? (now - originMicroseconds_) * kRate / 1'000'000 : 0;
    if (due < mixedFrames_ || now < originMicroseconds_) {
        originMicroseconds_ = now;
        mixedFrames_ = 0;
        return 0;
    }
    return due;
}

void SoundMixer::CatchUp() {
    const uint64_t due = FramesDue();
    // A second at a time, keeping only the most recent output.
    while (mixedFrames_ < due) {
        const uint32_t frames = static_cast<uint32_t>(std::min<uint64_t>(due - mixedFrames_, kRate));
        const size_t start = recorded_.size();
        recorded_.resize(start + frames * 2);
        Mix(recorded_.data() + start, frames);
        mixedFrames_ += frames;
        if (recorded_.size() > 2 * kRecordedLimit)
            recorded_.erase(recorded_.begin(), recorded_.end() - kRecordedLimit);
    }
}

void SoundMixer::SkipToNow() {
    const uint64_t due = FramesDue();
    for (SoundVoice* voice : voices_)
        if (voice->playing) SkipVoice(*voice, due - mixedFrames_);
    mixedFrames_ = due;
}

std::vector<int16_t> SoundMixer::TakeRecorded() {
    std::vector<int16_t> taken;
    taken.swap(recorded_);
    if (taken.size() > kRecordedLimit) taken.erase(taken.begin(), taken.end() - kRecordedLimit);
    return taken;
}

}  // namespace platform
