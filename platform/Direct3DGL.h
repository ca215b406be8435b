#pragma once
// Inside the platform layer, sdl backend: the Direct3D 7 device over OpenGL's
// fixed-function pipeline. Every call first runs the headless device's validation; what
// the device accepted then reaches OpenGL:
//   - D3D matrices (row vectors, row-major) load unchanged; the projection gets the
//     depth range 0..1 moved to -1..1 and D3D's pixel centres (half a pixel off
//     OpenGL's). Pictures are kept top row first, as in surface memory (see GLSurface),
//     so the projection also turns y over and the viewport is placed as it is given;
//   - render states, lights and the material are kept as Direct3D states and applied
//     before the next draw or clear (ambient black, lighting on, as a new D3D device);
//   - texture stages become texture units combining as their stage states say, with one
//     sampler object per stage for filtering and addressing; a stage without texture
//     passes its input on;
//   - indexed primitives are drawn from the caller's memory (a small draw from the
//     device's copy of it): position, normal, packed colour (read as blue, green, red,
//     alpha bytes) and texture coordinates.
// OpenGL state is set only where it differs from what this device last set, so a run of
// draws that changes only the world matrix costs one matrix and one draw call each.

#include <array>
#include <optional>

#include "platform/Direct3DHeadless.h"
#include "platform/DirectDrawGL.h"

namespace platform::ddraw {

class GLDirect3D : public HeadlessDirect3D {
public:
    explicit GLDirect3D(GLDirectDraw& owner);

    // Refused with DDERR_NO3D while no OpenGL context can be had (no window yet).
    HRESULT CreateDevice(REFGUID deviceGuid, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** device) override;

protected:
    HeadlessDevice* NewDevice(const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget) override;

private:
    GLDirectDraw& glOwner_;
};

class GLDevice : public HeadlessDevice {
public:
    GLDevice(GLDirect3D& owner, const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget, GLContext& context);

    HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) override;
    HRESULT SetViewport(LPD3DVIEWPORT7 viewport) override;
    HRESULT SetMaterial(LPD3DMATERIAL7 material) override;
    HRESULT SetLight(DWORD index, LPD3DLIGHT7 light) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices, DWORD vertexCount,
                                 WORD* indices, DWORD indexCount, DWORD flags) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;

protected:
    ~GLDevice() override;
    void ClearAreas(const std::vector<RECT>& areas, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    // Transformed (screen-space) vertices are not drawn.
    bool DrawsVertexFormat(DWORD format) const override;

private:
    static constexpr unsigned kStages = D3DDP_MAXTEXCOORD;
    static constexpr unsigned kLights = 8;  // what the fixed-function pipeline offers

    // State groups that are applied together.
    enum Group : unsigned {
        kViewport = 1,
        kProjection = 2,
        kModelView = 4,
        kLightSources = 8,
        kLighting = 16,
        kBlend = 32,
        kDepth = 64,
        kStencil = 128,
        kCull = 256,
        kAll = 511,
    };

    struct Light {
        D3DLIGHT7 light{};
        bool set = false;
        bool enabled = false;
    };

    // Where a client array was last pointed.
    struct ArrayPointer {
        const void* data = nullptr;
        GLsizei stride = 0;
        bool operator==(const ArrayPointer&) const = default;
    };

    // OpenGL state outside the groups as this device last set it; empty where unknown
    // (before the first draw, and whenever another device used the context meanwhile).
    struct AppliedState {
        std::optional<GLenum> matrixMode;
        std::optional<unsigned> clientUnit;
        std::optional<bool> normalArray, colourArray;
        std::array<std::optional<bool>, kStages> coordinateArrays;
        std::array<std::optional<bool>, kStages> unitSampling;
        ArrayPointer vertexPointer, normalPointer, colourPointer;
        std::array<ArrayPointer, kStages> coordinatePointers;
        // The current colour is opaque white, the current normal zero: set by this device
        // and not undone since by a draw from an array of them.
        bool whiteColour = false;
        bool zeroNormal = false;
    };

    // Makes the context current, binds the render target and applies the changed state
    // groups; false when nothing can be drawn now.
    bool Prepare();
    void ApplyViewport();
    void ApplyProjection();
    void ApplyModelView();
    void ApplyLightSources();
    void ApplyLighting();
    void ApplyColourMaterial(bool vertexColours);
    void ApplyBlend();
    void ApplyDepth();
    void ApplyStencil();
    void ApplyCull();
    // Points the client arrays at the vertices and enables those the draw reads.
    void ApplyArrays(DWORD vertexFormat, const void* vertices, DWORD vertexCount);
    void SwitchArray(GLenum array, std::optional<bool>& applied, bool on);
    void ClientUnit(unsigned unit);
    void MatrixMode(GLenum mode);
    // Binds, enables and configures a texture unit; true when it samples a texture,
    // which it does when its stage is reached and has one.
    bool ApplyStage(unsigned stage, bool reached);
    void ApplyCombiner(unsigned stage);
    void ApplyTextureMatrix(unsigned stage);
    void ApplySampler(unsigned stage);
    DWORD State(D3DRENDERSTATETYPE state) const { return renderStates_[state]; }
    DWORD StageState(unsigned stage, D3DTEXTURESTAGESTATETYPE state) const { return stageStates_[stage][state]; }

    GLContext& context_;
    std::array<DWORD, 256> renderStates_{};
    std::array<std::array<DWORD, D3DTSS_TEXTURETRANSFORMFLAGS + 1>, kStages> stageStates_{};
    D3DMATRIX world_{}, view_{}, projection_{};
    std::array<D3DMATRIX, kStages> textureMatrices_{};
    D3DMATERIAL7 material_{};
    std::array<Light, kLights> lights_{};
    std::array<GLuint, kStages> samplers_{};
    unsigned dirty_ = kAll;
    std::array<bool, kStages> stageDirty_{};
    AppliedState applied_;
    alignas(16) std::array<BYTE, 2048> stagedVertices_{};  // see ApplyArrays
    GLenum colourMaterial_ = 0;  // the colour-material mode on, 0 when off
};

}  // namespace platform::ddraw
