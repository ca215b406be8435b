#include "engine/gui/GUIWindow.h"

#include <algorithm>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

GUIWindow::GUIWindow(GUIFontManager* fontManager, Camera* camera, std::uint32_t flags, const Vector2& position,
                     const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent)
    : fontManager_(fontManager), position_(position), size_(size) {
    ModelManager& models = *ModelManager::Instance();
    if (modelResource) {
        model_ = models.CreateModelInstance(*modelResource, camera, ModelFlags::kVertexColours);
        model_->ClearFlags(ModelFlags::kVisible | ModelFlags::kLighting | ModelFlags::kDepthTest);
        model_->SetFlags(ModelFlags::kSecondDrawList | ModelFlags::kFixedDepth);
        if (shader) model_->SetShader(*shader);
    } else if (shader) {
        MakeQuad(camera, *shader);
    }
    SetFlags(flags);
    SetParent(parent);
    if (model_) SetUpBlending();
}

GUIWindow::~GUIWindow() {
    if (parent_) parent_->RemoveChild(this);
    for (GUIWindow* child : children_) {
        child->parent_ = nullptr;
        child->SetParent(nullptr);
    }
    children_.clear();
    ModelManager::Instance()->ReleaseModel(model_);
}

void GUIWindow::MakeQuad(Camera* camera, const ShaderDescriptor& shader) {
    model_ = ModelManager::Instance()->CreateModel(kQuadModelFlags, 4, 4, 1, &shader, camera, false);
    const std::int32_t indices[4] = {0, 1, 2, 3};
    model_->GetIndexBuffer()->SetIndices(0, 4, indices);
    // A strip over the unit square; v grows upwards. The colours stay the buffer's white.
    VertexBuffer& vertexBuffer = *model_->GetVertexBuffer();
    ColouredVertex* vertex = vertexBuffer.LockColoured(0, 4);
    const float corners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        PutPositionAndNormal(vertex[i], Vector3(corners[i][0], corners[i][1], 0.0f), Vector3(0.0f, 0.0f, 1.0f));
        vertex[i].u = corners[i][0];
        vertex[i].v = corners[i][1];
    }
    vertexBuffer.Unlock();
    BoundingBox box;
    model_->ComputeBoundingBox(box, false);
    model_->SetBoundingBox(box);
}

void GUIWindow::SetUpBlending() {
    ShaderUser& material = *model_->GetShaderUser();
    material.AddFlags(ShaderDescriptor::kBlending);
    material.SetBlendFactor(0, static_cast<std::int32_t>(BlendFactor::SrcAlpha));
    material.SetBlendFactor(1, static_cast<std::int32_t>(BlendFactor::InvSrcAlpha));
}

void GUIWindow::PlaceAtDepth(float depth) {
    depth_ = depth;
    if (model_) model_->SetDepth(depth);
}

void GUIWindow::SetFlags(std::uint32_t flags) {
    if (flags_ & flags) return;
    flags_ |= flags;
    if (flags & kShown) UpdateVisibility();
    if (parent_) return;
    if (flags_ & kBackLayer)
        PlaceAtDepth(kBackDepth);
    else if (flags_ & kFrontLayer)
        PlaceAtDepth(kFrontDepth);
    else if (flags_ & kTopLayer)
        PlaceAtDepth(kTopDepth);
    else
        PlaceAtDepth(kMiddleDepth);
}

void GUIWindow::ClearFlags(std::uint32_t flags) {
    if (!(flags_ & flags)) return;
    flags_ &= ~flags;
    if (flags & kShown) UpdateVisibility();
    if (flags & kLayers) PlaceAtDepth(kMiddleDepth);
}

void GUIWindow::SetOrder(int order) {
    order_ = order;
    if (parent_) PlaceAtDepth(parent_->depth_ - static_cast<float>(order) * kChildDepthStep);
    for (GUIWindow* child : children_) child->SetOrder(child->order_);
}

void GUIWindow::UpdateVisibility() {
    const bool visible = (!parent_ || parent_->visible_) && (flags_ & kShown);
    // A window that comes into view starts unhovered.
    if (visible && !visible_) hovered_ = false;
    visible_ = visible;
    if (model_) {
        if (visible)
            model_->SetFlags(ModelFlags::kVisible);
        else
            model_->ClearFlags(ModelFlags::kVisible);
    }
    for (GUIWindow* child : children_) child->UpdateVisibility();
}

void GUIWindow::SetParent(GUIWindow* parent) {
    if (parent_) parent_->RemoveChild(this);
    parent_ = parent;
    if (parent) {
        parent->AddChild(this);
        ClearFlags(kLayers);
        SetOrder(order_);
    } else if (!(flags_ & kLayers)) {
        PlaceAtDepth(kMiddleDepth);
    }
    UpdateVisibility();
}

void GUIWindow::AddChild(GUIWindow* child) { children_.push_back(child); }

void GUIWindow::RemoveChild(GUIWindow* child) {
    const auto entry = std::find(children_.begin(), children_.end(), child);
    if (entry != children_.end()) children_.erase(entry);
}

