#pragma once
// Readable descriptions of DirectDraw's failure codes, for the log.

#include "platform/WinTypes.h"

namespace Vantor {

// The description of a DirectDraw failure code (the codes DirectDraw shares with COM
// included), or null for a code that is not one of them.
const char* DescribeDirectDrawResult(HRESULT result);

}  // namespace Vantor
