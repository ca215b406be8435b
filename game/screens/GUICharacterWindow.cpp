#include "game/screens/GUICharacterWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ShaderUser.h"
#include "tools/DataKeeper.h"

namespace Morvane {

GUICharacterWindow::GUICharacterWindow(GameTools::DataKeeper* data, Vantor::GUIWindow* parent,
                                       const std::string& baseName)
    : data_(data) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    const Vantor::Model* model = data_->GetModel(kResourcePrefix + baseName);
    back_ = gui.CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, model, nullptr, parent);
    back_->SetOrder(kBackOrder);
    front_ = gui.CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, model, nullptr, parent);
    front_->SetOrder(kFrontOrder);
}

GUICharacterWindow::~GUICharacterWindow() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(front_);
    gui.DestroyWindow(back_);
}

void GUICharacterWindow::SetCharacter(const std::string& name) {
    if (name == current_) return;
    if (current_.empty()) {
        Present(front_, name, 0.0f);
        back_->ClearFlags(Vantor::GUIWindow::kShown);
        StartTransition(kFirstHold, kFadeInSpeed, front_, nullptr);
    } else if (name.empty()) {
        Present(front_, current_, 1.0f);
        back_->ClearFlags(Vantor::GUIWindow::kShown);
        StartTransition(0.0f, kFadeOutSpeed, nullptr, front_);
    } else {
        Present(back_, current_, 1.0f);
        Present(front_, name, 0.0f);
        StartTransition(kChangeHold, kFadeInSpeed, front_, back_);
    }
    current_ = name;
}

void GUICharacterWindow::Update() {
    if (!incoming_ && !outgoing_) return;
    fade_ += Vantor::TimerManager::Instance()->GetFrameTime() * speed_;
    const float x = std::clamp(fade_, 0.0f, 1.0f);
    if (incoming_) incoming_->SetAlpha(x);
    if (outgoing_) outgoing_->SetAlpha(1.0f - x);
    if (fade_ < 1.0f) return;
    if (outgoing_) outgoing_->ClearFlags(Vantor::GUIWindow::kShown);
    incoming_ = nullptr;
    outgoing_ = nullptr;
}

void GUICharacterWindow::Present(Vantor::GUIWindow* window, const std::string& picture, float alpha) const {
    window->SetShader(data_->GetShaderUser(kResourcePrefix + picture));
    window->SetFlags(Vantor::GUIWindow::kShown);
    window->SetAlpha(alpha);
}

void GUICharacterWindow::StartTransition(float fade, float speed, Vantor::GUIWindow* incoming,
                                         Vantor::GUIWindow* outgoing) {
    fade_ = fade;
    speed_ = speed;
    incoming_ = incoming;
    outgoing_ = outgoing;
}

}  // namespace Morvane