void GUIWindow::SetSelectionFromModel(const Model* model) {
    if (!model) model = model_;
    if (!model) return;
    const BoundingBox& box = model->GetBoundingBox();
    selectionOn_ = true;
    selectionPosition_.Set(box.worldMin.x, box.worldMin.y);
    selectionSize_.Set(box.halfExtents.x * 2.0f, box.halfExtents.y * 2.0f);
}

Vector2 GUIWindow::GetAbsolutePosition() const {
    Vector2 position;
    for (const GUIWindow* ancestor = parent_; ancestor; ancestor = ancestor->parent_) position += ancestor->position_;
    return position;
}

ShaderUser* GUIWindow::GetShaderUser() const { return model_ ? model_->GetShaderUser() : nullptr; }

AnimationControl* GUIWindow::GetStageAnimation() const {
    const ShaderUser* material = GetShaderUser();
    if (!material || material->GetStageCount() == 0) return nullptr;
    AnimationControl* stage = material->GetAnimationControl(0);
    return stage && stage->GetFrameCount() > 1 ? stage : nullptr;
}

void GUIWindow::SetShader(const ShaderDescriptor* shader) {
    if (!model_ || !shader) return;
    model_->ChangeShader(*shader);
    SetUpBlending();
}

void GUIWindow::ScaleTextureCoordinates(const Vector2& uv) {
    if (model_) model_->ScaleTextureCoordinates(uv);
}

float GUIWindow::GetAlpha() const { return model_ ? model_->GetVertexBuffer()->GetAlpha(0) : 1.0f; }

void GUIWindow::SetAlpha(float alpha) {
    if (model_) model_->SetAlpha(alpha);
}

Color GUIWindow::GetColor() const {
    Color colour(1.0f, 1.0f, 1.0f, 1.0f);
    if (model_) model_->GetVertexBuffer()->GetColour(colour, 0);
    return colour;
}

void GUIWindow::SetColor(const Color& colour) {
    if (model_) model_->SetColour(colour);
}

bool GUIWindow::HandleInput(const Vector2& cursor, bool /*held*/, bool /*pressed*/) {
    hovered_ = false;
    if (!visible_) return false;
    cursorPosition_ = cursor;
    if (model_ && !rectangleHitTest_ && !selectionOn_)
        hovered_ = HitsModel(cursor);
    else
        hovered_ = HitsRectangle(cursor);
    return true;
}

bool GUIWindow::HitsModel(const Vector2& cursor) {
    // The cursor taken into the model's own frame meets the box of its own vertices, so
    // a turned or scaled model is tested by its shape.
    Matrix4 toModel = model_->GetWorldMatrix();
    if (!toModel.Invert()) return false;
    const Vector3 local = toModel.TransformPoint(Vector3(cursor.x, cursor.y, 0.0f));
    cursorPosition_.Set(local.x, local.y);
    const BoundingBox& box = model_->GetBoundingBox();
    return box.localMin.x < local.x && local.x < box.localMax.x && box.localMin.y < local.y && local.y < box.localMax.y;
}

bool GUIWindow::HitsRectangle(const Vector2& cursor) const {
    const Vector2 origin = GetAbsolutePosition() + position_;
    Vector2 minimum = origin;
    Vector2 extent = size_;
    if (selectionOn_) {
        minimum += selectionPosition_;
        extent = selectionSize_;
    }
    // An edge itself is outside.
    return minimum.IsLess(cursor) && cursor.IsLess(minimum + extent);
}

bool GUIWindow::Update() {
    const bool visible = visible_;
    if (visible) {
        if (rectangleHitTest_ && model_) PlaceModel();
        DrawPrints();
    }
    printCount_ = 0;
    return visible;
}

void GUIWindow::PlaceModel() {
    const Vector2 origin = GetAbsolutePosition() + position_;
    model_->SetWorldMatrix(Matrix4::Translation(Vector3(origin.x, origin.y, 0.0f)) *
                           Matrix4::Scale(Vector3(size_.x, size_.y, 1.0f)) * model_->GetBaseMatrix());
}

void GUIWindow::DrawPrints() {
    if (!fontManager_) return;
    for (int i = 0; i < printCount_; ++i) {
        const TextPrint& print = *printPool_[i];
        GUIFont* font = print.size >= 0.0f ? fontManager_->GetFont(print.fontId) : nullptr;
        // The print's own size holds for this print only.
        const float fontSize = font ? font->GetSize() : 0.0f;
        if (font) font->SetSize(print.size);
        fontManager_->DrawText(print.alignment, print.fontId, print.angle, *this, print.position, print.colour,
                               print.text);
        if (font) font->SetSize(fontSize);
    }
}

void GUIWindow::PrintText(int alignment, int fontId, const Vector2& position, const Color& colour,
                          const std::wstring& text, float angle, float size) {
    if (text.empty()) return;
    TextPrint& print = *NewTextPrint();
    print.alignment = alignment;
    print.fontId = fontId;
    print.angle = angle;
    print.size = size;
    print.position = position;
    print.colour = colour;
    print.text = text;
}

TextPrint* GUIWindow::NewTextPrint() {
    if (static_cast<std::size_t>(printCount_) == printPool_.size()) printPool_.push_back(std::make_unique<TextPrint>());
    return printPool_[printCount_++].get();
}

}  // namespace Vantor
