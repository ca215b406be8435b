// Index buffers: width, stored values, the cached index range and copies.

#include "engine/render/d3d7/IndexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Vantor::IndexBuffer_D3D7;

TEST(IndexBufferTest, SixteenBitsWhileTheCapacityFits) {
    IndexBuffer_D3D7 narrow(0, 65535);
    IndexBuffer_D3D7 wide(0, 65536);
    EXPECT_FALSE(narrow.IsWide());
    EXPECT_EQ(narrow.GetIndexSize(), 2u);
    EXPECT_TRUE(wide.IsWide());
    EXPECT_EQ(wide.GetIndexSize(), 4u);
    EXPECT_EQ(wide.GetCount(), 65536u);
}

TEST(IndexBufferTest, ANarrowBufferKeepsTheLowSixteenBits) {
    IndexBuffer_D3D7 narrow(0, 4);
    const std::int32_t values[] = {70000, 1};
    narrow.SetIndices(1, 2, values);
    const auto* stored = reinterpret_cast<const std::uint16_t*>(narrow.GetData());
    EXPECT_EQ(stored[1], 4464);
    EXPECT_EQ(stored[2], 1);
    EXPECT_FALSE(narrow.IsLocked());
    EXPECT_EQ(narrow.GetLockFirst(), 1u);

    IndexBuffer_D3D7 wide(0, 70000);
    wide.SetIndices(0, 1, values);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(wide.GetData())[0], 70000u);
}

TEST(IndexBufferTest, TheRangeCoversTheIndicesInUseAndFollowsChanges) {
    IndexBuffer_D3D7 buffer(0, 5);
    const std::int32_t values[] = {7, 3, 9, 0, 100};
    buffer.SetIndices(0, 5, values);
    buffer.SetCount(3);
    EXPECT_EQ(buffer.GetMinIndex(), 3u);
    EXPECT_EQ(buffer.GetIndexRange(), 7u);

    buffer.SetCount(5);
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetIndexRange(), 101u);

    // A lock marks the range stale: writes through it count at the next query.
    static_cast<std::uint16_t*>(buffer.Lock(4, 1))[0] = 20;
    buffer.Unlock();
    EXPECT_EQ(buffer.GetIndexRange(), 21u);

    buffer.SetCount(0);
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetIndexRange(), 0u);

    // A count beyond the capacity never reads past the array.
    buffer.SetCount(50);
    EXPECT_EQ(buffer.GetIndexRange(), 21u);
}

TEST(IndexBufferTest, CopiesKeepWidthCountAndIndices) {
    IndexBuffer_D3D7 source(1, 6);
    const std::int32_t values[] = {10, 11, 12, 13, 14, 19};
    source.SetIndices(0, 6, values);
    source.SetCount(4);

    IndexBuffer_D3D7 converted(0, source);
    IndexBuffer_D3D7 copy(static_cast<const Vantor::IndexBuffer&>(source));
    for (const IndexBuffer_D3D7* buffer : {&converted, &copy}) {
        EXPECT_EQ(buffer->GetCapacity(), 6u);
        EXPECT_EQ(buffer->GetCount(), 4u);
        EXPECT_EQ(buffer->GetIndexSize(), 2u);
        EXPECT_EQ(std::memcmp(buffer->GetData(), source.GetData(), 12), 0);
    }
    EXPECT_EQ(converted.GetKind(), 0);
    EXPECT_EQ(copy.GetKind(), 1);
    EXPECT_EQ(copy.GetMinIndex(), 10u);
    EXPECT_EQ(copy.GetIndexRange(), 4u);
}

}  // namespace
