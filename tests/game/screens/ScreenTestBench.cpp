#include "tests/game/screens/ScreenTestBench.h"

#include <cmath>
#include <map>

#include "content/FontGenerator.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "content/WavWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "framework/SoundEffect.h"
#include "platform/Clock.h"
#include "platform/Crt.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/game/GameDataFolder.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace screenstest {

namespace {

constexpr const char* kTypeface = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr unsigned kEffectInstances = 2;
constexpr int kHighScoresPerMode = 10;

}  // namespace

void ScreenTestBench::SetUp() {
    EngineSceneTest::SetUp();
    engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
    Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
    WriteTexts("");
    for (const std::string& font : FontNames()) WriteFont(font);
}

void ScreenTestBench::TearDown() {
    windows_.clear();
    menus_.reset();
    highScores_.reset();
    profiles_.reset();
    tools_.reset();
    audio_.reset();
    data_.reset();
    engine_.reset();
    crt::setlocale(LC_ALL, "C");
    EngineSceneTest::TearDown();
}

std::vector<std::string> ScreenTestBench::FontNames() {
    return {"common", "common_0", "common_1", "common_2", "main_menu_0", "main_menu_1", "main_menu_2"};
}

void ScreenTestBench::WriteFont(const std::string& name, std::uint32_t fill) const {
    // FreeType's work is done once per colour.
    static std::map<std::uint32_t, std::vector<Content::FontGenerator::File>> made;
    Content::FontGenerator::Options options{kTypeface, 20};
    options.fill = fill;
    if (!made.contains(fill)) made[fill] = Content::FontGenerator::Build(options);
    for (const Content::FontGenerator::File& file : made[fill]) {
        const std::string bytes(file.bytes.begin(), file.bytes.end());
        home_.folder.WriteFile("data/fonts/" + name + "/" + file.name, bytes);
    }
}

void ScreenTestBench::WriteTexts(const std::string& elements) const {
    home_.folder.WriteFile("data/texts/texts.xml",
                           guitoolstest::Utf8Document("<texts language=\"english\">" + elements + "</texts>"));
}

void ScreenTestBench::WriteLayout(const std::string& file, const std::string& body) const {
    home_.folder.WriteFile("data/ui/windows/" + file, body);
}

std::string ScreenTestBench::ButtonXml(const std::string& name, const Vantor::Vector2& position,
                                       const Vantor::Vector2& size, const std::string& title) {
    const std::string place = "position=\"" + std::to_string(position.x) + " " + std::to_string(position.y) +
                              "\" size=\"" + std::to_string(size.x) + " " + std::to_string(size.y) + "\"";
    const std::string titleSize = "size=\"" + std::to_string(size.x) + " " + std::to_string(size.y) + "\"";
    return "<button name=\"" + name + "\" " + place + "><text_label name=\"title\" font=\"common\" " + titleSize +
           " text=\"'" + title + "'\" /></button>";
}

void ScreenTestBench::WriteLogo(int logo) const {
    const std::wstring picture = L"ui\\textures\\publishers\\" + std::to_wstring(logo) + L"_logo_small";
    gametest::GameDataFolder::WritePicture(picture + L".jpg", {4, 4});
    gametest::GameDataFolder::WritePicture(picture + L"_alpha.jpg", {4, 4});
}

void ScreenTestBench::MakeGame() {
    data_ = std::make_unique<Morvane::GameData>();
    audio_ = std::make_unique<GameFramework::AudioManager>(1.0f, 1.0f, engine_->GetSoundManager());
    for (const std::string& key : EffectKeys()) AddEffect(key, false);
    tools_ = std::make_unique<GUITools::GUIToolManager>();
    ReloadPlayerFiles();
    menus_ = std::make_unique<Morvane::GUIMenuWindowManager>(data_.get());
    // Past the effects' restart guard.
    Frames(5);
    TakePlayedEffects();
}

void ScreenTestBench::AddEffect(const std::string& key, bool loop) const {
    const std::vector<std::int16_t> noise(2205 * 2, 1000);
    const std::vector<std::uint8_t> wav = Content::WavWriter::Write({}, Content::WavWriter::SampleBytes(noise));
    home_.folder.WriteFile("data/audio/" + key + ".wav", std::string(wav.begin(), wav.end()));
    // A loop sounds once at a time: its state is its one instance's.
    audio_->AddEffect(key, GameFramework::AudioManager::ResolveAudioPath(Vantor::ToWide(key + ".wav")), loop,
                      loop ? 1 : kEffectInstances, true);
}

