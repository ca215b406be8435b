// The scene bracket, indexed drawing and presentation on the headless device, and the
// lost device that a failure of any of them leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using Vantor::IndexBuffer;
using Vantor::PrimitiveType;
using Vantor::RenderSystem_D3D7;
using Vantor::VertexBuffer;

class DrawingTest : public d3d7test::RenderSystemTest {
protected:
    // A buffer of `count` vertices, with or without colours.
    std::unique_ptr<VertexBuffer> Vertices(std::uint32_t count, bool coloured) {
        return std::unique_ptr<VertexBuffer>(renderSystem_->CreateVertexBuffer(0, coloured ? 1 : 0, count));
    }
    // A buffer of the indices (with that capacity when it is larger).
    std::unique_ptr<IndexBuffer> Indices(const std::vector<std::int32_t>& values, std::uint32_t capacity = 0) {
        const auto count = static_cast<std::uint32_t>(values.size());
        std::unique_ptr<IndexBuffer> buffer(renderSystem_->CreateIndexBuffer(0, std::max(capacity, count)));
        buffer->SetIndices(0, count, values.data());
        buffer->SetCount(count);
        return buffer;
    }

    static std::vector<std::int32_t> Range(std::int32_t first, std::int32_t count) {
        std::vector<std::int32_t> values;
        for (std::int32_t i = 0; i < count; ++i) values.push_back(first + i);
        return values;
    }

    // Calls of the four operations that a loss stops.
    std::size_t DrawingCalls() const {
        std::size_t count = 0;
        for (const char* name : {"IDirect3DDevice7::Clear", "IDirect3DDevice7::BeginScene",
                                 "IDirect3DDevice7::DrawIndexedPrimitive", "IDirect3DDevice7::EndScene",
                                 "IDirectDrawSurface7::Flip", "IDirectDrawSurface7::Blt",
                                 "IDirectDraw7::WaitForVerticalBlank"})
            count += Calls(name).size();
        return count;
    }
};

struct DrawCase {
    const char* name;
    PrimitiveType type;
    std::int32_t primitives;
    bool coloured;
    std::int32_t firstIndex;
    DWORD deviceType, format, vertexCount, indexCount;
};

TEST_F(DrawingTest, DrawsHandTheDeviceItsPrimitiveTypeFormatAndCounts) {
    const DrawCase cases[] = {
        {"strip of 4", PrimitiveType::TriangleStrip, 4, false, 0, D3DPT_TRIANGLESTRIP, 0x112, 12, 6},
        {"list of 4", PrimitiveType::TriangleList, 4, true, 0, D3DPT_TRIANGLELIST, 0x152, 12, 12},
        {"indices 10 to 19", PrimitiveType::TriangleList, 3, true, 10, D3DPT_TRIANGLELIST, 0x152, 20, 9},
    };
    Make();
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<VertexBuffer> vertices = Vertices(20, c.coloured);
        std::unique_ptr<IndexBuffer> indices = Indices(Range(c.firstIndex, c.firstIndex == 0 ? 12 : 10));
        renderSystem_->BeginScene();
        platform::seam::ClearDeviceCalls();
        renderSystem_->DrawIndexedPrimitive(c.type, indices.get(), vertices.get(), c.primitives);
        renderSystem_->EndScene();

        std::vector<platform::seam::DeviceCall> draws = Calls("IDirect3DDevice7::DrawIndexedPrimitive");
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].result, D3D_OK);
        EXPECT_EQ(draws[0].args, (std::vector<DWORD>{c.deviceType, c.format, c.vertexCount, c.indexCount, 0}));
        ASSERT_EQ(draws[0].indices.size(), c.indexCount);
        EXPECT_EQ(draws[0].indices[0], c.firstIndex);
        EXPECT_EQ(draws[0].vertices.size(), c.vertexCount * vertices->GetVertexSize());
    }
}

TEST_F(DrawingTest, WideIndicesReachTheDeviceAsSixteenBitOnes) {
    Make();
    std::unique_ptr<VertexBuffer> vertices = Vertices(8, false);
    std::unique_ptr<IndexBuffer> indices = Indices({7, 6, 5, 1, 2, 3}, 70000);
    ASSERT_TRUE(indices->IsWide());
    renderSystem_->BeginScene();
    renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, indices.get(), vertices.get(), 2);
    std::vector<platform::seam::DeviceCall> draws = Calls("IDirect3DDevice7::DrawIndexedPrimitive");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].indices, (std::vector<WORD>{7, 6, 5, 1, 2, 3}));
    EXPECT_EQ(draws[0].args[2], 8u);
}

