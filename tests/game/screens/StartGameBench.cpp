#include "tests/game/screens/StartGameBench.h"

#include <array>

#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "content/WavWriter.h"
#include "engine/gui/GUIButton.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/screens/DialogueArt.h"

namespace screenstest {

namespace {

using Vantor::Vector2;

std::string Place(const Vector2& position, const Vector2& size) {
    return "position=\"" + std::to_string(position.x) + " " + std::to_string(position.y) + "\" size=\"" +
           std::to_string(size.x) + " " + std::to_string(size.y) + "\"";
}

std::string Label(const std::string& name, const Vector2& position, const Vector2& size, const std::string& text) {
    return "<text_label name=\"" + name + "\" font=\"common\" alignment_h=\"left\" alignment_v=\"center\" " +
           Place(position, size) + " text=\"" + text + "\" />";
}

// A panel with a bar of the model "bar" and a text over it.
std::string Bar(const std::string& name, const Vector2& position, const std::string& text) {
    return "<window name=\"" + name + "\" shader=\"panel\" " + Place(position, {224, 28}) +
           "><window name=\"progress\" model=\"bar\" shader=\"bar_fill\" model_start_frame=\"0\" "
           "model_end_frame=\"0\" " +
           Place({4, 4}, {216, 20}) + " />" + Label("text", {8, 0}, {216, 28}, text) + "</window>";
}

std::string Button(const std::string& name, const Vector2& position, const std::string& title) {
    return "<button name=\"" + name + "\" shader=\"button\" " + Place(position, {200, 48}) +
           "><text_label name=\"title\" font=\"common\" alignment_h=\"center\" alignment_v=\"center\" " +
           Place({0, 0}, {200, 48}) + " text=\"" + title + "\" /></button>";
}

std::string Layout() {
    std::string window = "<window name=\"window_start_game\">" +
                         Label("title", {320, 550}, {200, 40}, "start_game/title") +
                         "<window name=\"window\" shader=\"frame\" " + Place({0, 0}, {800, 600}) + ">";
    for (int i = 0; i < 5; ++i)
        window += "<window name=\"cafe_" + std::to_string(i) + "\" shader=\"star\" " +
                  Place({288.0f + 44.0f * static_cast<float>(i), 352}, {40, 40}) +
                  "><window name=\"progress\" model=\"bar\" shader=\"star_fill\" model_start_frame=\"0\" "
                  "model_end_frame=\"0\" " +
                  Place({0, 0}, {40, 40}) + " /><window name=\"full\" height=\"2\" shader=\"star_full\" " +
                  Place({0, 0}, {40, 40}) +
                  " /></window>";
    for (int i = 0; i < 7; ++i)
        window += "<window name=\"star_experience_" + std::to_string(i) + "\" shader=\"star_frames\" " +
                  Place({288.0f + 32.0f * static_cast<float>(i), 240}, {28, 28}) +
                  "><window name=\"full\" shader=\"star_frames\" " + Place({0, 0}, {28, 28}) + " /></window>";
    window += Bar("experience_progress", {288, 200}, "start_game/experience") +
              Label("experience_max", {288, 200}, {224, 28}, "start_game/experience_max") +
              Bar("mood_progress", {288, 144}, "start_game/mood_2") +
              Label("building_status", {48, 88}, {464, 40}, "start_game/building_status_0") +
              "<window name=\"money\" " + Place({48, 40}, {224, 40}) + ">" +
              Label("text", {0, 0}, {224, 40}, "start_game/money") + "</window>" +
              Button("play", {568, 232}, "'Play'") + Button("button_1", {568, 160}, "start_game/home_build") +
              Button("button_0", {568, 104}, "'Machines'") + Button("back", {568, 32}, "'Back'") + "</window>";
    window += "<window name=\"arrow\" height=\"5\" model=\"arrow\" shader=\"arrow_colour\" " +
              Place({191, 355}, {96, 96}) +
              " /></window>";
    return window;
}

// "a/b" with its text, grouped by the first part.
std::string TextElements(const std::map<std::string, std::string>& texts) {
    std::map<std::string, std::string> groups;
    for (const auto& [key, text] : texts) {
        const std::size_t slash = key.find('/');
        groups[key.substr(0, slash)] += "<" + key.substr(slash + 1) + " text=\"" + text + "\" />";
    }
    std::string elements;
    for (const auto& [group, children] : groups) elements += "<" + group + ">" + children + "</" + group + ">";
    return elements;
}

// The model "ui/<name>": frame k a quad of k / (frames - 1) of the unit width.
void AddFillModel(Morvane::GameData& data, const std::string& name, std::uint32_t frames) {
    Content::ModelFileWriter::Model model;
    model.flags = Vantor::ModelFlags::kKeyFrames | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
    model.frameCount = frames;
    model.indices = {0, 1, 2, 2, 1, 3};
    model.vertexCount = 4;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const float width = static_cast<float>(frame) / static_cast<float>(frames - 1);
        for (int corner = 0; corner < 4; ++corner) {
            Content::ModelFileWriter::Vertex vertex;
            vertex.position[0] = width * static_cast<float>(corner % 2);
            vertex.position[1] = static_cast<float>(corner / 2);
            vertex.u = width * static_cast<float>(corner % 2);
            vertex.v = static_cast<float>(1 - corner / 2);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({{0.0f, 0.0f, 0.0f}, {width, 1.0f, 0.0f}});
    }
    const std::wstring path = L"data\\ui\\" + Vantor::ToWide(name) + L".mdl";
    Content::ModelFileWriter::WriteFile(path, model);
    Content::ShaderFileWriter::WriteFile(L"data\\ui\\" + Vantor::ToWide(name) + L".srf", {});
    data.AddModel("ui/" + name,
                  Vantor::ModelManager::Instance()->LoadModel(path.substr(5), nullptr, 0, false));
}

// The material "ui/star_frames": frame 0 a dim star, frame 1 a gold one.
void AddStarFrames(Morvane::GameData& data) {
    std::vector<std::uint8_t> pixels;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 8; ++column) {
            constexpr std::array<std::uint8_t, 4> kDim{90, 80, 60, 255};
            constexpr std::array<std::uint8_t, 4> kGold{255, 200, 40, 255};
            const std::array<std::uint8_t, 4>& colour = column < 4 ? kDim : kGold;
            pixels.insert(pixels.end(), colour.begin(), colour.end());
        }
    Content::TgaWriter::WriteFile(L"data\\ui\\pictures\\star_frames.tga", 8, 4, pixels);
    const Vantor::ShaderDescriptor frames(true, false, 1, 2, 1, 2, 0.0f, "ui\\pictures\\star_frames.tga", true);
    data.AddShaderUser("ui/star_frames", Vantor::ShaderManager::Instance()->GetShader(frames, false));
}

}  // namespace

