#pragma once
// user32 message boxes. The sdl backend shows an SDL dialog; the headless backend
// prints the text to standard error and answers from a queue that tests fill. Tests on
// the sdl backend answer at once as headless does, through the seam below or, for a
// program they start, the environment variable PLATFORM_MESSAGE_BOXES=answer, so that no
// box ever waits for a click.

#include <string>
#include <vector>

#include "platform/WinTypes.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

namespace platform::seam {

struct MessageBoxRecord {
    std::wstring text;
    std::wstring caption;
    UINT type;
    int answer;
};

// Every message box shown since the last clear.
const std::vector<MessageBoxRecord>& ShownMessageBoxes();
void ClearMessageBoxes();
// The answer of the next headless message box (IDOK, IDCANCEL, IDYES, IDNO); without
// one the first button of the box is chosen.
void QueueMessageBoxAnswer(int answer);
// On the sdl backend too, boxes answer at once (printed and recorded).
void AnswerMessageBoxesAtOnce(bool atOnce);

}  // namespace platform::seam
