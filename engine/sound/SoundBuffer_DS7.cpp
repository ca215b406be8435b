#include "engine/sound/SoundBuffer_DS7.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/sound/SoundFileReader.h"
#include "engine/sound/SoundSystem_DS7.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kHalfChunk = SoundBuffer::kChunkSize / 2;
// Two turns of the ring: the window of played bytes may reach into the next turn.
constexpr std::uint32_t kSpanCount = 2 * SoundBuffer::kChunkCount;
// Beyond any real play time; keeps the conversion to an integer defined.
constexpr double kLongestEstimate = 1.0e18;

IDirectSound* DeviceOfSoundSystem() {
    SoundSystem_DS7* system = SoundSystem_DS7::Current();
    return system != nullptr ? system->GetDevice() : nullptr;
}

void LogError(const std::string& text) { MessageManager::Instance()->PrintError(text); }

std::uint64_t Distance(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : b - a; }

}  // namespace

SoundBuffer_DS7::SoundBuffer_DS7(const std::wstring& file, std::uint8_t* scratch, bool resident)
    : SoundBuffer(file, scratch, resident), device_(DeviceOfSoundSystem()) {
    Load(nullptr);
}

SoundBuffer_DS7::SoundBuffer_DS7(const SoundBuffer_DS7& source, std::uint8_t* scratch)
    : SoundBuffer(source.GetFileName(), scratch, source.IsResident()), device_(DeviceOfSoundSystem()) {
    Load(&source);
}

SoundBuffer_DS7::~SoundBuffer_DS7() { Release(); }

void SoundBuffer_DS7::Release() {
    SoundBuffer::Release();
    ReleaseDeviceBuffer();
    if (timer_ != nullptr) {
        TimerManager::Instance()->DestroyTimer(timer_);
        timer_ = nullptr;
    }
}

void SoundBuffer_DS7::Load(const SoundBuffer* source) {
    SoundBuffer::Load(source);
    if (streamed_ && timer_ == nullptr) {
        timer_ = TimerManager::Instance()->CreateTimer(0.0f, false);
        RewindClock();
    }
}

void SoundBuffer_DS7::CreateDeviceBuffer(const SoundBuffer* source) {
    if (!resident_) return;  // made when it starts to play
    if (source == nullptr) {
        CreateDirectSoundBuffer();
        return;
    }
    IDirectSoundBuffer* original = static_cast<const SoundBuffer_DS7*>(source)->secondary_;
    if (device_ == nullptr || device_->DuplicateSoundBuffer(original, &secondary_) != DS_OK) {
        secondary_ = nullptr;
        LogError("Sound System: DirectSound buffers overflow");
    }
}

void SoundBuffer_DS7::CreateDirectSoundBuffer() {
    SoundSystem_DS7* system = SoundSystem_DS7::Current();
    const bool positional = system != nullptr && system->GetUse3D() && channels_ == 1;
    const auto blockAlign = static_cast<WORD>(channels_ * bitsPerSample_ / 8);
    WAVEFORMATEX format{WAVE_FORMAT_PCM,
                        static_cast<WORD>(channels_),
                        sampleRate_,
                        sampleRate_ * blockAlign,
                        blockAlign,
                        static_cast<WORD>(bitsPerSample_),
                        0};
    DSBUFFERDESC description{36, DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME, streamed_ ? kRingSize : totalBytes_,
                             0,  &format,                                    DS3DALG_DEFAULT};
    if (positional) description.dwFlags |= DSBCAPS_CTRL3D;
    if (!streamed_) description.dwFlags |= DSBCAPS_STATIC;
    if (device_ == nullptr || device_->CreateSoundBuffer(&description, &secondary_, nullptr) != DS_OK) {
        secondary_ = nullptr;
        LogError("Sound System: DirectSound buffers overflow");
        return;
    }
    if (positional &&
        secondary_->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&buffer3D_)) != DS_OK) {
        buffer3D_ = nullptr;
        LogError("Sound System: Failed to get the 3D buffer from the secondary buffer");
    }
    SetVolume(volume_);
    if (streamed_) return;  // the ring is filled when the stream starts to play
    reader_->Open();
    if (!FillChunk(0, totalBytes_)) LogError(QuotedPath(fileName_) + " sound file - incorrect format");
    reader_->Close();
}

