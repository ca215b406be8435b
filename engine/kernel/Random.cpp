#include "engine/kernel/Random.h"

namespace Vantor {

namespace {

uint32_t state = 1;

}  // namespace

void SeedRandom(uint32_t value) { state = value + 1; }

uint32_t Random() {
    state = state * 1664525u + 1013904223u;
    return (state >> 16) % 32768u;
}

float RandomFloat() { return static_cast<float>(Random() / 32767.0); }

uint32_t RandomInt(uint32_t n) {
    const uint32_t draw = Random();
    return n == 0 ? 0 : draw % n;
}

bool RandomBool() { return RandomInt(2) == 0; }

int RandomRange(int a, int b) {
    if (a > b) std::swap(a, b);
    // The width is computed in 64 bits: b - a + 1 overflows an int for the widest ranges.
    const int64_t width = static_cast<int64_t>(b) - a + 1;
    return static_cast<int>(a + static_cast<int64_t>(Random()) % width);
}

float RandomRange(float a, float b) {
    return static_cast<float>(a + static_cast<double>(RandomFloat()) * (static_cast<double>(b) - a));
}

float RandomSigned() { return static_cast<float>(2.0 * RandomFloat() - 1.0); }

float RandomAround(float a, float b) {
    return static_cast<float>(static_cast<double>(RandomSigned()) * b + a);
}

}  // namespace Vantor
