#include "gui_tools/GUIScrollControl.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"

namespace GUITools {

namespace {

// The arrows' orders among the bar's children: in front of the bar, or behind it.
constexpr int kButtonsInFront = 2;
constexpr int kButtonsBehind = -1;

}  // namespace

GUIScrollControl::GUIScrollControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUISliderControl(keeper, parent, description, ScrollBar{}), scroll_(static_cast<Vantor::GUIScroll*>(GetSlider())) {}

GUIScrollControl::~GUIScrollControl() {
    Vantor::GUIManager::Instance()->DestroyScroll(scroll_);
    scroll_ = nullptr;
    ForgetSlider();
}

void GUIScrollControl::SetIncreaseButtonLook(const std::string& modelName, const std::string& shaderName,
                                             const Vantor::Vector2& uv) {
    scroll_->CreateIncreaseButton(increaseButton.position, increaseButton.size, FindModel(modelName),
                                  FindShader(shaderName));
    scroll_->GetIncreaseButton()->ScaleTextureCoordinates(uv);
}

void GUIScrollControl::SetDecreaseButtonLook(const std::string& modelName, const std::string& shaderName,
                                             const Vantor::Vector2& uv) {
    scroll_->CreateDecreaseButton(decreaseButton.position, decreaseButton.size, FindModel(modelName),
                                  FindShader(shaderName));
    scroll_->GetDecreaseButton()->ScaleTextureCoordinates(uv);
}

void GUIScrollControl::Place(Vantor::GUIButton& button, const ButtonPlace& place) {
    button.SetPosition(place.position);
    button.SetSize(place.size);
    button.SetSelectionOn(place.hasSelection);
    if (place.hasSelection) {
        button.SetSelectionPosition(place.selectionPosition);
        button.SetSelectionSize(place.selectionSize);
    }
}

void GUIScrollControl::Update() {
    GUISliderControl::Update();
    if (!scroll_->IsVisible()) return;
    Vantor::GUIButton& increase = *scroll_->GetIncreaseButton();
    Vantor::GUIButton& decrease = *scroll_->GetDecreaseButton();
    Place(increase, increaseButton);
    Place(decrease, decreaseButton);
    const bool lower = buttonsAlignment == kLowerButtons;
    increase.SetOrder(lower ? kButtonsBehind : kButtonsInFront);
    decrease.SetOrder(lower ? kButtonsBehind : kButtonsInFront);
    scroll_->SetOrder(lower ? GetOrder() + 1 : GetOrder());
}

void GUIScrollControl::SetExclusiveInput() {
    std::vector<Vantor::GUIWindow*>& exclusive = Vantor::GUIManager::Instance()->GetExclusiveInputList();
    exclusive.push_back(scroll_);
    exclusive.push_back(scroll_->GetThumb());
    exclusive.push_back(scroll_->GetIncreaseButton());
    exclusive.push_back(scroll_->GetDecreaseButton());
}

}  // namespace GUITools
