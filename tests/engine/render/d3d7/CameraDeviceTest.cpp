// Cameras on the Direct3D 7 device: their device projections, screen fitting in full
// screen, when the camera manager programs the device, and the manager's slots.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/render/CameraManager.h"
#include "engine/render/d3d7/Camera_D3D7.h"
#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using Vantor::Camera;
using Vantor::CameraManager;

class CameraDeviceTest : public d3d7test::RenderSystemTest {
protected:
    void TearDown() override {
        cameras_.reset();
        RenderSystemTest::TearDown();
    }

    // The render system, then the camera manager over it.
    CameraManager& MakeCameras() {
        Make();
        cameras_ = std::make_unique<CameraManager>();
        CameraManager::Instance(cameras_.get());
        return *cameras_;
    }

    // The GUI's camera: orthographic over the virtual 800 x 600 screen.
    static Camera* MakeGuiCamera(CameraManager& cameras) {
        Camera* camera = cameras.CreateCamera(Camera::kOrthographic);
        camera->width = 800;
        camera->height = 600;
        camera->nearPlane = 500;
        camera->farPlane = -500;
        return camera;
    }

    static const Vantor::Matrix4& Device(const Camera* camera) {
        return static_cast<const Vantor::Camera_D3D7*>(camera)->GetDeviceProjection();
    }

    std::vector<platform::seam::DeviceCall> Transforms(D3DTRANSFORMSTATETYPE state) const {
        std::vector<platform::seam::DeviceCall> calls;
        for (const platform::seam::DeviceCall& call : Calls("IDirect3DDevice7::SetTransform"))
            if (call.args[0] == DWORD(state)) calls.push_back(call);
        return calls;
    }

    std::unique_ptr<CameraManager> cameras_;
};

TEST_F(CameraDeviceTest, DeviceProjectionsAreLeftHandedWithDepthFromZeroToOne) {
    CameraManager& cameras = MakeCameras();
    Camera* gui = MakeGuiCamera(cameras);
    cameras.ResizeCameras();

    const float* o = Device(gui).m;
    EXPECT_FLOAT_EQ(o[0], 2.0f / 800.0f);
    EXPECT_FLOAT_EQ(o[5], 2.0f / 600.0f);
    EXPECT_FLOAT_EQ(o[10], 0.001f);
    EXPECT_FLOAT_EQ(o[12], -1.0f);
    EXPECT_FLOAT_EQ(o[13], -1.0f);
    EXPECT_FLOAT_EQ(o[14], 0.5f);
    EXPECT_EQ(o[15], 1.0f);
    const float* oz = static_cast<Vantor::Camera_D3D7*>(gui)->GetDeviceZBiasedProjection().m;
    EXPECT_FLOAT_EQ(oz[10], 1.0f / 999.0f);
    EXPECT_FLOAT_EQ(oz[14], 500.0f / 999.0f);

    const float* p = Device(cameras.GetDefaultCamera()).m;
    EXPECT_NEAR(p[0], 1.29904f, 1e-5f);
    EXPECT_NEAR(p[5], 1.73205f, 1e-5f);
    EXPECT_FLOAT_EQ(p[10], 1000.0f / 999.0f);
    EXPECT_EQ(p[11], 1.0f);
    EXPECT_FLOAT_EQ(p[14], -1000.0f / 999.0f);
    EXPECT_EQ(p[15], 0.0f);
}

TEST_F(CameraDeviceTest, FullScreenOnA16By10DesktopWidensTheDeviceProjection) {
    platform::seam::SetDesktop(1680, 1050);
    Values().fullscreen = true;
    CameraManager& cameras = MakeCameras();
    ASSERT_TRUE(Window().IsFullScreen());
    Camera* gui = MakeGuiCamera(cameras);
    cameras.ResizeCameras();

    EXPECT_NEAR(gui->GetScreenFittedExtents().left, -80.0f, 1e-3f);
    EXPECT_NEAR(gui->GetScreenFittedExtents().right, 880.0f, 1e-3f);
    EXPECT_FLOAT_EQ(Device(gui).m[0], 2.0f / 960.0f);
    EXPECT_FLOAT_EQ(Device(gui).m[12], -800.0f / 960.0f);
    EXPECT_FLOAT_EQ(Device(gui).m[5], 2.0f / 600.0f);
    EXPECT_EQ(cameras.GetViewportWidth(), 1680);
    EXPECT_EQ(cameras.GetViewportHeight(), 1050);
}

