#pragma once
// The tutorial record and its hint window over the screen bench, run as the framework
// runs them: in every frame the record, then the window.

#include <memory>

#include "engine/gui/GUIManager.h"
#include "framework/Tutorial.h"
#include "game/screens/GUITutorialWindow.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace screenstest {

class TutorialBench : public ScreenTestBench {
protected:
    // After MakeGame, over the layout and the art the test has written.
    void MakeTutorial() {
        tutorial_ = std::make_unique<GameFramework::Tutorial>(profiles_.get());
        window_ = std::make_unique<Morvane::GUITutorialWindow>(tutorial_.get(), audio_.get(), data_.get(),
                                                                tools_.get(), nullptr);
        frameStep = [this] {
            tutorial_->Update(kFrameSeconds);
            window_->Update();
        };
    }
    void TearDown() override {
        frameStep = nullptr;
        window_.reset();
        tutorial_.reset();
        Vantor::GUIManager::Instance()->GetExclusiveInputList().clear();
        ScreenTestBench::TearDown();
    }

    std::unique_ptr<GameFramework::Tutorial> tutorial_;
    std::unique_ptr<Morvane::GUITutorialWindow> window_;
};

}  // namespace screenstest
