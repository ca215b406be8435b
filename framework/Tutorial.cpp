#include "framework/Tutorial.h"

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

Tutorial::Tutorial(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

void Tutorial::StartHint(int hint, float delay) {
    ready_ = false;
    active_ = true;
    hint_ = hint;
    delay_ = delay;
    elapsed_ = 0.0f;
    pending_ = 0;
}

void Tutorial::EndHint() {
    active_ = false;
    hint_ = 0;
    pending_ = 0;
}

void Tutorial::FinishHint() {
    MarkShown(static_cast<unsigned>(hint_));
    EndHint();
}

void Tutorial::Update(float frameTime) {
    if (!active_) return;
    delay_ -= frameTime;
    if (delay_ <= 0.0f) elapsed_ += frameTime;
}

std::uint32_t Tutorial::PendingBit(int n) { return 1u << (static_cast<unsigned>(n) % 32); }

bool Tutorial::IsPending(int n) const { return (pending_ & PendingBit(n)) != 0; }

void Tutorial::SetPending(int n) { pending_ |= PendingBit(n); }

void Tutorial::ClearPending(int n) { pending_ &= ~PendingBit(n); }

bool Tutorial::IsShown(unsigned n) const {
    if (n >= kHintCount) return true;
    const ProfileBase* profile = profileManager_->GetCurrentProfile();
    return profile != nullptr && profile->IsShownBitSet(n);
}

void Tutorial::MarkShown(unsigned n) {
    if (ProfileBase* profile = profileManager_->GetCurrentProfile()) profile->SetShownBit(n, true);
}

void Tutorial::ClearAllShown() {
    ProfileBase* profile = profileManager_->GetCurrentProfile();
    if (profile == nullptr) return;
    for (unsigned n = 0; n < kHintCount; ++n) profile->SetShownBit(n, false);
}

}  // namespace GameFramework
