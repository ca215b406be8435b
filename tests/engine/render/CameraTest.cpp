// The renderer-neutral camera: its extents and projections, the fitting to a wide or
// tall full-screen desktop, the view and axes from its placement, and the frustum's
// sphere test.

#include "engine/render/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/kernel/Window.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Frustum.h"
#include "engine/render/Plane.h"

namespace {

using Vantor::BoundingBox;
using Vantor::Camera;
using Vantor::Plane;
using Vantor::Vector3;

class DesktopWindow : public Vantor::Window {
public:
    DesktopWindow() : Window(L"Test", 800, 600, false, true, {0, 0}) {}
    void SetCursor(int) override {}
    void SetDesktop(int width, int height) { SetDesktopSize(width, height); }
};

// A window registered for the test; the previous one is registered again afterwards.
class CameraTest : public testing::Test {
protected:
    void SetUp() override {
        previousWindow_ = Vantor::Window::Instance();
        Vantor::Window::Instance(&window_);
    }
    void TearDown() override { Vantor::Window::Instance(previousWindow_); }

    void Show(int desktopWidth, int desktopHeight, bool fullScreen) {
        window_.SetDesktop(desktopWidth, desktopHeight);
        window_.ChangeMode(800, 600, fullScreen);
    }

    // The GUI's camera: orthographic over the virtual 800 x 600 screen.
    static void MakeGuiLike(Camera& camera) {
        camera.width = 800;
        camera.height = 600;
        camera.nearPlane = 500;
        camera.farPlane = -500;
    }

    static BoundingBox Sphere(const Vector3& centre, float halfSize) {
        BoundingBox box;
        box.SetMinMax(centre - Vector3(halfSize, halfSize, halfSize), centre + Vector3(halfSize, halfSize, halfSize));
        return box;
    }

