#include "engine/gui/GUIManager.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Window.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"

namespace Vantor {

namespace {

// The GUI camera looks down -Z from in front of every GUI depth.
constexpr float kCameraNear = 500.0f;
constexpr float kCameraFar = -500.0f;

// Takes a new element into its registry and hands it out.
template <class Element>
Element* Register(ObjectManager<Element>& registry, std::unique_ptr<Element> element) {
    registry.AddObject(element.get());
    return element.release();
}

// Visits the registry's live elements in slot order; the slot list is read afresh at
// every step, so it may grow meanwhile.
template <class Element, class Visit>
void VisitSlots(const ObjectManager<Element>& registry, Visit&& visit) {
    const std::vector<Element*>& slots = registry.GetSlots();
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        if (Element* element = slots[slot]) visit(*element);
}

template <class Element>
bool Holds(const ObjectManager<Element>& registry, const GUIWindow* element) {
    const std::vector<Element*>& slots = registry.GetSlots();
    return std::any_of(slots.begin(), slots.end(),
                       [element](const Element* slot) { return slot && static_cast<const GUIWindow*>(slot) == element; });
}

}  // namespace

GUIManager::GUIManager(SoundManager* engineSounds) {
    camera_ = CameraManager::Instance()->CreateCamera(Camera::kOrthographic);
    camera_->nearPlane = kCameraNear;
    camera_->farPlane = kCameraFar;
    fontManager_ = new GUIFontManager(camera_);
    soundManager_ = new GUISoundManager(engineSounds);
    systemCursor_ = CreateCursor(nullptr, nullptr, 0.0f);
    systemCursor_->visible = false;
    const Window& window = *Window::Instance();
    if (window.IsWideDesktop() || window.IsTallDesktop()) MakeBorderWindows();
    SetScreenSize(4.0f, 3.0f);
}

GUIManager::~GUIManager() {
    DestroyCursor(systemCursor_);
    for (GUIWindow* bar : borderWindows_) DestroyWindow(bar);
    delete fontManager_;
    delete soundManager_;
    CameraManager::Instance()->DeleteCamera(camera_);
    // The registries go with the members, each deleting what is still registered.
}

void GUIManager::MakeBorderWindows() {
    for (int bar = 0; bar < 2; ++bar) {
        // A hidden root window with a plain quad of the default material, painted black.
        const ShaderDescriptor plain;
        GUIWindow* window = CreateWindow(0, Vector2(0, 0), Vector2(0, 0), nullptr, &plain, nullptr);
        window->SetColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
        borderWindows_.push_back(window);
    }
}

GUIWindow* GUIManager::CreateWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent) {
    return Register(windows_, std::make_unique<GUIWindow>(fontManager_, camera_, flags, position, size, modelResource,
                                                          shader, parent));
}

GUIWindow* GUIManager::CreateEmptyWindow(std::uint32_t flags, GUIWindow* parent) {
    return CreateWindow(flags, Vector2(0, 0), Vector2(0, 0), nullptr, nullptr, parent);
}

GUIWindow* GUIManager::CreateAreaWindow(const Vector2& corner, const Vector2& oppositeCorner, GUIWindow* parent) {
    GUIWindow* window = CreateEmptyWindow(GUIWindow::kShown, parent);
    window->SetSelectionOn(true);
    window->SetSelectionPosition(corner);
    window->SetSelectionSize(oppositeCorner - corner);
    return window;
}

GUIWindow* GUIManager::CreateAreaWindowFromModel(const Model& model, GUIWindow* parent) {
    const BoundingBox& box = model.GetBoundingBox();
    return CreateAreaWindow(Vector2(box.worldMin.x, box.worldMin.y), Vector2(box.worldMax.x, box.worldMax.y), parent);
}

GUIButton* GUIManager::CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent) {
    return MakeControl(buttons_, flags, position, size, modelResource, shader, parent);
}

GUICheckBox* GUIManager::CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                        const Model* modelResource, const ShaderDescriptor* shader,
                                        GUIWindow* parent) {
    return MakeControl(checkBoxes_, flags, position, size, modelResource, shader, parent);
}

GUIEditBox* GUIManager::CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                      const Model* modelResource, const ShaderDescriptor* shader, int fontId,
                                      const Color& textColour, const Vector2& textOffset, int maximumCharacterCount,
                                      float maximumTextWidth, float visibleWidth, std::uint16_t cursorCharacter,
                                      GUIWindow* parent) {
    return MakeControl(editBoxes_, flags, position, size, modelResource, shader, fontId, textColour, textOffset,
                       maximumCharacterCount, maximumTextWidth, visibleWidth, cursorCharacter, parent);
}

GUISlider* GUIManager::CreateSlider(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* modelResource, const ShaderDescriptor* shader, int vertical,
                                    const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
                                    GUIWindow* parent) {
    return MakeControl(sliders_, flags, position, size, modelResource, shader, vertical, thumbMinimum, thumbMaximum,
                       stepCount, parent);
}

GUIScroll* GUIManager::CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* modelResource, const ShaderDescriptor* shader, int vertical,
                                    const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
                                    GUIWindow* parent) {
    return MakeControl(scrolls_, flags, position, size, modelResource, shader, vertical, thumbMinimum, thumbMaximum,
                       stepCount, parent);
}

template <class Control, class... Arguments>
Control* GUIManager::MakeControl(ObjectManager<Control>& registry, Arguments&&... arguments) {
    return Register(registry, std::make_unique<Control>(fontManager_, soundManager_, camera_,
                                                        std::forward<Arguments>(arguments)...));
}

