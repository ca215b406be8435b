#pragma once
// The renderer-neutral layer between the scene code and the graphics device. It keeps
// the records of the display adapters, their devices and display modes; a cache of
// every render state the scene sets, which reaches the device (through the virtual
// Update operations) only when a value really changed or while the force flag is set;
// the device's lifecycle flags; and the recovery from a lost device once per frame.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/ConfigValues.h"
#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Vector4.h"
#include "engine/render/AdapterInfo.h"

namespace Vantor {

class Camera;
class Image;
class IndexBuffer;
class Light;
class Texture2D;
class VertexBuffer;

enum class BlendFactor : std::int32_t {
    Zero = 0,
    One = 1,
    DestColour = 2,
    InvDestColour = 3,
    SrcAlpha = 4,
    InvSrcAlpha = 5,
    DestAlpha = 6,
    InvDestAlpha = 7,
    SrcAlphaSat = 8,
    SrcColour = 9,
    InvSrcColour = 10,
};

enum class TextureFilter : std::int32_t {
    Point = 0,
    Linear = 1,
    MipMapped = 2,  // linear or anisotropic, by "r_texture_anisotropy"
};

enum class CullMode : std::int32_t {
    None = 0,
    Clockwise = 1,
    CounterClockwise = 2,
};

// DrawIndexedPrimitive's primitive types.
enum class PrimitiveType : std::int32_t {
    TriangleList = 0,
    TriangleStrip = 1,
};

class RenderSystem : public GlobalPointerHolder<RenderSystem> {
public:
    // Stage i's texture matrix: scale U, scale V, offset U, offset V.
    using TextureMatrix = std::array<float, 4>;
    // ResetDevice flags.
    static constexpr std::int32_t kResetDevice = 1;
    static constexpr std::int32_t kTexturesRecreated = 2;

    // Takes the configuration's storage of the engine's variables (Config must exist).
    // Sends nothing to any device.
    RenderSystem(bool stencilBufferWanted, bool exactVideoMode);
    virtual ~RenderSystem();
    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    // Once per frame, before drawing: clamps "r_texture_anisotropy" to the device and
    // applies it to every stage, and retries the reset of a lost device.
    virtual void Update();
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void SwapBuffers() {}
    // Sets reset pending when "v_mode" or "v_fullscreen" no longer match the device.
    virtual void CheckVideoMode();
    // The bookkeeping after a successful reset: kResetDevice clears reset pending and
    // sets ready, kTexturesRecreated clears textures lost.
    virtual void ResetDevice(std::int32_t flags);
    virtual void DrawIndexedPrimitive(PrimitiveType /*type*/, IndexBuffer* /*indices*/,
                                      VertexBuffer* /*vertices*/, std::int32_t /*primitiveCount*/) {}

    // Factories: the caller owns what they return.
    // Kind 0 is a perspective camera, any other an orthographic one.
    virtual Camera* CreateCamera(std::int32_t projectionKind) = 0;
    virtual VertexBuffer* CreateVertexBuffer(std::int32_t kind, std::int32_t hasColours,
                                             std::uint32_t vertexCount) = 0;
    virtual VertexBuffer* CreateVertexBufferConverted(std::int32_t kind, std::int32_t hasColours,
                                                      const VertexBuffer& source) = 0;
    virtual VertexBuffer* CopyVertexBuffer(const VertexBuffer& source) = 0;
    virtual IndexBuffer* CreateIndexBuffer(std::int32_t kind, std::uint32_t indexCount) = 0;
    virtual IndexBuffer* CreateIndexBufferConverted(std::int32_t kind, const IndexBuffer& source) = 0;
    virtual IndexBuffer* CopyIndexBuffer(const IndexBuffer& source) = 0;
    // A texture of the two images, which it takes over (the alpha image may be null).
    virtual Texture2D* CreateTextureFromImages(const std::string& key, Image* colour, Image* alpha, bool mipMaps,
                                               bool lazy) = 0;
    // A texture of the picture files (an empty alpha file means none).
    virtual Texture2D* CreateTextureFromFiles(const std::string& key, const std::wstring& colourFile,
                                              const std::wstring& alphaFile, bool mipMaps, bool lazy) = 0;
    // The device light of that index.
    virtual Light* CreateLight(std::int32_t index) = 0;
    // The picture last drawn into the back buffer, at the display mode's size (white when
    // it cannot be read), cut to the play area in full screen on a wide or tall desktop.
    virtual void CaptureScreen(Image& image) = 0;

    // Sizes the per-stage states to the device's stage count, sets ready and sends the
    // defaults.
    virtual void ResizeStageStates();
    // Sends every cached state, forced, with its default value.
    virtual void SetDefaultStates();
    virtual void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                             const Color& emissive, float power) = 0;

