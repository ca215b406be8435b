#include "tests/content/ContentTestSupport.h"

#include <fstream>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "platform/WinPaths.h"
#include "tests/support/TempFolder.h"

namespace contenttest {

namespace {

struct TestEngine {
    testsupport::TempFolder folder;
    std::filesystem::path data = folder.Path() / "data";
    Vantor::MessageManager log{L"content tests", false, false, L"", L""};
    Vantor::FileManager files{platform::ToWindowsPath(folder.Path().string())};

    TestEngine() {
        std::filesystem::create_directories(data);
        Vantor::MessageManager::Instance(&log);
        Vantor::FileManager::Instance(&files);
    }
};

TestEngine& Engine() {
    static TestEngine engine;
    return engine;
}

}  // namespace

const std::filesystem::path& DataFolder() { return Engine().data; }

std::wstring WriteData(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path file = DataFolder() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::wstring path(relative.begin(), relative.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::vector<std::string> TakeLoggedProblems() {
    Vantor::MessageManager& log = Engine().log;
    std::vector<std::string> problems;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (message->kind == Vantor::MessageKind::Error || message->kind == Vantor::MessageKind::Warning)
            problems.push_back(message->text);
    log.ClearMessages();
    return problems;
}


}  // namespace contenttest
