// The display adapters, devices and modes the render system lists, and the device and
// display mode it chooses from "v_mode" and "v_fullscreen".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "engine/render/d3d7/AdapterInfo_D3D7.h"
#include "engine/render/d3d7/DeviceInfo_D3D7.h"
#include "engine/render/d3d7/ModeInfo_D3D7.h"
#include "platform/Desktop.h"
#include "platform/DirectDrawFormats.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using d3d7test::DefaultCaps;
using d3d7test::TheDevice;

class DisplayModeChoiceTest : public d3d7test::RenderSystemTest {
protected:
    void SetDesktop(int width, int height, int workWidth, int workHeight) {
        platform::seam::SetDesktop(width, height, 32);
        platform::seam::SetWorkArea(RECT{0, 0, workWidth, workHeight});
    }

    // The chosen device's modes as "WIDTHxHEIGHTxBITS", in list order.
    std::vector<std::string> ListedModes() const {
        std::vector<std::string> modes;
        for (const Vantor::ModeInfo* mode : renderSystem_->GetChosenDevice()->modes)
            modes.push_back(std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
                            std::to_string(mode->bitsPerPixel));
        return modes;
    }
};

std::vector<platform::DisplayModeCaps> Modes(std::initializer_list<platform::DisplayModeCaps> modes) { return modes; }

struct ModeCase {
    const char* name;
    int desktopWidth, desktopHeight, workWidth, workHeight;
    const char* mode;
    bool fullscreen;
    bool exact;
    const char* chosen;
    bool deviceFullscreen;
};

TEST_F(DisplayModeChoiceTest, ChoosesTheModeForTheConfigurationAndTheDesktop) {
    const ModeCase cases[] = {
        {"desktop in any letter case", 1280, 1024, 1280, 994, "DeskTOP", false, false, "1280x1024x32", true},
        {"full screen takes the desktop's mode", 1280, 1024, 1280, 994, "800x600x16", true, false, "1280x1024x32",
         true},
        {"a window that fits", 1280, 1024, 1280, 994, "1024x768x32", false, false, "1024x768x32", false},
        {"a window larger than the work area", 1024, 768, 1024, 738, "1024x768x32", false, false, "800x600x32",
         false},
        {"the 4:3 choice keeps the depth", 1024, 768, 1024, 738, "1024x768x16", false, false, "800x600x16", false},
        {"exact even when it does not fit", 1024, 768, 1024, 738, "1024x768x32", false, true, "1024x768x32", false},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetDesktop(c.desktopWidth, c.desktopHeight, c.workWidth, c.workHeight);
        Values().mode = c.mode;
        Values().fullscreen = c.fullscreen;
        Make(false, c.exact);
        EXPECT_EQ(ChosenMode(), c.chosen);
        EXPECT_EQ(renderSystem_->GetChosenDevice()->fullscreen, c.deviceFullscreen);
        EXPECT_EQ(Values().fullscreen, c.deviceFullscreen);
        EXPECT_EQ(Values().mode, c.mode);
        renderSystem_.reset();
    }
}

TEST_F(DisplayModeChoiceTest, ATooLargeWindowFallsBackToTheDesktopSizeThenToTheLargestMode) {
    SetDesktop(1024, 768, 1024, 738);
    platform::GraphicsCaps caps = DefaultCaps();
    caps.drivers[0].displayModes = Modes({{1024, 768, 32, 60}, {1280, 1024, 32, 60}});
    platform::seam::SetGraphicsCaps(caps);
    Values().mode = "1024x768x32";
    Make();
    EXPECT_EQ(ChosenMode(), "1024x768x32");  // the desktop's own size

    caps.drivers[0].displayModes = Modes({{1280, 1024, 32, 60}, {1600, 1200, 32, 60}});
    platform::seam::SetGraphicsCaps(caps);
    Make();
    EXPECT_EQ(ChosenMode(), "1600x1200x32");
}

TEST_F(DisplayModeChoiceTest, AnUnknownModeFallsBackToTheDefaultThenTo640x480x16) {
    Values().mode = "1234x567x32";
    Make();
    EXPECT_EQ(ChosenMode(), "800x600x32");
    EXPECT_EQ(Values().mode, "800x600x32");

    renderSystem_.reset();
    MakeConfig("1152x864x32");
    Values().mode = "1234x567x32";
    Make();
    EXPECT_EQ(ChosenMode(), "640x480x16");
    EXPECT_EQ(Values().mode, "640x480x16");
}

TEST_F(DisplayModeChoiceTest, WithoutEven640x480x16TheConstructionFails) {
    platform::GraphicsCaps caps = DefaultCaps();
    caps.drivers[0].displayModes = Modes({{800, 600, 32, 60}, {1280, 1024, 32, 60}});
    platform::seam::SetGraphicsCaps(caps);
    MakeConfig("1152x864x32");
    Values().mode = "1234x567x32";
    Window();
    EXPECT_THROW(Make(), Vantor::FatalError);
    EXPECT_EQ(Fatals(), std::vector<std::string>{"RenderSystem_D3D7: Failed to find compatible video mode"});
}