    // Each sends its cached value to the device.
    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(std::int32_t stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(std::int32_t stage) = 0;
    virtual void UpdateTextureFilter(std::int32_t stage) = 0;
    virtual void UpdateTextureAdressU(std::int32_t stage) = 0;
    virtual void UpdateTextureAdressV(std::int32_t stage) = 0;
    virtual void UpdateTextureMatrix(std::int32_t stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    // The setters: the only way scene code changes a state. Each stores the value and
    // sends it only when it changed (matrices and texture matrices by more than 0.0001
    // in some element, colours by 0.0001 or more in some component) or while forced.
    // Stages are below the stage count.
    void SetWorldMatrix(const Matrix4& matrix);
    void SetViewMatrix(const Matrix4& matrix);
    void SetAmbientColor(const Color& colour);
    void SetAlphaBlend(bool enabled);
    void SetBlend(BlendFactor source, BlendFactor destination);
    void SetTexture(std::int32_t stage, Texture2D* texture);
    void SetMaxTextureAnisotropy(std::int32_t stage, std::int32_t anisotropy);
    void SetTextureFilter(std::int32_t stage, TextureFilter filter);
    void SetTextureAdressU(std::int32_t stage, std::int32_t address);
    void SetTextureAdressV(std::int32_t stage, std::int32_t address);
    void SetTextureMatrix(std::int32_t stage, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(CullMode mode);
    void SetLighting(bool enabled);
    void SetNormalizeNormals(bool enabled);
    void SetZ(bool enabled);
    void SetZWrite(bool enabled);
    void SetStencil(bool enabled);

    // Deletes every mode, device and adapter record; no adapter is chosen and no texture
    // format is supported afterwards.
    void FreeDeviceLists();

    bool IsReady() const { return ready_; }
    bool IsResetPending() const { return resetPending_; }
    bool IsRecoverPending() const { return recoverPending_; }
    bool AreTexturesLost() const { return texturesLost_; }
    bool IsStencilPresent() const { return stencilPresent_; }
    std::uint32_t GetTextureStageCount() const { return textureStageCount_; }
    std::uint32_t GetMaxTextureWidth() const { return maxTextureWidth_; }
    std::uint32_t GetMaxTextureHeight() const { return maxTextureHeight_; }
    std::uint32_t GetMaxAnisotropy() const { return maxAnisotropy_; }
    // Bit n set: the device takes TextureFormat n.
    std::uint32_t GetSupportedTextureFormats() const { return supportedTextureFormats_; }
    std::uint32_t GetResetFailures() const { return resetFailures_; }
    const std::vector<AdapterInfo*>& GetAdapters() const { return adapters_; }
    AdapterInfo* GetChosenAdapter() const { return chosenAdapter_; }
    // The chosen adapter's chosen device and its chosen mode, or null.
    DeviceInfo* GetChosenDevice() const;
    ModeInfo* GetChosenMode() const;

    // The cached states.
    const Matrix4& GetProjectionMatrix() const { return projection_; }
    const Matrix4& GetViewMatrix() const { return view_; }
    const Matrix4& GetWorldMatrix() const { return world_; }
    const Color& GetAmbientColor() const { return ambient_; }
    bool GetAlphaBlend() const { return alphaBlend_; }
    BlendFactor GetSourceBlend() const { return sourceBlend_; }
    BlendFactor GetDestinationBlend() const { return destinationBlend_; }
    Texture2D* GetTexture(std::int32_t stage) const { return stageTextures_[stage]; }
    std::int32_t GetMaxTextureAnisotropy(std::int32_t stage) const { return stageAnisotropy_[stage]; }
    TextureFilter GetTextureFilter(std::int32_t stage) const { return stageFilters_[stage]; }
    std::int32_t GetTextureAdressU(std::int32_t stage) const { return stageAddressU_[stage]; }
    std::int32_t GetTextureAdressV(std::int32_t stage) const { return stageAddressV_[stage]; }
    const TextureMatrix& GetTextureMatrix(std::int32_t stage) const { return stageTextureMatrices_[stage]; }
    CullMode GetCullMode() const { return cullMode_; }
    bool GetLighting() const { return lighting_; }
    bool GetNormalizeNormals() const { return normalizeNormals_; }
    bool GetZ() const { return zTest_; }
    bool GetZWrite() const { return zWrite_; }
    bool GetStencil() const { return stencilTest_; }

protected:
    ConfigValues* configValues_;
    std::vector<AdapterInfo*> adapters_;  // owned
    AdapterInfo* chosenAdapter_ = nullptr;
    bool stencilBufferWanted_;
    bool stencilPresent_ = false;
    bool exactVideoMode_;
    std::uint32_t clearFlags_ = 3;  // bit 0 colour, bit 1 depth
    Color clearColour_{0.0f, 0.0f, 0.0f, 1.0f};
    std::uint32_t maxTextureWidth_ = 0;
    std::uint32_t maxTextureHeight_ = 0;
    std::uint32_t textureStageCount_ = 0;
    std::uint32_t maxAnisotropy_ = 0;
    std::uint32_t supportedTextureFormats_ = 0;
    bool ready_ = false;
    bool resetPending_ = false;
    bool texturesLost_ = false;
    bool force_ = false;

    Matrix4 projection_;
    Matrix4 view_;
    Matrix4 world_;
    Color ambient_;
    bool alphaBlend_ = false;
    BlendFactor sourceBlend_ = BlendFactor::Zero;
    BlendFactor destinationBlend_ = BlendFactor::Zero;
    std::vector<Texture2D*> stageTextures_;  // not owned
    std::vector<std::int32_t> stageAnisotropy_;
    std::vector<TextureFilter> stageFilters_;
    std::vector<std::int32_t> stageAddressU_;  // 0 clamp, anything else wrap
    std::vector<std::int32_t> stageAddressV_;
    std::vector<TextureMatrix> stageTextureMatrices_;
    CullMode cullMode_ = CullMode::None;
    bool lighting_ = false;
    bool normalizeNormals_ = false;
    bool zTest_ = false;
    bool zWrite_ = false;
    bool stencilTest_ = false;

    // Set after a device failure unless the window was minimised then; the per-frame
    // pass retries the reset only while it is set.
    bool recoverPending_ = false;
    // Consecutive failed resets, and the tick count before which none is retried.
    std::uint32_t resetFailures_ = 0;
    std::uint32_t nextResetTime_ = 0;
};

}  // namespace Vantor
