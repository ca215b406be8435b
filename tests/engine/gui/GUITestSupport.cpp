#include "tests/engine/gui/GUITestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace guitest {

void ExpectVector(const Vector2& expected, const Vector2& actual, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

FontFileWriter::Record GlyphRecord(char16_t code, float width) { return FontFileWriter::WholePicture(code, width); }

void GUITest::SetUp() {
    ModelTest::SetUp();
    camera_ = scenes::MakeSceneCamera();
    fonts_ = std::make_unique<Vantor::GUIFontManager>(camera_);
}

void GUITest::TearDown() {
    windows_.clear();
    fonts_.reset();
    ModelTest::TearDown();
}

std::wstring GUITest::WriteFont(const std::string& name, const FontFileWriter::Bytes& bytes) {
    const std::wstring path = L"data\\fonts\\" + std::wstring(name.begin(), name.end()) + L"\\font.fnt";
    home_.folder.WriteFile("data/fonts/" + name + "/font.fnt", std::string(bytes.begin(), bytes.end()));
    return path;
}

std::wstring GUITest::WriteFont(const std::string& name, const std::vector<FontFileWriter::Record>& records) {
    return WriteFont(name, FontFileWriter::Build(records));
}

GUIFont& GUITest::LoadTestFont(int id, float size) {
    const std::wstring path = WriteFont(
        "test", {GlyphRecord(u'A', 1.0f), GlyphRecord(u'M', 0.8f), GlyphRecord(u'i', 0.25f), GlyphRecord(u'L', 0.5f)});
    GUIFont& font = *fonts_->LoadFont(id, nullptr, path);
    font.SetSize(size);
    return font;
}

GUIWindow& GUITest::MakeWindow(std::uint32_t flags, const Vector2& position, const Vector2& size, GUIWindow* parent,
                               const Vantor::ShaderDescriptor* shader, const Vantor::Model* modelResource) {
    windows_.push_back(
        std::make_unique<GUIWindow>(fonts_.get(), camera_, flags, position, size, modelResource, shader, parent));
    return *windows_.back();
}

void GUITest::DestroyWindow(GUIWindow& window) {
    std::erase_if(windows_, [&window](const std::unique_ptr<GUIWindow>& owned) { return owned.get() == &window; });
}

void GUITest::UpdateGUI() {
    for (const auto& window : windows_) window->Update();
    fonts_->ReleaseUnusedInstances();
}

}  // namespace guitest
