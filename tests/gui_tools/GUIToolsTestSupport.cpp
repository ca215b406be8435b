#include "tests/gui_tools/GUIToolsTestSupport.h"

#include <cmath>

#include "content/FontFileWriter.h"
#include "content/ModelFileWriter.h"
#include "content/TgaWriter.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "platform/Clock.h"
#include "platform/Crt.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace guitoolstest {

void GUIToolsTest::SetUp() {
    EngineSceneTest::SetUp();
    engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
    keeper_ = std::make_unique<GameTools::DataKeeper>();
    Vantor::MessageManager::Instance()->ClearMessages();
}

void GUIToolsTest::TearDown() {
    if (frameOpen_) engine_->EndFrame();
    windows_.clear();
    tools_.reset();
    controls_.clear();
    texts_.reset();
    fonts_.reset();
    keeper_.reset();
    engine_.reset();
    crt::setlocale(LC_ALL, "C");
    platform::seam::SetVirtualTimeStepPerReading(0);
    EngineSceneTest::TearDown();
}

void GUIToolsTest::WriteFont(const std::string& name, const std::string& attributes) const {
    const std::string folder = "data/fonts/" + name + "/";
    home_.folder.WriteFile(folder + "font.xml", "<font " + attributes + " />\n");
    std::vector<Content::FontFileWriter::Record> glyphs;
    for (char16_t code = u' '; code <= u'~'; ++code) glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.5f));
    for (char16_t code = 0xC0; code <= 0xFF; ++code) glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.5f));
    const Content::FontFileWriter::Bytes bytes = Content::FontFileWriter::Build(glyphs);
    home_.folder.WriteFile(folder + "font.fnt", std::string(bytes.begin(), bytes.end()));
    const Content::TgaWriter::Bytes picture = Content::TgaWriter::Build(2, 2, std::vector<std::uint8_t>(16, 0xFF));
    home_.folder.WriteFile(folder + "font.tga", std::string(picture.begin(), picture.end()));
}

void GUIToolsTest::WriteTexts(const std::string& body) const {
    home_.folder.WriteFile("data/texts/texts.xml", Utf8Document(body));
}

void GUIToolsTest::AddFramesModel(const std::string& name, std::uint32_t frames) {
    Content::ModelFileWriter::Model model;
    model.flags = Vantor::ModelFlags::kKeyFrames | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
    model.frameCount = frames;
    model.indices = {0, 1, 2};
    model.vertexCount = 3;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const float x = 10.0f * static_cast<float>(frame);
        const float y = 5.0f * static_cast<float>(frame);
        for (int corner = 0; corner < 3; ++corner) {
            Content::ModelFileWriter::Vertex vertex;
            vertex.position[0] = x + (corner == 1 ? 1.0f : 0.0f);
            vertex.position[1] = y + (corner == 2 ? 1.0f : 0.0f);
            model.vertices.push_back(vertex);
        }
        Content::ModelFileWriter::Box box;
        box.minimum[0] = x;
        box.minimum[1] = y;
        box.maximum[0] = x + 1.0f;
        box.maximum[1] = y + 1.0f;
        model.boxes.push_back(box);
    }
    const std::wstring path = L"data\\ui\\" + std::wstring(name.begin(), name.end()) + L".mdl";
    Content::ModelFileWriter::WriteFile(path, model);
    Vantor::Model* loaded = Vantor::ModelManager::Instance()->LoadModel(path.substr(5), nullptr, 0, false);
    loaded->GetAnimationControl()->SetSpeed(10.0f);
    keeper_->AddModel("ui/" + name, loaded);
}

void GUIToolsTest::WriteTemplate(const std::string& file, const std::string& body) const {
    home_.folder.WriteFile("data/ui/windows/" + file, body);
}

void GUIToolsTest::MakeToolManager() { tools_ = std::make_unique<GUITools::GUIToolManager>(); }

GUITools::GUIWindowBase& GUIToolsTest::MakeWindow(const std::string& layout) {
    windows_.push_back(std::make_unique<GUITools::GUIWindowBase>(keeper_.get(), tools_.get(), nullptr, layout));
    return *windows_.back();
}

void GUIToolsTest::MakeTools() {
    fonts_ = std::make_unique<GUITools::GUIFontTool>();
    texts_ = std::make_unique<GUITools::GUITextTool>();
}

GUITools::GUITextControl& GUIToolsTest::MakeText(const std::string& font, const Vantor::Vector2& size,
                                                const GUITools::GUIControlDescription& description) {
    auto control =
        std::make_unique<GUITools::GUITextControl>(keeper_.get(), fonts_.get(), texts_.get(), nullptr, description);
    control->SetFont(font);
    control->SetSize(size);
    GUITools::GUITextControl& made = *control;
    controls_.push_back(std::move(control));
    return made;
}

void GUIToolsTest::Frame(float seconds) {
    if (frameOpen_) engine_->EndFrame();
    platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(std::lround(seconds * 1e6f)));
    engine_->BeginFrame();
    for (const auto& control : controls_) control->Update();
    for (const auto& window : windows_) window->Update();
    frameOpen_ = true;
}

void GUIToolsTest::Run(float seconds) {
    for (int frame = static_cast<int>(std::lround(seconds * 10.0f)); frame > 0; --frame) Frame(0.1f);
}

std::vector<std::string> GUIToolsTest::TakeErrors() const {
    return enginetest::TakeErrors(*Vantor::MessageManager::Instance());
}

}  // namespace guitoolstest
