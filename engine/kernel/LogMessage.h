#pragma once
// One entry of the log's per-frame message list.

#include <string>

#include "engine/kernel/MessageKind.h"

namespace Vantor {

struct LogMessage {
    MessageKind kind;
    // The whole text as written, with the added words and line breaks.
    std::string text;
};

}  // namespace Vantor
