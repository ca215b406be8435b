#pragma once
// A perspective or orthographic camera: its lens (near and far planes, field of view,
// orthographic extent), placement (position and rotation) and what follows from them
// once per frame: the projection, a projection whose far plane lies one unit further
// out (for Z-biased drawing), the view, the camera's axes in the world and the view
// frustum. On a full-screen wide or tall desktop the extents are also fitted to the
// screen, for the device projections of the implementation. The camera looks along its
// local -Z axis; its matrices are kept in the device's row-vector layout.

#include <cstdint>

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Quaternion.h"
#include "engine/kernel/Vector3.h"
#include "engine/render/Frustum.h"

namespace Vantor {

class Camera {
public:
    static constexpr std::int32_t kPerspective = 0;
    static constexpr std::int32_t kOrthographic = 1;

    // The view's extent: at the near plane (perspective) or the view rectangle
    // (orthographic).
    struct Extents {
        float top = 1.0f;
        float bottom = -1.0f;
        float left = -1.0f;
        float right = 1.0f;
    };

    // Kind 0 is perspective, any other value orthographic.
    explicit Camera(std::int32_t projectionKind);
    virtual ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Recomputes everything derived from the lens and the placement; changes of the
    // public fields take effect here.
    virtual void Update();
    // Programs the device with this camera, with the normal or the Z-biased projection.
    virtual void Apply() {}
    virtual void ApplyZBiased() {}

    bool IsPerspective() const { return projectionKind_ == kPerspective; }
    std::int32_t GetProjectionKind() const { return projectionKind_; }
    const Matrix4& GetProjection() const { return projection_; }
    const Matrix4& GetZBiasedProjection() const { return zBiasedProjection_; }
    const Matrix4& GetView() const { return view_; }
    const Extents& GetExtents() const { return extents_; }
    const Extents& GetScreenFittedExtents() const { return fittedExtents_; }
    const Vector3& GetRightAxis() const { return rightAxis_; }
    const Vector3& GetUpAxis() const { return upAxis_; }
    // Normalised; models measure their depth along it.
    const Vector3& GetBackAxis() const { return backAxis_; }
    const Frustum& GetFrustum() const { return *frustum_; }

    float nearPlane = 1.0f;
    float farPlane = 1000.0f;
    float fieldOfView = 1.5707964f;  // radians, perspective only
    float width = 1.0f;              // orthographic only
    float height = 1.0f;
    Quaternion rotation;
    Vector3 position;
    // When set, a model drawn with this camera is placed by post * world * pre instead
    // of its world matrix.
    Matrix4 modelPreTransform;
    Matrix4 modelPostTransform;
    bool useModelTransform = false;

protected:
    std::int32_t projectionKind_;
    Matrix4 projection_;
    Matrix4 zBiasedProjection_;
    Matrix4 view_;
    Extents extents_;
    Extents fittedExtents_;
    Vector3 rightAxis_{1.0f, 0.0f, 0.0f};
    Vector3 upAxis_{0.0f, 1.0f, 0.0f};
    Vector3 backAxis_{0.0f, 0.0f, 1.0f};
    Frustum* frustum_;  // owned

private:
    void ComputeExtents();
    // Widens (or heightens) the fitted extents by the ratio of the desktop's aspect to
    // 4:3, in full screen on a wide or tall desktop.
    void FitExtentsToScreen();
};

}  // namespace Vantor
