#pragma once
// The logic of the game loading and level loading windows: drives a data keeper, at
// once or one slice per frame, and tells when everything is loaded.

#include "framework/GUIFrameworkWindow.h"

namespace GameTools {
class DataKeeper;
}

namespace GameFramework {

class GUILoadingWindowBase : public GUIFrameworkWindow {
public:
    void Close() override;
    virtual void OpenWith(WindowId source, GameTools::DataKeeper* keeper);

    // Everything queued, now.
    void LoadAll();
    // One slice of work; finished once the keeper's step has passed its extra steps.
    void LoadStep();

    GameTools::DataKeeper* GetDataKeeper() const { return keeper_; }
    bool IsFinished() const { return finished_; }
    bool IsStepDone() const { return stepDone_; }

private:
    void Finish();

    GameTools::DataKeeper* keeper_ = nullptr;  // not owned
    bool finished_ = false;
    bool stepDone_ = false;
};

}  // namespace GameFramework
