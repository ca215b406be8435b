#include "framework/GUIGameCursorBase.h"

#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Window.h"

namespace GameFramework {

namespace {

constexpr const char* kCustomCursorName = "ui_custom_cursor";

}  // namespace

GUIGameCursorBase::GUIGameCursorBase() {
    Vantor::Config::Instance()->RegisterVariable(kCustomCursorName, Vantor::ConfigVariableType::Bool, false, true,
                                                 &customCursorSetting_, "1", true);
    drawnMode_ = customCursorSetting_;
    Show(false);
}

GUIGameCursorBase::~GUIGameCursorBase() {
    for (const auto& [kind, entry] : kinds_) Vantor::GUIManager::Instance()->DestroyCursor(entry.drawnCursor);
    Vantor::Config::Instance()->UnregisterVariable(kCustomCursorName);
}

bool GUIGameCursorBase::Update() {
    if (!IsShown()) return false;
    if (Vantor::Config::Instance()->IsModified(kCustomCursorName)) {
        // Hidden in the old mode, shown again in the new one.
        Show(false);
        drawnMode_ = customCursorSetting_;
        Show(true);
    }
    if (requestedKind_ != appliedKind_) {
        appliedKind_ = requestedKind_;
        // Without a kind chosen there is no cursor to give: the window keeps its own.
        if (current_) Vantor::Window::Instance()->SetCursor(current_->systemCursorId);
    }
    return true;
}

void GUIGameCursorBase::Show(bool visible) {
    if (IsDrawn())
        current_->drawnCursor->visible = visible;
    else
        Vantor::Controls::Instance()->SetCursorVisible(visible);
}

bool GUIGameCursorBase::IsShown() const {
    return IsDrawn() ? current_->drawnCursor->visible : Vantor::Controls::Instance()->IsCursorVisible();
}

void GUIGameCursorBase::AddKind(int kind, int systemCursorId, Vantor::GUICursor* drawnCursor) {
    drawnCursor->visible = false;
    kinds_.try_emplace(kind, Entry{systemCursorId, drawnCursor});
}

void GUIGameCursorBase::SetKind(int kind) {
    if (kind == requestedKind_) return;
    requestedKind_ = kind;
    const auto found = kinds_.find(kind);
    if (found == kinds_.end()) return;
    if (IsDrawn() && IsShown()) {
        Show(false);
        current_ = &found->second;
        Show(true);
    } else {
        current_ = &found->second;
    }
}

Vantor::GUICursor* GUIGameCursorBase::GetDrawnCursor() const { return current_ ? current_->drawnCursor : nullptr; }

}  // namespace GameFramework
