#include "tests/content/lint/StoryLint.h"

#include <memory>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "gui_tools/GUIControlDescription.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace contentlint {

namespace {

constexpr const char* kTextTable = "texts\\texts.xml";
constexpr const char* kBalloonFont = "common_2";
// The balloons' text areas.
const Vantor::Vector2 kSmall(207.0f, 84.0f), kBig(253.0f, 104.0f), kVeryBig(303.0f, 104.0f);
// The house window's answer lines: a slice of the girl's big and very big balloons.
const Vantor::Vector2 kAnswer(253.0f, 104.0f * 0.16f), kOffer(303.0f, 104.0f * 0.18f);

const std::vector<std::string> kEvents{
    "first_upgrade", "start_build", "first_build", "cafe_last_upgrade_with_house", "cafe_last_upgrade_without_house",
    "house_last_build_with_cafe", "house_last_build_without_cafe", "trip",
};

std::string Step(const std::string& speaker, const std::string& event, int step) {
    return "start_game/" + speaker + "_" + event + "_" + std::to_string(step);
}

}  // namespace

StoryLint::StoryLint(GameTools::DataKeeper& keeper, const std::set<std::string>& modelKeys,
                     const std::set<std::string>& shaderKeys)
    : keeper_(keeper), modelKeys_(modelKeys), shaderKeys_(shaderKeys) {}

std::vector<std::string> StoryLint::Run() {
    problems_.clear();
    GUITools::GUIToolManager tools;
    tools_ = &tools;
    const GUITools::GUITextTool& texts = *tools.GetTextTool();

    std::vector<std::string> events = kEvents;
    for (int cafeClass = 1; cafeClass <= 5; ++cafeClass) events.push_back("cafe_class_changed_" + std::to_string(cafeClass));
    const std::size_t levels = ChildNames(L"game_objects\\character.xml", "qualification").size();
    for (std::size_t level = 1; level < levels; ++level) events.push_back("qualification_changed_" + std::to_string(level));
    for (const std::string& event : events) {
        if (!texts.HasText(Step("owner", event, 0)) && !texts.HasText(Step("girl", event, 0)))
            Problem("dialogue \"" + event + "\" has no step 0");
        for (int step = 0; texts.HasText(Step("owner", event, step)) || texts.HasText(Step("girl", event, step)); ++step) {
            const std::string owner = Step("owner", event, step), girl = Step("girl", event, step);
            if (texts.HasText(owner)) Fit({owner, texts.GetText(owner).size() < kOwnerShortLimit ? kSmall : kBig});
            if (texts.HasText(girl)) Fit({girl, kSmall});
        }
    }

    const std::vector<Line> lines{
        {"start_game/owner_first_play", kSmall},
        {"start_game/owner_upgrade_0", kBig},
        {"start_game/owner_last_task_prepare", kSmall, true, L"MONEY", L"5000"},
        {"start_game/girl_want_build", kSmall},
        {"start_game/girl_want_upgrade", kSmall},
        {"upgrade/mechanic_buy", kSmall},
        {"upgrade/mechanic_can_buy", kSmall},
        {"upgrade/mechanic_low_qualification", kBig},
        {"upgrade/mechanic_no_money", kBig},
        {"meeting/owner_hello", kSmall},
        {"meeting/girl_hello", kSmall},
        {"meeting/owner_how_fly", kSmall},
        {"meeting/girl_how_fly", kSmall},
        {"mechanic/mechanic_hello", kSmall},
        {"mechanic/girl_hello", kSmall},
        {"mechanic/mechanic_text_0", kSmall},
        {"mechanic/girl_text_1", kSmall},
        {"build/worker_hello_0", kSmall},
        {"build/worker_hello_1", kSmall},
        {"build/girl_hello", kSmall},
        {"build/meeting_worker_build_0", kSmall},
        {"build/meeting_worker_build_1", kBig},
        {"build/meeting_girl_build", kSmall},
        {"build/girl_build", kAnswer, false},
        {"build/girl_do_nothing", kAnswer, false},
        {"build/girl_my_money", kOffer, false, L"MONEY", L"99999"},
        {"build/girl_build_nothing", kOffer, false},
        {"build/worker_upgrade_list", kSmall},
        {"build/worker_build_no_money", kSmall},
        {"build/worker_build_done", kSmall},
        {"build/girl_build_done", kSmall},
        {"build/worker_something_else", kSmall},
        {"build/girl_build_all_done", kSmall},
        {"build/worker_build_all_done", kSmall},
        // The comic's balloon text areas, as its script places them.
        {"introduction/balloon_0", {207.0f, 85.0f}},
        {"introduction/balloon_1", {252.0f, 105.0f}},
        {"introduction/balloon_2", {206.0f, 86.0f}},
        {"introduction/balloon_3", {252.0f, 105.0f}},
        {"introduction/balloon_4", {254.0f, 105.0f}},
        {"introduction/balloon_5", {206.0f, 85.0f}},
        {"introduction/balloon_6", {208.0f, 85.0f}},
        {"introduction/balloon_7", {215.0f, 94.0f}},
    };
    for (const Line& line : lines) Fit(line);
    Require("build/worker_build_cost");
    for (const std::string& upgrade : ChildNames(L"house\\upgrades.xml", ""))
        Fit({"build/worker_build_" + upgrade, kOffer, false, L"COST", L"99999", "build/worker_build_cost"});
    for (const char* key : {"credits/title", "credits/game_design", "credits/programming", "credits/modeling_and_art",
                            "credits/sound", "final/game_design_0", "final/game_design_1", "final/game_design_2",
                            "final/programming_0", "final/modeling_and_art_0", "final/modeling_and_art_1",
                            "final/modeling_and_art_2", "final/modeling_and_art_3", "final/sound_0", "final/sound_1",
                            "final/the_end"})
        Require(key);
    tools_ = nullptr;
    CheckCharacters();
    return problems_;
}

