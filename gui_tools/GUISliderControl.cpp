#include "gui_tools/GUISliderControl.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"

namespace GUITools {

namespace {

// A new slider starts horizontal, with two steps and its thumb at the origin.
constexpr int kHorizontal = 0;
constexpr std::uint32_t kStepCount = 2;

}  // namespace

GUISliderControl::GUISliderControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(keeper, description),
      slider_(Vantor::GUIManager::Instance()->CreateSlider(0, GetPosition(), GetSize(), FindModel(description.model),
                                                           FindShader(description.shader), kHorizontal,
                                                           thumbMinPosition, thumbMaxPosition, kStepCount, parent)) {
    AttachElement(slider_, description, true);
}

GUISliderControl::GUISliderControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                   const GUIControlDescription& description, ScrollBar)
    : GUIControl(keeper, description),
      slider_(Vantor::GUIManager::Instance()->CreateScroll(0, GetPosition(), GetSize(), FindModel(description.model),
                                                           FindShader(description.shader), kHorizontal,
                                                           thumbMinPosition, thumbMaxPosition, kStepCount, parent)) {
    AttachElement(slider_, description, true);
}

GUISliderControl::~GUISliderControl() { Vantor::GUIManager::Instance()->DestroySlider(slider_); }

void GUISliderControl::SetThumbLook(const std::string& modelName, const std::string& shaderName,
                                    const Vantor::Vector2& uv) {
    slider_->CreateThumb(thumbSize, FindModel(modelName), FindShader(shaderName));
    slider_->GetThumb()->ScaleTextureCoordinates(uv);
}

void GUISliderControl::Update() {
    GUIControl::Update();
    if (!slider_->IsVisible()) return;
    slider_->SetVertical(orientation.find("vertical") != std::string::npos);
    slider_->SetThumbSize(thumbSize);
    slider_->SetThumbMinPosition(thumbMinPosition);
    slider_->SetThumbMaxPosition(thumbMaxPosition);
    Vantor::GUIButton& thumb = *slider_->GetThumb();
    thumb.SetSelectionOn(thumbHasSelection);
    if (thumbHasSelection) {
        thumb.SetSelectionPosition(thumbSelectionPosition);
        thumb.SetSelectionSize(thumbSelectionSize);
    }
}

void GUISliderControl::SetExclusiveInput() {
    std::vector<Vantor::GUIWindow*>& exclusive = Vantor::GUIManager::Instance()->GetExclusiveInputList();
    exclusive.push_back(slider_);
    exclusive.push_back(slider_->GetThumb());
}

}  // namespace GUITools