std::string StartGameBench::Machines(int count) {
    std::string machines;
    for (int i = 0; i < count; ++i)
        machines += "<m" + std::to_string(i) + " qualification=\"0\" cost=\"" + std::to_string(i * 200) + "\"/>";
    return machines;
}

std::string StartGameBench::Character(const std::string& thresholds, const std::string& machines) {
    return "<character><mood day_change=\"-0.1\" build_change=\"0.3\"/><qualification>" + thresholds +
           "</qualification><automatic_machines>" + machines +
           "</automatic_machines><cafe_classes><plain cost_multiplier=\"1\" day_multiplier=\"1\"/></cafe_classes>"
           "</character>";
}

std::string StartGameBench::Upgrades() {
    return R"(<upgrades><roof cost="100"/><chimney cost="50"><roof/></chimney><garden cost="80"/></upgrades>)";
}

void StartGameBench::SetUp() {
    ScreenTestBench::SetUp();
    WriteLayout("start_game.xml", Layout());
    WriteStartTexts({});
}

void StartGameBench::WriteStartTexts(const std::map<std::string, std::string>& texts) const {
    std::map<std::string, std::string> all = {
        {"common/hit_mouse_button", "Click to go on"},
        {"start_game/title", "Day %DAY%"},
        {"start_game/experience", "%CURRENT% / %NEXT%"},
        {"start_game/experience_max", "Master"},
        {"start_game/money", "%MONEY% coins"},
        {"start_game/home_build", "Build"},
        {"start_game/home_done", "The house"},
        {"start_game/owner_first_play", "Welcome to the cafe!"},
        {"start_game/owner_upgrade_0", "You can buy a machine now."},
        {"start_game/owner_last_task_prepare", "Save %money% more for the trip."},
        {"start_game/girl_want_build", "Let us build!"},
        {"start_game/girl_want_upgrade", "A new machine!"}};
    for (int level = 0; level <= 4; ++level)
        all["start_game/mood_" + std::to_string(level)] = "Mood " + std::to_string(level);
    for (int status = 0; status <= 5; ++status)
        all["start_game/building_status_" + std::to_string(status)] = "House " + std::to_string(status);
    for (const auto& [key, text] : texts) all[key] = text;
    WriteTexts(TextElements(all));
}