    DesktopWindow window_;
    Vantor::Window* previousWindow_ = nullptr;
};

TEST_F(CameraTest, DefaultPerspectiveCameraSeesAThirdOfItsFieldOfViewUpwards) {
    Camera camera(Camera::kPerspective);
    camera.Update();
    const Camera::Extents& e = camera.GetExtents();
    EXPECT_NEAR(e.top, 0.57735f, 1e-5f);
    EXPECT_NEAR(e.bottom, -0.57735f, 1e-5f);
    EXPECT_NEAR(e.right, 0.76980f, 1e-5f);
    EXPECT_NEAR(e.left, -0.76980f, 1e-5f);

    const float* p = camera.GetProjection().m;
    EXPECT_NEAR(p[0], 1.29904f, 1e-5f);
    EXPECT_NEAR(p[5], 1.73205f, 1e-5f);
    EXPECT_NEAR(p[10], -1001.0f / 999.0f, 1e-5f);
    EXPECT_EQ(p[11], -1.0f);
    EXPECT_NEAR(p[14], -2000.0f / 999.0f, 1e-5f);
    EXPECT_EQ(p[15], 0.0f);
    // One unit more depth: only the depth elements change.
    const float* z = camera.GetZBiasedProjection().m;
    EXPECT_NEAR(z[10], -1002.0f / 1000.0f, 1e-5f);
    EXPECT_NEAR(z[14], -2002.0f / 1000.0f, 1e-5f);
    EXPECT_EQ(z[0], p[0]);
}

TEST_F(CameraTest, OrthographicCameraSpansItsWidthAndHeight) {
    Camera camera(Camera::kOrthographic);
    MakeGuiLike(camera);
    camera.Update();
    const Camera::Extents& e = camera.GetExtents();
    EXPECT_EQ(e.left, 0.0f);
    EXPECT_EQ(e.right, 800.0f);
    EXPECT_EQ(e.bottom, 0.0f);
    EXPECT_EQ(e.top, 600.0f);
    const float* p = camera.GetProjection().m;
    EXPECT_FLOAT_EQ(p[0], 2.0f / 800.0f);
    EXPECT_FLOAT_EQ(p[5], 2.0f / 600.0f);
    EXPECT_FLOAT_EQ(p[10], 2.0f / 1000.0f);
    EXPECT_FLOAT_EQ(p[12], -1.0f);
    EXPECT_FLOAT_EQ(p[13], -1.0f);
    EXPECT_FLOAT_EQ(p[14], 0.0f);
    EXPECT_EQ(p[15], 1.0f);
}

struct FittingCase {
    const char* name;
    int desktopWidth, desktopHeight;
    bool fullScreen;
    Camera::Extents expected;  // of the GUI-like orthographic camera
};

TEST_F(CameraTest, OrthographicExtentsAreFittedToAWideOrTallFullScreenDesktop) {
    const FittingCase cases[] = {
        {"16:10 full screen", 1680, 1050, true, {600, 0, -80, 880}},
        {"5:4 full screen", 1280, 1024, true, {618.75f, -18.75f, 0, 800}},
        {"4:3 full screen", 1024, 768, true, {600, 0, 0, 800}},
        {"16:10 in a window", 1680, 1050, false, {600, 0, 0, 800}},
    };
    for (const FittingCase& c : cases) {
        SCOPED_TRACE(c.name);
        Show(c.desktopWidth, c.desktopHeight, c.fullScreen);
        Camera camera(Camera::kOrthographic);
        MakeGuiLike(camera);
        camera.Update();
        const Camera::Extents& fitted = camera.GetScreenFittedExtents();
        EXPECT_NEAR(fitted.top, c.expected.top, 1e-3f);
        EXPECT_NEAR(fitted.bottom, c.expected.bottom, 1e-3f);
        EXPECT_NEAR(fitted.left, c.expected.left, 1e-3f);
        EXPECT_NEAR(fitted.right, c.expected.right, 1e-3f);
        // The renderer-neutral projection keeps the unfitted view.
        EXPECT_FLOAT_EQ(camera.GetProjection().m[0], 2.0f / 800.0f);
        EXPECT_FLOAT_EQ(camera.GetProjection().m[5], 2.0f / 600.0f);
    }
}

TEST_F(CameraTest, PerspectiveExtentsAreScaledByTheDesktopsAspect) {
    Camera plain(Camera::kPerspective);
    plain.Update();
    const Camera::Extents& e = plain.GetExtents();

    Show(1680, 1050, true);
    Camera wide(Camera::kPerspective);
    wide.Update();
    EXPECT_NEAR(wide.GetScreenFittedExtents().left, e.left * 1.2f, 1e-5f);
    EXPECT_NEAR(wide.GetScreenFittedExtents().right, e.right * 1.2f, 1e-5f);
    EXPECT_EQ(wide.GetScreenFittedExtents().top, e.top);

    Show(1280, 1024, true);
    Camera tall(Camera::kPerspective);
    tall.Update();
    EXPECT_NEAR(tall.GetScreenFittedExtents().top, e.top * (4.0f / 3.0f) / 1.25f, 1e-5f);
    EXPECT_NEAR(tall.GetScreenFittedExtents().bottom, e.bottom * (4.0f / 3.0f) / 1.25f, 1e-5f);
    EXPECT_EQ(tall.GetScreenFittedExtents().right, e.right);
}

TEST_F(CameraTest, ViewIsTheInverseOfThePlacement) {
    Camera camera(Camera::kPerspective);
    camera.position = {0, 0, 10};
    camera.Update();
    const float* v = camera.GetView().m;
    EXPECT_FLOAT_EQ(v[12], 0.0f);
    EXPECT_FLOAT_EQ(v[13], 0.0f);
    EXPECT_FLOAT_EQ(v[14], -10.0f);
    EXPECT_FLOAT_EQ(camera.GetRightAxis().x, 1.0f);
    EXPECT_FLOAT_EQ(camera.GetUpAxis().y, 1.0f);
    EXPECT_FLOAT_EQ(camera.GetBackAxis().z, 1.0f);

    // Turned a quarter about +Y and moved: local X points along world -Z, local Z along
    // world +X, and the view takes the position back to the origin.
    const float half = std::sqrt(0.5f);
    camera.rotation = {0, half, 0, half};
    camera.position = {3, 0, 0};
    camera.Update();
    const Vector3 right = camera.GetRightAxis();
    const Vector3 back = camera.GetBackAxis();
    EXPECT_NEAR(right.x, 0.0f, 1e-6f);
    EXPECT_NEAR(right.z, -1.0f, 1e-6f);
    EXPECT_NEAR(back.x, 1.0f, 1e-6f);
    EXPECT_NEAR(back.z, 0.0f, 1e-6f);
    // Row vector (3, 0, 0, 1) times the view lands on the origin.
    v = camera.GetView().m;
    EXPECT_NEAR(3 * v[0] + v[12], 0.0f, 1e-5f);
    EXPECT_NEAR(3 * v[1] + v[13], 0.0f, 1e-5f);
    EXPECT_NEAR(3 * v[2] + v[14], 0.0f, 1e-5f);
}

TEST_F(CameraTest, FrustumKeepsWhatTheCameraLooksAt) {
    Camera camera(Camera::kPerspective);
    camera.Update();
    const Vantor::Frustum& frustum = camera.GetFrustum();
    EXPECT_TRUE(frustum.IsVisible(Sphere({0, 0, -10}, 1)));
    EXPECT_FALSE(frustum.IsVisible(Sphere({0, 0, 10}, 1))) << "behind the camera";
    EXPECT_FALSE(frustum.IsVisible(Sphere({0, 0, -1003}, 1))) << "beyond the far plane";
    EXPECT_FALSE(frustum.IsVisible(Sphere({100, 0, -10}, 1))) << "off to the right";
    EXPECT_FALSE(frustum.IsVisible(Sphere({0, -100, -10}, 1))) << "below";
    EXPECT_TRUE(frustum.IsVisible(Sphere({8.5f, 0, -10}, 1))) << "straddling the right plane";
    EXPECT_FALSE(frustum.IsVisible(Sphere({0, 0, -10}, 0.0002f))) << "a degenerate box";

    // The near plane at z = -1 faces away from the camera: a unit sphere centred on it
    // straddles it, one whose centre lies one unit outside does not.
    const Plane& nearSide = frustum.GetPlane(Vantor::Frustum::kNear);
    EXPECT_NEAR(nearSide.Distance({0, 0, -1}), 0.0f, 1e-4f);
    EXPECT_NEAR(nearSide.Distance({0, 0, 0}), -1.0f, 1e-4f);
    const float unitHalf = 1.0f / std::sqrt(3.0f);  // half-extent of a box of radius 1
    EXPECT_TRUE(frustum.IsVisible(Sphere({0, 0, -1}, unitHalf)));
    EXPECT_FALSE(frustum.IsVisible(Sphere({0, 0, 0}, unitHalf)));
}

TEST_F(CameraTest, PlaneIsNormalisedUnlessItsNormalIsTiny) {
    Plane plane(0, 0, 2, 4);
    EXPECT_FLOAT_EQ(plane.normal.z, 1.0f);
    EXPECT_FLOAT_EQ(plane.distance, 2.0f);
    EXPECT_FLOAT_EQ(plane.Distance({0, 0, 1}), 3.0f);

    Plane tiny(0, 0, 0.00005f, 1);
    EXPECT_FLOAT_EQ(tiny.normal.z, 0.00005f);
    EXPECT_FLOAT_EQ(tiny.distance, 1.0f);
}

}  // namespace
