// Resetting the device after a loss or a change of display mode, with the spacing and
// the limit of retries, and the device textures a reset releases.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/render/Texture2D.h"
#include "platform/Clock.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

constexpr std::uint64_t kRetrySpacing = 3001 * 1000;  // microseconds, just past the 3000 ms wait

class DeviceResetTest : public d3d7test::RenderSystemTest {
protected:
    void Suspend(bool suspended) {
        MSG message{Window().GetWindowHandle(), WM_POWERBROADCAST,
                    suspended ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC, 0, 0, {0, 0}, 0};
        DispatchMessageW(&message);
    }

    int ResetsStarted() const {
        int count = 0;
        for (const Vantor::LogMessage* message : log_->GetMessages())
            count += message->text == "\nReseting Direct3D device:\n";
        return count;
    }
};

TEST_F(DeviceResetTest, AResetReCreatesTheDeviceWithTheNewMode) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    Values().mode = "640x480x32";
    renderSystem.CheckVideoMode();
    EXPECT_TRUE(renderSystem.IsResetPending());
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_FALSE(renderSystem.IsResetPending());
    EXPECT_TRUE(renderSystem.AreTexturesLost());
    EXPECT_EQ(ChosenMode(), "640x480x32");
    EXPECT_EQ(Window().GetWidth(), 640u);
    renderSystem.ResetDevice(Vantor::RenderSystem::kTexturesRecreated);
    EXPECT_FALSE(renderSystem.AreTexturesLost());
    EXPECT_TRUE(Fatals().empty());
}

TEST_F(DeviceResetTest, ADeviceWithoutZBufferAfterAResetHasNoStencil) {
    Vantor::RenderSystem_D3D7& renderSystem = Make(true);
    ASSERT_TRUE(renderSystem.IsStencilPresent());
    platform::GraphicsCaps caps = d3d7test::DefaultCaps();
    d3d7test::TheDevice(caps).rasterCaps |= D3DPRASTERCAPS_ZBUFFERLESSHSR;
    platform::seam::SetGraphicsCaps(caps);
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_FALSE(renderSystem.IsStencilPresent());
}

struct VideoModeCase {
    const char* mode;
    bool fullscreen;
    bool resetPending;
};

TEST_F(DeviceResetTest, CheckVideoModeComparesTheDeviceWithTheConfiguration) {
    const VideoModeCase cases[] = {
        {"800x600x32", false, false},
        {"800x600x16", false, true},
        {"1024x768x32", false, true},
        {"800x600x32", true, true},
    };
    for (const VideoModeCase& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.fullscreen ? " full screen" : " windowed"));
        Values().mode = "800x600x32";
        Values().fullscreen = false;
        Vantor::RenderSystem_D3D7& renderSystem = Make();
        Values().mode = c.mode;
        Values().fullscreen = c.fullscreen;
        renderSystem.CheckVideoMode();
        EXPECT_EQ(renderSystem.IsResetPending(), c.resetPending);
        EXPECT_TRUE(renderSystem.AreTexturesLost());
    }

    // Full screen runs at the desktop's own mode: only its own text leaves it be.
    Values().fullscreen = true;
    Values().mode = "desktop";
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    renderSystem.CheckVideoMode();
    EXPECT_TRUE(renderSystem.IsResetPending());
    Make();
    Values().mode = "1280x1024x32";
    renderSystem_->CheckVideoMode();
    EXPECT_FALSE(renderSystem_->IsResetPending());
}

