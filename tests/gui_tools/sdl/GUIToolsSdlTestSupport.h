#pragma once
// The layout layer drawn by the whole engine through OpenGL under an X server: a GUI of
// 800 x 600 units, the font "common" made from a system font, an empty text table, and
// pictures taken at the end of a frame and also written as PNGs to look at.

#include <cstdlib>

#include "content/FontGenerator.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace guitoolstest {

class GUIToolsSdlTest : public GUIToolsTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        GUIToolsTest::SetUp();
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        Content::FontGenerator::Write(L"data\\fonts\\common", {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 24});
        WriteTexts("<texts language=\"english\" />");
    }

    // Ends the frame (the GUI and the models are drawn) and takes the picture, also kept
    // as "captures/<name>.png".
    void Capture(Vantor::Image& picture, const char* name) {
        engine_->EndFrame();
        frameOpen_ = false;
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }
};

}  // namespace guitoolstest
