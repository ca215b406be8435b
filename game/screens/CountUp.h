#pragma once
// One display of the start-of-day window counting from an old value to a new one: the
// value drawn in this frame lies between start and target by the time elapsed. Counts
// that fill stars pause at each one; the first flag lets a count run ahead of the
// others that would otherwise hold it back.

namespace Morvane {

struct CountUp {
    bool first = false;
    bool running = false;
    float start = 0.0f;
    float target = 0.0f;
    float shown = 0.0f;
    // Seconds.
    float elapsed = 0.0f;
    bool paused = false;
    float pauseTime = 0.0f;

    // Counting from the start, from its first frame.
    void Run(float from, float to) {
        running = true;
        start = from;
        target = to;
        shown = from;
        elapsed = 0.0f;
        paused = false;
        pauseTime = 0.0f;
    }
    // Drawn at the value, not counting.
    void Hold(float value) {
        running = false;
        shown = value;
        paused = false;
    }
    void Pause() {
        paused = true;
        pauseTime = 0.0f;
    }
};

}  // namespace Morvane
