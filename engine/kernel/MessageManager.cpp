#include "engine/kernel/MessageManager.h"

#include <algorithm>
#include <ctime>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/WinCrtFiles.h"

namespace Vantor {

namespace {

const Vector3 kBlack{0.0f, 0.0f, 0.0f};
const Vector3 kWhite{1.0f, 1.0f, 1.0f};
const Vector3 kGreen{0.0f, 1.0f, 0.0f};
const char* const kClosingElement = "</FONT>";

bool IsWhite(const Vector3& color) { return color.x == 1.0f && color.y == 1.0f && color.z == 1.0f; }

std::wstring LogFolder(const std::wstring& folder) {
    if (folder.empty()) return FileManager::GetExecutableFolder();
    if (!FileManager::IsAbsolutePath(folder)) return FileManager::GetExecutableFolder() + L"\\" + folder;
    return folder;
}

}  // namespace

MessageManager::MessageManager(const std::wstring& title, bool logEnabled, bool, const std::wstring& logFolder,
                               const std::wstring& logName)
    : title_(title), logEnabled_(logEnabled) {
    path_ = LogFolder(logFolder) + L"\\" + (logName.empty() ? title : logName) + L".html";
    if (!logEnabled_) return;
    // On the first run the user-data folder below the application-data folder is not
    // there yet; without it the log would be lost.
    FileManager::CreateFolders(path_);
    file_ = _wfopen(path_.c_str(), L"wt");
    if (!file_) return;
    const std::string narrowTitle = ToNarrow(title_);
    WriteHtml("<HTML>");
    WriteHtml("<HEAD>");
    WriteHtml("<TITLE>" + narrowTitle + " Log</TITLE>");
    WriteHtml("</HEAD>");
    WriteHtml("<BODY bgcolor=\"" + ColorToHtml(kBlack) + "\">");
    WriteHtml("<FONT color=\"" + ColorToHtml(kWhite) + "\">");
    WriteInColor(kWhite, "======== ");
    WriteInColor(kGreen, TimeLine(" Log: "));
    WriteInColor(kWhite, " ========\n\n");
    std::fclose(file_);
    file_ = nullptr;
}

MessageManager::~MessageManager() {
    if (logEnabled_) {
        file_ = _wfopen(path_.c_str(), L"at");
        if (file_) {
            WriteInColor(kWhite, "\n======== ");
            WriteInColor(kGreen, TimeLine(" Log end: "));
            WriteInColor(kWhite, " ========\n");
            WriteHtml(kClosingElement);
            WriteHtml("</BODY>");
            WriteHtml("</HTML>");
            std::fclose(file_);
            file_ = nullptr;
        }
    }
    DeleteAllAndClear(messages_);
}

void MessageManager::PrintMessage(const std::string& text) {
    Write(MessageKind::Message, lineBreaks_ ? text + "\n" : text);
}

void MessageManager::PrintHighlight(const std::string& text) {
    Write(MessageKind::Highlight, lineBreaks_ ? text + "\n" : text);
}

void MessageManager::PrintWarning(const std::string& text) {
    Write(MessageKind::Warning, lineBreaks_ ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n");
}

void MessageManager::PrintError(const std::string& text) {
    Write(MessageKind::Error, lineBreaks_ ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n");
}

void MessageManager::PrintFatalError(const std::string& text) {
    Write(MessageKind::FatalError, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text);
}

void MessageManager::ClearMessages() { DeleteAllAndClear(messages_); }

void MessageManager::Write(MessageKind kind, const std::string& text) {
    if (logEnabled_) {
        const Vector3 color = GetMessageKindColor(kind);
        file_ = _wfopen(path_.c_str(), L"at");
        if (file_) {
            if (IsWhite(color)) WriteHtml(text);
            else WriteInColor(color, text);
            std::fclose(file_);
            file_ = nullptr;
        }
    }
    messages_.push_back(new LogMessage{kind, text});
}

void MessageManager::WriteHtml(const std::string& text) {
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        std::fwrite(text.data() + start, 1, end - start, file_);
        std::fputs("<BR>", file_);
        start = end + 1;
    }
    std::fwrite(text.data() + start, 1, text.size() - start, file_);
}

void MessageManager::WriteInColor(const Vector3& color, const std::string& text) {
    WriteHtml("<FONT color=\"" + ColorToHtml(color) + "\">");
    WriteHtml(text);
    WriteHtml(kClosingElement);
}

std::string MessageManager::ColorToHtml(const Vector3& color) {
    static const char digits[] = "0123456789ABCDEF";
    std::string html = "#";
    for (float component : {color.x, color.y, color.z}) {
        const int value = std::clamp(static_cast<int>(component * 255.0f), 0, 255);
        html += digits[value >> 4];
        html += digits[value & 15];
    }
    return html;
}

std::string MessageManager::TimeLine(const char* words) const {
    const std::time_t now = std::time(nullptr);
    const char* time = std::ctime(&now);
    std::string text = time ? time : "";
    if (!text.empty()) text.pop_back();  // ctime's newline
    return ToNarrow(title_) + words + text;
}

}  // namespace Vantor
