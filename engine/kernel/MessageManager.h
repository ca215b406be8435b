#pragma once
// The program's one log. Every message is appended to an HTML file (reopened and
// closed for each message, so a crash loses nothing) coloured by its kind, and to the
// list of messages logged since the last frame start, which the console shows.

#include <cstdio>
#include <string>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/LogMessage.h"
#include "engine/kernel/Vector3.h"

namespace Vantor {

class MessageManager : public GlobalPointerHolder<MessageManager> {
public:
    // The file is logFolder + "\" + (logName, or the title when empty) + ".html"; an empty
    // or relative folder is taken from the executable's folder. With the log disabled no
    // file is written, and every message still reaches the list. logFlush is ignored:
    // the file is always closed between messages.
    MessageManager(const std::wstring& title, bool logEnabled, bool logFlush, const std::wstring& logFolder,
                   const std::wstring& logName);
    virtual ~MessageManager();
    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    // text + "\n".
    void PrintMessage(const std::string& text);
    void PrintHighlight(const std::string& text);
    // "\nWarning: " + text + "!\n\n" ("Warning: " + text + "!\n" without line breaks).
    void PrintWarning(const std::string& text);
    // "\nError: " + text + "!\n\n" ("Error: " + text + "!\n" without line breaks).
    void PrintError(const std::string& text);
    // Logs "PROGRAM ABORTING: " + text + "\n", then throws a FatalError with the text.
    [[noreturn]] void PrintFatalError(const std::string& text);

    // Whether the print operations add their line breaks (on at first).
    void SetLineBreaks(bool lineBreaks) { lineBreaks_ = lineBreaks; }
    // Empties the per-frame list; the engine calls it at the end of each frame start.
    void ClearMessages();
    const std::vector<LogMessage*>& GetMessages() const { return messages_; }
    const std::wstring& GetPath() const { return path_; }

private:
    void Write(MessageKind kind, const std::string& text);
    // Writes the text with each "\n" as "<BR>", so the file is one physical line.
    void WriteHtml(const std::string& text);
    void WriteInColor(const Vector3& color, const std::string& text);
    static std::string ColorToHtml(const Vector3& color);
    std::string TimeLine(const char* words) const;

    std::wstring title_;
    bool lineBreaks_ = true;
    bool logEnabled_;
    std::wstring path_;
    FILE* file_ = nullptr;
    std::vector<LogMessage*> messages_;
};

}  // namespace Vantor
