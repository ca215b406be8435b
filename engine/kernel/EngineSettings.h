#pragma once
// How the engine is to start: the record the framework fills and the engine copies
// at construction, handing each field to the manager that uses it.

#include <cstdint>
#include <string>

#include "engine/kernel/Vector2i.h"
#include "platform/WinTypes.h"

namespace Vantor {

struct EngineSettings {
    // Program title; the log's title and, without a log name, its file name.
    std::wstring title;
    // Version times 100 (102 is shown as 1.02).
    int32_t version = 0;
    // Folder below which the data folder and the packs lie; empty: the executable's folder.
    std::wstring baseFolder;
    // The engine's destructor writes the configuration file.
    bool saveConfigAtExit = false;
    // Configuration file name without ".ini"; empty: "Vantor".
    std::wstring configName;
    bool logEnabled = false;
    // Handed to the log, which reopens its file for every message anyway.
    bool logFlush = false;
    // Absolute folder of the log file.
    std::wstring logFolder;
    // Log file name without ".html"; empty: the title.
    std::wstring logName;
    std::wstring configFolder;
    bool usePacks = true;
    // Name of the data folder below the base folder.
    std::wstring dataFolder;
    // Packs up to this many bytes are read whole into memory.
    uint32_t packCacheLimit = 0;
    // When set, the engine's window becomes a child of this one and follows its size.
    HWND hostWindow = nullptr;
    // Resource number of the window icon; 0: the system's application icon.
    int32_t iconId = 0;
    // "v_mode" goes back to its default after the .ini file was read.
    bool forceDefaultMode = false;
    // Default of "v_mode": width x height x bits, or "desktop".
    std::string displayMode = "800x600x32";
    // "v_fullscreen" goes back to its default after the .ini file was read.
    bool forceDefaultFullscreen = false;
    // Default of "v_fullscreen".
    bool fullscreen = false;
    // The render system accepts only the requested display mode itself.
    bool exactVideoMode = false;
    bool stencilBufferWanted = false;
    // A window that is not full screen is centred on the work area.
    bool centreWindow = false;
    // Top-left corner of a window that is neither full screen nor centred.
    Vector2i windowPosition{0, 0};
    // Registered message on which the window restores itself and comes to the front.
    uint32_t restoreMessageId = 0;
    bool use3DSound = false;
};

}  // namespace Vantor