TEST_F(DeviceResetTest, TheSixteenthFailedResetInARowMinimisesTheWindow) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    platform::seam::FailNextCalls("DirectDrawCreateEx", 1000);
    for (std::uint32_t attempt = 1; attempt <= 15; ++attempt) {
        renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
        ASSERT_FALSE(renderSystem.IsReady());
        EXPECT_EQ(renderSystem.GetResetFailures(), attempt);
        EXPECT_TRUE(renderSystem.IsRecoverPending());
        EXPECT_FALSE(Window().IsMinimized());
        // Too early: nothing is tried.
        renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
        EXPECT_EQ(renderSystem.GetResetFailures(), attempt);
        platform::seam::AdvanceVirtualTime(kRetrySpacing);
    }
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_TRUE(Window().IsMinimized());
    EXPECT_FALSE(renderSystem.IsRecoverPending());
    EXPECT_EQ(renderSystem.GetResetFailures(), 15u);
    EXPECT_EQ(ResetsStarted(), 16);

    platform::seam::ClearInjectedFailures();
    platform::seam::AdvanceVirtualTime(kRetrySpacing);
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_EQ(renderSystem.GetResetFailures(), 0u);
    EXPECT_FALSE(renderSystem.IsResetPending());
}

TEST_F(DeviceResetTest, AFailedReCreationLeavesTheSystemNotReadyAndTheFrameRetries) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    Values().mode = "640x480x32";
    renderSystem.CheckVideoMode();
    platform::seam::FailNextCalls("IDirect3D7::CreateDevice", 1);
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_FALSE(renderSystem.IsReady());
    EXPECT_EQ(*renderSystem.GetDeviceSlot(), nullptr);
    EXPECT_TRUE(renderSystem.IsResetPending());
    EXPECT_TRUE(renderSystem.IsRecoverPending());

    // Without a device, states are only cached.
    platform::seam::ClearDeviceCalls();
    renderSystem.SetZ(true);
    renderSystem.SetMaterial({1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 1);
    renderSystem.Update();  // within the 3000 ms: no new attempt
    EXPECT_FALSE(renderSystem.IsReady());
    EXPECT_TRUE(StateCalls().empty());

    platform::seam::AdvanceVirtualTime(kRetrySpacing);
    renderSystem.Update();
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_FALSE(renderSystem.IsResetPending());
    EXPECT_FALSE(renderSystem.IsRecoverPending());
    EXPECT_EQ(ChosenMode(), "640x480x32");
}

TEST_F(DeviceResetTest, NothingIsResetWhileTheWindowIsSuspended) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    Values().mode = "640x480x32";
    renderSystem.CheckVideoMode();
    Suspend(true);
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_EQ(ResetsStarted(), 0);
    EXPECT_TRUE(renderSystem.IsResetPending());
    Suspend(false);
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_FALSE(renderSystem.IsResetPending());
}

// A device texture that records when its surface is released.
class RecordingTexture : public Vantor::Texture2D {
public:
    RecordingTexture(const std::string& key, std::vector<std::string>& releases)
        : Texture2D(key, L"", L"", false, false), releases_(releases) {}
    void ReleaseSurface() override { releases_.push_back(key); }

private:
    std::vector<std::string>& releases_;
};

TEST_F(DeviceResetTest, AResetReleasesTheRegisteredSurfacesOnlyWhenTexturesWereLost) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    std::vector<std::string> releases;
    RecordingTexture first("first", releases), second("second", releases), stranger("stranger", releases);
    renderSystem.RegisterTexture(&first);
    renderSystem.RegisterTexture(&second);

    renderSystem.UnregisterTexture(&stranger);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"RenderSystem_D3D7: Failed to remove texture \"stranger\""});
    EXPECT_EQ(renderSystem.GetTextures(), (std::vector<Vantor::Texture2D*>{&first, &second}));

    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    EXPECT_TRUE(releases.empty());

    renderSystem.CheckVideoMode();
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice | Vantor::RenderSystem::kTexturesRecreated);
    EXPECT_EQ(releases, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(renderSystem.AreTexturesLost());

    renderSystem.UnregisterTexture(&first);
    renderSystem.UnregisterTexture(&second);
    EXPECT_TRUE(renderSystem.GetTextures().empty());
    EXPECT_TRUE(TakeErrors().empty());
}

}  // namespace