TEST_F(CameraDeviceTest, TheDeviceIsProgrammedOnlyWhenCameraOrDepthModeChange) {
    CameraManager& cameras = MakeCameras();
    Camera* camera = cameras.GetDefaultCamera();
    camera->position = {0, 0, 10};
    cameras.ResizeCameras();
    platform::seam::ClearDeviceCalls();

    cameras.SetCurrentCamera(camera, false);
    cameras.SetCurrentCamera(camera, false);
    std::vector<platform::seam::DeviceCall> projections = Transforms(D3DTRANSFORMSTATE_PROJECTION);
    ASSERT_EQ(projections.size(), 1u);
    EXPECT_FLOAT_EQ(projections[0].matrix._33, 1000.0f / 999.0f);
    // The view follows through the render system, its depth column turned round.
    std::vector<platform::seam::DeviceCall> views = Transforms(D3DTRANSFORMSTATE_VIEW);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_FLOAT_EQ(views[0].matrix._43, 10.0f);

    cameras.SetCurrentCamera(camera, true);
    projections = Transforms(D3DTRANSFORMSTATE_PROJECTION);
    ASSERT_EQ(projections.size(), 2u);
    EXPECT_FLOAT_EQ(projections[1].matrix._33, 1001.0f / 1000.0f);
    EXPECT_EQ(Transforms(D3DTRANSFORMSTATE_VIEW).size(), 1u) << "an unchanged view stays in the cache";

    cameras.ResizeCameras();
    cameras.SetCurrentCamera(camera, true);
    EXPECT_EQ(Transforms(D3DTRANSFORMSTATE_PROJECTION).size(), 3u) << "every frame programs its first camera";
}

TEST_F(CameraDeviceTest, ANotReadyDeviceIsNotProgrammed) {
    CameraManager& cameras = MakeCameras();
    cameras.ResizeCameras();
    platform::seam::FailNextCalls("IDirect3DDevice7::BeginScene", 1);
    renderSystem_->BeginScene();
    ASSERT_FALSE(renderSystem_->IsReady());
    platform::seam::ClearDeviceCalls();

    cameras.SetCurrentCamera(cameras.GetDefaultCamera(), false);
    EXPECT_TRUE(platform::seam::DeviceCalls().empty());
}

TEST_F(CameraDeviceTest, AFreedSlotIsReusedLastFreedFirst) {
    CameraManager& cameras = MakeCameras();
    Camera* a = cameras.CreateCamera(Camera::kPerspective);
    Camera* b = cameras.CreateCamera(Camera::kOrthographic);
    Camera* c = cameras.CreateCamera(Camera::kOrthographic);
    EXPECT_EQ(cameras.GetCameras().GetLiveIds(), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(cameras.GetCameras().Get(0), cameras.GetDefaultCamera());

    cameras.DeleteCamera(a);
    cameras.DeleteCamera(b);
    EXPECT_EQ(cameras.GetCameras().Get(1), nullptr);
    EXPECT_EQ(cameras.GetCameras().GetLiveIds(), (std::vector<std::uint32_t>{0, 3}));

    Camera* d = cameras.CreateCamera(Camera::kPerspective);
    Camera* e = cameras.CreateCamera(Camera::kPerspective);
    Camera* f = cameras.CreateCamera(Camera::kPerspective);
    EXPECT_EQ(cameras.GetCameras().Get(2), d);
    EXPECT_EQ(cameras.GetCameras().Get(1), e);
    EXPECT_EQ(cameras.GetCameras().Get(4), f);
    EXPECT_EQ(cameras.GetCameras().GetLiveIds(), (std::vector<std::uint32_t>{0, 3, 2, 1, 4}));
    EXPECT_EQ(cameras.GetCameras().Get(3), c);

    // Null and cameras of no slot are left alone.
    cameras.DeleteCamera(nullptr);
    Vantor::Camera_D3D7 stranger(Camera::kPerspective);
    cameras.DeleteCamera(&stranger);
    EXPECT_EQ(cameras.GetCameras().GetLiveIds().size(), 5u);
}

TEST_F(CameraDeviceTest, ACameraDeletedAfterItWasAppliedDoesNotHideItsSuccessor) {
    CameraManager& cameras = MakeCameras();
    Camera* camera = cameras.CreateCamera(Camera::kOrthographic);
    cameras.ResizeCameras();
    cameras.SetCurrentCamera(camera, false);
    cameras.DeleteCamera(camera);
    EXPECT_EQ(cameras.GetCurrentCamera(), nullptr);
}

}  // namespace