// The portraits' models and pose pictures, and the balloons of both character names.
void StoryLint::CheckCharacters() {
    const std::string prefix = "ui/characters/";
    for (const char* portrait : {"main_menu_npc", "main_menu_girl", "build_worker", "build_girl"})
        if (!modelKeys_.count(prefix + portrait)) Problem("portrait model \"" + prefix + portrait + "\" is missing");
    for (const char* pose : {"owner_hello", "owner_stand", "owner_look", "mechanic_hello", "mechanic_stand", "girl_hello",
                             "girl_stand", "girl_miss", "girl_look", "worker_hello", "worker_stand", "worker_miss",
                             "worker_look"})
        if (!shaderKeys_.count(prefix + pose)) Problem("pose picture \"" + prefix + pose + "\" is missing");
    for (const char* balloon : {"main_menu_balloon_left_small", "main_menu_balloon_right_small",
                                "main_menu_balloon_right_big", "build_balloon_left_small", "build_balloon_left_big",
                                "build_balloon_right_small", "build_balloon_right_big", "build_balloon_right_very_big"})
        if (!modelKeys_.count(prefix + balloon)) Problem("balloon model \"" + prefix + balloon + "\" is missing");
}

void StoryLint::Require(const std::string& key) {
    if (!tools_->GetTextTool()->HasText(key)) Problem("text key \"" + key + "\" that the story names is missing");
}

// Laid out as a balloon lays out its line: the balloon font, centred, automatic size.
void StoryLint::Fit(const Line& line) {
    const GUITools::GUITextTool& texts = *tools_->GetTextTool();
    Require(line.key);
    if (!texts.HasText(line.key)) return;
    std::wstring text = texts.GetText(line.key);
    if (!line.suffixKey.empty()) text += texts.GetText(line.suffixKey);
    if (!line.parameter.empty()) Vantor::ReplaceAllNoCase(text, L"%" + line.parameter + L"%", line.value);
    GUITools::GUIControlDescription description;
    description.name = "text";
    GUITools::GUITextControl control(&keeper_, tools_->GetFontTool(), tools_->GetTextTool(), nullptr, description);
    control.horizontalAlignment = "center";
    control.verticalAlignment = "center";
    control.multiline = line.multiline;
    control.SetFont(kBalloonFont);
    control.SetSize(line.area);
    control.SetLiteralText(text);
    control.autoFontSize = true;
    control.Layout();
    const bool fits = control.lines.extent.x <= line.area.x && control.lines.extent.y <= line.area.y;
    if (!fits || control.currentFontSize < kSmallestSize)
        Problem("\"" + line.key + "\" does not fit its balloon's " + std::to_string(int(line.area.x)) + "x" +
                std::to_string(int(line.area.y)) + " units at " + std::to_string(int(kSmallestSize)) +
                " units or more (" + std::to_string(control.currentFontSize) + ")");
}

// The names of the children of the file's document element's child (or of the
// document element itself for ""), in document order.
std::vector<std::string> StoryLint::ChildNames(const std::wstring& file, const std::string& element) const {
    GameTools::XMLNode* root = nullptr;
    GameTools::XMLParser().ParseFile(root, Vantor::FileManager::Instance()->GetDataPath(file));
    std::unique_ptr<GameTools::XMLNode> document(root);
    std::vector<std::string> names;
    const GameTools::XMLNode* parent =
        !document || element.empty() ? document.get() : document->GetChild(element, GameTools::XMLNode::kReportSilent);
    if (!parent) return names;
    std::vector<GameTools::XMLNode*> children;
    parent->GetChildren(children);
    for (const GameTools::XMLNode* child : children) names.push_back(child->name);
    return names;
}

void StoryLint::Problem(const std::string& what) { problems_.push_back(std::string(kTextTable) + ": " + what); }

}  // namespace contentlint
