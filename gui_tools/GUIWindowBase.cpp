#include "gui_tools/GUIWindowBase.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "gui_tools/ControlTemplateParser.h"
#include "gui_tools/GUIToolManager.h"
#include "tools/XMLNode.h"

namespace GUITools {

namespace {

// The GUI element flag that shows it.
constexpr std::uint32_t kShownFlag = 1;

// The value of the element's "name", or null.
const GameTools::XMLValue* NameOf(const GameTools::XMLNode& element) {
    return element.GetAttribute("name", GameTools::XMLNode::kReportSilent);
}

// The first child of the parent whose "name" is exactly the name, or null.
GameTools::XMLNode* FindNamedChild(const GameTools::XMLNode& parent, const std::string& name) {
    for (GameTools::XMLNode* child : parent.children) {
        const GameTools::XMLValue* childName = NameOf(*child);
        if (childName && childName->GetString() == name) return child;
    }
    return nullptr;
}

// The "name" of the top element the element belongs to.
std::string TopName(const GameTools::XMLNode& element) {
    const GameTools::XMLNode* top = &element;
    while (top->parent && top->parent->parent) top = top->parent;
    const GameTools::XMLValue* name = NameOf(*top);
    return name ? name->GetString() : top->name;
}

bool Contains(const std::vector<GameTools::XMLNode*>& elements, const GameTools::XMLNode* element) {
    return std::find(elements.begin(), elements.end(), element) != elements.end();
}

}  // namespace

GUIWindowBase::GUIWindowBase(GameTools::DataKeeper* keeper, GUIToolManager* tools, Vantor::GUIWindow* parent,
                             const std::string& layoutName)
    : keeper_(keeper),
      tools_(tools),
      fontTool_(tools->GetFontTool()),
      textTool_(tools->GetTextTool()),
      root_(Vantor::GUIManager::Instance()->CreateWindow(0, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr, nullptr, parent)),
      layoutName_(layoutName) {
    GameTools::XMLNode* templateRoot = tools->GetTemplateRoot();
    try {
        if (!FindNamedChild(*templateRoot, layoutName)) {
            Vantor::MessageManager::Instance()->PrintFatalError("(GUIWindowBase::GUIWindowBase): Unknown \"" +
                                                                layoutName + "\" window layout");
        }
        ParseControls(templateRoot, {templateRoot}, layoutName, "", root_);
    } catch (...) {
        DestroyControls();
        throw;
    }
}

GUIWindowBase::~GUIWindowBase() { DestroyControls(); }

void GUIWindowBase::DestroyControls() {
    for (std::unique_ptr<GUIControl>& control : lists_.controls) control.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(root_);
    root_ = nullptr;
}

void GUIWindowBase::ResolveTemplates(GameTools::XMLNode* templateRoot, const NodeChain& parentChain,
                                     const std::string& name, NodeChain& chain) {
    for (const GameTools::XMLNode* parent : parentChain) {
        GameTools::XMLNode* element = FindNamedChild(*parent, name);
        // A second occurrence, and the templates that followed the first, add nothing.
        if (!element || Contains(chain, element)) continue;
        chain.push_back(element);
        FollowTemplate(templateRoot, element, chain);
    }
}

void GUIWindowBase::FollowTemplate(GameTools::XMLNode* templateRoot, GameTools::XMLNode* element, NodeChain& chain) {
    const GameTools::XMLValue* reference = element->GetAttribute("template", GameTools::XMLNode::kReportSilent);
    if (!reference) return;
    const std::string& templateName = reference->GetString();
    following_.push_back(element);
    if (Contains(following_, FindNamedChild(*templateRoot, templateName))) ReportCycle(templateName);
    ResolveTemplates(templateRoot, {templateRoot}, templateName, chain);
    following_.pop_back();
}

void GUIWindowBase::ReportCycle(const std::string& templateName) {
    Vantor::MessageManager::Instance()->PrintFatalError("(GUIWindowBase::ResolveTemplates): Template \"" +
                                                        templateName + "\" leads back to itself");
}

std::vector<std::string> GUIWindowBase::CollectChildNames(const NodeChain& chain) {
    std::vector<std::string> names;
    for (const GameTools::XMLNode* element : chain) {
        for (const GameTools::XMLNode* child : element->children) {
            const GameTools::XMLValue* name = NameOf(*child);
            if (!name) {
                Vantor::MessageManager::Instance()->PrintFatalError(
                    "(GUIWindowBase::ParseControls): Failed to find attribute \"name\" in node with \"" + child->name +
                    "\" name");
            }
            if (std::find(names.begin(), names.end(), name->GetString()) == names.end())
                names.push_back(name->GetString());
        }
    }
    return names;
}

void GUIWindowBase::ParseControls(GameTools::XMLNode* templateRoot, const NodeChain& parentChain,
                                  const std::string& name, const std::string& parentPath,
                                  Vantor::GUIWindow* parentWindow) {
    NodeChain chain;
    ResolveTemplates(templateRoot, parentChain, name, chain);
    if (chain.front()->name == "fader") return;
    // An element that describes one of the control's ancestors would repeat their
    // subtree without end.
    if (Contains(building_, chain.front())) ReportCycle(TopName(*chain.front()));
    const std::string fullName = parentPath.empty() ? name : parentPath + "/" + name;
    if (lists_.controls.size() >= kMaxControls) {
        Vantor::MessageManager::Instance()->PrintFatalError("(GUIWindowBase::ParseControls): Window \"" + layoutName_ +
                                                            "\" has more than " + std::to_string(kMaxControls) +
                                                            " controls");
    }
    GUIControl& control =
        ControlTemplateParser(keeper_, fontTool_, textTool_, templateRoot, lists_).CreateControl(chain, fullName,
                                                                                                 parentWindow);
    enabled_.push_back(true);
    building_.push_back(chain.front());
    for (const std::string& childName : CollectChildNames(chain))
        ParseControls(templateRoot, chain, childName, fullName, control.GetWindow());
    building_.pop_back();
    shown_ = false;
}

void GUIWindowBase::Update() {
    if (!root_->IsVisible()) return;
    bool anyShown = false;
    for (std::size_t index = 0; index < lists_.controls.size(); ++index) {
        GUIControl& control = *lists_.controls[index];
        control.Update();
        if (enabled_[index] && control.IsShown()) anyShown = true;
    }
    if (!anyShown) root_->ClearFlags(kShownFlag);
}

void GUIWindowBase::Show(bool show) {
    shown_ = show;
    if (show) root_->SetFlags(kShownFlag);
    for (std::size_t index = 0; index < lists_.controls.size(); ++index) {
        if (enabled_[index]) lists_.controls[index]->Show(show, true);
    }
}

bool GUIWindowBase::IsVisible() const { return root_->IsVisible(); }

std::size_t GUIWindowBase::IndexOf(const std::string& name) const {
    std::size_t index = 0;
    while (index < lists_.controls.size() && lists_.controls[index]->GetName() != name) ++index;
    return index;
}

void GUIWindowBase::ReportUnknown(const char* lookup, const std::string& name) {
    Vantor::MessageManager::Instance()->PrintError(std::string("(GUIWindowBase::") + lookup + "): Unknown \"" + name +
                                                   "\" control");
}

template <class Control>
Control* GUIWindowBase::Find(const std::vector<Control*>& list, const std::string& name, const char* lookup) const {
    for (Control* control : list) {
        if (control->GetName() == name) return control;
    }
    if (lookup) ReportUnknown(lookup, name);
    return nullptr;
}

GUITextControl* GUIWindowBase::GetTextControl(const std::string& name) const {
    return Find(lists_.texts, name, "GetTextControl");
}

GUIScrollControl* GUIWindowBase::GetScrollControl(const std::string& name) const {
    return Find(lists_.scrolls, name, "GetScrollControl");
}

GUIEditBoxControl* GUIWindowBase::GetEditBoxControl(const std::string& name) const {
    return Find(lists_.editBoxes, name, "GetEditBoxControl");
}

GUICheckBoxControl* GUIWindowBase::GetCheckBoxControl(const std::string& name) const {
    return Find(lists_.checkBoxes, name, "GetCheckBoxControl");
}

GUIButtonControl* GUIWindowBase::GetButtonControl(const std::string& name) const {
    return Find(lists_.buttons, name, "GetButtonControl");
}

GUIWindowControl* GUIWindowBase::GetWindowControl(const std::string& name) const {
    return Find(lists_.windows, name, "GetWindowControl");
}

GUIControl* GUIWindowBase::GetControl(const std::string& name) const {
    const std::size_t index = IndexOf(name);
    if (index < lists_.controls.size()) return lists_.controls[index].get();
    ReportUnknown("GetControl", name);
    return nullptr;
}

bool GUIWindowBase::IsControlEnabled(const std::string& name) const {
    const std::size_t index = IndexOf(name);
    if (index < enabled_.size()) return enabled_[index];
    ReportUnknown("GetControl", name);
    return false;
}

bool GUIWindowBase::IsControlEnabled(const GUIControl& control) const { return IsControlEnabled(control.GetName()); }

void GUIWindowBase::EnableControl(const std::string& name, bool enable) {
    const std::size_t index = IndexOf(name);
    if (index >= enabled_.size()) {
        ReportUnknown("EnableControl", name);
        return;
    }
    enabled_[index] = enable;
    if (enable) return;
    GUIControl& control = *lists_.controls[index];
    control.Show(false, false);
    control.GetWindow()->ClearFlags(kShownFlag);
}

void GUIWindowBase::EnableControl(const GUIControl& control, bool enable) { EnableControl(control.GetName(), enable); }

bool GUIWindowBase::HasTextControl(const std::string& name) const { return Find(lists_.texts, name, nullptr); }

bool GUIWindowBase::HasWindowControl(const std::string& name) const { return Find(lists_.windows, name, nullptr); }

Vantor::GUIButton* GUIWindowBase::GetButton(const std::string& name) const {
    const GUIButtonControl* control = GetButtonControl(name);
    return control ? control->GetButton() : nullptr;
}

Vantor::GUICheckBox* GUIWindowBase::GetCheckBox(const std::string& name) const {
    const GUICheckBoxControl* control = GetCheckBoxControl(name);
    return control ? control->GetCheckBox() : nullptr;
}

Vantor::GUIEditBox* GUIWindowBase::GetEditBox(const std::string& name) const {
    const GUIEditBoxControl* control = GetEditBoxControl(name);
    return control ? control->GetEditBox() : nullptr;
}

Vantor::GUIScroll* GUIWindowBase::GetScroll(const std::string& name) const {
    const GUIScrollControl* control = GetScrollControl(name);
    return control ? control->GetScroll() : nullptr;
}

Vantor::GUIWindow* GUIWindowBase::GetWindow(const std::string& name) const {
    const GUIWindowControl* control = GetWindowControl(name);
    return control ? control->GetWindow() : nullptr;
}

}  // namespace GUITools
