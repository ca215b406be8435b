#pragma once
// The "scroll" control: a slider control over a GUI scroll bar with its two arrow
// buttons, whose geometry and drawing order are carried into the bar in every frame in
// which it is visible.

#include <string>

#include "engine/kernel/Vector2.h"
#include "gui_tools/GUISliderControl.h"

namespace Vantor {
class GUIButton;
class GUIScroll;
}  // namespace Vantor

namespace GUITools {

class GUIScrollControl : public GUISliderControl {
public:
    // Where an arrow sits on the bar and where it takes the cursor.
    struct ButtonPlace {
        Vantor::Vector2 position{0.0f, 0.0f};
        Vantor::Vector2 size{1.0f, 1.0f};
        bool hasSelection = false;
        Vantor::Vector2 selectionPosition{0.0f, 0.0f};
        Vantor::Vector2 selectionSize{0.0f, 0.0f};
    };

    // The arrows' alignment that puts them behind the bar; any other is "upper".
    static constexpr const char* kLowerButtons = "lower";

    GUIScrollControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const GUIControlDescription& description);
    // Destroys the scroll bar once, before the slider part is gone.
    ~GUIScrollControl() override;

    void Update() override;
    // The bar, its thumb and its increase and decrease buttons.
    void SetExclusiveInput() override;

    // Replace an arrow at its current place with one of the models "ui/" + the names
    // (none for an empty name), its texture coordinates scaled by uv.
    void SetIncreaseButtonLook(const std::string& modelName, const std::string& shaderName, const Vantor::Vector2& uv);
    void SetDecreaseButtonLook(const std::string& modelName, const std::string& shaderName, const Vantor::Vector2& uv);
    Vantor::GUIScroll* GetScroll() const { return scroll_; }

    ButtonPlace increaseButton;
    ButtonPlace decreaseButton;
    std::string buttonsAlignment = "upper";

private:
    static void Place(Vantor::GUIButton& button, const ButtonPlace& place);

    Vantor::GUIScroll* scroll_;  // the GUI manager's, destroyed here
};

}  // namespace GUITools