TEST_F(DisplayModeChoiceTest, ASixteenBitDeviceListsOnlySixteenBitModes) {
    // A window is drawn at the desktop's depth.
    platform::seam::SetDesktop(1280, 1024, 16);
    platform::GraphicsCaps caps = DefaultCaps();
    TheDevice(caps).renderBitDepths = DDBD_16;
    platform::seam::SetGraphicsCaps(caps);
    Values().mode = "1024x768x32";
    Make();
    EXPECT_EQ(ListedModes(), (std::vector<std::string>{"1280x1024x16", "1024x768x16", "800x600x16", "640x480x16"}));
    EXPECT_EQ(ChosenMode(), "640x480x16");  // neither 1024x768x32 nor the default 800x600x32 exists
}

TEST_F(DisplayModeChoiceTest, ModesAreSortedLargestFirstAndTwentyFourBitsCountAsThirtyTwo) {
    platform::GraphicsCaps caps = DefaultCaps();
    caps.drivers[0].displayModes = Modes({{640, 480, 16, 60},
                                          {320, 240, 32, 60},
                                          {640, 350, 32, 60},
                                          {800, 600, 24, 60},
                                          {800, 600, 16, 60},
                                          {800, 600, 8, 60},
                                          {1280, 1024, 32, 60}});
    TheDevice(caps).renderBitDepths = DDBD_16 | DDBD_24 | DDBD_32;
    platform::seam::SetGraphicsCaps(caps);
    Values().mode = "800x600x32";
    Make();
    EXPECT_EQ(ListedModes(), (std::vector<std::string>{"1280x1024x32", "800x600x32", "800x600x16", "640x480x16"}));
    EXPECT_EQ(ChosenMode(), "800x600x32");
    EXPECT_EQ(renderSystem_->GetChosenModeD3D7()->description->ddpfPixelFormat.dwRGBBitCount, 24u);
}

platform::Direct3DDeviceCaps NamedDevice(const platform::Direct3DDeviceCaps& base, const GUID& guid, const char* name,
                                         DWORD devCaps = D3DDEVCAPS_HWRASTERIZATION) {
    platform::Direct3DDeviceCaps device = base;
    device.guid = guid;
    device.name = name;
    device.devCaps = devCaps;
    return device;
}

TEST_F(DisplayModeChoiceTest, PrefersTheTransformAndLightingDeviceElseTheLastHardwareOne) {
    platform::GraphicsCaps caps = DefaultCaps();
    const platform::Direct3DDeviceCaps base = TheDevice(caps);
    caps.drivers[0].devices = {NamedDevice(base, IID_IDirect3DRGBDevice, "software", 0),
                               NamedDevice(base, IID_IDirect3DTnLHalDevice, "tnl"),
                               NamedDevice(base, IID_IDirect3DHALDevice, "hal")};
    platform::seam::SetGraphicsCaps(caps);
    Make();
    EXPECT_STREQ(renderSystem_->GetChosenDeviceD3D7()->name, "tnl");
    EXPECT_EQ(renderSystem_->GetChosenAdapter()->devices.size(), 2u);  // the software one is not listed

    GUID other = IID_IDirect3DHALDevice;
    other.Data1 ^= 1;
    caps.drivers[0].devices = {NamedDevice(base, IID_IDirect3DHALDevice, "hal"),
                               NamedDevice(base, other, "second hardware")};
    platform::seam::SetGraphicsCaps(caps);
    Make();
    EXPECT_STREQ(renderSystem_->GetChosenDeviceD3D7()->name, "second hardware");
}

TEST_F(DisplayModeChoiceTest, OnlyThePrimaryDriverThatRendersInAWindowIsUsable) {
    platform::GraphicsCaps caps = DefaultCaps();
    platform::DisplayDriverCaps secondary = caps.drivers[0];
    secondary.primary = false;
    secondary.guid = GUID{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    secondary.description = "Secondary";
    TheDevice(caps) = NamedDevice(TheDevice(caps), IID_IDirect3DHALDevice, "primary hal");
    caps.drivers.push_back(secondary);
    platform::seam::SetGraphicsCaps(caps);
    Make();
    ASSERT_EQ(renderSystem_->GetAdapters().size(), 2u);
    EXPECT_EQ(renderSystem_->GetChosenAdapter(), renderSystem_->GetAdapters()[0]);
    EXPECT_STREQ(renderSystem_->GetChosenDeviceD3D7()->name, "primary hal");

    renderSystem_.reset();
    caps.drivers[0].canRenderWindowed = false;
    platform::seam::SetGraphicsCaps(caps);
    EXPECT_THROW(Make(), Vantor::FatalError);
    EXPECT_EQ(Fatals(), std::vector<std::string>{"RenderSystem_D3D7: Failed to find any compatible Direct3D devices"});
}

}  // namespace
