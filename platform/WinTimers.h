#pragma once
// winmm's multimedia timer and kernel32's counters and sleeps, all over the one time
// source of Clock.h: real time on the sdl backend, the virtual clock on headless.
//
// timeGetTime and GetTickCount count milliseconds of that clock in 32 bits (they wrap
// after 2^32 ms, as on Windows); the performance counter counts its microseconds.

#include <vector>

#include "platform/WinTypes.h"

using MMRESULT = UINT;

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
using LPTIMECAPS = TIMECAPS*;

constexpr DWORD INFINITE = 0xFFFFFFFFu;

// Periods of 1 to 1000000 ms. Failure injection name "timeGetDevCaps".
MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);
MMRESULT timeBeginPeriod(UINT period);
// TIMERR_NOCANDO for a period that was not begun.
MMRESULT timeEndPeriod(UINT period);
DWORD timeGetTime();

BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
DWORD GetTickCount();

// On the virtual clock a sleep advances the clock by its time; INFINITE is refused
// there (it would never end) and returns at once.
void Sleep(DWORD milliseconds);
DWORD SleepEx(DWORD milliseconds, BOOL alertable);

namespace platform::seam {

// Periods begun with timeBeginPeriod and not yet ended, in the order they were begun.
const std::vector<UINT>& ActiveTimerPeriods();

}  // namespace platform::seam
