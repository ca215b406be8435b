#pragma once
// The order in which the model manager draws its two lists: by depth (depth + bias,
// nearest or farthest first), with depths closer than kDepthTieTolerance counting as
// equal and then ordered by address, so that models at one depth always draw in the
// same order whatever their registry slots.
//
// "Equal within a tolerance" is not transitive, so that comparison is no strict weak
// ordering and std::sort must not be given it. The lists are first merge-sorted by
// exact depth and address (a strict order), then an insertion pass applies the
// tolerant comparison: every element moves only past near-equal neighbours, so two
// depths that differ by the tolerance or more always keep their depth order, and
// near-equal ones end in address order wherever the chain of near-equal depths allows.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace Vantor {

enum class DrawOrder { kNearestFirst, kFarthestFirst };

constexpr float kDepthTieTolerance = 0.000001f;

namespace drawlist {

template <class T, class DepthOf>
class Ordering {
public:
    Ordering(DrawOrder order, DepthOf depthOf) : farthestFirst_(order == DrawOrder::kFarthestFirst), depthOf_(depthOf) {}

    // Exact depth, then address: a strict total order for depths that are numbers.
    bool StrictlyBefore(const T* a, const T* b) const {
        const float da = depthOf_(a);
        const float db = depthOf_(b);
        if (da != db) return farthestFirst_ ? da > db : da < db;
        return AddressBefore(a, b);
    }
    // The draw order's own comparison: depths within the tolerance go by address.
    bool Before(const T* a, const T* b) const {
        const float da = depthOf_(a);
        const float db = depthOf_(b);
        if (std::fabs(da - db) < kDepthTieTolerance) return AddressBefore(a, b);
        return farthestFirst_ ? da > db : da < db;
    }

private:
    // Nearest first takes the lower address first, farthest first the higher.
    bool AddressBefore(const T* a, const T* b) const {
        return farthestFirst_ ? std::less<const T*>()(b, a) : std::less<const T*>()(a, b);
    }

    bool farthestFirst_;
    DepthOf depthOf_;
};

// Bottom-up merge sort through the scratch list; stays inside both lists whatever the
// comparison answers.
template <class T, class Compare>
void MergeSort(std::vector<T*>& list, std::vector<T*>& scratch, const Compare& before) {
    const std::size_t n = list.size();
    scratch.resize(n);
    std::vector<T*>* from = &list;
    std::vector<T*>* to = &scratch;
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t start = 0; start < n; start += 2 * width) {
            const std::size_t middle = std::min(start + width, n);
            const std::size_t end = std::min(start + 2 * width, n);
            std::size_t left = start;
            std::size_t right = middle;
            std::size_t out = start;
            while (left < middle && right < end)
                (*to)[out++] = before((*from)[right], (*from)[left]) ? (*from)[right++] : (*from)[left++];
            while (left < middle) (*to)[out++] = (*from)[left++];
            while (right < end) (*to)[out++] = (*from)[right++];
        }
        std::swap(from, to);
    }
    if (from != &list) list.swap(*from);
}

}  // namespace drawlist

// Sorts the list for drawing; depthOf(element) gives its depth plus bias. The scratch
// list is working room (its capacity is reused, its content is left undefined).
template <class T, class DepthOf>
void SortDrawList(std::vector<T*>& list, std::vector<T*>& scratch, DrawOrder order, DepthOf depthOf) {
    const drawlist::Ordering<T, DepthOf> ordering(order, depthOf);
    drawlist::MergeSort(list, scratch, [&ordering](const T* a, const T* b) { return ordering.StrictlyBefore(a, b); });
    for (std::size_t i = 1; i < list.size(); ++i) {
        T* element = list[i];
        std::size_t j = i;
        for (; j > 0 && ordering.Before(element, list[j - 1]); --j) list[j] = list[j - 1];
        list[j] = element;
    }
}

}  // namespace Vantor
