#pragma once
// Emptying containers of owning pointers: every owner uses these in its destructor
// for its vectors and maps of owned objects.

#include <algorithm>
#include <map>
#include <vector>

namespace Vantor {

// Deletes every non-null element in order, then empties the vector.
template <class T, class Allocator>
void DeleteAllAndClear(std::vector<T*, Allocator>& owned) {
    for (T* object : owned) delete object;
    owned.clear();
}

// Deletes every non-null mapped value in key order, then empties the map.
template <class Key, class T, class Compare, class Allocator>
void DeleteAllMapValues(std::map<Key, T*, Compare, Allocator>& owned) {
    for (auto& entry : owned) delete entry.second;
    owned.clear();
}

// Sets every element to null without deleting anything.
template <class T, class Allocator>
void FillNull(std::vector<T*, Allocator>& pointers) {
    std::fill(pointers.begin(), pointers.end(), nullptr);
}

// Erases the null elements, keeping the order of the rest.
template <class T, class Allocator>
void RemoveNulls(std::vector<T*, Allocator>& pointers) {
    std::erase(pointers, nullptr);
}

}  // namespace Vantor
