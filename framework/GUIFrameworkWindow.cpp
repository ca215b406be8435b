#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

void GUIFrameworkWindow::Update() { result_ = WindowResult::None; }

void GUIFrameworkWindow::Open(WindowId source) { source_ = source; }

void GUIFrameworkWindow::Close() { resultSeen_ = true; }

void GUIFrameworkWindow::ReportWhileOpening(WindowResult result) {
    result_ = result;
    resultSeen_ = false;
}

void GUIFrameworkWindow::ResetResult() {
    if (resultSeen_) result_ = WindowResult::None;
    resultSeen_ = true;
}

}  // namespace GameFramework
