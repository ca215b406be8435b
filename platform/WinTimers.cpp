#include "platform/WinTimers.h"

#include <algorithm>

#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/FailureInjection.h"

namespace {

constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;

std::vector<UINT>& Periods() {
    static std::vector<UINT> periods;
    return periods;
}

DWORD Milliseconds() { return static_cast<DWORD>(platform::NowMicroseconds() / 1000); }

}  // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    if (!caps || size < sizeof(TIMECAPS) || platform::ShouldFail("timeGetDevCaps")) return TIMERR_NOCANDO;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) {
    if (period < kPeriodMin || period > kPeriodMax) return TIMERR_NOCANDO;
    Periods().push_back(period);
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT period) {
    auto it = std::find(Periods().begin(), Periods().end(), period);
    if (it == Periods().end()) return TIMERR_NOCANDO;
    Periods().erase(it);
    return TIMERR_NOERROR;
}

DWORD timeGetTime() { return Milliseconds(); }
DWORD GetTickCount() { return Milliseconds(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count) return FALSE;
    count->QuadPart = static_cast<LONGLONG>(platform::NowMicroseconds());
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = 1000000;
    return TRUE;
}

void Sleep(DWORD milliseconds) { SleepEx(milliseconds, FALSE); }

DWORD SleepEx(DWORD milliseconds, BOOL) {
    if (milliseconds == INFINITE && platform::IsHeadless()) return 0;
    platform::SleepMicroseconds(static_cast<uint64_t>(milliseconds) * 1000);
    return 0;
}

namespace platform::seam {

const std::vector<UINT>& ActiveTimerPeriods() { return Periods(); }

}  // namespace platform::seam
