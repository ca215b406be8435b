#pragma once
// The kind of a logged message: which print operation made it, and so its colour in
// the log file and the console.

#include <cstdint>

#include "engine/kernel/Vector3.h"

namespace Vantor {

enum class MessageKind : int32_t {
    Message = 0,
    Highlight = 1,
    Warning = 2,
    Error = 3,
    FatalError = 4,
};

// Red, green and blue of a kind; any value outside the five kinds is white like a message.
inline Vector3 GetMessageKindColor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Highlight: return {0.0f, 1.0f, 0.0f};
    case MessageKind::Warning: return {0.5f, 0.5f, 0.5f};
    case MessageKind::Error:
    case MessageKind::FatalError: return {1.0f, 0.0f, 0.0f};
    default: return {1.0f, 1.0f, 1.0f};
    }
}

}  // namespace Vantor
