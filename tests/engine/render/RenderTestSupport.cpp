#include "tests/engine/render/RenderTestSupport.h"

#include <cstring>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "platform/WinPaths.h"
#include "tests/support/TempFolder.h"

namespace rendertest {

namespace {

struct TestEngine {
    testsupport::TempFolder folder;
    Vantor::MessageManager log{L"render tests", false, false, L"", L""};
    Vantor::FileManager files{platform::ToWindowsPath(folder.Path().string())};

};

// Registered on every use: a render system fixture of an earlier test in the same
// program may have registered (and deleted) managers of its own.
TestEngine& Engine() {
    static TestEngine engine;
    Vantor::MessageManager::Instance(&engine.log);
    Vantor::FileManager::Instance(&engine.files);
    return engine;
}

}  // namespace

std::wstring WritePicture(const std::string& name, const std::string& bytes) {
    Engine().folder.WriteFile("pictures/" + name, bytes);
    return L"pictures\\" + std::wstring(name.begin(), name.end());
}

std::unique_ptr<Vantor::FileBinary> MemoryStream(const std::string& bytes, const std::wstring& path) {
    Engine();
    auto* memory = new std::uint8_t[bytes.size()];
    std::memcpy(memory, bytes.data(), bytes.size());
    return std::make_unique<Vantor::FileBinary>(path, 0, 0, static_cast<std::uint32_t>(bytes.size()), memory, true);
}

std::unique_ptr<Vantor::FileBinary> DiskStream(const std::string& name, const std::string& bytes) {
    return std::make_unique<Vantor::FileBinary>(WritePicture(name, bytes));
}

namespace {

std::vector<std::string> TakeLogged(bool errorsOnly) {
    Vantor::MessageManager& log = Engine().log;
    std::vector<std::string> texts;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (!errorsOnly || message->kind == Vantor::MessageKind::Error) texts.push_back(message->text);
    log.ClearMessages();
    return texts;
}

}  // namespace

std::vector<std::string> TakeLoggedErrors() { return TakeLogged(true); }
std::vector<std::string> TakeLoggedTexts() { return TakeLogged(false); }

void PutU8(std::string& out, unsigned value) { out.push_back(static_cast<char>(value & 0xFF)); }
void PutU16(std::string& out, unsigned value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}
void PutU32(std::string& out, unsigned value) {
    PutU16(out, value);
    PutU16(out, value >> 16);
}

}  // namespace rendertest
