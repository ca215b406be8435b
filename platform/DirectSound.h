#pragma once
// DirectSound: the device, its primary buffer with the 3D listener, and secondary
// buffers with their 3D interface. Every playing secondary buffer is mixed into the
// one 22050 Hz 16-bit stereo output (platform/SoundMixer.h). On the sdl backend the
// output is an SDL audio device; on the headless backend mixing happens on demand,
// driven by the virtual clock, and tests read what was mixed through the seams below.

#include <cstdint>
#include <vector>

#include "platform/WinTypes.h"

// Result codes: the values the sound system's result texts are keyed on.
constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DSERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_ALREADYINITIALIZED = static_cast<HRESULT>(0x88780082u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x887800A0u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);

// Cooperative levels.
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSSCL_EXCLUSIVE = 3;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities (DSBUFFERDESC::dwFlags).
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008;
constexpr DWORD DSBCAPS_CTRL3D = 0x00000010;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;

constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;

constexpr DWORD DSBPLAY_LOOPING = 0x00000001;

constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// Volume in hundredths of a decibel of attenuation.
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;

constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 100000;

constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

// When a 3D setting takes effect: at once, or at the listener's CommitDeferredSettings.
constexpr DWORD DS3D_IMMEDIATE = 0;
constexpr DWORD DS3D_DEFERRED = 1;

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
};
using LPDSBUFFERDESC = DSBUFFERDESC*;
using LPCDSBUFFERDESC = const DSBUFFERDESC*;

// The default 3D algorithm is the null identifier; any algorithm is accepted.
inline constexpr GUID DS3DALG_DEFAULT{};

// Interface identifiers for QueryInterface (values of this layer's own choosing).
inline constexpr GUID IID_IDirectSound{0x6d730001, 0x5d2e, 0x4c1a, {0x9b, 0x44, 0x53, 0x4f, 0x55, 0x4e, 0x44, 0x01}};
inline constexpr GUID IID_IDirectSoundBuffer{0x6d730002, 0x5d2e, 0x4c1a, {0x9b, 0x44, 0x53, 0x4f, 0x55, 0x4e, 0x44, 0x02}};
inline constexpr GUID IID_IDirectSound3DListener{0x6d730003, 0x5d2e, 0x4c1a, {0x9b, 0x44, 0x53, 0x4f, 0x55, 0x4e, 0x44, 0x03}};
inline constexpr GUID IID_IDirectSound3DBuffer{0x6d730004, 0x5d2e, 0x4c1a, {0x9b, 0x44, 0x53, 0x4f, 0x55, 0x4e, 0x44, 0x04}};

class IDirectSoundBuffer;

class IDirectSound {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, IDirectSoundBuffer** buffer, void* outer) = 0;
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;

protected:
    virtual ~IDirectSound() = default;
};

class IDirectSoundBuffer {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
    virtual HRESULT GetFrequency(DWORD* frequency) = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
    virtual HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                         DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    virtual HRESULT SetFormat(LPCWAVEFORMATEX format) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) = 0;
    virtual HRESULT Restore() = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};

class IDirectSound3DListener {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, DWORD apply) = 0;
    virtual HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                                   DWORD apply) = 0;
    virtual HRESULT CommitDeferredSettings() = 0;

protected:
    virtual ~IDirectSound3DListener() = default;
};

class IDirectSound3DBuffer {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, DWORD apply) = 0;

protected:
    virtual ~IDirectSound3DBuffer() = default;
};

using LPDIRECTSOUND = IDirectSound*;
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;
using LPDIRECTSOUND3DLISTENER = IDirectSound3DListener*;
using LPDIRECTSOUND3DBUFFER = IDirectSound3DBuffer*;

// Opens the default output (a null or all-zero device identifier). Fails with
// DSERR_NODRIVER when no audio output can be opened, or when a failure is injected
// under the name "DirectSoundCreate"; aggregation is refused.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer);

namespace platform {

struct Sound3DVector {
    float x, y, z;
};

// 3D settings are stored, not rendered: the output is plain stereo.
struct Sound3DListenerSettings {
    Sound3DVector position;
    Sound3DVector front;
    Sound3DVector top;
};

struct Sound3DBufferSettings {
    Sound3DVector position;
};

}  // namespace platform

namespace platform::seam {

// The primary format of the open output (all zero when no device is open).
WAVEFORMATEX PrimarySoundFormat();

// A lost buffer stops, reports DSBSTATUS_BUFFERLOST, and refuses Lock and Play with
// DSERR_BUFFERLOST until it is restored. Works for primary and secondary buffers.
void MarkSoundBufferLost(IDirectSoundBuffer* buffer);
// What another program taking the output looks like: every buffer and the primary lost.
void MarkAllSoundBuffersLost();

// The settings in effect (deferred changes count once committed).
Sound3DListenerSettings Applied3DListenerSettings(IDirectSound3DListener* listener);
Sound3DBufferSettings Applied3DBufferSettings(IDirectSound3DBuffer* buffer);

// Headless backend: mixes up to the virtual clock's "now", then hands out every stereo
// frame mixed since the last call (interleaved left, right; the most recent 30 seconds
// at most) and forgets them.
std::vector<int16_t> TakeMixedSamples();
// Headless backend: moves the virtual clock on with every playing voice moved on as if
// it had been mixed, without mixing or recording the output, so that tests can listen
// after hours of play in little time.
void AdvanceVirtualTimeUnmixed(uint64_t microseconds);

// Other failures that tests can inject with platform::seam::FailNextCalls, and what
// the call then returns:
//   "IDirectSound::SetCooperativeLevel"   DSERR_ALLOCATED
//   "IDirectSound::CreateSoundBuffer"     DSERR_OUTOFMEMORY
//   "IDirectSound::DuplicateSoundBuffer"  DSERR_OUTOFMEMORY
//   "IDirectSoundBuffer::SetFormat"       DSERR_GENERIC
//   "IDirectSoundBuffer::QueryInterface"  DSERR_NOINTERFACE (for the 3D interfaces)
//   "IDirectSoundBuffer::Lock"            DSERR_GENERIC
//   "IDirectSoundBuffer::Restore"         DSERR_BUFFERLOST

}  // namespace platform::seam
