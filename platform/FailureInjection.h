#pragma once
// Named failure injection: tests make a call of the layer fail a number of times.
// Every call that can be made to fail asks ShouldFail with its own name (for example
// "DirectSoundCreate", "CreateSurface", "IDirect3DDevice7::BeginScene") before it
// does its work.

namespace platform {

// True, and one failure used up, when failures are pending for the name.
bool ShouldFail(const char* callName);

}  // namespace platform

namespace platform::seam {

// Makes the next `count` calls of the named call fail.
void FailNextCalls(const char* callName, int count);
// Lets `successes` calls of the named call through, then fails the `count` after them
// (to fail each write of a save in turn).
void FailCallsAfter(const char* callName, int successes, int count);
void ClearInjectedFailures();

}  // namespace platform::seam
