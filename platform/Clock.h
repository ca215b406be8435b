#pragma once
// The one time source behind every timer call of the layer (timeGetTime,
// QueryPerformanceCounter, GetTickCount, Sleep). The sdl backend reads the real
// monotonic clock; the headless backend runs a virtual clock that only moves when a
// test advances it or the program sleeps, so timing is exact and fast in tests.

#include <cstdint>

namespace platform {

// Microseconds since the clock's origin.
uint64_t NowMicroseconds();
// Waits (real clock) or advances the virtual clock by the given time.
void SleepMicroseconds(uint64_t microseconds);

}  // namespace platform

namespace platform::seam {

// Puts the sdl backend on the virtual clock too, for the rest of the process: drawn
// tests then time their frames exactly, however loaded the machine is.
void UseVirtualClock();
// Only meaningful where the virtual clock runs.
void SetVirtualTime(uint64_t microseconds);
void AdvanceVirtualTime(uint64_t microseconds);
// Every later reading of the virtual clock first advances it by the step, so that each
// timed piece of work costs time in tests; 0 (the default) turns it off.
void SetVirtualTimeStepPerReading(uint64_t microseconds);

}  // namespace platform::seam
