#pragma once
// Builds every layout the game's code opens over the loaded data set, as the game
// builds its windows: the GUI tool manager (fonts, text table, window templates) and
// one GUITools::GUIWindowBase per layout over the data keeper that loaded every
// resource list. A layout must build without a log line, hold every control its
// window's code looks up with the kind the code expects, and no text of it may compose
// to the text table's "***" for a missing key. The text keys the code names itself
// are listed for the text table's check.

#include <set>
#include <string>
#include <vector>

namespace GameTools {
class DataKeeper;
}

namespace contentlint {

class LayoutLint {
public:
    enum class Kind { Any, Window, Button, CheckBox, EditBox, Scroll, Text };
    struct Control {
        std::string path;  // below the layout, from "/"
        Kind kind;
    };
    struct Layout {
        std::string name;
        std::vector<Control> controls;
    };
    static const std::vector<Layout>& Layouts();
    static const std::set<std::string>& CodeTextKeys();

    // Needs a running engine whose data folder the keeper loaded.
    explicit LayoutLint(GameTools::DataKeeper& keeper);

    // "<layout>: <problem>" lines.
    std::vector<std::string> Run() const;

private:
    GameTools::DataKeeper& keeper_;
};

}  // namespace contentlint
