#pragma once
// The logic side of every framework window: one result slot that the window writes when
// the player decides something, and the window it was last opened from. The game base
// polls the slot once per dispatch pass and clears it when it was seen; windows never
// open or close each other.

#include "framework/WindowId.h"
#include "framework/WindowResult.h"

namespace GameFramework {

class GUIFrameworkWindow {
public:
    GUIFrameworkWindow() = default;
    virtual ~GUIFrameworkWindow() = default;
    GUIFrameworkWindow(const GUIFrameworkWindow&) = delete;
    GUIFrameworkWindow& operator=(const GUIFrameworkWindow&) = delete;

    // Every window's per-frame update calls this first, then may report a new result.
    virtual void Update();
    virtual void Open(WindowId source);
    // The result that made the handler close the window goes at the next reset.
    virtual void Close();

    // A result reported while updating; it is answered in the next frame's first pass.
    void Report(WindowResult result) { result_ = result; }
    // A result reported inside an open operation: the reset after the current dispatch
    // pass keeps it, so that the next pass answers it in the same frame.
    void ReportWhileOpening(WindowResult result);
    // The game base's reset after a dispatch pass: a seen result is cleared, and
    // whatever is left is seen from now on.
    void ResetResult();

    WindowResult GetResult() const { return result_; }
    WindowId GetSource() const { return source_; }
    bool IsResultSeen() const { return resultSeen_; }

private:
    bool resultSeen_ = true;
    WindowId source_ = WindowId{0};
    WindowResult result_ = WindowResult::None;
};

}  // namespace GameFramework
