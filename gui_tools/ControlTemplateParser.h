#pragma once
// Turns the node chain of one template element into a control: the description from the
// chain's attributes, the control of the element's kind, its common attributes, its
// fader copied from a fader list of the template root, and its kind's attributes. Every
// attribute is optional; an unknown kind or an unknown fader is fatal.
//
// A node chain lists the elements that describe one control, the most specific first;
// an attribute comes from the first element that has it.

#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"
#include "gui_tools/GUIControlLists.h"

namespace GameTools {
class DataKeeper;
class XMLNode;
class XMLValue;
}  // namespace GameTools

namespace GUITools {

class GUIFontTool;
class GUITextTool;

class ControlTemplateParser {
public:
    using NodeChain = std::vector<GameTools::XMLNode*>;

    // The new controls go into the lists.
    ControlTemplateParser(GameTools::DataKeeper* keeper, GUIFontTool* fontTool, GUITextTool* textTool,
                          GameTools::XMLNode* templateRoot, GUIControlLists& lists);

    // The value of the first element of the chain that has the attribute, or null.
    static GameTools::XMLValue* FindAttribute(const NodeChain& chain, const std::string& attribute);

    // The control of the chain's first element's kind below the parent element, already
    // owned by the lists.
    GUIControl& CreateControl(const NodeChain& chain, const std::string& fullName, Vantor::GUIWindow* parent);

private:
    static GUIControlDescription Describe(const NodeChain& chain, const std::string& fullName);
    // Makes the control, owned by the lists from here on.
    template <class Control, class... Arguments>
    Control& Make(std::vector<Control*>& kindList, Arguments&&... arguments);
    void ApplyCommon(GUIControl& control, const NodeChain& chain) const;
    void ApplyFader(GUIControl& control, const std::string& faderName) const;
    GameTools::XMLNode* FindFader(const std::string& faderName) const;
    static void ApplyText(GUITextControl& control, const NodeChain& chain);
    static void ApplyEditBox(GUIEditBoxControl& control, const NodeChain& chain);
    static void ApplySlider(GUISliderControl& control, const NodeChain& chain);
    static void ApplyScroll(GUIScrollControl& control, const NodeChain& chain);
    using SetButtonLook = void (GUIScrollControl::*)(const std::string&, const std::string&, const Vantor::Vector2&);
    // An arrow's look, then its place, from the attributes of its prefix.
    static void ApplyScrollButton(GUIScrollControl& control, const NodeChain& chain, const std::string& prefix,
                                  SetButtonLook setLook, GUIScrollControl::ButtonPlace& place);

    GameTools::DataKeeper* keeper_;      // not owned
    GUIFontTool* fontTool_;              // not owned
    GUITextTool* textTool_;              // not owned
    GameTools::XMLNode* templateRoot_;   // not owned
    GUIControlLists& lists_;
};

}  // namespace GUITools
