#include "content/SvgTemplate.h"

#include <cstdio>

#include "engine/kernel/Error.h"

namespace Content {

std::string SvgTemplate::Format(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.4f", value);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
    if (result == "-0") result = "0";
    return result;
}

std::string SvgTemplate::Fill(const std::string& svg, const std::string& sourceName, const Parameters& parameters) {
    std::string result;
    result.reserve(svg.size());
    std::size_t position = 0;
    for (std::size_t open = svg.find("${"); open != std::string::npos; open = svg.find("${", position)) {
        const std::size_t close = svg.find('}', open);
        if (close == std::string::npos) throw Vantor::Error(sourceName + ": unclosed \"${\"");
        const std::string name = svg.substr(open + 2, close - open - 2);
        const auto value = parameters.find(name);
        if (value == parameters.end()) throw Vantor::Error(sourceName + ": no value for parameter \"" + name + "\"");
        result.append(svg, position, open - position);
        result += Format(value->second);
        position = close + 1;
    }
    result.append(svg, position, std::string::npos);
    return result;
}

}  // namespace Content
