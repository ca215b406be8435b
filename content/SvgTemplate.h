#pragma once
// An SVG source with numeric parameters: every "${name}" is replaced by the value given
// for it, written with a fixed number of decimals so that the text, and so the picture,
// is the same on every machine. Animation frames are one template filled per frame.

#include <map>
#include <string>

namespace Content {

class SvgTemplate {
public:
    using Parameters = std::map<std::string, double>;

    // Throws Vantor::Error naming the source for a parameter without a value or an
    // unclosed "${".
    static std::string Fill(const std::string& svg, const std::string& sourceName, const Parameters& parameters);
    // The value as the template receives it ("12.5", "-0.25", "3").
    static std::string Format(double value);
};

}  // namespace Content
