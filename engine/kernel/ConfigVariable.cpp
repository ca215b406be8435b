#include "engine/kernel/ConfigVariable.h"

#include <cmath>

#include "engine/kernel/StringHelpers.h"

namespace Vantor {

namespace {

// Float changes within this tolerance do not count.
constexpr float kChangeTolerance = 0.0001f;

}  // namespace

void ConfigVariable::SetValueText(const std::string& text) {
    if (unregistered || storage == nullptr) return;
    switch (type) {
        case ConfigVariableType::Int: *static_cast<int32_t*>(storage) = ToInt(text, 10); break;
        case ConfigVariableType::Float: *static_cast<float*>(storage) = ToFloat(text); break;
        case ConfigVariableType::Bool: *static_cast<bool*>(storage) = ToBool(text); break;
        case ConfigVariableType::String: *static_cast<std::string*>(storage) = text; break;
        case ConfigVariableType::Command: break;
    }
}

std::string ConfigVariable::GetValueText() const {
    if (unregistered) return keptText;
    if (storage == nullptr) return std::string();
    switch (type) {
        case ConfigVariableType::Int: return ToString(*static_cast<const int32_t*>(storage), 0);
        case ConfigVariableType::Float: return ToString(*static_cast<const float*>(storage), 6);
        case ConfigVariableType::Bool: return ToString(*static_cast<const bool*>(storage));
        case ConfigVariableType::String: return *static_cast<const std::string*>(storage);
        case ConfigVariableType::Command: break;
    }
    return std::string();
}

bool ConfigVariable::TakeChange() {
    if (unregistered || storage == nullptr) return false;
    switch (type) {
        case ConfigVariableType::Int: {
            const int32_t value = *static_cast<const int32_t*>(storage);
            if (value == lastInt) return false;
            lastInt = value;
            return true;
        }
        case ConfigVariableType::Float: {
            const float value = *static_cast<const float*>(storage);
            if (!(std::fabs(value - lastFloat) > kChangeTolerance)) return false;
            lastFloat = value;
            return true;
        }
        case ConfigVariableType::Bool: {
            const bool value = *static_cast<const bool*>(storage);
            if (value == lastBool) return false;
            lastBool = value;
            return true;
        }
        case ConfigVariableType::String: {
            const std::string& value = *static_cast<const std::string*>(storage);
            if (value == lastString) return false;
            lastString = value;
            return true;
        }
        case ConfigVariableType::Command: break;
    }
    return false;
}

}  // namespace Vantor
