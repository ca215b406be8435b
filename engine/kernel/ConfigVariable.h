#pragma once
// One named configuration variable or command: its type, flags, the owner's
// storage and the state of its command and change tracking.

#include <cstdint>
#include <string>

namespace Vantor {

// The kind of storage the owner hands over with a variable.
enum class ConfigVariableType : int32_t {
    Int = 0,      // int32_t
    Float = 1,    // float
    Bool = 2,     // bool
    String = 3,   // std::string
    Command = 4,  // no storage
};

struct ConfigVariable {
    ConfigVariableType type = ConfigVariableType::Int;
    // The line executor refuses to set the value and a full reset skips it.
    bool readOnly = false;
    // Written to the .ini file.
    bool saved = false;
    // The owner's storage of the type's kind; null for commands.
    void* storage = nullptr;
    std::string defaultText;
    // Command state: 1 idle, 0 issued.
    bool commandIdle = false;
    bool trackChanges = false;
    // Values seen at the last change check.
    int32_t lastInt = 0;
    float lastFloat = 0.0f;
    bool lastBool = false;
    std::string lastString;
    // Set by the change check, cleared at every frame end.
    bool modified = false;
    // The owner has detached its storage; the value lives on as kept text.
    bool unregistered = false;
    std::string keptText;

    // Parses the text by the type into the storage (numbers that do not parse give 0).
    void SetValueText(const std::string& text);
    // The stored value as text: ints plainly, floats with 6 decimals, bools as 1 or 0.
    std::string GetValueText() const;
    // Compares the storage with the last value seen; on a difference takes the new
    // value as the last one and answers true. Floats differ by more than 0.0001.
    bool TakeChange();
};

}  // namespace Vantor
