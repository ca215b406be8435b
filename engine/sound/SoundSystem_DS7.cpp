#include "engine/sound/SoundSystem_DS7.h"

#include <algorithm>
#include <cmath>

#include "engine/kernel/Error.h"
#include "engine/kernel/MessageManager.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"

namespace Vantor {

namespace {

constexpr DWORD kPrimaryRate = 22050;
constexpr WORD kPrimaryChannels = 2;
constexpr WORD kPrimaryBits = 16;
constexpr float kSilentVolume = 0.0001f;

struct ResultEntry {
    HRESULT code;
    const char* text;
};

const ResultEntry kResultTexts[] = {
    {DSERR_UNSUPPORTED, "The function called is not supported at this time."},
    {DSERR_NOINTERFACE, "The requested COM interface is not available."},
    {DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
    {DSERR_NOAGGREGATION, "The object does not support aggregation."},
    {DSERR_ACCESSDENIED, "The request failed because access was denied."},
    {DSERR_OUTOFMEMORY,
     "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
    {DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
    {DSERR_ALLOCATED,
     "The request failed because resources, such as a priority level, were already in use by another caller."},
    {DSERR_CONTROLUNAVAIL, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
    {DSERR_INVALIDCALL, "This function is not valid for the current state of this object."},
    {DSERR_PRIOLEVELNEEDED, "The caller does not have the priority level required for the function to succeed."},
    {DSERR_BADFORMAT, "The specified wave format is not supported."},
    {DSERR_NODRIVER, "No sound driver is available for use."},
    {DSERR_ALREADYINITIALIZED, "The object is already initialized."},
    {DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
    {DSERR_OTHERAPPHASPRIO, "Another application has a higher priority level, preventing this call from succeeding."},
    {DSERR_UNINITIALIZED,
     "The IDirectSound::Initialize method has not been called or has not been called successfully before other "
     "methods were called."},
};

MessageManager& Log() { return *MessageManager::Instance(); }

}  // namespace

SoundSystem_DS7::SoundSystem_DS7(bool use3D, HWND window) : SoundSystem(use3D) {
    Log().PrintMessage("\nInitialization of DirectSound Subsystem:");

    Log().PrintMessage("...Creating a device...");
    if (DirectSoundCreate(nullptr, &device_, nullptr) != DS_OK) FailConstruction("Failed to create a device");

    Log().PrintMessage("...Set cooperative level...");
    if (device_->SetCooperativeLevel(window, DSSCL_PRIORITY) != DS_OK)
        FailConstruction("Failed to set cooperative level");

    Log().PrintMessage("...Create primary buffer...");
    DSBUFFERDESC description{36, DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, 0, 0, nullptr, DS3DALG_DEFAULT};
    if (use3D_) description.dwFlags |= DSBCAPS_CTRL3D;
    if (device_->CreateSoundBuffer(&description, &primary_, nullptr) != DS_OK)
        FailConstruction("Failed to create primary buffer");

    Log().PrintMessage("...Set primary buffer format...");
    constexpr WORD kAlign = kPrimaryChannels * kPrimaryBits / 8;
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, kPrimaryChannels, kPrimaryRate, kPrimaryRate * kAlign, kAlign,
                              kPrimaryBits,    0};
    if (primary_->SetFormat(&format) != DS_OK) FailConstruction("Failed to set primary buffer format");

    if (use3D_) {
        Log().PrintMessage("...Get the 3D listener from the primary buffer...");
        if (primary_->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener_)) != DS_OK) {
            listener_ = nullptr;
            Log().PrintError("Failed to get the 3D listener from the primary buffer");
            use3D_ = false;
        }
    }
    Log().PrintMessage("");
    ResetListener();
}

SoundSystem_DS7::~SoundSystem_DS7() { Teardown(); }

void SoundSystem_DS7::FailConstruction(const std::string& text) {
    Log().PrintError(text);
    Teardown();
    throw Error("");
}

void SoundSystem_DS7::Teardown() {
    Log().PrintMessage("DirectSound system destroying:");
    if (listener_ != nullptr) {
        Log().PrintMessage("...Releasing 3D listener...");
        listener_->Release();
        listener_ = nullptr;
    }
    if (primary_ != nullptr) {
        Log().PrintMessage("...Releasing primary buffer...");
        primary_->Release();
        primary_ = nullptr;
    }
    if (device_ != nullptr) {
        Log().PrintMessage("...Releasing device...");
        device_->Release();
        device_ = nullptr;
    }
}

void SoundSystem_DS7::Refresh() {
    SoundSystem::Refresh();
    DWORD status = 0;
    CheckResult("SoundSystem_DS7::Refresh", primary_->GetStatus(&status));
    // Only a buffer that is lost and nothing else is restored.
    if (status == DSBSTATUS_BUFFERLOST) primary_->Restore();
    if (listener_ != nullptr) CheckResult("SoundSystem_DS7::Refresh", listener_->CommitDeferredSettings());
}

Sound* SoundSystem_DS7::CreateSound(const std::wstring& file, bool resident) {
    return new Sound_DS7(GetBufferManager(), file, resident);
}

Sound* SoundSystem_DS7::CloneSound(const Sound& source) {
    return new Sound_DS7(static_cast<const Sound_DS7&>(source));
}

SoundBuffer* SoundSystem_DS7::CreateBuffer(const std::wstring& file, std::uint8_t* scratch, bool resident) {
    return new SoundBuffer_DS7(file, scratch, resident);
}

SoundBuffer* SoundSystem_DS7::CloneBuffer(const SoundBuffer& source, std::uint8_t* scratch) {
    return new SoundBuffer_DS7(static_cast<const SoundBuffer_DS7&>(source), scratch);
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position) {
    SoundSystem::SetListenerPosition(position);
    if (listener_ != nullptr) listener_->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED);
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& forward, const Vector3& up) {
    SoundSystem::SetListenerOrientation(forward, up);
    if (listener_ != nullptr)
        listener_->SetOrientation(forward.x, forward.y, forward.z, up.x, up.y, up.z, DS3D_DEFERRED);
}

std::string SoundSystem_DS7::ResultText(HRESULT result) {
    for (const ResultEntry& entry : kResultTexts)
        if (entry.code == result) return entry.text;
    return "Unknown error (Code: " + std::to_string(result) + ")";
}

void SoundSystem_DS7::CheckResult(const std::string& where, HRESULT result) {
    if (result == DS_OK) return;
    Log().PrintError("DirectSound Subsystem (" + where + "): " + ResultText(result));
}

LONG SoundSystem_DS7::VolumeToAttenuation(float volume) {
    // Also catches a volume that is not a number.
    if (!(volume >= kSilentVolume)) return DSBVOLUME_MIN;
    const float reciprocal = 1.0f / volume;
    const float logarithm = std::log(reciprocal);
    // Held inside the range of the result before the truncation toward zero.
    const float attenuation = std::clamp(-1000.0f * logarithm, static_cast<float>(DSBVOLUME_MIN), 2.0e9f);
    return static_cast<LONG>(attenuation);
}

}  // namespace Vantor
