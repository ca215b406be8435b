// The scene bracket with its clear, indexed drawing from the system-memory buffers,
// presentation, and the factories of the cameras and lights. A failed bracket, draw or
// presentation loses the device: nothing more is drawn until a reset succeeds.

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/d3d7/Camera_D3D7.h"
#include "engine/render/d3d7/DeviceValues.h"
#include "engine/render/d3d7/Light_D3D7.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

// The vertex layouts the device reads: position, normal, (colour,) one texture coordinate.
constexpr DWORD kPlainVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr DWORD kColouredVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

constexpr const char* kDrawContext = "RenderSystem_D3D7::DrawIndexedPrimitive";

}  // namespace

bool RenderSystem_D3D7::CanDraw() const { return directDraw_ && device_ && ready_; }

void RenderSystem_D3D7::LoseDevice() {
    ready_ = false;
    recoverPending_ = !GetWindow().IsMinimized();
    resetPending_ = true;
    texturesLost_ = true;
}

void RenderSystem_D3D7::BeginScene() {
    if (!CanDraw()) return;
    if (clearFlags_ != 0) {
        DWORD flags = 0;
        if (clearFlags_ & 1) flags |= D3DCLEAR_TARGET;
        // A device without Z buffer refuses a depth clear, and with it the colour clear.
        if ((clearFlags_ & 2) && zBuffer_) flags |= D3DCLEAR_ZBUFFER;
        if (stencilPresent_) flags |= D3DCLEAR_STENCIL;
        CheckResult("RenderSystem_D3D7::BeginScene",
                    device_->Clear(0, nullptr, flags, PackDeviceColour(clearColour_), 1.0f, 0));
    }
    HRESULT result = device_->BeginScene();
    CheckResult("RenderSystem_D3D7::BeginScene", result);
    if (FAILED(result)) LoseDevice();
}

void RenderSystem_D3D7::EndScene() {
    if (!CanDraw()) return;
    HRESULT result = device_->EndScene();
    CheckResult("RenderSystem_D3D7::EndScene", result);
    if (FAILED(result)) LoseDevice();
}

void RenderSystem_D3D7::DrawIndexedPrimitive(PrimitiveType type, IndexBuffer* indices, VertexBuffer* vertices,
                                             std::int32_t primitiveCount) {
    if (!CanDraw() || !indices || !vertices || primitiveCount < 1) return;
    vertices->Restore();
    indices->Restore();

    const bool strip = type == PrimitiveType::TriangleStrip;
    const std::uint64_t indexCount =
        strip ? static_cast<std::uint64_t>(primitiveCount) + 2 : static_cast<std::uint64_t>(primitiveCount) * 3;
    // One past the highest index in use.
    const std::uint64_t vertexCount = std::uint64_t{indices->GetMinIndex()} + indices->GetIndexRange();
    if (indexCount > indices->GetCount() || vertexCount > vertices->GetVertexCount()) {
        MessageManager::Instance()->PrintError(
            std::string(kDrawContext) + ": " + std::to_string(indexCount) + " indices into " +
            std::to_string(vertexCount) + " vertices exceed the buffers (" + std::to_string(indices->GetCount()) +
            " indices, " + std::to_string(vertices->GetVertexCount()) + " vertices)");
        return;
    }

    // The device reads 16-bit indices: a wide buffer is narrowed when its indices fit.
    WORD* deviceIndices = reinterpret_cast<WORD*>(const_cast<std::uint8_t*>(indices->GetData()));
    std::vector<WORD> narrowed;
    if (indices->IsWide()) {
        if (vertexCount > std::numeric_limits<WORD>::max() + std::uint64_t{1}) {
            MessageManager::Instance()->PrintError(std::string(kDrawContext) + ": indices beyond 65535 cannot be drawn");
            return;
        }
        const auto* wide = reinterpret_cast<const std::uint32_t*>(indices->GetData());
        narrowed.assign(wide, wide + indexCount);
        deviceIndices = narrowed.data();
    }

    HRESULT result = device_->DrawIndexedPrimitive(
        strip ? D3DPT_TRIANGLESTRIP : D3DPT_TRIANGLELIST,
        vertices->HasColours() ? kColouredVertexFormat : kPlainVertexFormat,
        const_cast<std::uint8_t*>(vertices->GetData()), static_cast<DWORD>(vertexCount), deviceIndices,
        static_cast<DWORD>(indexCount), 0);
    CheckResult(kDrawContext, result);
    if (FAILED(result)) LoseDevice();
}

void RenderSystem_D3D7::SwapBuffers() {
    if (!CanDraw()) return;
    Window_WinOS& window = GetWindow();
    HRESULT result;
    if (window.IsFullScreen()) {
        result = primary_->Flip(nullptr, DDFLIP_WAIT | (configValues_->vsync ? 0 : DDFLIP_NOVSYNC));
    } else {
        const HWND handle = window.GetWindowHandle();
        RECT client{};
        GetClientRect(handle, &client);
        POINT topLeft{client.left, client.top};
        POINT bottomRight{client.right, client.bottom};
        ClientToScreen(handle, &topLeft);
        ClientToScreen(handle, &bottomRight);
        RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        if (configValues_->vsync) directDraw_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        result = primary_->Blt(&screen, backBuffer_, nullptr, DDBLT_WAIT, nullptr);
    }
    CheckResult("RenderSystem_D3D7::SwapBuffers", result);
    if (FAILED(result)) LoseDevice();
}

Camera* RenderSystem_D3D7::CreateCamera(std::int32_t projectionKind) { return new Camera_D3D7(projectionKind); }

Light* RenderSystem_D3D7::CreateLight(std::int32_t index) { return new Light_D3D7(index); }

}  // namespace Vantor
