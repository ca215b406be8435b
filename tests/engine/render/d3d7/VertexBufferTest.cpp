// Vertex buffers: layouts, colours and alpha, and converting copies.

#include "engine/render/d3d7/VertexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Vantor::Color;
using Vantor::ColouredVertex;
using Vantor::Vertex;
using Vantor::VertexBuffer_D3D7;

Vertex PlainVertex(float seed) {
    return Vertex{{seed, seed + 1, seed + 2}, {0, 0, 1}, seed / 10, 1 - seed / 10};
}

TEST(VertexBufferTest, TheLayoutFollowsTheColourFlag) {
    VertexBuffer_D3D7 plain(1, 0, 3);
    VertexBuffer_D3D7 coloured(0, 1, 3);
    EXPECT_EQ(plain.GetVertexSize(), 32u);
    EXPECT_EQ(coloured.GetVertexSize(), 36u);
    EXPECT_EQ(plain.GetKind(), 1);
    // A coloured buffer starts opaque white.
    for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(coloured.LockColoured(0, 3)[i].colour, 0xFFFFFFFFu);
    coloured.Unlock();
    EXPECT_EQ(offsetof(ColouredVertex, colour), 24u);
}

TEST(VertexBufferTest, ABufferWithoutColoursIsOpaqueWhiteAndIgnoresColourChanges) {
    VertexBuffer_D3D7 buffer(0, 0, 2);
    Vertex* vertices = buffer.Lock(0, 2);
    vertices[0] = PlainVertex(1);
    vertices[1] = PlainVertex(2);
    buffer.Unlock();
    std::vector<std::uint8_t> before(buffer.GetData(), buffer.GetData() + 64);

    buffer.SetColour({0.2f, 0.3f, 0.4f, 0.5f});
    buffer.SetAlpha(0.1f);
    Color colour;
    buffer.GetColour(colour, 1);
    EXPECT_EQ(colour.x + colour.y + colour.z + colour.w, 4.0f);
    EXPECT_EQ(buffer.GetAlpha(0), 1.0f);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.GetData(), buffer.GetData() + 64), before);
}

struct AlphaCase {
    float alpha;
    std::uint32_t colour;
};

TEST(VertexBufferTest, SetAlphaKeepsRedGreenAndBlue) {
    const AlphaCase cases[] = {{0.5f, 0x80102030}, {1.5f, 0xFF102030}, {-1.0f, 0x00102030}, {0.0f, 0x00102030}};
    for (const AlphaCase& c : cases) {
        VertexBuffer_D3D7 buffer(0, 1, 2);
        ColouredVertex* vertices = buffer.LockColoured(0, 2);
        vertices[0].colour = 0xFF102030;
        vertices[1].colour = 0x00102030;
        buffer.Unlock();
        buffer.SetAlpha(c.alpha);
        EXPECT_EQ(buffer.LockColoured(0, 2)[0].colour, c.colour) << c.alpha;
        EXPECT_EQ(buffer.LockColoured(0, 2)[1].colour, c.colour) << c.alpha;
    }
}

TEST(VertexBufferTest, ColoursArePackedClampedAndRounded) {
    VertexBuffer_D3D7 buffer(0, 1, 1);
    buffer.SetColour({1.2f, 0.5f, -0.3f, 0.25f});
    EXPECT_EQ(buffer.LockColoured(0, 1)[0].colour, 0x40FF8000u);
    Color colour;
    buffer.GetColour(colour, 0);
    EXPECT_FLOAT_EQ(colour.x, 1.0f);
    EXPECT_FLOAT_EQ(colour.y, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(colour.z, 0.0f);
    EXPECT_FLOAT_EQ(buffer.GetAlpha(0), 64.0f / 255.0f);
}

TEST(VertexBufferTest, ConvertingCopiesKeepTheGeometry) {
    VertexBuffer_D3D7 plain(0, 0, 2);
    Vertex* source = plain.Lock(0, 2);
    source[0] = PlainVertex(1);
    source[1] = PlainVertex(5);
    plain.Unlock();

    VertexBuffer_D3D7 coloured(1, 1, plain);
    EXPECT_EQ(coloured.GetKind(), 1);
    ASSERT_TRUE(coloured.HasColours());
    const ColouredVertex* withColour = coloured.LockColoured(0, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::memcmp(withColour[i].position, source[i].position, 24), 0);
        EXPECT_EQ(withColour[i].u, source[i].u);
        EXPECT_EQ(withColour[i].v, source[i].v);
        EXPECT_EQ(withColour[i].colour, 0xFFFFFFFFu);
    }
    coloured.Unlock();

    coloured.SetColour({0, 0, 1, 0.5f});
    VertexBuffer_D3D7 back(0, 0, coloured);
    EXPECT_EQ(std::memcmp(back.GetData(), plain.GetData(), 64), 0);

    VertexBuffer_D3D7 copy(static_cast<const Vantor::VertexBuffer&>(coloured));
    EXPECT_EQ(copy.GetKind(), 1);
    EXPECT_TRUE(copy.HasColours());
    EXPECT_EQ(std::memcmp(copy.GetData(), coloured.GetData(), 72), 0);

    VertexBuffer_D3D7 empty(0, 1, 0);
    VertexBuffer_D3D7 emptyCopy(0, 0, empty);
    EXPECT_EQ(emptyCopy.GetVertexCount(), 0u);
}

TEST(VertexBufferTest, ALockRecordsItsRangeAndPointsIntoTheArray) {
    VertexBuffer_D3D7 buffer(0, 1, 10);
    std::uint8_t* range = buffer.LockRange(4, 3);
    EXPECT_EQ(range, buffer.GetData() + 4 * 36);
    EXPECT_TRUE(buffer.IsLocked());
    EXPECT_EQ(buffer.GetLockFirst(), 4u);
    EXPECT_EQ(buffer.GetLockCount(), 3u);
    buffer.Unlock();
    EXPECT_FALSE(buffer.IsLocked());
}

}  // namespace