TEST_F(DrawingTest, ADrawPastItsBuffersIsRefused) {
    Make();
    std::unique_ptr<VertexBuffer> vertices = Vertices(4, true);
    std::unique_ptr<IndexBuffer> indices = Indices({0, 1, 2, 2, 1, 3});
    std::unique_ptr<IndexBuffer> farIndices = Indices({0, 1, 4});
    renderSystem_->BeginScene();
    TakeErrors();

    renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, indices.get(), vertices.get(), 3);
    renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, farIndices.get(), vertices.get(), 1);
    renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, indices.get(), vertices.get(), 0);
    EXPECT_TRUE(Calls("IDirect3DDevice7::DrawIndexedPrimitive").empty());
    EXPECT_EQ(TakeErrors().size(), 2u);
    EXPECT_TRUE(renderSystem_->IsReady());

    renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, indices.get(), vertices.get(), 2);
    EXPECT_EQ(Calls("IDirect3DDevice7::DrawIndexedPrimitive").size(), 1u);
}

TEST_F(DrawingTest, TheSceneStartsWithAClearOfColourDepthAndStencil) {
    for (bool stencil : {false, true}) {
        SCOPED_TRACE(stencil ? "with stencil" : "without stencil");
        Make(stencil);
        ASSERT_EQ(renderSystem_->IsStencilPresent(), stencil);
        platform::seam::ClearDeviceCalls();
        renderSystem_->BeginScene();
        renderSystem_->EndScene();

        const platform::seam::DeviceCallRecord& calls = platform::seam::DeviceCalls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].name, "IDirect3DDevice7::Clear");
        EXPECT_EQ(calls[0].args, (std::vector<DWORD>{stencil ? 7u : 3u, 0xFF000000u, 0}));
        EXPECT_EQ(calls[0].z, 1.0f);
        EXPECT_EQ(calls[0].result, D3D_OK);
        EXPECT_EQ(calls[1].name, "IDirect3DDevice7::BeginScene");
        EXPECT_EQ(calls[2].name, "IDirect3DDevice7::EndScene");
    }
}

TEST_F(DrawingTest, ADeviceWithoutZBufferClearsOnlyItsColour) {
    platform::GraphicsCaps caps = d3d7test::DefaultCaps();
    d3d7test::TheDevice(caps).rasterCaps |= D3DPRASTERCAPS_ZBUFFERLESSHSR;
    platform::seam::SetGraphicsCaps(caps);
    Make();
    renderSystem_->BeginScene();
    std::vector<platform::seam::DeviceCall> clears = Calls("IDirect3DDevice7::Clear");
    ASSERT_EQ(clears.size(), 1u);
    EXPECT_EQ(clears[0].args[0], DWORD(D3DCLEAR_TARGET));
    EXPECT_EQ(clears[0].result, D3D_OK);
}

TEST_F(DrawingTest, AWindowGetsTheBackBufferBlittedIntoItsClientArea) {
    for (bool vsync : {false, true}) {
        SCOPED_TRACE(vsync ? "vsync" : "no vsync");
        Values().vsync = vsync;
        Make();
        platform::seam::ClearDeviceCalls();
        renderSystem_->SwapBuffers();

        const platform::seam::DeviceCallRecord& calls = platform::seam::DeviceCalls();
        ASSERT_EQ(calls.size(), vsync ? 2u : 1u);
        if (vsync) {
            EXPECT_EQ(calls[0].name, "IDirectDraw7::WaitForVerticalBlank");
            EXPECT_EQ(calls[0].args, std::vector<DWORD>{DDWAITVB_BLOCKBEGIN});
        }
        const platform::seam::DeviceCall& blit = calls.back();
        EXPECT_EQ(blit.name, "IDirectDrawSurface7::Blt");
        EXPECT_EQ(blit.result, DD_OK);
        EXPECT_EQ(blit.args, std::vector<DWORD>{DDBLT_WAIT});
        ASSERT_EQ(blit.rects.size(), 2u);
        EXPECT_EQ(blit.rects[0].right - blit.rects[0].left, 800);
        EXPECT_EQ(blit.rects[0].bottom - blit.rects[0].top, 600);
        EXPECT_EQ(blit.rects[1].right, 800);
        EXPECT_EQ(blit.rects[1].bottom, 600);
    }
}

