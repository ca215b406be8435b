#pragma once
// One window built from the window templates of the tool manager. The layout name names
// a top element of the template root; that element, the templates it names ("template"),
// and recursively every child element make one control each over a GUI element below
// the window's root. Controls are reached by their full name: the layout name, then
// each child's "name" joined by "/".
//
// A control's description is its node chain: the element found below each element of
// its parent's chain, each followed by the templates it names, depth first; the first
// element decides the kind and the first that has an attribute gives it. Template
// errors end the run: an unknown layout, a template reference that leads back into the
// elements being followed, a child without "name", an unknown kind or fader.
//
// The window is shown and hidden through its enabled controls' transitions; once
// hidden, its root disappears in the first update in which no enabled control shows.

#include <cstddef>
#include <string>
#include <vector>

#include "gui_tools/GUIControlLists.h"

namespace GameTools {
class DataKeeper;
class XMLNode;
}  // namespace GameTools

namespace Vantor {
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIScroll;
class GUIWindow;
}  // namespace Vantor

namespace GUITools {

class GUIToolManager;

class GUIWindowBase {
public:
    using NodeChain = std::vector<GameTools::XMLNode*>;

    // Controls beyond this many in one window end the run: templates that lend their
    // children along many routes could otherwise grow a window without bound.
    static constexpr std::size_t kMaxControls = 4096;

    // The parent may be null (a root window).
    GUIWindowBase(GameTools::DataKeeper* keeper, GUIToolManager* tools, Vantor::GUIWindow* parent,
                  const std::string& layoutName);
    // The controls in creation order, then the root.
    virtual ~GUIWindowBase();
    GUIWindowBase(const GUIWindowBase&) = delete;
    GUIWindowBase& operator=(const GUIWindowBase&) = delete;

    // Updates the controls while the root is visible, and hides the root once no enabled
    // control is shown.
    virtual void Update();
    // Shows or hides every enabled control with its actions; showing also shows the root.
    virtual void Show(bool show);
    virtual bool IsVisible() const;

    // The lookups by full name log an error line and answer null (false) for a name that
    // is no control of their kind.
    GUITextControl* GetTextControl(const std::string& name) const;
    GUIScrollControl* GetScrollControl(const std::string& name) const;
    GUIEditBoxControl* GetEditBoxControl(const std::string& name) const;
    GUICheckBoxControl* GetCheckBoxControl(const std::string& name) const;
    GUIButtonControl* GetButtonControl(const std::string& name) const;
    GUIWindowControl* GetWindowControl(const std::string& name) const;
    GUIControl* GetControl(const std::string& name) const;
    bool IsControlEnabled(const std::string& name) const;
    bool IsControlEnabled(const GUIControl& control) const;
    // A disabled control hides at once and takes no part in showing the window; an
    // enabled one shows again from the window's next Show.
    void EnableControl(const std::string& name, bool enable);
    void EnableControl(const GUIControl& control, bool enable);
    // Silent.
    bool HasTextControl(const std::string& name) const;
    bool HasWindowControl(const std::string& name) const;

    // The GUI elements of the controls, null after the lookup's error line.
    Vantor::GUIButton* GetButton(const std::string& name) const;
    Vantor::GUICheckBox* GetCheckBox(const std::string& name) const;
    Vantor::GUIEditBox* GetEditBox(const std::string& name) const;
    Vantor::GUIScroll* GetScroll(const std::string& name) const;
    Vantor::GUIWindow* GetWindow(const std::string& name) const;

    Vantor::GUIWindow* GetRoot() const { return root_; }
    const std::string& GetLayoutName() const { return layoutName_; }
    // Every control in creation order: a control before its children.
    const std::vector<std::unique_ptr<GUIControl>>& GetControls() const { return lists_.controls; }

protected:
    GameTools::DataKeeper* keeper_;  // not owned
    GUIToolManager* tools_;          // not owned
    GUIFontTool* fontTool_;          // the tool manager's
    GUITextTool* textTool_;          // the tool manager's

private:
    // Builds the control `name` below the parent chain, and its subtree.
    void ParseControls(GameTools::XMLNode* templateRoot, const NodeChain& parentChain, const std::string& name,
                       const std::string& parentPath, Vantor::GUIWindow* parentWindow);
    // Appends the chain of the control `name` below the parent chain to `chain`.
    void ResolveTemplates(GameTools::XMLNode* templateRoot, const NodeChain& parentChain, const std::string& name,
                          NodeChain& chain);
    // Follows an element's "template" reference into the chain.
    void FollowTemplate(GameTools::XMLNode* templateRoot, GameTools::XMLNode* element, NodeChain& chain);
    // The names of the children of every element of the chain, each once, in chain and
    // document order.
    static std::vector<std::string> CollectChildNames(const NodeChain& chain);
    // The index in the controls list, or the list's size.
    std::size_t IndexOf(const std::string& name) const;
    template <class Control>
    Control* Find(const std::vector<Control*>& list, const std::string& name, const char* lookup) const;
    static void ReportUnknown(const char* lookup, const std::string& name);
    [[noreturn]] static void ReportCycle(const std::string& templateName);
    void DestroyControls();

    Vantor::GUIWindow* root_ = nullptr;  // the GUI manager's, destroyed here
    std::string layoutName_;
    GUIControlLists lists_;
    std::vector<bool> enabled_;  // parallel to the controls
    bool shown_ = false;
    // While building: the elements whose templates are being followed, and the first
    // element of every control whose children are being built.
    NodeChain following_;
    NodeChain building_;
};

}  // namespace GUITools
