#pragma once
// A file that cannot be opened, read or written, or whose format is broken.

#include "engine/kernel/Error.h"

namespace Vantor {

class FileError : public Error {
public:
    explicit FileError(const std::string& text) : Error(text) {}
    FileError(const FileError& other) = default;
};

}  // namespace Vantor