void SoundBuffer_DS7::ReleaseDeviceBuffer() {
    if (buffer3D_ != nullptr) {
        buffer3D_->Release();
        buffer3D_ = nullptr;
    }
    if (secondary_ != nullptr) {
        secondary_->Release();
        secondary_ = nullptr;
    }
}

bool SoundBuffer_DS7::WriteChunk(std::uint32_t index, std::uint32_t bytes) {
    if (secondary_ == nullptr) return true;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    if (secondary_->Lock(index * kChunkSize, bytes, &first, &firstBytes, &second, &secondBytes, 0) != DS_OK)
        return false;
    const std::uint32_t intoFirst = std::min<std::uint32_t>(bytes, firstBytes);
    std::memcpy(first, scratch_, intoFirst);
    if (second != nullptr)
        std::memcpy(second, scratch_ + intoFirst, std::min<std::uint32_t>(bytes - intoFirst, secondBytes));
    return secondary_->Unlock(first, firstBytes, second, secondBytes) == DS_OK;
}

void SoundBuffer_DS7::QueueChunk(std::uint32_t) {}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<std::uint32_t>* played) {
    if (played == nullptr) return;
    played->clear();
    if (secondary_ == nullptr || timer_ == nullptr || !IsPlaying() || ended_) return;

    // The play position is the stream timer's reading times the data rate, kept
    // within one turn of the ring.
    const std::uint64_t bytesPerSecond = std::uint64_t{sampleRate_} * channels_ * bitsPerSample_ / 8;
    const double rate = static_cast<double>(bytesPerSecond);
    const double estimate =
        std::clamp((static_cast<double>(timer_->GetTime()) + clockCarry_) * rate, 0.0, kLongestEstimate);
    auto position = static_cast<std::uint64_t>(estimate);
    if (position >= kRingSize) {
        // Whole turns come off the clock. What its whole milliseconds cannot hold is
        // carried, so that the estimate keeps in step with the device however long the
        // stream loops.
        const double seconds = (estimate - std::floor(estimate / kRingSize) * kRingSize) / rate;
        timer_->SetTime(static_cast<float>(seconds));
        clockCarry_ = seconds - static_cast<double>(timer_->GetTime());
        position %= kRingSize;
    }
    const auto ringPosition = static_cast<std::uint32_t>(position);
    const std::uint32_t unwrapped = ringPosition < lastRingPosition_ ? ringPosition + kRingSize : ringPosition;
    const std::uint32_t delta = unwrapped - lastRingPosition_;

    // The window of bytes passed since the last update, brought into the first two
    // turns of the ring. Each end trails its own estimate by up to two chunks, so that
    // a first frame longer than that reports no chunk twice (which would skip music).
    std::uint64_t low = bytesPlayed_ - std::min<std::uint64_t>(bytesPlayed_, kTrailingMargin);
    bytesPlayed_ += delta;
    std::uint64_t high = bytesPlayed_ - std::min<std::uint64_t>(bytesPlayed_, kTrailingMargin);
    if (high >= 2 * kRingSize) {
        const std::uint64_t turns = (high - kRingSize) / kRingSize;
        low -= turns * kRingSize;
        high -= turns * kRingSize;
    }

    const std::uint64_t halfWidth = (high - low) / 2;
    for (std::uint32_t span = 0; span < kSpanCount; ++span) {
        const std::uint64_t start = std::uint64_t{span} * kChunkSize;
        // The chunk the window ends in is still being played.
        if (start <= high && high <= start + kChunkSize) continue;
        if (Distance(start + kHalfChunk, low + halfWidth) > kHalfChunk + halfWidth) continue;
        const std::uint32_t index = span % kChunkCount;
        if (std::find(played->begin(), played->end(), index) == played->end()) played->push_back(index);
    }
    lastRingPosition_ = ringPosition;

    // A stream that does not loop ends one chunk after its data.
    if (!looping_ && bytesPlayed_ > std::uint64_t{totalBytes_} + kEndMargin) {
        SoundSystem_DS7::CheckResult("SoundBuffer_DS7::UnqueueProcessedBuffers", secondary_->Stop());
        ended_ = true;
        RewindClock();
    }
}

