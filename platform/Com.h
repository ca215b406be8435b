#pragma once
// ole32 COM initialisation of the calling thread. Nothing here needs COM's services;
// the calls keep Windows' count: the first CoInitialize answers S_OK, a nested one
// S_FALSE (both to be balanced by CoUninitialize).

#include "platform/WinTypes.h"

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

namespace platform::seam {

// The next CoInitialize answers this code and changes nothing (for example S_FALSE, as
// when the thread was already initialised, or a failure).
void SetNextCoInitializeResult(HRESULT result);
// Initialisations of this thread not yet balanced by CoUninitialize.
int ComInitializationCount();

}  // namespace platform::seam
