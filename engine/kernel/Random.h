#pragma once
// The engine's one random generator: a 32-bit linear congruential generator whose
// draws are bits 16 to 30 of the state (0..32767). Every helper takes exactly one
// draw per call (a shuffle of n elements takes n-1), so a run that gets the same
// input in the same frames draws the same numbers.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace Vantor {

// The state becomes value + 1.
void SeedRandom(uint32_t value);

// Next draw, 0..32767.
uint32_t Random();

// Draw / 32767: 0 and 1 both included.
float RandomFloat();

// 0..n-1. An empty range (n = 0) gives 0.
uint32_t RandomInt(uint32_t n);

bool RandomBool();

// a..b, both included. Bounds given the wrong way round are taken as b..a.
int RandomRange(int a, int b);

// Between a and b.
float RandomRange(float a, float b);

// -1..1.
float RandomSigned();

// a plus or minus up to b.
float RandomAround(float a, float b);

// One element of the vector (a copy); an empty vector gives a default value.
template <typename T>
T RandomElement(const std::vector<T>& elements) {
    const uint32_t index = RandomInt(static_cast<uint32_t>(elements.size()));
    return elements.empty() ? T{} : elements[index];
}

// Shuffles in place: for k = 1..n-1, swaps element k with element RandomInt(k + 1).
template <typename T>
void RandomShuffle(std::vector<T>& elements) {
    for (std::size_t k = 1; k < elements.size(); ++k) {
        const std::size_t j = RandomInt(static_cast<uint32_t>(k + 1));
        if (j != k) std::swap(elements[k], elements[j]);
    }
}

}  // namespace Vantor