void ScreenTestBench::AddFramesModel(const std::string& name, unsigned frames) {
    Content::ModelFileWriter::Model model;
    model.flags = Vantor::ModelFlags::kKeyFrames | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
    model.frameCount = frames;
    model.indices = {0, 1, 2, 2, 1, 3};
    model.vertexCount = 4;
    for (unsigned frame = 0; frame < frames; ++frame) {
        for (int corner = 0; corner < 4; ++corner) {
            Content::ModelFileWriter::Vertex vertex;
            vertex.position[0] = static_cast<float>(corner % 2);
            vertex.position[1] = static_cast<float>(corner / 2);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}});
    }
    const std::wstring path = L"data\\ui\\" + Vantor::ToWide(name) + L".mdl";
    Content::ModelFileWriter::WriteFile(path, model);
    // Its material: no textures.
    Content::ShaderFileWriter::WriteFile(L"data\\ui\\" + Vantor::ToWide(name) + L".srf", {});
    Vantor::Model* loaded = Vantor::ModelManager::Instance()->LoadModel(path.substr(5), nullptr, 0, false);
    loaded->GetAnimationControl()->SetSpeed(10.0f);
    data_->AddModel("ui/" + name, loaded);
}

void ScreenTestBench::AddColourShader(const std::string& name, std::array<std::uint8_t, 4> rgba) {
    std::vector<std::uint8_t> pixels;
    for (int pixel = 0; pixel < 16; ++pixel) pixels.insert(pixels.end(), rgba.begin(), rgba.end());
    const std::string picture = "ui\\pictures\\" + name + ".tga";
    Content::TgaWriter::WriteFile(L"data\\" + Vantor::ToWide(picture), 4, 4, pixels);
    const Vantor::ShaderDescriptor shader(true, false, picture, false);
    data_->AddShaderUser("ui/" + name, Vantor::ShaderManager::Instance()->GetShader(shader, false));
}

void ScreenTestBench::LoadDefinitions(const gametest::Definitions& definitions) {
    gametest::GameDataFolder::WriteDefinitions(definitions);
    gametest::GameDataFolder::WriteHousePack();
    data_->LoadAll();
}

void ScreenTestBench::ReloadPlayerFiles() {
    highScores_.reset();
    profiles_.reset();
    profiles_ = std::make_unique<Morvane::ProfileManager>(audio_.get(), home_.root + L"\\user");
    highScores_ = std::make_unique<GameFramework::HighScoresTable>(kHighScoresPerMode, home_.root + L"\\user");
}

void ScreenTestBench::MakeProfiles(const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) profiles_->CreateProfileIfMissing(name);
    profiles_->SelectProfile(profiles_->FindProfile(names.front()), true);
}

void ScreenTestBench::Frame(float seconds) {
    platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(std::lround(seconds * 1e6f)));
    engine_->BeginFrame();
    if (menus_) {
        menus_->PreUpdate();
        for (const auto& window : windows_) window->Update();
        if (frameStep) frameStep();
        menus_->Update();
    }
    if (audio_) audio_->Update();
    RecordPlayedEffects();
    engine_->EndFrame();
}

void ScreenTestBench::Frames(int count) {
    for (int frame = 0; frame < count; ++frame) Frame();
}

void ScreenTestBench::RunFor(float seconds) { Frames(static_cast<int>(std::lround(seconds / kFrameSeconds))); }

void ScreenTestBench::MoveMouseTo(const Vantor::Vector2& point) const {
    POINT pixel{static_cast<LONG>(point.x), static_cast<LONG>(599.0f - point.y)};
    ClientToScreen(static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(), &pixel);
    platform::seam::InjectMouseMove(pixel.x, pixel.y);
}

void ScreenTestBench::ClickOn(const Vantor::GUIWindow& element) {
    MoveMouseTo(element.GetAbsolutePosition() + element.GetPosition() + element.GetSize() * 0.5f);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    Frame();
}

void ScreenTestBench::PressKey(unsigned virtualKey) {
    platform::seam::InjectKeyDown(virtualKey);
    platform::seam::InjectKeyUp(virtualKey);
}

void ScreenTestBench::TypeText(const std::wstring& text) { platform::seam::InjectText(text); }

void ScreenTestBench::RecordPlayedEffects() {
    if (!audio_) return;
    const std::vector<GameFramework::SoundEffect*>& effects = audio_->GetEffects();
    lastStarts_.resize(effects.size(), 0.0f);
    for (std::size_t index = 0; index < effects.size(); ++index) {
        if (effects[index]->lastStart == lastStarts_[index]) continue;
        lastStarts_[index] = effects[index]->lastStart;
        played_.push_back(effects[index]->key);
    }
}

std::vector<std::string> ScreenTestBench::TakePlayedEffects() { return std::exchange(played_, {}); }

std::wstring ScreenTestBench::ShownText(const GUITools::GUITextControl& text) {
    std::wstring shown;
    for (const std::wstring& line : text.lines.lines) shown += (shown.empty() ? L"" : L"|") + line;
    return shown;
}

std::vector<std::string> ScreenTestBench::TakeErrors() {
    return enginetest::TakeErrors(*Vantor::MessageManager::Instance());
}

std::vector<std::string> ScreenTestBench::Fatals() { return enginetest::Fatals(*Vantor::MessageManager::Instance()); }

}  // namespace screenstest
