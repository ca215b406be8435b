#pragma once
// Inside the platform layer, sdl backend: the Direct3D 7 device over OpenGL's
// fixed-function pipeline. Every call first runs the headless device's validation and
// record; what the device accepted then reaches OpenGL:
//   - D3D matrices (row vectors, row-major) load unchanged; the projection gets the
//     depth range 0..1 moved to -1..1 and D3D's pixel centres (half a pixel off
//     OpenGL's); the viewport's y is measured from the bottom;
//   - render states, lights and the material are kept as Direct3D states and applied
//     before the next draw or clear (ambient black, lighting on, as a new D3D device);
//   - texture stages become texture units combining as their stage states say, with one
//     sampler object per stage for filtering and addressing; a stage without texture
//     passes its input on;
//   - indexed primitives are drawn from the caller's memory: position, normal, packed
//     colour (read as blue, green, red, alpha bytes) and texture coordinates.

#include <array>

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
    static constexpr unsigned kUnknown = ~0u;

    // State groups that are applied together.
    enum Group : unsigned {
        kViewport = 1,
        kTransforms = 2,
        kLightSources = 4,
        kLighting = 8,
        kBlend = 16,
        kDepth = 32,
        kStencil = 64,
        kCull = 128,
        kAll = 255,
    };

    struct Light {
        D3DLIGHT7 light{};
        bool set = false;
        bool enabled = false;
    };

    // Makes the context current, binds the render target and applies the changed state
    // groups; false when nothing can be drawn now.
    bool Prepare();
    void ApplyViewport();
    void ApplyTransforms();
    void ApplyLightSources();
    void ApplyLighting();
    void ApplyColourMaterial(bool vertexColours);
    void ApplyBlend();
    void ApplyDepth();
    void ApplyStencil();
    void ApplyCull();
    // Binds, enables and configures a texture unit; true when it samples a texture.
    bool ApplyStage(unsigned stage);
    void ApplyCombiner(unsigned stage);
    void ApplyTextureMatrix(unsigned stage);
    void ApplySampler(unsigned stage);
    bool StageSamples(unsigned stage) const;
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
    std::array<unsigned, kStages> unitSampling_{};  // 1 or 0 as applied, kUnknown before
    GLenum colourMaterial_ = 0;                       // the colour-material mode on, 0 when off
};

}  // namespace platform::ddraw
