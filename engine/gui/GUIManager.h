#pragma once
// The engine's one GUI object. It owns the GUI camera (orthographic over the virtual
// screen, x to the right and y upwards from the bottom-left corner), the bitmap fonts,
// the GUI sounds and every GUI element: each kind lives in a registry of its own, and
// elements are made and destroyed only here. Once per frame it routes the mouse to the
// elements (ProcessInput, at the frame start) and later updates them, so that their
// models and texts are ready before the models are drawn (Update).
//
// On a desktop wider or taller than 4:3 it keeps two black letterbox bars that cover
// what a full-screen camera shows beyond the 4:3 picture. Through the exclusive input
// list one control can capture the mouse: while the list is not empty only its entries
// see the mouse, and every other element sees it far away with no button down.

#include <cstdint>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/ObjectManager.h"
#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

class Camera;
class GUIButton;
class GUICheckBox;
class GUICursor;
class GUIEditBox;
class GUIFontManager;
class GUIScroll;
class GUISlider;
class GUISoundManager;
class GUIWindow;
class Model;
class ShaderDescriptor;
class SoundManager;

class GUIManager : public GlobalPointerHolder<GUIManager> {
public:
    // The letterbox bars lie in front of everything, the cursor included.
    static constexpr float kBarDepth = -400.0f - 1.0f;
    // Where the elements outside the exclusive input list see the cursor.
    static constexpr Vector2 kFarAwayCursor{-123456.0f, 123456.0f};
    // The 4:3 picture's aspect, as the device's float holds it.
    static constexpr double kPictureAspect = 1.3333333730697632;

    // The engine's window, camera manager, model manager and controls must exist; the
    // sound manager is null when the game runs without sound.
    explicit GUIManager(SoundManager* engineSounds);
    // Deletes every element still registered.
    virtual ~GUIManager();
    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    // Element makers: a model resource is copied (null for none), a shader gives a plain
    // quad when there is no model resource (null for none), a null parent makes a root
    // window. The element is registered and belongs to the manager.
    GUIWindow* CreateWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent);
    // An invisible grouping window at the parent's origin.
    GUIWindow* CreateEmptyWindow(std::uint32_t flags, GUIWindow* parent);
    // A shown window without an image whose hit area spans the two corners.
    GUIWindow* CreateAreaWindow(const Vector2& corner, const Vector2& oppositeCorner, GUIWindow* parent);
    // An area window over the model's world box, seen from the front.
    GUIWindow* CreateAreaWindowFromModel(const Model& model, GUIWindow* parent);
    GUIButton* CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent);
    GUICheckBox* CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent);
    GUIEditBox* CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                              const Model* modelResource, const ShaderDescriptor* shader, int fontId,
                              const Color& textColour, const Vector2& textOffset, int maximumCharacterCount,
                              float maximumTextWidth, float visibleWidth, std::uint16_t cursorCharacter,
                              GUIWindow* parent);
    GUISlider* CreateSlider(std::uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* modelResource, const ShaderDescriptor* shader, int vertical,
                            const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
                            GUIWindow* parent);
    GUIScroll* CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* modelResource, const ShaderDescriptor* shader, int vertical,
                            const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
                            GUIWindow* parent);
    GUICursor* CreateCursor(const Model* modelResource, const ShaderDescriptor* shader, float quadSize);

    // Each deletes an element registered in its own kind's registry; null, an element of
    // another kind or one already destroyed is left alone. The element's entries in the
    // exclusive input list become null entries, so the list keeps blocking the others.
    void DestroyWindow(GUIWindow* window);
    void DestroyButton(GUIButton* button);
    void DestroyCheckBox(GUICheckBox* checkBox);
    void DestroyEditBox(GUIEditBox* editBox);
    void DestroySlider(GUISlider* slider);
    void DestroyScroll(GUIScroll* scroll);
    void DestroyCursor(GUICursor* cursor);

    // The virtual screen's size in GUI units; the letterbox bars follow it.
    void SetScreenSize(float width, float height);
    float GetScreenWidth() const;
    float GetScreenHeight() const;
    // The mouse in GUI units, as of the last input pass.
    Vector2 GetCursorPosition() const;

    // Frame start: the bars follow the full-screen mode, every cursor follows the mouse,
    // and every element takes the mouse (the exclusive entries first).
    void ProcessInput();
    // Before the models are drawn: the cursors' images, every element's model and texts,
    // then the fonts end the frame's batches.
    void Update();

    Camera* GetCamera() const { return camera_; }
    GUIFontManager* GetFontManager() const { return fontManager_; }
    GUISoundManager* GetSoundManager() const { return soundManager_; }
    // Callers append to it to capture the mouse (a null entry blocks all GUI input),
    // clear it to release it, and test it for emptiness.
    std::vector<GUIWindow*>& GetExclusiveInputList() { return exclusiveInputList_; }
    // Empty, or the two letterbox bars (also registered windows).
    const std::vector<GUIWindow*>& GetBorderWindows() const { return borderWindows_; }

    const ObjectManager<GUICursor>& GetCursors() const { return cursors_; }
    const ObjectManager<GUIWindow>& GetWindows() const { return windows_; }
    const ObjectManager<GUIButton>& GetButtons() const { return buttons_; }
    const ObjectManager<GUICheckBox>& GetCheckBoxes() const { return checkBoxes_; }
    const ObjectManager<GUIEditBox>& GetEditBoxes() const { return editBoxes_; }
    const ObjectManager<GUISlider>& GetSliders() const { return sliders_; }
    const ObjectManager<GUIScroll>& GetScrolls() const { return scrolls_; }

private:
    void MakeBorderWindows();
    // Calls visit with every registered element, kind by kind in the routing order.
    template <class Visit>
    void ForEachElement(Visit visit) const;
    bool IsRegisteredElement(const GUIWindow* element) const;
    bool IsExclusive(const GUIWindow* element) const;
    // A new control (an element with sounds) over the fonts, the sounds and the camera,
    // registered in its kind's registry.
    template <class Control, class... Arguments>
    Control* MakeControl(ObjectManager<Control>& registry, Arguments&&... arguments);
    template <class Element>
    void Destroy(ObjectManager<Element>& registry, Element* element);

    Camera* camera_ = nullptr;                 // made by and given back to the camera manager
    GUIFontManager* fontManager_ = nullptr;    // owned
    GUISoundManager* soundManager_ = nullptr;  // owned
    // Declared in the order of making; the compiler destroys them in reverse, the lists
    // first and the cursors last.
    ObjectManager<GUICursor> cursors_;
    ObjectManager<GUIWindow> windows_;
    ObjectManager<GUIButton> buttons_;
    ObjectManager<GUICheckBox> checkBoxes_;
    ObjectManager<GUIEditBox> editBoxes_;
    ObjectManager<GUISlider> sliders_;
    ObjectManager<GUIScroll> scrolls_;
    GUICursor* systemCursor_ = nullptr;  // registered in the cursors
    std::vector<GUIWindow*> borderWindows_;
    std::vector<GUIWindow*> exclusiveInputList_;
};

}  // namespace Vantor
