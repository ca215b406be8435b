#pragma once
// The registry of named configuration variables and commands, with the .ini file.
//
// An owner registers a variable with a pointer to its own storage; lines from the
// .ini file, the console or code then write parsed values straight into it. A
// command is issued by a line (state 0) and polled each frame by its owner, which
// acts and marks it idle again (state 1). .ini lines for names that are not
// registered yet wait until they are.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/kernel/ConfigValues.h"
#include "engine/kernel/ConfigVariable.h"
#include "engine/kernel/GlobalPointerHolder.h"

namespace Vantor {

// What the line executor did.
enum class ConfigResult : int32_t {
    Done = 0,      // the value was set or the command issued
    ReadOnly = 2,  // the variable is read-only; nothing changed
    NoValue = 3,   // the line names a variable but gives no value
    Unknown = 4,   // the name is not registered, or its owner has detached
    Empty = 5,     // nothing but blanks and backslashes
};

class Config : public GlobalPointerHolder<Config> {
public:
    // The .ini file is configFolder\configName.ini ("Vantor" when the name is empty).
    // An empty mode text makes "800x600x32" the default of "v_mode" and clears the
    // force-default-mode flag. Registers the engine's own variables; reads nothing.
    Config(const std::wstring& configFolder, const std::wstring& configName, bool forceDefaultMode,
           const std::string& modeText, bool forceDefaultFullscreen, bool fullscreenDefault);
    virtual ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // Registers a variable (names are lower-cased). The default reaches the storage
    // at once, then a waiting .ini line for the name. Registering a name whose owner
    // has detached re-attaches it with the kept value; a name that is attached stays
    // with its first owner.
    void RegisterVariable(const std::string& name, ConfigVariableType type, bool readOnly, bool saved,
                          void* storage, const std::string& defaultText, bool trackChanges);
    // Detaches the owner's storage, keeping the current value as text.
    void UnregisterVariable(const std::string& name);

    // Runs one line: a name, a blank and a value; a command's name issues it. When
    // outName is given it receives the lower-cased name the line names.
    ConfigResult ExecuteLine(const std::string& line, std::string* outName = nullptr);

    std::string GetValueText(const std::string& name) const;
    std::string GetDefaultText(const std::string& name) const;
    // Parses the text into the storage without trimming and without the read-only check.
    void SetValueText(const std::string& name, const std::string& text);
    void ResetVariable(const std::string& name);
    // Resets every variable that is not read-only.
    void ResetAll();

    // 0 issues a command, 1 marks it idle.
    void SetCommandState(const std::string& name, int state);
    // 1 idle, 0 issued; 0 for anything that is not an attached command.
    uint8_t GetCommandState(const std::string& name) const;
    bool IsModified(const std::string& name) const;

    // First thing of a frame: carries out "reset_config" and flags the tracked
    // variables that changed.
    void BeginFrame();
    // Clears the modified flags.
    void EndFrame();

    // Names of the attached variables in name order.
    void GetVariableNames(std::vector<std::string>& names) const;

    // Reads the .ini file; a missing or unreadable file leaves the defaults.
    void Load();
    // Writes the saved variables in name order; a failure is logged.
    void Save();

    // Storage of the engine's own variables.
    ConfigValues values;

private:
    ConfigVariable* Find(const std::string& name) const;
    ConfigVariable* FindAttached(const std::string& name) const;

    std::wstring filePath_;
    // Every variable ever registered, by lower-case name (owned).
    std::map<std::string, ConfigVariable*> variables_;
    // .ini lines whose name was not registered when the file was read.
    std::map<std::string, std::string> pendingLines_;
    bool forceDefaultMode_ = false;
    bool forceDefaultFullscreen_ = false;
};

// Splits "WIDTHxHEIGHTxBITS" (either letter case of x); without two separators the
// mode is 640, 480, 16. Each result is written only through a non-null pointer.
void ParseDisplayMode(const std::string& text, uint32_t* width, uint32_t* height, uint32_t* bits);

}  // namespace Vantor