GUICursor* GUIManager::CreateCursor(const Model* modelResource, const ShaderDescriptor* shader, float quadSize) {
    return Register(cursors_, std::make_unique<GUICursor>(camera_, modelResource, shader, quadSize));
}

template <class Element>
void GUIManager::Destroy(ObjectManager<Element>& registry, Element* element) {
    if (!registry.RemoveObject(element)) return;
    // A later element may get the same address: it must not inherit the capture.
    if constexpr (std::is_base_of_v<GUIWindow, Element>)
        std::replace(exclusiveInputList_.begin(), exclusiveInputList_.end(), static_cast<GUIWindow*>(element),
                     static_cast<GUIWindow*>(nullptr));
    delete element;
}

void GUIManager::DestroyWindow(GUIWindow* window) { Destroy(windows_, window); }
void GUIManager::DestroyButton(GUIButton* button) { Destroy(buttons_, button); }
void GUIManager::DestroyCheckBox(GUICheckBox* checkBox) { Destroy(checkBoxes_, checkBox); }
void GUIManager::DestroyEditBox(GUIEditBox* editBox) { Destroy(editBoxes_, editBox); }
void GUIManager::DestroySlider(GUISlider* slider) { Destroy(sliders_, slider); }
void GUIManager::DestroyScroll(GUIScroll* scroll) { Destroy(scrolls_, scroll); }
void GUIManager::DestroyCursor(GUICursor* cursor) { Destroy(cursors_, cursor); }

void GUIManager::SetScreenSize(float width, float height) {
    camera_->width = width;
    camera_->height = height;
    if (borderWindows_.empty()) return;
    // Each bar reaches one unit beyond the edge of what the full-screen camera shows.
    const float r = static_cast<float>(Window::Instance()->GetDesktopAspect() / kPictureAspect);
    GUIWindow& before = *borderWindows_[0];
    GUIWindow& after = *borderWindows_[1];
    if (Window::Instance()->IsWideDesktop()) {
        const float bar = (r - 1.0f) * width / 2.0f + 1.0f;
        before.SetPosition(Vector2(-bar, 0.0f));
        after.SetPosition(Vector2(width, 0.0f));
        before.SetSize(Vector2(bar, height));
        after.SetSize(Vector2(bar, height));
    } else {
        const float bar = (1.0f - r) * height / 2.0f + 1.0f;
        before.SetPosition(Vector2(0.0f, -bar));
        after.SetPosition(Vector2(0.0f, height));
        before.SetSize(Vector2(width, bar));
        after.SetSize(Vector2(width, bar));
    }
}

float GUIManager::GetScreenWidth() const { return camera_->width; }

float GUIManager::GetScreenHeight() const { return camera_->height; }

Vector2 GUIManager::GetCursorPosition() const { return systemCursor_->GetPosition(); }

template <class Visit>
void GUIManager::ForEachElement(Visit visit) const {
    VisitSlots(windows_, visit);
    VisitSlots(buttons_, visit);
    VisitSlots(checkBoxes_, visit);
    VisitSlots(editBoxes_, visit);
    VisitSlots(sliders_, visit);
    VisitSlots(scrolls_, visit);
}

bool GUIManager::IsRegisteredElement(const GUIWindow* element) const {
    return Holds(windows_, element) || Holds(buttons_, element) || Holds(checkBoxes_, element) ||
           Holds(editBoxes_, element) || Holds(sliders_, element) || Holds(scrolls_, element);
}

bool GUIManager::IsExclusive(const GUIWindow* element) const {
    return std::find(exclusiveInputList_.begin(), exclusiveInputList_.end(), element) != exclusiveInputList_.end();
}

void GUIManager::ProcessInput() {
    const bool fullScreen = Window::Instance()->IsFullScreen();
    for (GUIWindow* bar : borderWindows_) {
        if (fullScreen)
            bar->SetFlags(GUIWindow::kShown);
        else
            bar->ClearFlags(GUIWindow::kShown);
        // Showing a root window puts it back at its layer's depth.
        bar->GetModel()->SetDepth(kBarDepth);
    }
    VisitSlots(cursors_, [](GUICursor& cursor) { cursor.UpdatePosition(); });

    Vector2 position = systemCursor_->GetPosition();
    const Controls& controls = *Controls::Instance();
    bool held = controls.IsKeyDown("MOUSE1");
    bool pressed = controls.IsKeyPressed("MOUSE1");
    const bool captured = !exclusiveInputList_.empty();
    if (captured) {
        // By index: a list the caller changes meanwhile is read afresh.
        for (std::size_t entry = 0; entry < exclusiveInputList_.size(); ++entry) {
            GUIWindow* element = exclusiveInputList_[entry];
            if (element && IsRegisteredElement(element)) element->HandleInput(position, held, pressed);
        }
        position = kFarAwayCursor;
        held = false;
        pressed = false;
    }
    ForEachElement([&](GUIWindow& element) {
        if (!captured || !IsExclusive(&element)) element.HandleInput(position, held, pressed);
    });
}

void GUIManager::Update() {
    VisitSlots(cursors_, [](GUICursor& cursor) { cursor.UpdateModel(); });
    ForEachElement([](GUIWindow& element) { element.Update(); });
    fontManager_->ReleaseUnusedInstances();
}

}  // namespace Vantor
