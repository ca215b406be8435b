#include "engine/kernel/Console.h"

#include <algorithm>
#include <limits>

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "platform/WinUser.h"

namespace Vantor {

namespace {

// How many characters the title's padding and the separator try.
constexpr std::size_t kRowLength = 255;
// What the edit box holds at most.
constexpr int kMaximumCharacters = 255;
// The lowest opacity, reach and speed the console works with.
constexpr float kLowestAlpha = 0.01f;
constexpr float kLowestSize = 1.0f;
constexpr float kLowestSpeed = 1.0f;

constexpr Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);
constexpr Color kGreen(0.0f, 1.0f, 0.0f, 1.0f);
constexpr Color kBlue(0.0f, 0.0f, 1.0f, 1.0f);

// The value when it lies above the lowest (so not for a NaN), at most the highest.
float WithinBounds(float value, float lowest, float highest) { return value > lowest ? std::min(value, highest) : lowest; }

std::wstring CommonBeginning(const std::vector<std::wstring>& texts) {
    std::wstring common = texts.front();
    for (const std::wstring& text : texts) {
        const auto differ = std::mismatch(common.begin(), common.end(), text.begin(), text.end());
        common.erase(differ.first, common.end());
    }
    return common;
}

}  // namespace

Console::Console(const std::wstring& title, const ShaderDescriptor& background, int fontId,
                 std::uint16_t cursorCharacter, std::uint16_t promptCharacter, std::uint16_t separatorCharacter,
                 const std::string& toggleKey, float alpha, float size, float speed)
    : toggleKey_(toggleKey), font_(*GUIManager::Instance()->GetFontManager(), fontId), lines_(font_) {
    RegisterVariables(alpha, size, speed);
    lineGap_ = 0.2f * font_.GetSize();
    lineHeight_ = 1.2f * font_.GetSize();
    prompt_.assign(1, static_cast<wchar_t>(promptCharacter));
    background_ = ShaderManager::Instance()->GetShader(background, true);

    // The window hangs just above the screen, hidden until it is opened.
    GUIManager& gui = *GUIManager::Instance();
    const float width = gui.GetScreenWidth();
    const float height = gui.GetScreenHeight();
    window_ = gui.CreateWindow(GUIWindow::kTopLayer, Vector2(0.0f, height), Vector2(width, height), nullptr,
                               background_, nullptr);
    const float promptWidth = font_.Measure(prompt_);
    editBox_ = gui.CreateEditBox(GUIWindow::kShown, Vector2(promptWidth, lineHeight_ + lineGap_), Vector2(0.0f, 0.0f),
                                 nullptr, nullptr, fontId, kBlue, Vector2(0.0f, 0.0f), kMaximumCharacters,
                                 4.0f * width, width - promptWidth, cursorCharacter, window_);
    // The title ends near the right edge; the separator spans the screen.
    titleLine_ = PaddedInFront(title, L' ', kRowLength - std::min(title.size(), kRowLength));
    separator_ = PaddedInFront(L"", static_cast<wchar_t>(separatorCharacter), kRowLength);
}

Console::~Console() {
    GUIManager::Instance()->DestroyEditBox(editBox_);
    GUIManager::Instance()->DestroyWindow(window_);
    ShaderManager::Instance()->ReleaseShader(background_);
}

void Console::RegisterVariables(float alpha, float size, float speed) {
    Config& config = *Config::Instance();
    config.RegisterVariable("ui_console_alpha", ConfigVariableType::Float, false, true, &alpha_, ToString(alpha, 4),
                            false);
    config.RegisterVariable("ui_console_size", ConfigVariableType::Float, false, true, &size_, ToString(size, 4),
                            false);
    config.RegisterVariable("ui_console_speed", ConfigVariableType::Float, false, true, &speed_, ToString(speed, 4),
                            false);
    config.RegisterVariable("ui_console_key", ConfigVariableType::String, false, true, &toggleKey_, toggleKey_,
                            false);
    config.RegisterVariable("say", ConfigVariableType::String, false, false, &sayText_, "", false);
}