TEST_F(DrawingTest, FullScreenFlipsWithoutVsyncWhenItIsOff) {
    Values().fullscreen = true;
    for (bool vsync : {false, true}) {
        SCOPED_TRACE(vsync ? "vsync" : "no vsync");
        Values().vsync = vsync;
        Make();
        platform::seam::ClearDeviceCalls();
        renderSystem_->SwapBuffers();
        const platform::seam::DeviceCallRecord& calls = platform::seam::DeviceCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].name, "IDirectDrawSurface7::Flip");
        EXPECT_EQ(calls[0].result, DD_OK);
        EXPECT_EQ(calls[0].args, std::vector<DWORD>{vsync ? DDFLIP_WAIT : DDFLIP_WAIT | DDFLIP_NOVSYNC});
    }
}

struct LossCase {
    const char* failingCall;
    bool fullScreen;
    std::function<void(RenderSystem_D3D7&, IndexBuffer*, VertexBuffer*)> operation;
};

TEST_F(DrawingTest, AFailedCallLosesTheDeviceAndLaterDrawingMakesNoCall) {
    const LossCase cases[] = {
        {"IDirectDrawSurface7::Flip", true, [](RenderSystem_D3D7& r, IndexBuffer*, VertexBuffer*) { r.SwapBuffers(); }},
        {"IDirectDrawSurface7::Blt", false, [](RenderSystem_D3D7& r, IndexBuffer*, VertexBuffer*) { r.SwapBuffers(); }},
        {"IDirect3DDevice7::BeginScene", false,
         [](RenderSystem_D3D7& r, IndexBuffer*, VertexBuffer*) { r.BeginScene(); }},
        {"IDirect3DDevice7::EndScene", false,
         [](RenderSystem_D3D7& r, IndexBuffer*, VertexBuffer*) {
             r.BeginScene();
             r.EndScene();
         }},
        {"IDirect3DDevice7::DrawIndexedPrimitive", false,
         [](RenderSystem_D3D7& r, IndexBuffer* i, VertexBuffer* v) {
             r.BeginScene();
             r.DrawIndexedPrimitive(PrimitiveType::TriangleList, i, v, 1);
         }},
    };
    for (const LossCase& c : cases) {
        for (bool minimised : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.failingCall << (minimised ? " minimised" : ""));
            Values().fullscreen = c.fullScreen;
            window_.reset();
            Make();
            std::unique_ptr<VertexBuffer> vertices = Vertices(3, true);
            std::unique_ptr<IndexBuffer> indices = Indices({0, 1, 2});
            if (minimised) Window().Minimize();
            platform::seam::FailNextCalls(c.failingCall, 1);
            c.operation(*renderSystem_, indices.get(), vertices.get());

            EXPECT_FALSE(renderSystem_->IsReady());
            EXPECT_TRUE(renderSystem_->IsResetPending());
            EXPECT_TRUE(renderSystem_->AreTexturesLost());
            EXPECT_EQ(renderSystem_->IsRecoverPending(), !minimised);
            EXPECT_FALSE(TakeErrors().empty()) << "the failure is logged";

            platform::seam::ClearDeviceCalls();
            renderSystem_->BeginScene();
            renderSystem_->DrawIndexedPrimitive(PrimitiveType::TriangleList, indices.get(), vertices.get(), 1);
            renderSystem_->EndScene();
            renderSystem_->SwapBuffers();
            EXPECT_EQ(DrawingCalls(), 0u);
            platform::seam::ClearInjectedFailures();
            renderSystem_.reset();
        }
    }
}

TEST_F(DrawingTest, AResetDrawsAgain) {
    Values().fullscreen = true;
    Make();
    platform::seam::FailNextCalls("IDirectDrawSurface7::Flip", 1);
    renderSystem_->SwapBuffers();
    ASSERT_FALSE(renderSystem_->IsReady());
    renderSystem_->Update();
    ASSERT_TRUE(renderSystem_->IsReady());
    platform::seam::ClearDeviceCalls();
    renderSystem_->BeginScene();
    renderSystem_->EndScene();
    renderSystem_->SwapBuffers();
    EXPECT_EQ(DrawingCalls(), 4u);
}

}  // namespace