void StartGameBench::MakeStartWindow(const std::string& character) {
    gametest::Definitions definitions = gametest::SmallGame();
    definitions.character = character;
    definitions.upgrades = Upgrades();
    gametest::GameDataFolder::WriteDefinitions(definitions);
    gametest::GameDataFolder::WriteHousePack();
    MakeGame();
    data_->LoadAll();
    for (const char* loop : {"13", "14", "15"}) AddEffect(loop, true);
    for (const char* once : {"16", "17", "18", "19"}) AddEffect(once, false);
    AddColourShader("frame", {40, 50, 70, 255});
    AddColourShader("panel", {20, 20, 30, 255});
    AddColourShader("bar_fill", {80, 200, 90, 255});
    AddColourShader("star", {70, 60, 50, 255});
    AddColourShader("star_fill", {200, 150, 40, 255});
    AddColourShader("star_full", {255, 210, 40, 255});
    AddColourShader("button", {60, 90, 160, 255});
    AddColourShader("arrow_colour", {240, 60, 60, 255});
    AddStarFrames(*data_);
    AddFillModel(*data_, "bar", 11);
    dialogueart::AddQuad(*data_, "arrow", {0.1f, 0.35f}, {0.8f, 0.3f});
    dialogueart::AddQuad(*data_, "characters/main_menu_npc", {620.0f, 470.0f}, {170.0f, 125.0f});
    dialogueart::AddQuad(*data_, "characters/main_menu_girl", {20.0f, 470.0f}, {170.0f, 125.0f});
    for (const char* balloon : {"right_small", "right_big", "left_small"})
        dialogueart::AddQuad(*data_, std::string("characters/main_menu_balloon_") + balloon,
                             balloon[0] == 'r' ? Vector2{505.0f, 355.0f} : Vector2{80.0f, 380.0f}, {240.0f, 110.0f},
                             {50, 70, 150});
    for (const char* picture : {"owner_look", "owner_stand", "girl_stand"})
        dialogueart::AddPicture(*data_, std::string("characters/") + picture, {200, 120, 90});
    for (const char* path : {"cafe_hint", "progress_experience_hint", "progress_mood_good_hint",
                             "progress_mood_bad_hint", "button_hint_play", "button_hint_upgrade", "button_hint_build"})
        dialogueart::AddMovingQuad(*data_, path, {0.0f, 0.0f}, {30.0f, 10.0f}, {2.0f, 2.0f}, 8);
    for (const char* sparks : {"cafe_hint", "progress_experience_hint", "progress_mood_good_hint",
                               "progress_mood_bad_hint", "button_hint", "cafe_effect", "experience_effect"})
        dialogueart::AddSparkles(*data_, sparks);
    for (const char* burst : {"cafe_effect", "experience_effect"})
        dialogueart::AddQuad(*data_, burst, {0, 0}, {20, 20});
    // Cheat mode is tested by every window that reads cheat keys.
    engine_->CreateConsole(L"Test", Vantor::ShaderDescriptor(), 0, u'_', u']', u'^', "~", 0.9f, 300.0f, 1000.0f);
    Vantor::Console::Instance()->SetEnabled(false);
    TakeErrors();
    MakeProfiles({L"Anna"});
    window_ = &MakeWindow<Morvane::GUIStartGameLogicWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                            menus_.get(), data_->GetFrontWindow());
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{});
}

void StartGameBench::SetStory(std::uint32_t flags, int machines, int money, int points, float mood,
                              const std::vector<std::string>& houses) const {
    Morvane::Profile& anna = Anna();
    anna.SetFlag(flags);
    for (int i = 0; i < machines; ++i) anna.AddMachine("m" + std::to_string(i));
    anna.SetMoney(money);
    anna.SetQualification(points);
    anna.SetMood(mood);
    for (const std::string& house : houses) anna.AddHouseUpgrade(house);
    anna.Save();
}

void StartGameBench::OpenFrom(GameFramework::WindowId source) {
    window_->Open(source);
    ASSERT_TRUE(RunUntil([&] { return window_->IsShown(); }));
}

GUITools::GUIControl& StartGameBench::Control(const std::string& path) const {
    return *window_->GetControl(Morvane::GUIStartGameLogicWindow::kLayout + path);
}

GUITools::GUITextControl& StartGameBench::Text(const std::string& path) const {
    return *window_->GetTextControl(Morvane::GUIStartGameLogicWindow::kLayout + path);
}

bool StartGameBench::Enabled(const std::string& path) const { return window_->IsControlEnabled(Control(path)); }

GameFramework::WindowResult StartGameBench::Click(const std::string& path) {
    GameFramework::WindowResult result = GameFramework::WindowResult::None;
    const auto previous = frameStep;
    frameStep = [&] {
        if (window_->GetResult() != GameFramework::WindowResult::None) result = window_->GetResult();
    };
    ClickOn(*Control(path).GetWindow());
    Frame();
    frameStep = previous;
    return result;
}

void StartGameBench::ClickAway(const Morvane::GUITextBalloonWindow& balloon) {
    ASSERT_TRUE(RunUntil([&] { return balloon.GetBalloonWindow()->GetAlpha() > 0.55f; }, 3.0f));
    PressKey('X');
    Frame();
    ASSERT_FALSE(balloon.shown);
}

std::wstring StartGameBench::Said(const Morvane::GUITextBalloonWindow& balloon) {
    return balloon.GetLines().empty() ? L"" : balloon.GetLines()[0]->text;
}

}  // namespace screenstest