std::wstring Console::PaddedInFront(std::wstring text, wchar_t character, std::size_t times) const {
    const float width = GUIManager::Instance()->GetScreenWidth();
    for (std::size_t i = 0; i < times; ++i) {
        text.insert(0, 1, character);
        if (font_.Measure(text) > width) text.erase(0, 1);
    }
    return text;
}

void Console::Update() {
    AddLogMessages();
    const Controls& controls = *Controls::Instance();
    if (enabled_ && controls.IsKeyPressed(toggleKey_)) Toggle();
    const float height = GUIManager::Instance()->GetScreenHeight();
    Slide(TimerManager::Instance()->GetFrameTime(), height);
    if (state_ == ConsoleState::Closed) return;
    // A changed size shows at once.
    if (state_ == ConsoleState::Open) window_->SetPosition(Vector2(0.0f, height - UsedSize(height)));
    window_->SetColor(Color(1.0f, 1.0f, 1.0f, UsedAlpha()));
    Draw(height);
    std::uint16_t code = 0;
    if (controls.GetTypedChar(code)) HandleKey(code);
}

void Console::AddLogMessages() {
    for (const LogMessage* message : MessageManager::Instance()->GetMessages()) {
        const Vector3 colour = GetMessageKindColor(message->kind);
        Print(ToWide(message->text), Color(colour.x, colour.y, colour.z, 1.0f));
    }
}

void Console::Print(const std::wstring& text, const Color& colour) {
    lines_.Add(text, colour, GUIManager::Instance()->GetScreenWidth());
}

void Console::Toggle() {
    if (state_ == ConsoleState::Closing || state_ == ConsoleState::Closed)
        Open();
    else
        Close();
}

void Console::Open() {
    if (state_ != ConsoleState::Closing && state_ != ConsoleState::Closed) return;
    state_ = ConsoleState::Opening;
    window_->SetFlags(GUIWindow::kShown);
    editBox_->SetText(L"");
}

void Console::Close() {
    if (state_ != ConsoleState::Opening && state_ != ConsoleState::Open) return;
    state_ = ConsoleState::Closing;
    editBox_->inputOn = false;
}

void Console::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) Close();
}

void Console::Slide(float frameTime, float screenHeight) {
    float y = window_->GetPosition().y;
    if (state_ == ConsoleState::Opening) {
        y -= frameTime * UsedSpeed();
        const float size = UsedSize(screenHeight);
        if (size < screenHeight - y) {
            state_ = ConsoleState::Open;
            y = screenHeight - size;
            editBox_->inputOn = true;
        }
    } else if (state_ == ConsoleState::Closing) {
        y += frameTime * UsedSpeed();
        if (y > screenHeight) {
            state_ = ConsoleState::Closed;
            y = screenHeight;
            window_->ClearFlags(GUIWindow::kShown);
            scroll_ = 0;
        }
    } else {
        return;
    }
    window_->SetPosition(Vector2(0.0f, y));
}

void Console::Draw(float screenHeight) {
    const int fontId = font_.GetId();
    auto print = [this, fontId](float x, float y, const Color& colour, const std::wstring& text) {
        window_->PrintText(0, fontId, Vector2(x, y), colour, text, 0.0f, -1.0f);
    };
    print(0.0f, lineGap_, kWhite, titleLine_);
    print(0.0f, lineGap_ + lineHeight_, kWhite, prompt_);
    const bool scrolled = scroll_ > 0;
    if (scrolled) print(0.0f, lineGap_ + 2.0f * lineHeight_, kWhite, separator_);

    // The newest row lies one line above the prompt, or above the separator while
    // scrolled back; rows are placed up to the one the window's visible top cuts.
    const float bottom = lineGap_ + (scrolled ? 3.0f : 2.0f) * lineHeight_;
    const float top = UsedSize(screenHeight) - font_.GetSize();
    const ConsoleLineList::View view = lines_.Arrange(scroll_, bottom, top, lineHeight_);
    scroll_ = view.scroll;

    const std::vector<ConsoleLine>& lines = lines_.GetLines();
    float x = 0.0f;
    float y = view.rowY;
    for (std::size_t i = view.first; i < lines.size(); ++i) {
        const ConsoleLine& line = lines[i];
        print(x, y, line.colour, line.text);
        if (!line.rowEnd) {
            x += line.width;
            continue;
        }
        x = 0.0f;
        y -= lineHeight_;
        // The rows skipped by the scroll stay off the separator, prompt and title.
        if (scrolled && y - 0.5f * lineHeight_ < 2.0f * lineHeight_ + lineGap_) break;
    }
}

