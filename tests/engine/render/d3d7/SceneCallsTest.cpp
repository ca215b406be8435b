// The frames of the drawing scenes on the headless device: each reaches the device as
// the same calls, in the same order, that the OpenGL device draws from.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/render/d3d7/Camera_D3D7.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace {

using Lines = std::vector<std::string>;

class SceneCallsTest : public scenes::SceneTest {
protected:
    // Every recorded call as its short name and arguments, "failed" added to a failure.
    static Lines RecordedCalls() {
        Lines lines;
        for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls()) {
            std::string line = call.name.substr(call.name.find("::") + 2);
            for (DWORD arg : call.args) line += " " + std::to_string(arg);
            if (FAILED(call.result)) line += " failed";
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(SceneCallsTest, EachSceneIsOneFrameOfItsStatesAndDraws) {
    // What each scene sends between the camera's projection and the end of the scene,
    // starting from the device's default states.
    const std::map<std::string, Lines> sceneCalls{
        {"triangle", {"SetRenderState 14 0", "DrawIndexedPrimitive 4 338 3 3 0"}},
        {"depth test",
         {"SetRenderState 14 0", "SetRenderState 7 1", "SetRenderState 14 1", "DrawIndexedPrimitive 4 338 6 6 0",
          "DrawIndexedPrimitive 4 338 6 6 0"}},
        {"clockwise culling",
         {"SetRenderState 14 0", "SetRenderState 22 2", "DrawIndexedPrimitive 4 338 3 3 0",
          "DrawIndexedPrimitive 4 338 3 3 0"}},
        {"counter-clockwise culling",
         {"SetRenderState 14 0", "SetRenderState 22 3", "DrawIndexedPrimitive 4 338 3 3 0",
          "DrawIndexedPrimitive 4 338 3 3 0"}},
        {"alpha blending",
         {"SetRenderState 14 0", "SetRenderState 27 1", "SetRenderState 19 5", "SetRenderState 20 6",
          "DrawIndexedPrimitive 4 338 6 6 0", "DrawIndexedPrimitive 4 338 6 6 0"}},
        {"additive blending",
         {"SetRenderState 14 0", "SetRenderState 27 1", "SetRenderState 19 2", "SetRenderState 20 2",
          "DrawIndexedPrimitive 4 338 6 6 0", "DrawIndexedPrimitive 4 338 6 6 0"}},
        {"orientation",
         {"SetRenderState 14 0", "DrawIndexedPrimitive 4 338 6 6 0", "DrawIndexedPrimitive 4 338 6 6 0"}},
    };
    ASSERT_EQ(sceneCalls.size(), scenes::AllScenes().size());
    for (const scenes::Scene& scene : scenes::AllScenes()) {
        SCOPED_TRACE(scene.name);
        Restart();
        platform::seam::ClearDeviceCalls();
        scenes::DrawFrame(scene, *camera_);

        // Cleared to opaque black with depth, the camera's projection first, presented
        // into the window.
        Lines expected{"Clear 3 4278190080 0", "BeginScene", "SetTransform 3"};
        const Lines& own = sceneCalls.at(scene.name);
        expected.insert(expected.end(), own.begin(), own.end());
        expected.insert(expected.end(), {"EndScene", "Blt 16777216"});
        EXPECT_EQ(RecordedCalls(), expected);

        const std::vector<platform::seam::DeviceCall> projection = Calls("IDirect3DDevice7::SetTransform");
        ASSERT_EQ(projection.size(), 1u);
        const Vantor::Matrix4& sent = static_cast<Vantor::Camera_D3D7*>(camera_)->GetDeviceProjection();
        for (int i = 0; i < 16; ++i) EXPECT_EQ(projection[0].matrix.m[i / 4][i % 4], sent.m[i]) << i;
    }
}

}  // namespace
