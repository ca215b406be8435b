#include "engine/render/Camera.h"

#include <cmath>

#include "engine/kernel/Window.h"

namespace Vantor {

namespace {

// 4:3 as the extents use it, and as the desktop's aspect is compared with it.
constexpr float kPlayAspect = 1.3333334f;
constexpr float kScreenAspect = 1.3333333f;

Matrix4 Zero() {
    Matrix4 m;
    for (float& element : m.m) element = 0.0f;
    return m;
}

// Right-handed, depth to -1..1, row-vector layout.
Matrix4 Projection(bool perspective, const Camera::Extents& e, float n, float f) {
    const float r = e.right, l = e.left, t = e.top, b = e.bottom;
    Matrix4 m = Zero();
    if (perspective) {
        m.m[0] = 2.0f * n / (r - l);
        m.m[5] = 2.0f * n / (t - b);
        m.m[8] = (r + l) / (r - l);
        m.m[9] = (t + b) / (t - b);
        m.m[10] = -(f + n) / (f - n);
        m.m[11] = -1.0f;
        m.m[14] = -2.0f * f * n / (f - n);
    } else {
        m.m[0] = 2.0f / (r - l);
        m.m[5] = 2.0f / (t - b);
        m.m[10] = -2.0f / (f - n);
        m.m[12] = -(r + l) / (r - l);
        m.m[13] = -(t + b) / (t - b);
        m.m[14] = -(f + n) / (f - n);
        m.m[15] = 1.0f;
    }
    return m;
}

}  // namespace

Camera::Camera(std::int32_t projectionKind) : projectionKind_(projectionKind), frustum_(new Frustum()) {}

Camera::~Camera() { delete frustum_; }

void Camera::Update() {
    ComputeExtents();
    FitExtentsToScreen();
    projection_ = Projection(IsPerspective(), extents_, nearPlane, farPlane);
    zBiasedProjection_ = Projection(IsPerspective(), extents_, nearPlane, farPlane + 1.0f);

    // The inverse of the placement (rotate, then move): R^T * Translation(-position),
    // then into the row-vector layout.
    Matrix4 view = rotation.ToMatrix();
    view.Transpose();
    view.Translate(-position);
    view.Transpose();
    view_ = view;

    rightAxis_ = {view_.m[0], view_.m[4], view_.m[8]};
    upAxis_ = {view_.m[1], view_.m[5], view_.m[9]};
    backAxis_ = {view_.m[2], view_.m[6], view_.m[10]};
    backAxis_.Normalize(1.0f);

    frustum_->Build(projection_, view_);
}

void Camera::ComputeExtents() {
    if (IsPerspective()) {
        // A third of the field of view above the axis, not half of it.
        extents_.top = nearPlane * std::tan(fieldOfView * kPlayAspect * 0.25f);
        extents_.bottom = -extents_.top;
        extents_.left = extents_.bottom * kPlayAspect;
        extents_.right = extents_.top * kPlayAspect;
    } else {
        extents_.top = height;
        extents_.bottom = 0.0f;
        extents_.left = 0.0f;
        extents_.right = width;
    }
}

void Camera::FitExtentsToScreen() {
    fittedExtents_ = extents_;
    const Window* window = Window::Instance();
    if (!window || !window->IsFullScreen()) return;
    const bool wide = window->IsWideDesktop();
    const bool tall = window->IsTallDesktop();
    if (!wide && !tall) return;

    const float aspect = window->GetDesktopAspect();
    const float s = aspect / kScreenAspect;
    Extents& e = fittedExtents_;
    if (IsPerspective()) {
        if (wide) {
            e.left *= s;
            e.right *= s;
        } else {
            e.top *= kScreenAspect / aspect;
            e.bottom *= kScreenAspect / aspect;
        }
    } else if (wide) {
        const float d = (s - 1.0f) * width / 2.0f;
        e.left -= d;
        e.right += d;
    } else {
        const float d = (1.0f - s) * height / 2.0f;
        e.top += d;
        e.bottom -= d;
    }
}

}  // namespace Vantor
