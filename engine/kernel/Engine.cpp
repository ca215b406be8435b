#include "engine/kernel/Engine.h"

#include "engine/input/Controls_DI8.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "platform/Com.h"

namespace Vantor {

namespace {

constexpr const wchar_t* kDefaultTitle = L"Vantor";
constexpr int32_t kDefaultVersion = 74;
constexpr uint32_t kRandomSeed = 1234;

}  // namespace

Engine::Engine(const EngineSettings& settings) : settings_(new EngineSettings()) {
    *settings_ = settings;
    if (settings_->title.empty()) {
        settings_->title = kDefaultTitle;
        settings_->version = kDefaultVersion;
    }
    comInitialized_ = CoInitialize(nullptr) == S_OK;

    Made made = Made::Nothing;
    try {
        CreateManagers(made);
    } catch (...) {
        DestroyManagers(made);
        ReleaseEngineState();
        throw;
    }
    SeedRandom(kRandomSeed);
}

Engine::~Engine() {
    if (settings_->saveConfigAtExit) Config::Instance()->Save();
    DestroyManagers(Made::All);
    ReleaseEngineState();
}

void Engine::CreateManagers(Made& made) {
    const EngineSettings& s = *settings_;
    MessageManager::Instance(new MessageManager(s.title, s.logEnabled, s.logFlush, s.logFolder, s.logName));
    made = Made::Log;
    FileManager::Instance(new FileManager(s.baseFolder, s.usePacks, s.dataFolder, s.packCacheLimit));
    made = Made::Files;
    TimerManager::Instance(new TimerManager());
    made = Made::Timers;
    Config* config = Config::Instance(new Config(s.configFolder, s.configName, s.forceDefaultMode, s.displayMode,
                                                 s.forceDefaultFullscreen, s.fullscreen));
    made = Made::Config;

    // The window takes its size and mode from the .ini file; the renderer later gives
    // it the display mode it chose.
    config->Load();
    uint32_t width = 0;
    uint32_t height = 0;
    ParseDisplayMode(config->values.mode, &width, &height, nullptr);
    Window::Instance(new Window_WinOS(GetTitleWithVersion(), s.hostWindow, s.iconId, width, height,
                                      config->values.fullscreen, s.centreWindow, s.windowPosition,
                                      s.restoreMessageId));
    made = Made::Window;

    // --- Device and scene managers join here, after the window: render system, camera,
    // light, shader, model, sprite-group and particle-system managers.

    // Keyboard and mouse, read from their event buffers; a failed set-up ends the start.
    Controls::Instance(new Controls_DI8(true));
    made = Made::Input;

    // --- Sound and GUI managers join here: the sound pair (its errors dropped), then
    // the GUI manager.
}

void Engine::DestroyManagers(Made made) {
    // --- The managers created after the window are deleted here, before it: the
    // console first, the render system last.
    if (made >= Made::Input) delete Controls::Instance();
    // --- The scene managers and the render system are deleted here.
    if (made >= Made::Window) delete Window::Instance();
    if (made >= Made::Config) delete Config::Instance();
    if (made >= Made::Timers) delete TimerManager::Instance();
    if (made >= Made::Files) delete FileManager::Instance();
    // The log goes last, so every other manager can write its closing lines.
    if (made >= Made::Log) delete MessageManager::Instance();
}

void Engine::ReleaseEngineState() {
    delete settings_;
    settings_ = nullptr;
    if (comInitialized_) CoUninitialize();
    comInitialized_ = false;
}

void Engine::BeginFrame() {
    Config::Instance()->BeginFrame();
    TimerManager::Instance()->Update();
    Window::Instance()->Update();
    Controls::Instance()->Update();
    // --- The GUI's input and the console's update join here.
    MessageManager::Instance()->ClearMessages();
}

void Engine::EndFrame() {
    // --- The manager pass and the frame's presentation join here.
    if (Controls::Instance()->IsKeyPressed("PRINTSCRN")) Config::Instance()->SetCommandState("sc_take_screenshot", 0);
    Controls::Instance()->Reset();
    Config::Instance()->EndFrame();
    if (IsExitRequested()) MessageManager::Instance()->PrintMessage("\nExiting...\n");
}

bool Engine::IsExitRequested() const { return Config::Instance()->GetCommandState("exit") == 0; }

void Engine::RequestExit() { Config::Instance()->SetCommandState("exit", 0); }

std::wstring Engine::GetTitleWithVersion() const {
    const int32_t version = settings_->version;
    std::wstring hundredths = std::to_wstring(version % 100);
    if (hundredths.size() < 2) hundredths.insert(0, 2 - hundredths.size(), L'0');
    return settings_->title + L" " + std::to_wstring(version / 100) + L"." + hundredths;
}

}  // namespace Vantor
