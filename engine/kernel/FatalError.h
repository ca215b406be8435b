#pragma once
// An error after which the run cannot go on; the game's loader ends the run with it.

#include "engine/kernel/Error.h"

namespace Vantor {

class FatalError : public Error {
public:
    explicit FatalError(const std::string& text) : Error(text) {}
    FatalError(const FatalError& other) = default;
};

}  // namespace Vantor
