#include "game/Ingredient.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/BoundingBox.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

const std::string kModels = "provisions/ingredients/models/";
const std::string kShaders = "provisions/ingredients/shaders/";
constexpr float kVisibleAlpha = 0.0001f;

}  // namespace

Ingredient::Ingredient(GameData* gameData, Vantor::GUIWindow* parent, const std::string& name)
    : gameData_(gameData), name_(name) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    const Vantor::Model* model = gameData_->GetModel(kModels + name);
    picture_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f}, model, nullptr, parent);
    picture_->SetShader(gameData_->GetShaderUser(kShaders + name));
    picture_->SetSelectionFromModel(nullptr);
    selection_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f}, model, nullptr, picture_);
    selection_->SetShader(gameData_->GetShaderUser(kShaders + name + "_selection"));
    selection_->SetAlpha(0.0f);
}

Ingredient::~Ingredient() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(selection_);
    gui.DestroyWindow(picture_);
}

void Ingredient::SetAlpha(float alpha) {
    alpha_ = alpha;
    picture_->SetAlpha(alpha);
}

void Ingredient::SetColor(const Vantor::Color& colour) {
    picture_->SetColor(colour);
    alpha_ = colour.w;
}

void Ingredient::StartErrorBlink() {
    errorBlink_ = true;
    errorBlinkTime_ = 0.0f;
}

bool Ingredient::IsHovered() const { return picture_->IsHovered(); }

void Ingredient::SetPosition(const Vantor::Vector2& position, unsigned place) {
    picture_->SetPosition(position);
    picture_->SetOrder(static_cast<int>(2 * place + 1));
}

void Ingredient::SetPositionFromModel(const Vantor::Model* placement, unsigned place) {
    const Vantor::Vector3& corner = placement->GetBoundingBox().worldMin;
    SetPosition({corner.x, corner.y}, place);
}

void Ingredient::EnableInput() { Vantor::GUIManager::Instance()->GetExclusiveInputList().push_back(picture_); }

void Ingredient::Update() {
    const float dt = Vantor::TimerManager::Instance()->GetFrameTime();
    picture_->SetAlpha(visible_ ? alpha_ : 0.0f);
    if (errorBlink_) {
        errorBlinkTime_ += dt;
        highlight_ = std::fabs(std::sin(4.0f * errorBlinkTime_));
        if (4.0f * errorBlinkTime_ >= kBlinkEnd) {
            errorBlink_ = false;
            highlight_ = 0.0f;
        }
    } else {
        highlight_ = std::clamp(highlight_ + (highlightRequest_ ? kGlowRate : -kGlowRate) * dt, 0.0f, 1.0f);
    }
    const float glow = alpha_ * highlight_;
    selection_->SetColor(errorBlink_ ? Vantor::Color{1.0f, 0.0f, 0.0f, glow} : Vantor::Color{0.0f, 1.0f, 0.0f, glow});
    if (glow > kVisibleAlpha)
        selection_->SetFlags(Vantor::GUIWindow::kShown);
    else
        selection_->ClearFlags(Vantor::GUIWindow::kShown);
    highlightRequest_ = false;
}

}  // namespace Morvane
