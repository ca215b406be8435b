#pragma once
// The base GUI element: a rectangle placed relative to its parent, drawn through a model
// of its own (a copy of a model resource, or a unit quad with a material) at a fixed
// depth, shown only while it and all its ancestors are shown, hovered while the GUI
// cursor lies over it, and drawing the texts queued for the frame through the font
// manager. Buttons, check boxes, sliders, scroll bars and edit boxes build on it.
//
// Depths: a root window lies at -100, -175, -250 or -400 by its layer flag, a child
// 0.01 x its order in front of its parent (more negative is drawn later, in front).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/TextPrint.h"
#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

class AnimationControl;
class Camera;
class GUIFontManager;
class Model;
class ShaderDescriptor;
class ShaderUser;

class GUIWindow {
public:
    // Window flags; other bits are kept without effect.
    static constexpr std::uint32_t kShown = 0x1;
    static constexpr std::uint32_t kBackLayer = 0x4;
    static constexpr std::uint32_t kFrontLayer = 0x8;
    static constexpr std::uint32_t kTopLayer = 0x10;
    static constexpr std::uint32_t kLayers = kBackLayer | kFrontLayer | kTopLayer;

    static constexpr float kBackDepth = -100.0f;
    static constexpr float kFrontDepth = -250.0f;
    static constexpr float kMiddleDepth = (kBackDepth + kFrontDepth) * 0.5f;
    static constexpr float kTopDepth = -400.0f;
    // How far a child lies in front of its parent per step of its order.
    static constexpr float kChildDepthStep = 0.01f;

    // The unit quad's model flags: static, 0x10, vertex colours, the blended list, the
    // given depth; drawn once shown.
    static constexpr std::uint32_t kQuadModelFlags = 0xC31;

    // With a model resource the window draws a registered copy of it (with the shader's
    // material when one is given); else with a shader a unit quad of that material;
    // else nothing. Only the GUI manager and the element kinds make windows.
    GUIWindow(GUIFontManager* fontManager, Camera* camera, std::uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent);
    // Leaves the parent; the children become root windows.
    virtual ~GUIWindow();
    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // Sets the hover flag from the cursor (in GUI units); false when not visible. Held
    // and pressed are for the element kinds.
    virtual bool HandleInput(const Vector2& cursor, bool held, bool pressed);
    // Places the model over the window's rectangle and draws the frame's texts; the
    // queue is emptied whether visible or not. False when not visible.
    virtual bool Update();
    // The order among siblings; a child's depth follows it, and its subtree follows.
    virtual void SetOrder(int order);
    virtual void SetColor(const Color& colour);
    virtual void SetAlpha(float alpha);
    // Visible while shown and the parent is visible; passed on to the children.
    virtual void UpdateVisibility();

    // Adds the bits, unless one of them is set already (then nothing happens at all).
    void SetFlags(std::uint32_t flags);
    // Removes the bits, when one of them is set; removing a layer puts the window at -175.
    void ClearFlags(std::uint32_t flags);

    // Moves the window under the parent (null: a root window), dropping its layer flags.
    void SetParent(GUIWindow* parent);
    void AddChild(GUIWindow* child);
    void RemoveChild(GUIWindow* child);

    // The model follows these in the next Update.
    void SetPosition(const Vector2& position) { position_ = position; }
    void SetSize(const Vector2& size) { size_ = size; }
    void SetSelectionOn(bool on) { selectionOn_ = on; }
    void SetSelectionPosition(const Vector2& position) { selectionPosition_ = position; }
    void SetSelectionSize(const Vector2& size) { selectionSize_ = size; }
    // The hit area from the model's world box (the window's own model when null).
    void SetSelectionFromModel(const Model* model);
    void SetTextAreaOn(bool on) { textAreaOn_ = on; }
    void SetTextAreaPosition(const Vector2& position) { textAreaPosition_ = position; }
    void SetTextAreaSize(const Vector2& size) { textAreaSize_ = size; }
    // Off: a window with a model hit-tests the model's own box and its owner places it.
    void SetRectangleHitTest(bool on) { rectangleHitTest_ = on; }

    // The sum of the ancestors' positions; (0, 0) for a root window.
    Vector2 GetAbsolutePosition() const;

    ShaderUser* GetShaderUser() const;
    // The frame animation of the material's first stage when that stage has more than
    // one frame (an image per state), else null.
    AnimationControl* GetStageAnimation() const;
    void SetShader(const ShaderDescriptor* shader);
    void ScaleTextureCoordinates(const Vector2& uv);
    // Of the model's first vertex; opaque white without a model.
    float GetAlpha() const;
    Color GetColor() const;

    // Queues a text for this frame (nothing for an empty text); size -1 for the font's own.
    void PrintText(int alignment, int fontId, const Vector2& position, const Color& colour, const std::wstring& text,
                   float angle, float size);
    // The next print of the pool, counted for this frame.
    TextPrint* NewTextPrint();

    std::uint32_t GetFlags() const { return flags_; }
    bool IsVisible() const { return visible_; }
    const Vector2& GetPosition() const { return position_; }
    const Vector2& GetSize() const { return size_; }
    GUIWindow* GetParent() const { return parent_; }
    const std::vector<GUIWindow*>& GetChildren() const { return children_; }
    int GetOrder() const { return order_; }
    float GetDepth() const { return depth_; }
    bool IsSelectionOn() const { return selectionOn_; }
    const Vector2& GetSelectionPosition() const { return selectionPosition_; }
    const Vector2& GetSelectionSize() const { return selectionSize_; }
    bool IsTextAreaOn() const { return textAreaOn_; }
    const Vector2& GetTextAreaPosition() const { return textAreaPosition_; }
    const Vector2& GetTextAreaSize() const { return textAreaSize_; }
    bool IsHovered() const { return hovered_; }
    bool IsRectangleHitTest() const { return rectangleHitTest_; }
    Model* GetModel() const { return model_; }
    // The cursor of the last HandleInput, in the model's own frame after a model hit test.
    const Vector2& GetCursorPosition() const { return cursorPosition_; }
    int GetPrintCount() const { return printCount_; }
    // A text queued this frame, 0 up to the print count.
    const TextPrint& GetTextPrint(int index) const { return *printPool_[static_cast<std::size_t>(index)]; }
    GUIFontManager* GetFontManager() const { return fontManager_; }

private:
    void MakeQuad(Camera* camera, const ShaderDescriptor& shader);
    // Alpha blending by the source's alpha on the model's own material.
    void SetUpBlending();
    // The depth, also the model's.
    void PlaceAtDepth(float depth);
    bool HitsModel(const Vector2& cursor);
    bool HitsRectangle(const Vector2& cursor) const;
    void PlaceModel();
    void DrawPrints();

    GUIFontManager* fontManager_;  // not owned
    std::uint32_t flags_ = 0;
    bool visible_ = false;
    Vector2 position_;
    Vector2 size_;
    GUIWindow* parent_ = nullptr;       // not owned
    std::vector<GUIWindow*> children_;  // not owned
    int order_ = 1;
    float depth_ = kMiddleDepth;
    bool selectionOn_ = false;
    Vector2 selectionPosition_;
    Vector2 selectionSize_;
    bool textAreaOn_ = false;
    Vector2 textAreaPosition_;
    Vector2 textAreaSize_;
    bool hovered_ = false;
    bool rectangleHitTest_ = true;
    Model* model_ = nullptr;  // registered with the model manager
    Vector2 cursorPosition_;
    int printCount_ = 0;
    std::vector<std::unique_ptr<TextPrint>> printPool_;
};

}  // namespace Vantor
