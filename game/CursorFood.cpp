#include "game/CursorFood.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "game/Food.h"

namespace Morvane {

CursorFood::CursorFood(GameData* gameData, Vantor::GUIWindow* parent) : gameData_(gameData) {
    window_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    window_->SetOrder(kOrder);
    Clear();
}

CursorFood::~CursorFood() {
    food_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
}

void CursorFood::Clear() {
    food_.reset();
    food_ = std::make_unique<Food>(gameData_, window_);
}

void CursorFood::Release() {
    static_cast<void>(food_.release());
    Clear();
}

void CursorFood::Hide() {
    food_->SetPosition(kOffScreen);
    ShowSystemCursor(true);
}

void CursorFood::Update() {
    food_->SetPosition(GetCursorPosition() - food_->GetExtent() * 0.5f);
    food_->Update();
    ShowSystemCursor(food_->GetLayers().empty());
}

void CursorFood::ShowSystemCursor(bool visible) {
    Vantor::Controls& controls = *Vantor::Controls::Instance();
    if (controls.IsCursorVisible() != visible) controls.SetCursorVisible(visible);
}

bool CursorFood::IsLeftClick() { return Vantor::Controls::Instance()->IsKeyPressed("MOUSE1"); }

bool CursorFood::IsRightClick() { return Vantor::Controls::Instance()->IsKeyPressed("MOUSE2"); }

Vantor::Vector2 CursorFood::GetCursorPosition() { return Vantor::GUIManager::Instance()->GetCursorPosition(); }

}  // namespace Morvane