// The window reports keys by their virtual-key codes and characters by their own, in
// one stream: a character with a key's code acts as the key.
void Console::HandleKey(std::uint16_t code) {
    switch (code) {
    case VK_RETURN: RunLine(); break;
    case VK_ESCAPE: editBox_->SetText(L""); break;
    case VK_TAB: CompleteName(); break;
    case VK_UP:
        if (historyIndex_ == 0) break;
        ShowHistoryEntry(--historyIndex_);
        break;
    case VK_DOWN:
        if (historyIndex_ >= history_.size()) break;
        ShowHistoryEntry(++historyIndex_);
        break;
    case VK_PRIOR: ++scroll_; break;
    case VK_NEXT:
        if (scroll_ > 0) --scroll_;
        break;
    default: break;
    }
}

void Console::ShowHistoryEntry(std::uint32_t index) {
    editBox_->SetText(index < history_.size() ? history_[index] : std::wstring());
}

void Console::RunLine() {
    const std::wstring text = editBox_->GetText();
    if (text.empty() || text == L"\\") return;
    editBox_->SetText(L"");
    std::string name;
    const ConfigResult result = Config::Instance()->ExecuteLine(ToNarrow(text), &name);
    if (result != ConfigResult::Empty) {
        const std::wstring entry = text.front() == L'\\' ? text : L"\\" + text;
        history_.push_back(entry);
        historyIndex_ = static_cast<std::uint32_t>(history_.size());
        Print(prompt_ + entry + L"\n", kBlue);
    }
    PrintResult(result, name);
}

void Console::PrintResult(ConfigResult result, const std::string& name) {
    const Config& config = *Config::Instance();
    const std::wstring quotedName = L"\"" + ToWide(name) + L"\"";
    const bool say = name == "say";
    switch (result) {
    case ConfigResult::Done:
        if (!say) break;
        Print(userName_ + L": \"", kWhite);
        Print(ToWide(config.GetValueText(name)), kGreen);
        Print(L"\"\n", kWhite);
        break;
    case ConfigResult::NoValue:
        if (say) break;
        Print(quotedName + L" is \"" + ToWide(config.GetValueText(name)) + L"\", default is \"" +
                  ToWide(config.GetDefaultText(name)) + L"\"\n",
              kWhite);
        break;
    case ConfigResult::ReadOnly: Print(quotedName + L" is read only\n", kWhite); break;
    case ConfigResult::Unknown: Print(L"Unknown command " + quotedName + L"\n", kWhite); break;
    case ConfigResult::Empty: break;
    }
}

void Console::CompleteName() {
    std::wstring text = editBox_->GetText();
    if (text.empty()) return;
    MakeLower(text);
    if (text.front() != L'\\') text.insert(0, 1, L'\\');
    std::vector<std::string> names;
    Config::Instance()->GetVariableNames(names);
    std::vector<std::wstring> candidates;
    for (const std::string& name : names) {
        std::wstring candidate = L"\\" + ToWide(name);
        if (candidate.starts_with(text)) candidates.push_back(std::move(candidate));
    }

    if (candidates.empty()) {
        editBox_->SetText(text);
    } else if (candidates.size() == 1) {
        editBox_->SetText(candidates.front() + L" ");
    } else {
        Print(text + L"\n", kBlue);
        for (const std::wstring& candidate : candidates) Print(L"    " + candidate + L"\n", kWhite);
        editBox_->SetText(CommonBeginning(candidates));
    }
}

float Console::UsedAlpha() const { return WithinBounds(alpha_, kLowestAlpha, 1.0f); }

float Console::UsedSize(float screenHeight) const { return WithinBounds(size_, kLowestSize, screenHeight); }

float Console::UsedSpeed() const { return WithinBounds(speed_, kLowestSpeed, std::numeric_limits<float>::max()); }

}  // namespace Vantor
