#include "engine/render/d3d7/RenderSystem_D3D7.h"

#include <algorithm>
#include <string>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/Texture2D.h"
#include "engine/render/d3d7/AdapterInfo_D3D7.h"
#include "engine/render/d3d7/DeviceInfo_D3D7.h"
#include "engine/render/d3d7/IndexBuffer_D3D7.h"
#include "engine/render/d3d7/ModeInfo_D3D7.h"
#include "engine/render/d3d7/ResultDescriptions.h"
#include "engine/render/d3d7/Texture2D_D3D7.h"
#include "engine/render/d3d7/VertexBuffer_D3D7.h"
#include "platform/WinTimers.h"

namespace Vantor {

namespace {

// Failed resets are retried no sooner than this, and after this many failures in a
// row the next one minimises the window.
constexpr std::uint32_t kResetRetryMilliseconds = 3000;
constexpr std::uint32_t kResetFailuresBeforeMinimise = 15;

MessageManager& Log() { return *MessageManager::Instance(); }

// Whether the tick count has passed the time, across the 32-bit wrap.
bool TickPassed(std::uint32_t now, std::uint32_t time) { return static_cast<std::int32_t>(now - time) > 0; }

}  // namespace

RenderSystem_D3D7::RenderSystem_D3D7(bool stencilBufferWanted, bool exactVideoMode)
    : RenderSystem(stencilBufferWanted, exactVideoMode) {
    Log().PrintMessage("\nInitialization of Direct3D subsystem...");
    InitDirect3D(true);
    ResizeStageStates();
    Log().PrintMessage(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7() {
    Log().PrintMessage("\nDirect3D Subsystem destroying:");
    try {
        ReleaseDirect3D();
    } catch (const FatalError&) {
        // A reference that outlives the device is logged as fatal; a destructor goes on.
    }
    textures_.clear();
}

Window_WinOS& RenderSystem_D3D7::GetWindow() { return *static_cast<Window_WinOS*>(Window::Instance()); }

void RenderSystem_D3D7::InitDirect3D(bool logCapabilities) {
    if (!EnumerateAdapters() || (!chosenAdapter_ && !ChooseDevice()))
        Log().PrintFatalError("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    if (!ChooseVideoMode()) Log().PrintFatalError("RenderSystem_D3D7: Failed to find compatible video mode");
    if (!CreateDirect3D(logCapabilities)) Log().PrintFatalError("RenderSystem_D3D7: Failed to create Direct3D device");
}

void RenderSystem_D3D7::CheckVideoMode() {
    RenderSystem::CheckVideoMode();
    texturesLost_ = true;
}

void RenderSystem_D3D7::ResetDevice(std::int32_t flags) {
    Window_WinOS& window = GetWindow();
    if (window.IsSuspended()) return;
    if ((flags & kResetDevice) && (resetFailures_ == 0 || TickPassed(GetTickCount(), nextResetTime_))) {
        Log().PrintMessage("\nReseting Direct3D device:");
        // Nothing may use the device between its release and a successful re-creation.
        ready_ = false;
        if (texturesLost_) {
            for (Texture2D* texture : textures_) texture->ReleaseSurface();
        }
        Log().PrintMessage(kSeparator);
        ReleaseDirect3D();
        Log().PrintMessage(kSeparator);
        FreeDeviceLists();
        if (EnumerateAdapters() && ChooseDevice() && ChooseVideoMode() && CreateDirect3D(false)) {
            Log().PrintMessage(kSeparator);
            ResizeStageStates();
            Log().PrintMessage(" ");
            Log().PrintMessage(" ");
        }
        CountResetAttempt(window);
    }
    if (ready_) RenderSystem::ResetDevice(flags);
}

void RenderSystem_D3D7::CountResetAttempt(Window_WinOS& window) {
    if (ready_) {
        resetFailures_ = 0;
        recoverPending_ = false;
    } else if (resetFailures_ >= kResetFailuresBeforeMinimise) {
        window.Minimize();
        recoverPending_ = false;
    } else {
        ++resetFailures_;
        nextResetTime_ = GetTickCount() + kResetRetryMilliseconds;
        // The per-frame pass tries again, as after a lost device (unless minimised: the
        // framework resets once the window is back).
        recoverPending_ = !window.IsMinimized();
    }
}

void RenderSystem_D3D7::RegisterTexture(Texture2D* texture) { textures_.push_back(texture); }

void RenderSystem_D3D7::UnregisterTexture(Texture2D* texture) {
    auto found = std::find(textures_.begin(), textures_.end(), texture);
    if (found == textures_.end()) {
        Log().PrintError("RenderSystem_D3D7: Failed to remove texture \"" + texture->key + "\"");
        return;
    }
    textures_.erase(found);
}

void RenderSystem_D3D7::CheckResult(const char* context, HRESULT result) const {
    if (result >= 0) return;
    const char* description = DescribeDirectDrawResult(result);
    std::string text = description ? description : "Unknown error (Code: " + std::to_string(result) + ")";
    Log().PrintError("Direct3D Subsystem (" + std::string(context) + "): " + text);
}

VertexBuffer* RenderSystem_D3D7::CreateVertexBuffer(std::int32_t kind, std::int32_t hasColours,
                                                    std::uint32_t vertexCount) {
    return new VertexBuffer_D3D7(kind, hasColours, vertexCount);
}

VertexBuffer* RenderSystem_D3D7::CreateVertexBufferConverted(std::int32_t kind, std::int32_t hasColours,
                                                             const VertexBuffer& source) {
    return new VertexBuffer_D3D7(kind, hasColours, source);
}

VertexBuffer* RenderSystem_D3D7::CopyVertexBuffer(const VertexBuffer& source) { return new VertexBuffer_D3D7(source); }

IndexBuffer* RenderSystem_D3D7::CreateIndexBuffer(std::int32_t kind, std::uint32_t indexCount) {
    return new IndexBuffer_D3D7(kind, indexCount);
}

IndexBuffer* RenderSystem_D3D7::CreateIndexBufferConverted(std::int32_t kind, const IndexBuffer& source) {
    return new IndexBuffer_D3D7(kind, source);
}

IndexBuffer* RenderSystem_D3D7::CopyIndexBuffer(const IndexBuffer& source) { return new IndexBuffer_D3D7(source); }

Texture2D* RenderSystem_D3D7::CreateTextureFromImages(const std::string& key, Image* colour, Image* alpha,
                                                      bool mipMaps, bool lazy) {
    return new Texture2D_D3D7(key, colour, alpha, mipMaps, lazy);
}

Texture2D* RenderSystem_D3D7::CreateTextureFromFiles(const std::string& key, const std::wstring& colourFile,
                                                     const std::wstring& alphaFile, bool mipMaps, bool lazy) {
    return new Texture2D_D3D7(key, colourFile, alphaFile, mipMaps, lazy);
}

DeviceInfo_D3D7* RenderSystem_D3D7::GetChosenDeviceD3D7() const {
    return static_cast<DeviceInfo_D3D7*>(GetChosenDevice());
}

ModeInfo_D3D7* RenderSystem_D3D7::GetChosenModeD3D7() const { return static_cast<ModeInfo_D3D7*>(GetChosenMode()); }

}  // namespace Vantor
