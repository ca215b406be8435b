#include "game/screens/GUICoverWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "tools/DataKeeper.h"

namespace Morvane {

GUICoverWindow::GUICoverWindow(const GameTools::DataKeeper& data, Vantor::GUIWindow* parent)
    : window_(Vantor::GUIManager::Instance()->CreateWindow(0, {0.0f, 0.0f}, {800.0f, 600.0f}, nullptr,
                                                           data.GetShaderUser(kShader), parent)) {
    // The picture is 1024 x 768 on a 1024 x 1024 texture.
    window_->ScaleTextureCoordinates({1.0f, 0.75f});
    window_->SetOrder(kOrder);
}

GUICoverWindow::~GUICoverWindow() { Vantor::GUIManager::Instance()->DestroyWindow(window_); }

void GUICoverWindow::Show(float alpha) {
    window_->SetFlags(Vantor::GUIWindow::kShown);
    window_->SetAlpha(std::clamp(alpha, 0.0f, 1.0f));
}

void GUICoverWindow::Hide() { window_->ClearFlags(Vantor::GUIWindow::kShown); }

void GUICoverWindow::Fade(float time) {
    if (time < kFadeHalf)
        Show(time / kFadeHalf);
    else if (time < 2.0f * kFadeHalf)
        Show(2.0f - time / kFadeHalf);
    else if (window_->GetFlags() & Vantor::GUIWindow::kShown)
        Hide();
}

}  // namespace Morvane
