// Lights and the light manager on the Direct3D 7 device: the ambient colour and the
// lighting switch through the state cache, and what each kind of light sends.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/render/LightManager.h"
#include "engine/render/d3d7/Light_D3D7.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using Vantor::Light;
using Vantor::LightManager;

class LightDeviceTest : public d3d7test::RenderSystemTest {
protected:
    void TearDown() override {
        lights_.reset();
        RenderSystemTest::TearDown();
    }

    LightManager& MakeLights() {
        Make();
        lights_ = std::make_unique<LightManager>();
        LightManager::Instance(lights_.get());
        platform::seam::ClearDeviceCalls();
        return *lights_;
    }

    std::vector<platform::seam::DeviceCall> RenderStates(D3DRENDERSTATETYPE state) const {
        std::vector<platform::seam::DeviceCall> calls;
        for (const platform::seam::DeviceCall& call : Calls("IDirect3DDevice7::SetRenderState"))
            if (call.args[0] == DWORD(state)) calls.push_back(call);
        return calls;
    }

    std::unique_ptr<LightManager> lights_;
};

TEST_F(LightDeviceTest, AnUnchangedSceneSendsNothing) {
    LightManager& lights = MakeLights();
    lights.Update();
    lights.SetLighting(false);
    EXPECT_TRUE(platform::seam::DeviceCalls().empty());

    lights.ambientColour = {0.5f, 0.25f, 0, 1};
    lights.Update();
    lights.Update();
    std::vector<platform::seam::DeviceCall> ambient = RenderStates(D3DRENDERSTATE_AMBIENT);
    ASSERT_EQ(ambient.size(), 1u);
    EXPECT_EQ(ambient[0].args[1], 0xFF7F3F00u);
}

TEST_F(LightDeviceTest, ModelsInARowWithTheSameFlagSwitchLightingOnce) {
    LightManager& lights = MakeLights();
    for (bool on : {true, true, true, false, false}) lights.SetLighting(on);
    std::vector<platform::seam::DeviceCall> switches = RenderStates(D3DRENDERSTATE_LIGHTING);
    ASSERT_EQ(switches.size(), 2u);
    EXPECT_EQ(switches[0].args[1], 1u);
    EXPECT_EQ(switches[1].args[1], 0u);
}

TEST_F(LightDeviceTest, EachKindOfLightSendsItsOwnMembers) {
    LightManager& lights = MakeLights();
    Light* point = lights.CreateLight(0);
    point->position = {1, 2, 3};
    point->linearAttenuation = 0.5f;
    Light* directional = lights.CreateLight(1);
    directional->type = Light::kDirectional;
    directional->direction = {0, -1, 0};
    directional->position = {7, 7, 7};
    Light* spot = lights.CreateLight(2);
    spot->type = Light::kSpot;
    spot->innerConeAngle = 0.25f;
    spot->outerConeAngle = 0.5f;
    lights.Update();

    std::vector<platform::seam::DeviceCall> sent = Calls("IDirect3DDevice7::SetLight");
    ASSERT_EQ(sent.size(), 3u);
    const D3DLIGHT7& p = sent[0].light;
    EXPECT_EQ(p.dltType, D3DLIGHT_POINT);
    EXPECT_EQ(p.dvPosition.y, 2.0f);
    EXPECT_EQ(p.dvAttenuation0, 1.0f);
    EXPECT_EQ(p.dvAttenuation1, 0.5f);
    EXPECT_EQ(p.dvDirection.z, 0.0f) << "a point light has no direction";
    EXPECT_EQ(p.dvPhi, 0.0f);
    EXPECT_FLOAT_EQ(p.dvRange, D3DLIGHT_RANGE_MAX);
    EXPECT_EQ(p.dcvDiffuse.r, 1.0f);

    const D3DLIGHT7& d = sent[1].light;
    EXPECT_EQ(d.dltType, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(d.dvDirection.y, -1.0f);
    EXPECT_EQ(d.dvPosition.x, 0.0f) << "a directional light has no position";
    EXPECT_EQ(d.dvAttenuation0, 0.0f);

    const D3DLIGHT7& s = sent[2].light;
    EXPECT_EQ(s.dltType, D3DLIGHT_SPOT);
    EXPECT_EQ(s.dvDirection.z, -1.0f);
    EXPECT_EQ(s.dvTheta, 0.25f);
    EXPECT_EQ(s.dvPhi, 0.5f);
    EXPECT_EQ(s.dvFalloff, 1.0f);

    std::vector<platform::seam::DeviceCall> enables = Calls("IDirect3DDevice7::LightEnable");
    ASSERT_EQ(enables.size(), 3u);
    for (std::size_t i = 0; i < enables.size(); ++i)
        EXPECT_EQ(enables[i].args, (std::vector<DWORD>{DWORD(i), 1}));
}

TEST_F(LightDeviceTest, ADisabledLightIsSwitchedOffAtEveryUpdate) {
    LightManager& lights = MakeLights();
    Light* light = lights.CreateLight(3);
    light->enabled = false;
    lights.Update();
    lights.Update();
    EXPECT_TRUE(Calls("IDirect3DDevice7::SetLight").empty());
    std::vector<platform::seam::DeviceCall> enables = Calls("IDirect3DDevice7::LightEnable");
    ASSERT_EQ(enables.size(), 2u);
    EXPECT_EQ(enables[1].args, (std::vector<DWORD>{3, 0}));

    // Deleting a light switches it off too.
    platform::seam::ClearDeviceCalls();
    light->enabled = true;
    lights.DeleteLight(light);
    EXPECT_TRUE(lights.GetLights().GetLiveIds().empty());
    enables = Calls("IDirect3DDevice7::LightEnable");
    ASSERT_EQ(enables.size(), 1u);
    EXPECT_EQ(enables[0].args, (std::vector<DWORD>{3, 0}));
}

TEST_F(LightDeviceTest, NothingIsSentWhileTheDeviceIsNotReady) {
    LightManager& lights = MakeLights();
    lights.CreateLight(0);
    Light* off = lights.CreateLight(1);
    off->enabled = false;
    platform::seam::FailNextCalls("IDirect3DDevice7::EndScene", 1);
    renderSystem_->EndScene();
    ASSERT_FALSE(renderSystem_->IsReady());
    platform::seam::ClearDeviceCalls();

    lights.Update();
    EXPECT_TRUE(Calls("IDirect3DDevice7::SetLight").empty());
    EXPECT_TRUE(Calls("IDirect3DDevice7::LightEnable").empty());
}

TEST(LightTest, ReenableIsAVirtualHook) {
    struct CountingLight : Light {
        using Light::Light;
        void Reenable() override { ++reenabled; }
        int reenabled = 0;
    } counting(0);
    Light& light = counting;
    light.Reenable();
    EXPECT_EQ(counting.reenabled, 1);
}

}  // namespace
