#include "game/screens/GUILogosWindow.h"

#include <algorithm>
#include <utility>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ShaderDescriptor.h"

namespace Morvane {

namespace {

constexpr Vantor::Vector2 kScreen{800.0f, 600.0f};
// The 800 x 600 picture lies in a 1024 x 1024 texture.
constexpr Vantor::Vector2 kPictureShare{800.0f / 1024.0f, 600.0f / 1024.0f};
constexpr const char* kBackdropTexture = "common\\empty";

// Blended by the picture's alpha, without mip maps, clamped.
Vantor::ShaderDescriptor PictureMaterial(const char* texture) { return {true, false, texture, true}; }

}  // namespace

GUILogosWindow::GUILogosWindow() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    root_ = gui.CreateWindow(Vantor::GUIWindow::kShown | Vantor::GUIWindow::kFrontLayer, {0.0f, 0.0f},
                             {0.0f, 0.0f}, nullptr, nullptr, nullptr);
    first_ = MakePicture(kFirstFile, "splash1");
    second_ = MakePicture(kSecondFile, "splash2");
    if (!first_) std::swap(first_, second_);
    const Vantor::ShaderDescriptor black = PictureMaterial(kBackdropTexture);
    backdrop_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, kScreen, nullptr, &black, root_);
    backdrop_->SetColor({0.0f, 0.0f, 0.0f, 1.0f});
    backdrop_->SetFlags(Vantor::GUIWindow::kShown);
    backdrop_->SetOrder(kBackdropOrder);
    if (first_) first_->SetOrder(kFirstOrder);
    if (second_) second_->SetOrder(kSecondOrder);
    if (Vantor::GUIWindow* shownFirst = second_ ? second_ : first_) ShowTransparent(*shownFirst);
}

GUILogosWindow::~GUILogosWindow() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(backdrop_);
    gui.DestroyWindow(second_);
    gui.DestroyWindow(first_);
    gui.DestroyWindow(root_);
}

Vantor::GUIWindow* GUILogosWindow::MakePicture(const wchar_t* file, const char* texture) const {
    if (!Vantor::FileManager::Instance()->Exists(file)) return nullptr;
    const Vantor::ShaderDescriptor material = PictureMaterial(texture);
    Vantor::GUIWindow* picture = Vantor::GUIManager::Instance()->CreateWindow(
        Vantor::GUIWindow::kShown, {0.0f, 0.0f}, kScreen, nullptr, &material, root_);
    picture->ClearFlags(Vantor::GUIWindow::kShown);
    picture->ScaleTextureCoordinates(kPictureShare);
    return picture;
}

void GUILogosWindow::ShowTransparent(Vantor::GUIWindow& picture) {
    picture.SetColor({1.0f, 1.0f, 1.0f, 0.0f});
    picture.SetFlags(Vantor::GUIWindow::kShown);
}

void GUILogosWindow::Open(GameFramework::WindowId source) {
    GUILogosWindowBase::Open(source);
    running_ = true;
    Vantor::MessageManager::Instance()->PrintMessage("Logos window opened");
}

void GUILogosWindow::Close() {
    GUILogosWindowBase::Close();
    running_ = false;
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    for (Vantor::GUIWindow** window : {&first_, &second_, &backdrop_}) {
        gui.DestroyWindow(*window);
        *window = nullptr;
    }
}

void GUILogosWindow::Update() {
    GUILogosWindowBase::Update();
    if (!running_) return;
    timer_ += Vantor::TimerManager::Instance()->GetFrameTime();
    // A frame's time beyond the full second is dropped at the phase change.
    const float fade = std::clamp(timer_, 0.0f, 1.0f);
    if (second_ && second_->IsVisible()) {
        if (RunPhase(*second_, fade)) {
            ShowTransparent(*first_);
            holdCount_ = 0;
            phase_ = Phase::FadeIn;
        }
    } else if (first_ && first_->IsVisible()) {
        const Phase before = phase_;
        if (RunPhase(*first_, fade)) {
            phase_ = Phase::Finished;
            Report(GameFramework::WindowResult::Finished);
        }
        // The last picture is opaque: it will fade out onto what lies behind the logos.
        if (before == Phase::FadeIn && phase_ == Phase::Hold) backdrop_->ClearFlags(Vantor::GUIWindow::kShown);
    } else if (!first_ && !second_) {
        backdrop_->ClearFlags(Vantor::GUIWindow::kShown);
        Report(GameFramework::WindowResult::Finished);
    }
}

bool GUILogosWindow::RunPhase(Vantor::GUIWindow& picture, float fade) {
    const bool whole = fade == 1.0f;
    bool fadedOut = false;
    switch (phase_) {
        case Phase::FadeIn:
            picture.SetColor({1.0f, 1.0f, 1.0f, fade});
            if (whole) phase_ = Phase::Hold;
            break;
        case Phase::Hold:
            if (whole && ++holdCount_ == kHoldSeconds) phase_ = Phase::FadeOut;
            break;
        case Phase::FadeOut:
            picture.SetColor({1.0f, 1.0f, 1.0f, 1.0f - fade});
            if (whole) picture.ClearFlags(Vantor::GUIWindow::kShown);
            fadedOut = whole;
            break;
        case Phase::Finished:
            break;
    }
    if (whole) timer_ = 0.0f;
    return fadedOut;
}

}  // namespace Morvane
