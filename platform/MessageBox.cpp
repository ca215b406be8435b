#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/Backend.h"
#include "platform/Utf.h"

namespace {

std::vector<platform::seam::MessageBoxRecord>& Records() {
    static std::vector<platform::seam::MessageBoxRecord> records;
    return records;
}

bool& AnswersAtOnce() {
    static bool atOnce = [] {
        const char* setting = std::getenv("PLATFORM_MESSAGE_BOXES");
        return setting && std::string(setting) == "answer";
    }();
    return atOnce;
}

std::deque<int>& QueuedAnswers() {
    static std::deque<int> answers;
    return answers;
}

struct Button {
    int id;
    const char* label;
};

std::vector<Button> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
    }
}

int AskHeadless(const std::wstring& text, const std::wstring& caption, const std::vector<Button>& buttons) {
    std::fprintf(stderr, "[message box] %s: %s\n", platform::Utf16ToUtf8(caption).c_str(),
                 platform::Utf16ToUtf8(text).c_str());
    if (QueuedAnswers().empty()) return buttons.front().id;
    int answer = QueuedAnswers().front();
    QueuedAnswers().pop_front();
    return answer;
}

int AskSdl(const std::wstring& text, const std::wstring& caption, UINT type, const std::vector<Button>& buttons) {
    std::string utf8Text = platform::Utf16ToUtf8(text);
    std::string utf8Caption = platform::Utf16ToUtf8(caption);
    std::vector<SDL_MessageBoxButtonData> data;
    for (const Button& b : buttons) data.push_back({0, b.id, b.label});
    data.front().flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    data.back().flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    UINT icon = type & MB_ICONMASK;
    Uint32 flags = icon == MB_ICONHAND ? SDL_MESSAGEBOX_ERROR
                 : icon == MB_ICONEXCLAMATION ? SDL_MESSAGEBOX_WARNING
                 : SDL_MESSAGEBOX_INFORMATION;
    SDL_MessageBoxData box{flags, nullptr, utf8Caption.c_str(), utf8Text.c_str(),
                           static_cast<int>(data.size()), data.data(), nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        // No display to show it on: keep the text visible somewhere.
        std::fprintf(stderr, "[message box] %s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
        return buttons.front().id;
    }
    return pressed;
}

}  // namespace

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    std::wstring t = text ? text : L"";
    std::wstring c = caption ? caption : L"Error";
    std::vector<Button> buttons = ButtonsOf(type);
    int answer = platform::IsHeadless() || AnswersAtOnce() ? AskHeadless(t, c, buttons) : AskSdl(t, c, type, buttons);
    Records().push_back({t, c, type, answer});
    return answer;
}

namespace platform::seam {

const std::vector<MessageBoxRecord>& ShownMessageBoxes() { return Records(); }
void ClearMessageBoxes() { Records().clear(); }
void QueueMessageBoxAnswer(int answer) { QueuedAnswers().push_back(answer); }
void AnswerMessageBoxesAtOnce(bool atOnce) { AnswersAtOnce() = atOnce; }

}  // namespace platform::seam
