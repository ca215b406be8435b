#pragma once
// The render system over DirectDraw 7 and Direct3D 7. It lists the display adapters,
// their hardware devices and display modes; chooses a device and a display mode from
// "v_mode" and "v_fullscreen"; creates DirectDraw, the screen surfaces, the Z buffer
// and the device; resets them after a loss or a change of display mode; sends the
// cached render states to the device; and keeps the registry of live device textures,
// whose surfaces a reset releases. Every failed DirectDraw or Direct3D call is logged
// through CheckResult.

#include <cstdint>
#include <vector>

#include "engine/render/RenderSystem.h"
#include "platform/Direct3D.h"

namespace Vantor {

struct AdapterInfo_D3D7;
struct DeviceInfo_D3D7;
struct ModeInfo_D3D7;
class Window_WinOS;

class RenderSystem_D3D7 : public RenderSystem {
public:
    // Enumerates, chooses and creates the device, then sends the default states. Fails
    // fatally (FatalError) when no device or display mode can be had.
    RenderSystem_D3D7(bool stencilBufferWanted, bool exactVideoMode);
    ~RenderSystem_D3D7() override;

    // While DirectDraw exists and the device is ready: the scene bracket (the clear, then
    // the device's), indexed drawing and presentation (a flip in full screen, a blit into
    // the window's client area otherwise). A failed call loses the device: not ready,
    // reset pending, textures lost, and recover pending unless the window is minimised.
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    // Draws from the first vertex and index; a draw that would read past either buffer
    // is refused with a logged error.
    void DrawIndexedPrimitive(PrimitiveType type, IndexBuffer* indices, VertexBuffer* vertices,
                              std::int32_t primitiveCount) override;
    // Also marks the device textures lost: a mode change re-creates them.
    void CheckVideoMode() override;
    // With kResetDevice: releases everything and enumerates, chooses and creates again;
    // failed attempts are spaced 3000 ms apart, and the sixteenth failure in a row
    // minimises the window. Nothing happens while the window is suspended.
    void ResetDevice(std::int32_t flags) override;

    Camera* CreateCamera(std::int32_t projectionKind) override;
    VertexBuffer* CreateVertexBuffer(std::int32_t kind, std::int32_t hasColours, std::uint32_t vertexCount) override;
    VertexBuffer* CreateVertexBufferConverted(std::int32_t kind, std::int32_t hasColours,
                                              const VertexBuffer& source) override;
    VertexBuffer* CopyVertexBuffer(const VertexBuffer& source) override;
    IndexBuffer* CreateIndexBuffer(std::int32_t kind, std::uint32_t indexCount) override;
    IndexBuffer* CreateIndexBufferConverted(std::int32_t kind, const IndexBuffer& source) override;
    IndexBuffer* CopyIndexBuffer(const IndexBuffer& source) override;
    // New Texture2D_D3D7 objects.
    Texture2D* CreateTextureFromImages(const std::string& key, Image* colour, Image* alpha, bool mipMaps,
                                       bool lazy) override;
    Texture2D* CreateTextureFromFiles(const std::string& key, const std::wstring& colourFile,
                                      const std::wstring& alphaFile, bool mipMaps, bool lazy) override;
    Light* CreateLight(std::int32_t index) override;
    void CaptureScreen(Image& image) override;
    // In full screen on a wide or tall desktop, cuts the middle of the picture (a little
    // more than its 4:3 part) and scales it back to the picture's size; else nothing.
    void CropToPlayArea(Image& image);

    // The base defaults, then the device's own texture-stage, material-source, depth
    // and (with a stencil buffer) stencil states.
    void SetDefaultStates() override;
    void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                     float power) override;

