#pragma once
// The exception type of the whole program: thrown by value, caught by constant
// reference; catch sites read the text and log it.

#include <string>

namespace Vantor {

class Error {
public:
    explicit Error(const std::string& text) : text_(text) {}
    Error(const Error& other) = default;
    virtual ~Error() = default;

    const std::string& GetText() const { return text_; }

private:
    std::string text_;
};

}  // namespace Vantor
