#include "engine/render/DrawListSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Vantor::DrawOrder;
using Vantor::kDepthTieTolerance;
using Vantor::SortDrawList;

struct Item {
    float depth;
};

float DepthOf(const Item* item) { return item->depth; }

// Items at the depths, laid out in one array so that their addresses rise with the index.
struct Items {
    explicit Items(const std::vector<float>& depths) {
        for (float depth : depths) storage.push_back({depth});
        for (Item& item : storage) list.push_back(&item);
    }
    std::vector<int> Indices() const {
        std::vector<int> indices;
        for (const Item* item : list) indices.push_back(static_cast<int>(item - storage.data()));
        return indices;
    }
    std::vector<Item> storage;
    std::vector<Item*> list;
    std::vector<Item*> scratch;
};

TEST(DrawListSortTest, OrdersByDepthInBothDirections) {
    Items nearest({5.0f, 2.0f, 9.0f, 2.5f});
    SortDrawList(nearest.list, nearest.scratch, DrawOrder::kNearestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{1, 3, 0, 2}), nearest.Indices());
    Items farthest({5.0f, 2.0f, 9.0f, 2.5f});
    SortDrawList(farthest.list, farthest.scratch, DrawOrder::kFarthestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{2, 0, 3, 1}), farthest.Indices());
}

TEST(DrawListSortTest, NearlyEqualDepthsGoByAddress) {
    // 3.0000005 lies within the tolerance of 3.0: the lower address first when nearest
    // first, the higher when farthest first, whatever the depths say.
    Items nearest({3.0000005f, 3.0f});
    SortDrawList(nearest.list, nearest.scratch, DrawOrder::kNearestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{0, 1}), nearest.Indices());
    Items farthest({3.0f, 3.0000005f});
    SortDrawList(farthest.list, farthest.scratch, DrawOrder::kFarthestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{1, 0}), farthest.Indices());
}

TEST(DrawListSortTest, ChainOfNearTiesKeepsSeparatedDepthsInOrder) {
    // 0 and 1.4e-6 are separated, each is within the tolerance of 0.7e-6; the addresses
    // ask for the reverse order of the depths. The separated pair must stay ordered.
    Items items({1.4e-6f, 0.7e-6f, 0.0f});
    SortDrawList(items.list, items.scratch, DrawOrder::kNearestFirst, DepthOf);
    const std::vector<int> order = items.Indices();
    const auto position = [&order](int index) { return std::find(order.begin(), order.end(), index) - order.begin(); };
    EXPECT_LT(position(2), position(0));
}

// Every pair of separated depths in depth order, and every adjacent pair of near-equal
// depths in address order unless a separated pair forbids it.
void ExpectDrawOrder(const std::vector<Item*>& list, DrawOrder order) {
    const bool farthest = order == DrawOrder::kFarthestFirst;
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            const float a = list[i]->depth;
            const float b = list[j]->depth;
            if (std::fabs(a - b) >= kDepthTieTolerance) {
                EXPECT_TRUE(farthest ? a > b : a < b) << i << " " << j;
            }
        }
    }
}

TEST(DrawListSortTest, RandomListsNeverInvertSeparatedDepths) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> steps(0, 12);
    for (int round = 0; round < 200; ++round) {
        std::vector<float> depths;
        const int count = 1 + round % 40;
        // Depths on a grid of 0.3e-6 around 2, so that chains of near ties are common.
        for (int i = 0; i < count; ++i) depths.push_back(2.0f + 0.3e-6f * static_cast<float>(steps(random)));
        for (DrawOrder order : {DrawOrder::kNearestFirst, DrawOrder::kFarthestFirst}) {
            Items items(depths);
            SortDrawList(items.list, items.scratch, order, DepthOf);
            ASSERT_EQ(depths.size(), items.list.size());
            std::vector<int> indices = items.Indices();
            std::sort(indices.begin(), indices.end());
            for (int i = 0; i < count; ++i) ASSERT_EQ(i, indices[i]);
            ExpectDrawOrder(items.list, order);
        }
    }
}

TEST(DrawListSortTest, EqualDepthsGoByAddressWhateverTheirStartingOrder) {
    Items items({1.0f, 1.0f, 1.0f, 1.0f});
    std::swap(items.list[0], items.list[3]);
    std::swap(items.list[1], items.list[2]);
    SortDrawList(items.list, items.scratch, DrawOrder::kNearestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), items.Indices());
    SortDrawList(items.list, items.scratch, DrawOrder::kFarthestFirst, DepthOf);
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0}), items.Indices());
}

}  // namespace
