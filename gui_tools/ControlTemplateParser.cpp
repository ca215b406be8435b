#include "gui_tools/ControlTemplateParser.h"

#include <functional>
#include <memory>
#include <utility>

#include "engine/kernel/MessageManager.h"
#include "tools/XMLNode.h"
#include "tools/XMLValue.h"

namespace GUITools {

namespace {

using NodeChain = ControlTemplateParser::NodeChain;

// Calls apply with the attribute's value when the chain has it.
template <class Apply>
void IfPresent(const NodeChain& chain, const std::string& attribute, Apply apply) {
    if (const GameTools::XMLValue* value = ControlTemplateParser::FindAttribute(chain, attribute)) apply(*value);
}

std::string TextOr(const NodeChain& chain, const std::string& attribute, const std::string& fallback) {
    const GameTools::XMLValue* value = ControlTemplateParser::FindAttribute(chain, attribute);
    return value ? value->GetString() : fallback;
}

int IntOr(const NodeChain& chain, const std::string& attribute, int fallback) {
    const GameTools::XMLValue* value = ControlTemplateParser::FindAttribute(chain, attribute);
    return value ? value->GetInt() : fallback;
}

Vantor::Vector2 Float2Or(const NodeChain& chain, const std::string& attribute, const Vantor::Vector2& fallback) {
    const GameTools::XMLValue* value = ControlTemplateParser::FindAttribute(chain, attribute);
    return value ? value->GetFloat2() : fallback;
}

const Vantor::Vector2 kUnitUv{1.0f, 1.0f};

}  // namespace

ControlTemplateParser::ControlTemplateParser(GameTools::DataKeeper* keeper, GUIFontTool* fontTool,
                                             GUITextTool* textTool, GameTools::XMLNode* templateRoot,
                                             GUIControlLists& lists)
    : keeper_(keeper), fontTool_(fontTool), textTool_(textTool), templateRoot_(templateRoot), lists_(lists) {}

GameTools::XMLValue* ControlTemplateParser::FindAttribute(const NodeChain& chain, const std::string& attribute) {
    for (const GameTools::XMLNode* element : chain) {
        if (GameTools::XMLValue* value = element->GetAttribute(attribute, GameTools::XMLNode::kReportSilent))
            return value;
    }
    return nullptr;
}

GUIControlDescription ControlTemplateParser::Describe(const NodeChain& chain, const std::string& fullName) {
    GUIControlDescription description;
    description.name = fullName;
    description.model = TextOr(chain, "model", "");
    description.modelStartFrame = IntOr(chain, "model_start_frame", GUIControlDescription::kNoFrame);
    description.modelEndFrame = IntOr(chain, "model_end_frame", GUIControlDescription::kNoFrame);
    description.shader = TextOr(chain, "shader", "");
    description.uv = Float2Or(chain, "uv", kUnitUv);
    description.animatorModel = TextOr(chain, "animator_model", "");
    description.animatorStartFrame = IntOr(chain, "animator_model_start_frame", GUIControlDescription::kNoFrame);
    description.animatorEndFrame = IntOr(chain, "animator_model_end_frame", GUIControlDescription::kNoFrame);
    return description;
}

template <class Control, class... Arguments>
Control& ControlTemplateParser::Make(std::vector<Control*>& kindList, Arguments&&... arguments) {
    auto control = std::make_unique<Control>(std::forward<Arguments>(arguments)...);
    Control& made = *control;
    lists_.controls.push_back(std::move(control));
    kindList.push_back(&made);
    return made;
}

GUIControl& ControlTemplateParser::CreateControl(const NodeChain& chain, const std::string& fullName,
                                                 Vantor::GUIWindow* parent) {
    const GUIControlDescription description = Describe(chain, fullName);
    const std::string& kind = chain.front()->name;
    GUIControl* control = nullptr;
    // The kind's own attributes come after the common ones and the fader.
    std::function<void()> applyKindAttributes;
    if (kind == "window") {
        control = &Make(lists_.windows, keeper_, parent, description);
    } else if (kind == "button") {
        control = &Make(lists_.buttons, keeper_, parent, description);
    } else if (kind == "check_box") {
        control = &Make(lists_.checkBoxes, keeper_, parent, description);
    } else if (kind == "edit_box") {
        GUIEditBoxControl& editBox = Make(lists_.editBoxes, keeper_, fontTool_, parent, description);
        applyKindAttributes = [&editBox, &chain] { ApplyEditBox(editBox, chain); };
        control = &editBox;
    } else if (kind == "slider") {
        GUISliderControl& slider = Make(lists_.sliders, keeper_, parent, description);
        applyKindAttributes = [&slider, &chain] { ApplySlider(slider, chain); };
        control = &slider;
    } else if (kind == "scroll") {
        GUIScrollControl& scroll = Make(lists_.scrolls, keeper_, parent, description);
        applyKindAttributes = [&scroll, &chain] { ApplyScroll(scroll, chain); };
        control = &scroll;
    } else if (kind == "text_label") {
        GUITextControl& text = Make(lists_.texts, keeper_, fontTool_, textTool_, parent, description);
        applyKindAttributes = [&text, &chain] { ApplyText(text, chain); };
        control = &text;
    } else {
        Vantor::MessageManager::Instance()->PrintFatalError("(GUIWindowBase::ParseControls): Unknown \"" + kind +
                                                            "\" control type");
    }
    ApplyCommon(*control, chain);
    if (applyKindAttributes) applyKindAttributes();
    return *control;
}

void ControlTemplateParser::ApplyCommon(GUIControl& control, const NodeChain& chain) const {
    using GameTools::XMLValue;
    IfPresent(chain, "show_action", [&](const XMLValue& v) { control.SetShowAction(v.GetString()); });
    IfPresent(chain, "hide_action", [&](const XMLValue& v) { control.SetHideAction(v.GetString()); });
    IfPresent(chain, "height", [&](const XMLValue& v) { control.SetOrder(v.GetInt()); });
    IfPresent(chain, "position", [&](const XMLValue& v) { control.SetPosition(v.GetFloat2()); });
    IfPresent(chain, "size", [&](const XMLValue& v) { control.SetSize(v.GetFloat2()); });
    IfPresent(chain, "selection_position", [&](const XMLValue& v) {
        control.SetSelection(true, v.GetFloat2(), control.GetSelectionSize());
    });
    IfPresent(chain, "selection_size", [&](const XMLValue& v) {
        control.SetSelection(true, control.GetSelectionPosition(), v.GetFloat2());
    });
    IfPresent(chain, "fader", [&](const XMLValue& v) {
        if (!v.GetString().empty()) ApplyFader(control, v.GetString());
    });
}

GameTools::XMLNode* ControlTemplateParser::FindFader(const std::string& faderName) const {
    for (const GameTools::XMLNode* list : templateRoot_->children) {
        if (list->name != "faders") continue;
        for (GameTools::XMLNode* fader : list->children) {
            const GameTools::XMLValue* name = fader->GetAttribute("name", GameTools::XMLNode::kReportSilent);
            if (fader->name == "fader" && name && name->GetString() == faderName) return fader;
        }
    }
    return nullptr;
}

void ControlTemplateParser::ApplyFader(GUIControl& control, const std::string& faderName) const {
    GameTools::XMLNode* fader = FindFader(faderName);
    if (!fader) {
        Vantor::MessageManager::Instance()->PrintFatalError("(GUIWindowBase::ParseControls): Unknown \"" + faderName +
                                                            "\" fader");
    }
    const NodeChain alone{fader};
    using GameTools::XMLValue;
    control.SetFader(faderName);
    IfPresent(alone, "type", [&](const XMLValue& v) { control.SetFaderType(v.GetString()); });
    IfPresent(alone, "show_speed", [&](const XMLValue& v) { control.SetShowSpeed(v.GetFloat()); });
    IfPresent(alone, "hide_speed", [&](const XMLValue& v) { control.SetHideSpeed(v.GetFloat()); });
    IfPresent(alone, "min", [&](const XMLValue& v) { control.SetFaderMin(v.GetFloat()); });
    IfPresent(alone, "max", [&](const XMLValue& v) { control.SetFaderMax(v.GetFloat()); });
    IfPresent(alone, "fade_offset", [&](const XMLValue& v) { control.SetFadeOffset(v.GetFloat()); });
    IfPresent(alone, "show_offset", [&](const XMLValue& v) { control.SetShowOffset(v.GetFloat()); });
    IfPresent(alone, "hide_offset", [&](const XMLValue& v) { control.SetHideOffset(v.GetFloat()); });
}

void ControlTemplateParser::ApplyText(GUITextControl& control, const NodeChain& chain) {
    using GameTools::XMLValue;
    IfPresent(chain, "alignment_h", [&](const XMLValue& v) { control.horizontalAlignment = v.GetString(); });
    IfPresent(chain, "alignment_v", [&](const XMLValue& v) { control.verticalAlignment = v.GetString(); });
    IfPresent(chain, "font", [&](const XMLValue& v) { control.SetFont(v.GetString()); });
    IfPresent(chain, "text", [&](const XMLValue& v) { control.SetText(v.GetString()); });
    IfPresent(chain, "color", [&](const XMLValue& v) { control.colour = Vantor::Color(v.GetFloat4()); });
    IfPresent(chain, "angle", [&](const XMLValue& v) { control.angle = v.GetFloat(); });
    IfPresent(chain, "font_size", [&](const XMLValue& v) {
        control.fontSize = v.GetFloat();
        control.Layout();
    });
    IfPresent(chain, "multiline", [&](const XMLValue& v) {
        control.multiline = v.GetBool();
        control.Layout();
    });
    IfPresent(chain, "line_space", [&](const XMLValue& v) { control.lineSpace = v.GetFloat(); });
    IfPresent(chain, "printing_mode", [&](const XMLValue& v) { control.printingMode = v.GetBool(); });
    IfPresent(chain, "printing_speed", [&](const XMLValue& v) { control.printingSpeed = v.GetFloat(); });
    IfPresent(chain, "max_printing_time", [&](const XMLValue& v) { control.maxPrintingTime = v.GetFloat(); });
    IfPresent(chain, "auto_font_size", [&](const XMLValue& v) {
        control.autoFontSize = v.GetBool();
        control.Layout();
    });
}

void ControlTemplateParser::ApplyEditBox(GUIEditBoxControl& control, const NodeChain& chain) {
    using GameTools::XMLValue;
    IfPresent(chain, "font", [&](const XMLValue& v) { control.SetFont(v.GetString()); });
    IfPresent(chain, "font_color", [&](const XMLValue& v) { control.fontColour = Vantor::Color(v.GetFloat4()); });
    IfPresent(chain, "text_offset", [&](const XMLValue& v) { control.textOffset = v.GetFloat2(); });
    IfPresent(chain, "cursor_character", [&](const XMLValue& v) { control.SetCursorCharacter(v.GetWideString()); });
    IfPresent(chain, "max_character_count", [&](const XMLValue& v) { control.maxCharacterCount = v.GetInt(); });
    IfPresent(chain, "max_text_length", [&](const XMLValue& v) { control.maxTextLength = v.GetFloat(); });
    IfPresent(chain, "visible_text_width", [&](const XMLValue& v) { control.visibleTextWidth = v.GetFloat(); });
}

void ControlTemplateParser::ApplySlider(GUISliderControl& control, const NodeChain& chain) {
    using GameTools::XMLValue;
    control.SetThumbLook(TextOr(chain, "toddler_model", ""), TextOr(chain, "toddler_shader", ""),
                         Float2Or(chain, "toddler_uv", kUnitUv));
    IfPresent(chain, "toddler_size", [&](const XMLValue& v) { control.thumbSize = v.GetFloat2(); });
    IfPresent(chain, "toddler_min_position", [&](const XMLValue& v) { control.thumbMinPosition = v.GetFloat2(); });
    IfPresent(chain, "toddler_max_position", [&](const XMLValue& v) { control.thumbMaxPosition = v.GetFloat2(); });
    IfPresent(chain, "orientation", [&](const XMLValue& v) { control.orientation = v.GetString(); });
    IfPresent(chain, "toddler_selection_position", [&](const XMLValue& v) {
        control.thumbHasSelection = true;
        control.thumbSelectionPosition = v.GetFloat2();
    });
    IfPresent(chain, "toddler_selection_size", [&](const XMLValue& v) {
        control.thumbHasSelection = true;
        control.thumbSelectionSize = v.GetFloat2();
    });
}

void ControlTemplateParser::ApplyScrollButton(GUIScrollControl& control, const NodeChain& chain,
                                              const std::string& prefix, SetButtonLook setLook,
                                              GUIScrollControl::ButtonPlace& place) {
    using GameTools::XMLValue;
    (control.*setLook)(TextOr(chain, prefix + "model", ""), TextOr(chain, prefix + "shader", ""),
                       Float2Or(chain, prefix + "uv", kUnitUv));
    IfPresent(chain, prefix + "size", [&](const XMLValue& v) { place.size = v.GetFloat2(); });
    IfPresent(chain, prefix + "position", [&](const XMLValue& v) { place.position = v.GetFloat2(); });
    IfPresent(chain, prefix + "selection_position", [&](const XMLValue& v) {
        place.hasSelection = true;
        place.selectionPosition = v.GetFloat2();
    });
    IfPresent(chain, prefix + "selection_size", [&](const XMLValue& v) {
        place.hasSelection = true;
        place.selectionSize = v.GetFloat2();
    });
}

void ControlTemplateParser::ApplyScroll(GUIScrollControl& control, const NodeChain& chain) {
    ApplySlider(control, chain);
    ApplyScrollButton(control, chain, "increase_button_", &GUIScrollControl::SetIncreaseButtonLook,
                      control.increaseButton);
    ApplyScrollButton(control, chain, "decrease_button_", &GUIScrollControl::SetDecreaseButtonLook,
                      control.decreaseButton);
    IfPresent(chain, "buttons_alignment",
              [&](const GameTools::XMLValue& v) { control.buttonsAlignment = v.GetString(); });
}

}  // namespace GUITools
