#pragma once
// The game's mouse cursor: either a drawn cursor of the GUI or the system's cursor over
// the window, as the saved configuration variable "ui_custom_cursor" says, in one of
// several kinds that the game registers (each with a drawn cursor and a system cursor
// resource). A change of the variable takes effect while the cursor is shown; a change
// of kind reaches the window at the first update in which the cursor is shown.

#include <map>

namespace Vantor {
class GUICursor;
}

namespace GameFramework {

class GUIGameCursorBase {
public:
    // Registers "ui_custom_cursor" and hides the cursor.
    GUIGameCursorBase();
    // Destroys the drawn cursors through the GUI manager.
    virtual ~GUIGameCursorBase();
    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // Once per frame; false (and nothing done) while the cursor is hidden.
    virtual bool Update();
    virtual void Show(bool visible);
    bool IsShown() const;

    // The cursor base takes the drawn cursor over and hides it; a kind registered
    // before keeps its first entry (and the drawn cursor given now stays the caller's).
    void AddKind(int kind, int systemCursorId, Vantor::GUICursor* drawnCursor);
    void SetKind(int kind);

    int GetRequestedKind() const { return requestedKind_; }
    int GetAppliedKind() const { return appliedKind_; }
    // Whether the drawn cursor is in use (the setting in effect and a kind chosen).
    bool IsDrawn() const { return drawnMode_ && current_; }
    // The current kind's drawn cursor, or null before a kind was chosen.
    Vantor::GUICursor* GetDrawnCursor() const;

private:
    struct Entry {
        int systemCursorId;
        Vantor::GUICursor* drawnCursor;  // owned, made by the GUI manager
    };

    bool customCursorSetting_ = true;
    bool drawnMode_ = true;
    std::map<int, Entry> kinds_;
    int requestedKind_ = -1;
    int appliedKind_ = -1;
    const Entry* current_ = nullptr;
};

}  // namespace GameFramework
