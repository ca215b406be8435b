#pragma once
// What the primary and the secondary DirectSound buffers share: the buffer interface
// with one 3D interface beside it (the listener or the 3D buffer), one reference count
// for both, and the mixer and creation flags. The 3D interface is handed out only by a
// buffer made with DSBCAPS_CTRL3D.

#include <memory>

#include "platform/DirectSound.h"
#include "platform/FailureInjection.h"
#include "platform/SoundMixer.h"

namespace platform {

template <class Interface3D>
class DirectSoundBufferObject : public IDirectSoundBuffer, public Interface3D {
public:
    HRESULT QueryInterface(REFIID iid, void** object) final {
        if (!object) return DSERR_INVALIDPARAM;
        *object = nullptr;
        if (iid == IID_IDirectSoundBuffer) {
            *object = static_cast<IDirectSoundBuffer*>(this);
        } else if (iid == iid3D_) {
            if (!(flags_ & DSBCAPS_CTRL3D) || ShouldFail("IDirectSoundBuffer::QueryInterface"))
                return DSERR_NOINTERFACE;
            *object = static_cast<Interface3D*>(this);
        } else {
            return DSERR_NOINTERFACE;
        }
        AddRef();
        return DS_OK;
    }

    ULONG AddRef() final { return ++references_; }

    ULONG Release() final {
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

protected:
    DirectSoundBufferObject(std::shared_ptr<SoundMixer> mixer, DWORD flags, const GUID& iid3D)
        : mixer_(std::move(mixer)), flags_(flags), iid3D_(iid3D) {}
    ~DirectSoundBufferObject() override = default;

    const std::shared_ptr<SoundMixer> mixer_;
    const DWORD flags_;

private:
    const GUID iid3D_;
    ULONG references_ = 1;
};

}  // namespace platform
