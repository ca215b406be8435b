#pragma once
// Strict reading of one definition file parsed into a holder: required elements and
// attributes end the run through the XML lookups' fatal report, and values that would
// break a day (out of range, not finite) end it with a line naming the file and the
// element's path from the file's top element.

#include <string>

namespace GameTools {
class XMLNode;
}

namespace Morvane {

class DefinitionReader {
public:
    // What a float must be besides finite.
    enum class Range { Any, NotNegative, AboveZero };

    explicit DefinitionReader(const std::string& file) : file_(file) {}

    // Required (fatal when missing) and optional lookups.
    static GameTools::XMLNode& Child(const GameTools::XMLNode& node, const std::string& name);
    static std::string String(const GameTools::XMLNode& node, const std::string& name);
    static int Int(const GameTools::XMLNode& node, const std::string& name);
    static int OptionalInt(const GameTools::XMLNode& node, const std::string& name, int fallback);
    static bool OptionalBool(const GameTools::XMLNode& node, const std::string& name, bool fallback);
    // A required float in the range; the value's text is quoted when it is not.
    float Float(const GameTools::XMLNode& node, const std::string& name, Range range) const;
    // A required int not below 0.
    int NotNegativeInt(const GameTools::XMLNode& node, const std::string& name) const;

    // Logs "PROGRAM ABORTING: Definition "<file>", element "<path>": <problem>" and ends
    // the run (Vantor::FatalError).
    [[noreturn]] void Fail(const GameTools::XMLNode& node, const std::string& problem) const;

private:
    std::string file_;
};

}  // namespace Morvane
