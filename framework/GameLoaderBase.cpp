#include "framework/GameLoaderBase.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/Registry.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/DistributorName.h"
#include "framework/GameBase.h"
#include "platform/WinError.h"
#include "platform/WinHandles.h"
#include "platform/WinMutex.h"
#include "platform/WinUser.h"

namespace GameFramework {

namespace {

constexpr int kErrorIcon = 1;
constexpr int kOkOnly = 0;

}  // namespace

GameLoaderBase::GameLoaderBase(HINSTANCE instance, HINSTANCE, const std::string&, int, const std::wstring& maker,
                               const std::wstring& gameName, std::int32_t version)
    : instance_(instance),
      maker_(maker),
      gameName_(gameName),
      version_(version),
      registryKey_(L"SOFTWARE\\" + maker + L"\\" + gameName) {
    ReadVersion();
    ReadInstallPath();
    distributor_ = DistributorName::Read(installPath_);
}

void GameLoaderBase::ReadVersion() {
    std::wstring text;
    if (!Vantor::ReadRegistryString(registryKey_, L"Version", text)) text = std::to_wstring(version_);
    // Only the leading digits count; a text without any is 0.
    const long long number = std::wcstoll(text.c_str(), nullptr, 10);
    version_ = static_cast<std::int32_t>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

void GameLoaderBase::ReadInstallPath() {
    const std::wstring executableFolder = Vantor::FileManager::GetExecutableFolder();
    if (Vantor::FileManager::ExistsOnDisk(executableFolder + L"\\data\\pack0.pak")) {
        installPath_ = executableFolder;
        return;
    }
    if (!Vantor::ReadRegistryString(registryKey_, L"InstallPath", installPath_)) installPath_ = executableFolder;
}

std::wstring GameLoaderBase::InstanceName(const std::wstring& gameName) {
    return Vantor::ToLower(Vantor::Trimmed(gameName));
}

bool GameLoaderBase::Run() {
    const std::wstring name = InstanceName(gameName_);
    restoreMessage_ = RegisterWindowMessageW((name + L"Restore").c_str());
    mutex_ = CreateMutexW(nullptr, TRUE, (name + L"Mutex").c_str());
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // The running copy restores its window and comes to the front.
        PostMessageW(HWND_BROADCAST, restoreMessage_, 0, 0);
        return false;
    }
    try {
        CreateGame();
        MainLoop();
        Shutdown();
        return true;
    } catch (const Vantor::Error& error) {
        EndWithError(Vantor::ToWide(error.GetText()));
    } catch (...) {
        EndWithError(kUnhandledText);
    }
    return false;
}

void GameLoaderBase::EndWithError(const std::wstring& text) {
    Shutdown();
    Vantor::ShowMessageBox(text, kFatalCaption, kErrorIcon, kOkOnly);
}

void GameLoaderBase::Shutdown() {
    delete game_;
    game_ = nullptr;
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
}

void GameLoaderBase::MainLoop() {
    do {
        game_->Frame();
    } while (!game_->IsExitRequested());
}

}  // namespace GameFramework
