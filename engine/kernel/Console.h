#pragma once
// The in-game developer console: a GUI window as large as the GUI screen that slides
// down from the top edge on the toggle key and back up on the next press. It shows every
// message of the log in its kind's colour, word-wrapped and scrollable, under a title
// line and a prompt with a one-line edit box. A line confirmed with Enter runs through
// the configuration's line executor and its result is printed in words; Tab completes
// variable names, the arrow keys walk the history of typed lines, and "say" prints a
// text under the user's name.
//
// Made only by the engine (Engine::CreateConsole) and deleted first at its end. Its
// Update runs at every frame start, after the GUI took its input and before the log's
// list of the frame is emptied.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/ConsoleFont.h"
#include "engine/kernel/ConsoleLineList.h"
#include "engine/kernel/ConsoleState.h"
#include "engine/kernel/GlobalPointerHolder.h"

namespace Vantor {

enum class ConfigResult : int32_t;
class GUIEditBox;
class GUIWindow;
class ShaderDescriptor;
class ShaderUser;

class Console : public GlobalPointerHolder<Console> {
public:
    // The console's variables: "ui_console_alpha", "ui_console_size", "ui_console_speed"
    // and "ui_console_key" default to the arguments (saved), "say" to empty. The window
    // starts closed, just above the screen.
    Console(const std::wstring& title, const ShaderDescriptor& background, int fontId, std::uint16_t cursorCharacter,
            std::uint16_t promptCharacter, std::uint16_t separatorCharacter, const std::string& toggleKey,
            float alpha, float size, float speed);
    // Destroys its GUI elements and gives the material back. The variables stay
    // registered: the configuration, saved before and deleted after, outlives them
    // without reading them.
    virtual ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The frame's pass: the log's new messages, the toggle key, the slide, drawing and
    // the typed key.
    void Update();
    // Slides in from wherever the window is, with an empty edit box (from closing or closed).
    void Open();
    // Slides out; the edit box stops taking typed characters (from opening or open).
    void Close();
    // Whether the toggle key works; disabling also closes.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }

    ConsoleState GetState() const { return state_; }
    int GetScroll() const { return scroll_; }
    const std::vector<ConsoleLine>& GetLines() const { return lines_.GetLines(); }
    const std::vector<std::wstring>& GetHistory() const { return history_; }
    GUIWindow* GetWindow() const { return window_; }
    GUIEditBox* GetEditBox() const { return editBox_; }

private:
    void RegisterVariables(float alpha, float size, float speed);
    // Puts the character in front of the text the number of times, each one kept only
    // while the text stays within the screen width.
    std::wstring PaddedInFront(std::wstring text, wchar_t character, std::size_t times) const;

    void AddLogMessages();
    void Print(const std::wstring& text, const Color& colour);
    void Toggle();
    void Slide(float frameTime, float screenHeight);
    void Draw(float screenHeight);
    void HandleKey(std::uint16_t code);
    // Enter: runs the edit box's line and prints what it did.
    void RunLine();
    void PrintResult(ConfigResult result, const std::string& name);
    // Tab: completes the typed beginning of a variable name.
    void CompleteName();
    void ShowHistoryEntry(std::uint32_t index);

    // The stored values kept usable: opacity in (0, 1], reach in (0, screen height],
    // at least one unit per second.
    float UsedAlpha() const;
    float UsedSize(float screenHeight) const;
    float UsedSpeed() const;

    ConsoleState state_ = ConsoleState::Closed;
    std::string toggleKey_;
    float alpha_ = 0.0f;
    float size_ = 0.0f;
    float speed_ = 0.0f;
    std::wstring prompt_;
    std::wstring separator_;
    std::wstring titleLine_;
    std::string sayText_;
    ShaderUser* background_ = nullptr;  // from the shader manager
    ConsoleFont font_;
    GUIWindow* window_ = nullptr;    // made by the GUI manager
    GUIEditBox* editBox_ = nullptr;  // made by the GUI manager, a child of the window
    int scroll_ = 0;
    ConsoleLineList lines_;
    std::uint32_t historyIndex_ = 0;
    std::vector<std::wstring> history_;
    float lineGap_ = 0.0f;
    float lineHeight_ = 0.0f;
    std::wstring userName_ = L"Tobbin";
    bool enabled_ = true;
};

}  // namespace Vantor
