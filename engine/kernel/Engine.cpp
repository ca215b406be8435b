#include "engine/kernel/Engine.h"

#include "engine/gui/GUIManager.h"
#include "engine/input/Controls_DI8.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
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
    KeepObtainableMode(*config);
    uint32_t width = 0;
    uint32_t height = 0;
    ParseDisplayMode(config->values.mode, &width, &height, nullptr);
    Window::Instance(new Window_WinOS(GetTitleWithVersion(), s.hostWindow, s.iconId, width, height,
                                      config->values.fullscreen, s.centreWindow, s.windowPosition,
                                      s.restoreMessageId));
    made = Made::Window;

    // The device in the display mode it chooses (it shows the window), then the cameras
    // and lights that draw through it.
    RenderSystem::Instance(new RenderSystem_D3D7(s.stencilBufferWanted, s.exactVideoMode));
    made = Made::RenderSystem;
    CameraManager::Instance(new CameraManager());
    made = Made::Cameras;
    LightManager::Instance(new LightManager());
    made = Made::Lights;
    // The materials in use and their texture cache.
    ShaderManager::Instance(new ShaderManager());
    made = Made::Shaders;
    // Every drawable model; it gives its models' shader users back before the shaders go.
    ModelManager::Instance(new ModelManager());
    made = Made::Models;
    // Batches of camera-facing sprites in models, and the particle effects drawn with them.
    SpriteGroupManager::Instance(new SpriteGroupManager());
    made = Made::SpriteGroups;
    ParticleSystemManager::Instance(new ParticleSystemManager());
    made = Made::ParticleSystems;

    // Keyboard and mouse, read from their event buffers; a failed set-up ends the start.
    Controls::Instance(new Controls_DI8(true));
    made = Made::Input;

    CreateSound();

    // Every GUI element, its fonts and its sounds; its camera covers the virtual screen.
    GUIManager::Instance(new GUIManager(soundManagerMade_ ? SoundManager::Instance() : nullptr));
    made = Made::GUI;
}

void Engine::KeepObtainableMode(Config& config) {
    uint32_t width = 0;
    uint32_t height = 0;
    ParseDisplayMode(config.values.mode, &width, &height, nullptr);
    if (Window_WinOS::FitsSomeDisplayMode(width, height)) return;
    MessageManager::Instance()->PrintWarning("Display mode \"" + config.values.mode +
                                             "\" cannot be had, the default mode \"" +
                                             config.GetDefaultText("v_mode") + "\" is used");
    config.ResetVariable("v_mode");
}

void Engine::CreateSound() {
    // The failing constructor has logged why; the game then runs without sound, and
    // without a sound system no sound manager is attempted.
    try {
        const HWND window = static_cast<Window_WinOS*>(Window::Instance())->GetWindowHandle();
        SoundSystem::Instance(new SoundSystem_DS7(settings_->use3DSound, window));
        soundSystemMade_ = true;
        SoundManager::Instance(new SoundManager());
        soundManagerMade_ = true;
    } catch (const Error&) {
    }
}

void Engine::DestroyManagers(Made made) {
    // The managers created after the window are deleted before it: the console first,
    // while the GUI it draws in is still there, the render system last.
    if (consoleMade_) delete Console::Instance();
    consoleMade_ = false;
    // The GUI's elements give their models and sounds back before those managers go.
    if (made >= Made::GUI) delete GUIManager::Instance();
    // The sound manager goes first, so every buffer is released while the device is open.
    if (soundManagerMade_) delete SoundManager::Instance();
    if (soundSystemMade_) delete SoundSystem::Instance();
    soundManagerMade_ = false;
    soundSystemMade_ = false;
    if (made >= Made::Input) delete Controls::Instance();
    // Each particle system gives its sprite group back, each group its model.
    if (made >= Made::ParticleSystems) delete ParticleSystemManager::Instance();
    if (made >= Made::SpriteGroups) delete SpriteGroupManager::Instance();
    if (made >= Made::Models) delete ModelManager::Instance();
    if (made >= Made::Shaders) delete ShaderManager::Instance();
    if (made >= Made::Lights) delete LightManager::Instance();
    if (made >= Made::Cameras) delete CameraManager::Instance();
    if (made >= Made::RenderSystem) delete RenderSystem::Instance();
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
    // Every GUI element sees the mouse as this frame's input read it.
    GUIManager::Instance()->ProcessInput();
    // The console sees the messages of the frame before the list is emptied.
    if (consoleMade_) Console::Instance()->Update();
    MessageManager::Instance()->ClearMessages();
}

void Engine::EndFrame() {
    UpdateManagers();
    ModelManager::Instance()->SwapBuffers();
    if (Controls::Instance()->IsKeyPressed("PRINTSCRN")) Config::Instance()->SetCommandState("sc_take_screenshot", 0);
    Controls::Instance()->Reset();
    Config::Instance()->EndFrame();
    if (IsExitRequested()) MessageManager::Instance()->PrintMessage("\nExiting...\n");
}

void Engine::UpdateManagers() {
    // Resets a lost device, then fits every camera to the window.
    RenderSystem::Instance()->Update();
    CameraManager::Instance()->ResizeCameras();
    // The particles move their sprites, then the groups turn the sprites into quads.
    ParticleSystemManager::Instance()->Update();
    SpriteGroupManager::Instance()->Update();
    // The GUI's models and texts take their places for this frame's drawing.
    GUIManager::Instance()->Update();
    LightManager::Instance()->Update();
    // Texture-frame animation and texture ageing, before the models are drawn.
    ShaderManager::Instance()->Update();
    // Updates, sorts and draws every registered model.
    ModelManager::Instance()->Render();
    if (soundSystemMade_) SoundSystem::Instance()->Refresh();
    // Replays the frame's sound requests and refills the streams.
    if (soundManagerMade_) SoundManager::Instance()->SetActive(true);
}

void Engine::CreateConsole(const std::wstring& title, const ShaderDescriptor& background, int fontId,
                           uint16_t cursorCharacter, uint16_t promptCharacter, uint16_t separatorCharacter,
                           const std::string& toggleKey, float alpha, float size, float speed) {
    Console::Instance(new Console(title, background, fontId, cursorCharacter, promptCharacter, separatorCharacter,
                                  toggleKey, alpha, size, speed));
    consoleMade_ = true;
}

bool Engine::IsExitRequested() const { return Config::Instance()->GetCommandState("exit") == 0; }

void Engine::RequestExit() { Config::Instance()->SetCommandState("exit", 0); }

SoundManager* Engine::GetSoundManager() const { return soundManagerMade_ ? SoundManager::Instance() : nullptr; }

Console* Engine::GetConsole() const { return consoleMade_ ? Console::Instance() : nullptr; }

std::wstring Engine::GetTitleWithVersion() const {
    const int32_t version = settings_->version;
    std::wstring hundredths = std::to_wstring(version % 100);
    if (hundredths.size() < 2) hundredths.insert(0, 2 - hundredths.size(), L'0');
    return settings_->title + L" " + std::to_wstring(version / 100) + L"." + hundredths;
}

}  // namespace Vantor
