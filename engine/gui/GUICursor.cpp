#include "engine/gui/GUICursor.h"

#include "engine/input/Controls.h"
#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

GUICursor::GUICursor(Camera* camera, const Model* modelResource, const ShaderDescriptor* shader, float quadSize)
    : camera_(camera) {
    if (modelResource) {
        model_ = ModelManager::Instance()->CreateModelInstance(*modelResource, nullptr, 0);
        model_->SetFlags(ModelFlags::kSecondDrawList | ModelFlags::kFixedDepth);
        model_->ClearFlags(ModelFlags::kVisible | ModelFlags::kLighting | ModelFlags::kDepthTest);
        model_->SetCamera(camera);
    } else if (shader) {
        MakeQuad(*shader, quadSize);
    }
    if (!model_) return;
    model_->SetDepth(kDepth);
    model_->SetBaseMatrix(model_->GetWorldMatrix());
}

GUICursor::~GUICursor() { ModelManager::Instance()->ReleaseModel(model_); }

void GUICursor::MakeQuad(const ShaderDescriptor& shader, float quadSize) {
    model_ = ModelManager::Instance()->CreateModel(kQuadModelFlags, 4, 4, 1, &shader, camera_, false);
    const std::int32_t indices[4] = {0, 1, 2, 3};
    model_->GetIndexBuffer()->SetIndices(0, 4, indices);
    // A strip over the square that hangs down and to the right of the hot spot.
    const float s = quadSize;
    const float corners[4][4] = {{s, -s, 1, 0}, {s, 0, 1, 1}, {0, -s, 0, 0}, {0, 0, 0, 1}};
    VertexBuffer& vertexBuffer = *model_->GetVertexBuffer();
    Vertex* vertex = vertexBuffer.Lock(0, 4);
    for (int i = 0; i < 4; ++i) {
        PutPositionAndNormal(vertex[i], Vector3(corners[i][0], corners[i][1], 0.0f), Vector3(0.0f, 0.0f, 1.0f));
        vertex[i].u = corners[i][2];
        vertex[i].v = corners[i][3];
    }
    vertexBuffer.Unlock();
}

void GUICursor::UpdatePosition() {
    const Vector2 mouse = Controls::Instance()->GetCursorPosition();
    const Window& window = *Window::Instance();
    const float width = static_cast<float>(window.GetWidth());
    const float height = static_cast<float>(window.GetHeight());
    // A window without a client area has no pixel to map; the cursor stays where it was.
    if (width <= 0.0f || height <= 0.0f) return;
    position_ = Vector2(mouse.x, height - mouse.y - 1.0f) / Vector2(width, height) *
                Vector2(camera_->width, camera_->height);
}

void GUICursor::UpdateModel() {
    if (!model_) return;
    model_->SetWorldMatrix(Matrix4::Translation(Vector3(position_.x, position_.y, 0.0f)) * model_->GetBaseMatrix());
    if (visible)
        model_->SetFlags(ModelFlags::kVisible);
    else
        model_->ClearFlags(ModelFlags::kVisible);
}

}  // namespace Vantor