void SoundBuffer_DS7::Play(bool loop) {
    if (secondary_ == nullptr) CreateDirectSoundBuffer();
    if (secondary_ == nullptr) return;
    if (streamed_) SetStreamState(kPlaying);
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::Play",
                                 secondary_->Play(0, 0, streamed_ || loop ? DSBPLAY_LOOPING : 0));
    ended_ = false;
    if (streamed_) timer_->SetPaused(false);
}

void SoundBuffer_DS7::Pause() {
    if (secondary_ == nullptr) return;
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::Pause", secondary_->Stop());
    if (streamed_) timer_->SetPaused(true);
}

void SoundBuffer_DS7::Stop() {
    if (secondary_ == nullptr) return;
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::Stop", secondary_->Stop());
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::Stop", secondary_->SetCurrentPosition(0));
    lastRingPosition_ = 0;
    bytesPlayed_ = 0;
    if (streamed_) RewindClock();
    if (!resident_) ReleaseDeviceBuffer();
}

void SoundBuffer_DS7::RewindClock() {
    timer_->SetTime(0.0f);
    timer_->SetPaused(true);
    clockCarry_ = 0.0;
}

bool SoundBuffer_DS7::IsPlaying() const {
    if (secondary_ == nullptr) return false;
    DWORD status = 0;
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::IsPlaying", secondary_->GetStatus(&status));
    return (status & DSBSTATUS_PLAYING) != 0;
}

bool SoundBuffer_DS7::IsLost() const {
    if (secondary_ == nullptr) return false;
    DWORD status = 0;
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::IsLost", secondary_->GetStatus(&status));
    return (status & DSBSTATUS_BUFFERLOST) != 0;
}

bool SoundBuffer_DS7::Restore() {
    if (secondary_ == nullptr) return false;
    if (secondary_->Restore() != DS_OK) return false;
    // A stream is restarted by its sound; static data is loaded again with the reader
    // it has. A resident buffer gets a new device buffer, a non-resident one a new one
    // at its next Play.
    if (!streamed_) {
        if (resident_) ReleaseDeviceBuffer();
        Load(nullptr);
    }
    return true;
}

void SoundBuffer_DS7::SetVolume(float volume) {
    volume_ = volume;
    if (secondary_ != nullptr)
        SoundSystem_DS7::CheckResult("SoundBuffer_DS7::SetVolume",
                                     secondary_->SetVolume(SoundSystem_DS7::VolumeToAttenuation(volume)));
}

void SoundBuffer_DS7::SetTempo(float tempo) {
    if (secondary_ == nullptr) return;
    // Held inside the 32-bit range; the device refuses what it cannot play.
    double frequency = static_cast<double>(sampleRate_) * tempo;
    frequency = frequency > 0.0 ? std::min(frequency, 4294967295.0) : 0.0;
    SoundSystem_DS7::CheckResult("SoundBuffer_DS7::SetTempo",
                                 secondary_->SetFrequency(static_cast<DWORD>(frequency)));
}

void SoundBuffer_DS7::SetPosition(const Vector3& position) {
    if (buffer3D_ != nullptr)
        SoundSystem_DS7::CheckResult("SoundBuffer_DS7::SetPosition",
                                     buffer3D_->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED));
}

}  // namespace Vantor