    // Without a device none of these makes a call.
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(std::int32_t stage) override;
    void UpdateMaxTextureAnisotropy(std::int32_t stage) override;
    void UpdateTextureFilter(std::int32_t stage) override;
    void UpdateTextureAdressU(std::int32_t stage) override;
    void UpdateTextureAdressV(std::int32_t stage) override;
    void UpdateTextureMatrix(std::int32_t stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

    // Enumerates, chooses and creates; a failure is fatal.
    void InitDirect3D(bool logCapabilities);
    // Fills the adapter list; true when its first adapter has a device.
    bool EnumerateAdapters();
    // The usable adapter's transform-and-lighting device, else its last other device.
    bool ChooseDevice();
    // The chosen device's display mode for "v_mode" and "v_fullscreen", falling back to
    // the default mode, then to 640x480x16.
    bool ChooseVideoMode();
    // Creates DirectDraw, the surfaces, the device and its Z buffer in the chosen mode
    // and reads the device's capabilities; on failure releases what it made.
    bool CreateDirect3D(bool logCapabilities);
    // Releases the device, the surfaces, Direct3D and DirectDraw; a device or DirectDraw
    // object that stays referenced is fatal.
    void ReleaseDirect3D();

    // The live device textures, in creation order (not owned).
    void RegisterTexture(Texture2D* texture);
    void UnregisterTexture(Texture2D* texture);
    const std::vector<Texture2D*>& GetTextures() const { return textures_; }

    // Logs a failed result as "Direct3D Subsystem (context): description"; success
    // results log nothing.
    void CheckResult(const char* context, HRESULT result) const;

    // The fields holding the current interfaces: objects that must follow a reset keep
    // these addresses.
    IDirectDraw7* const* GetDirectDrawSlot() const { return &directDraw_; }
    IDirect3DDevice7* const* GetDeviceSlot() const { return &device_; }
    DeviceInfo_D3D7* GetChosenDeviceD3D7() const;
    ModeInfo_D3D7* GetChosenModeD3D7() const;

private:
    struct ZBufferSearch;

    // Frames the steps of a reset and the capabilities in the log.
    static constexpr const char* kSeparator = "........................................................";

    // The engine's window, which this render system draws into.
    static Window_WinOS& GetWindow();

    static BOOL AddAdapter(GUID* driver, LPSTR description, LPSTR name, LPVOID context, HMONITOR monitor);
    static HRESULT AddDisplayMode(LPDDSURFACEDESC2 mode, LPVOID context);
    static HRESULT AddDevice(LPSTR description, LPSTR name, LPD3DDEVICEDESC7 desc, LPVOID context);
    static HRESULT MatchZBufferFormat(LPDDPIXELFORMAT format, LPVOID context);
    static HRESULT AddTextureFormat(LPDDPIXELFORMAT format, LPVOID context);

    // Reads one driver's capabilities, desktop mode, display modes and devices.
    void ReadAdapter(IDirectDraw7* directDraw, IDirect3D7* direct3D, GUID* driver, const char* description);
    // The primary surface and the back buffer (with a clipper in a window); false with
    // the failure's message set.
    bool CreateScreenBuffers(const ModeInfo_D3D7& mode, bool fullscreen, const char*& failure);
    // The Z buffer; false with the failure's message set.
    bool CreateZBuffer(const DeviceInfo_D3D7& device, const char*& failure);
    void ReadCapabilities(const DeviceInfo_D3D7& device, bool logCapabilities);
    // Bookkeeping after a reset attempt.
    void CountResetAttempt(Window_WinOS& window);
    // DirectDraw and the device exist and are ready.
    bool CanDraw() const;
    // A drawing call failed: drawing stops until a reset.
    void LoseDevice();
    // Copies the back buffer into the formatted image; false when it cannot be read.
    bool CopyBackBuffer(Image& image);
    void SetDeviceTextureStageState(std::int32_t stage, D3DTEXTURESTAGESTATETYPE state, DWORD value,
                                    const char* context);
    void SetDeviceRenderState(D3DRENDERSTATETYPE state, DWORD value, const char* context);

    IDirectDraw7* directDraw_ = nullptr;
    IDirect3D7* direct3D_ = nullptr;
    IDirect3DDevice7* device_ = nullptr;
    IDirectDrawSurface7* zBuffer_ = nullptr;
    IDirectDrawSurface7* primary_ = nullptr;
    IDirectDrawSurface7* backBuffer_ = nullptr;
    DDSURFACEDESC2 backBufferDesc_{};
    std::vector<Texture2D*> textures_;
};

}  // namespace Vantor
