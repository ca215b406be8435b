#include "game/DefinitionReader.h"

#include <cmath>

#include "engine/kernel/MessageManager.h"
#include "tools/XMLNode.h"

namespace Morvane {

namespace {

const GameTools::XMLValue& Required(const GameTools::XMLNode& node, const std::string& name) {
    return *node.GetAttribute(name, GameTools::XMLNode::kReportFatal);
}

bool InRange(float value, DefinitionReader::Range range) {
    if (!std::isfinite(value)) return false;
    switch (range) {
        case DefinitionReader::Range::NotNegative:
            return value >= 0.0f;
        case DefinitionReader::Range::AboveZero:
            return value > 0.0f;
        case DefinitionReader::Range::Any:
            break;
    }
    return true;
}

const char* RangeText(DefinitionReader::Range range) {
    switch (range) {
        case DefinitionReader::Range::NotNegative:
            return "a number not below 0";
        case DefinitionReader::Range::AboveZero:
            return "a number above 0";
        case DefinitionReader::Range::Any:
            break;
    }
    return "a finite number";
}

}  // namespace

GameTools::XMLNode& DefinitionReader::Child(const GameTools::XMLNode& node, const std::string& name) {
    return *node.GetChild(name, GameTools::XMLNode::kReportFatal);
}

std::string DefinitionReader::String(const GameTools::XMLNode& node, const std::string& name) {
    return Required(node, name).GetString();
}

int DefinitionReader::Int(const GameTools::XMLNode& node, const std::string& name) {
    return Required(node, name).GetInt();
}

int DefinitionReader::OptionalInt(const GameTools::XMLNode& node, const std::string& name, int fallback) {
    const GameTools::XMLValue* value = node.GetAttribute(name, GameTools::XMLNode::kReportSilent);
    return value ? value->GetInt() : fallback;
}

bool DefinitionReader::OptionalBool(const GameTools::XMLNode& node, const std::string& name, bool fallback) {
    const GameTools::XMLValue* value = node.GetAttribute(name, GameTools::XMLNode::kReportSilent);
    return value ? value->GetBool() : fallback;
}

float DefinitionReader::Float(const GameTools::XMLNode& node, const std::string& name, Range range) const {
    const GameTools::XMLValue& value = Required(node, name);
    const float number = value.GetFloat();
    if (!InRange(number, range))
        Fail(node, "\"" + name + "\" must be " + RangeText(range) + ", not \"" + value.GetString() + "\"");
    return number;
}

int DefinitionReader::NotNegativeInt(const GameTools::XMLNode& node, const std::string& name) const {
    const GameTools::XMLValue& value = Required(node, name);
    const int number = value.GetInt();
    if (number < 0) Fail(node, "\"" + name + "\" must not be below 0, not \"" + value.GetString() + "\"");
    return number;
}

void DefinitionReader::Fail(const GameTools::XMLNode& node, const std::string& problem) const {
    Vantor::MessageManager::Instance()->PrintFatalError("Definition \"" + file_ + "\", element \"" + node.GetPath() +
                                                        "\": " + problem);
}

}  // namespace Morvane
