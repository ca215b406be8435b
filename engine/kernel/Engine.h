#pragma once
// The root of the engine. The game framework makes exactly one at start-up and
// destroys it at shutdown. It creates the engine's single-instance managers in one
// fixed order, registering each in its class's holder (the holders are the only
// registry: the engine keeps no manager pointers), runs the two halves of every
// frame around the game's own update, answers and raises the exit request, and
// destroys the managers in the exact reverse order, the log last.

#include <cstdint>
#include <string>

#include "engine/kernel/EngineSettings.h"

namespace Vantor {

class Config;
class Console;
class SoundManager;
class ShaderDescriptor;

class Engine {
public:
    // Builds the whole engine from a copy of the settings; an empty title stands for
    // "Vantor" version 0.74. An error of a manager's constructor goes on to the caller
    // after the managers already made were destroyed in reverse order and COM was
    // released, so that no window of the engine is left over its message box.
    explicit Engine(const EngineSettings& settings);
    virtual ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // First half of a frame, before the game's update: configuration changes, the frame
    // clock, the window's messages, the input read, the GUI's input and the console.
    void BeginFrame();
    // Second half, after the game's update: the screenshot key and the end of the
    // frame's input; logs the exit once it was requested.
    void EndFrame();

    // Makes the developer console with these arguments (Console gives their meaning);
    // called once, after the engine is built.
    void CreateConsole(const std::wstring& title, const ShaderDescriptor& background, int fontId,
                       uint16_t cursorCharacter, uint16_t promptCharacter, uint16_t separatorCharacter,
                       const std::string& toggleKey, float alpha, float size, float speed);

    // The configuration command "exit" was issued (by the window, the console or RequestExit).
    bool IsExitRequested() const;
    void RequestExit();

    // The sound manager made here, or null when the game runs without sound (its holder
    // may still name one of an earlier engine).
    SoundManager* GetSoundManager() const;
    // The console made by CreateConsole, or null before (or without) one.
    Console* GetConsole() const;

    // The title, a blank and the version as a number with two decimals (102: "1.02").
    std::wstring GetTitleWithVersion() const;

private:
    // How far construction got: every manager up to the named one exists. Later
    // managers take their places after the window, in creation order.
    enum class Made : int32_t {
        Nothing,
        Log,
        Files,
        Timers,
        Config,
        Window,
        RenderSystem,
        Cameras,
        Lights,
        Shaders,
        Models,
        SpriteGroups,
        ParticleSystems,
        Input,
        GUI,
        All = GUI
    };

    void CreateManagers(Made& made);
    // A "v_mode" larger than every display mode cannot be had by a window or a screen:
    // it is logged and the default mode taken, so that no .ini locks the player out.
    static void KeepObtainableMode(Config& config);
    // The sound system and the sound manager, or as much of the pair as could be made.
    void CreateSound();
    // Deletes the managers made so far, the last made first.
    void DestroyManagers(Made made);
    // Every manager's per-frame pass, ending with the sound.
    void UpdateManagers();
    // Ends what the constructor began outside the managers: the settings copy and COM.
    void ReleaseEngineState();

    EngineSettings* settings_;
    // Only an initialisation that answered S_OK is balanced at the end.
    bool comInitialized_ = false;
    // The game runs without sound when the pair cannot be made, and without a console
    // until the framework asks for one. Holders are never cleared, so an empty one
    // cannot be told from one left by an earlier engine: the engine remembers what it made.
    bool soundSystemMade_ = false;
    bool soundManagerMade_ = false;
    bool consoleMade_ = false;
};

}  // namespace Vantor
