#pragma once
// The kernel managers that the controls work with (log, files, frame clock,
// configuration, and the engine's window, shown so that it has the focus), registered
// as the engine registers them, in a private temporary home; and frames run in the
// engine's order around the controls under test.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/input/Controls_DI8.h"
#include "engine/kernel/Window_WinOS.h"
#include "platform/Clock.h"
#include "platform/WinUser.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace inputtest {

class InputTest : public enginetest::KernelManagersTest {
protected:
    static constexpr uint64_t kFrameMicroseconds = 100000;  // the longest frame the clock counts

    void TearDown() override {
        controls_.reset();
        window_.reset();
        KernelManagersTest::TearDown();
    }

    // The window as the renderer leaves it: shown in its mode, messages pumped.
    Vantor::Window_WinOS& MakeWindow(uint32_t width = 800, uint32_t height = 600, bool fullScreen = false) {
        controls_.reset();
        window_.reset();
        window_ = std::make_unique<Vantor::Window_WinOS>(L"Test 1.02", nullptr, 0, width, height, fullScreen, true,
                                                         Vantor::Vector2i{0, 0}, 0u);
        Vantor::Window::Instance(window_.get());
        window_->ChangeMode(width, height, fullScreen);
        window_->Update();
        return *window_;
    }

    // The window (made when missing) and the controls, registered as the instance.
    Vantor::Controls_DI8& MakeControls(bool buffered = true) {
        if (!window_) MakeWindow();
        controls_.reset();
        controls_ = std::make_unique<Vantor::Controls_DI8>(buffered);
        Vantor::Controls::Instance(controls_.get());
        return *controls_;
    }

    // The frame start up to the input: a frame's time passes, the window's messages
    // are handled, then the devices are read.
    void BeginFrame() {
        platform::seam::AdvanceVirtualTime(kFrameMicroseconds);
        timers_->Update();
        window_->Update();
        controls_->Update();
    }
    void EndFrame() { controls_->Reset(); }
    // A whole frame with nothing asked in between.
    void Frame() {
        BeginFrame();
        EndFrame();
    }

    // Number of log messages of this text; error lines as the log writes them.
    int CountLogged(const std::string& text) const {
        int count = 0;
        for (const Vantor::LogMessage* message : log_->GetMessages()) count += message->text == text;
        return count;
    }
    static std::string ErrorLine(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    std::unique_ptr<Vantor::Window_WinOS> window_;
    std::unique_ptr<Vantor::Controls_DI8> controls_;
};

}  // namespace inputtest
