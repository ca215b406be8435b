// Fuzzes the font file reader: the input is loaded as a font's glyph file, then a text of
// the codes its records hold (with blanks, a line feed and a unit beyond the glyph table) is
// measured and batched by the font and by an instance of it, proportionally and in
// monospace cells. A broken file must leave an empty font; the batch never takes more
// than its capacity.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/gui/GUIFont.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"
#include "file_fuzz_support.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The managers a font's batch model is made with, over the headless device; they live as
// long as the target.
struct Scene {
    Scene() {
        workspace.OpenFileManager();
        workspace.CreateFolder("data/fonts/fuzz");
        Vantor::Config::Instance(new Vantor::Config(L"", L"fuzz", false, "800x600x32", false, false));
        Vantor::Window::Instance(
            new Vantor::Window_WinOS(L"fuzz", nullptr, 0, 800, 600, false, true, Vantor::Vector2i{0, 0}, 0));
        Vantor::RenderSystem::Instance(new Vantor::RenderSystem_D3D7(false, false));
        Vantor::CameraManager::Instance(new Vantor::CameraManager);
        Vantor::ShaderManager::Instance(new Vantor::ShaderManager);
        Vantor::ModelManager::Instance(new Vantor::ModelManager);
        camera = Vantor::CameraManager::Instance()->CreateCamera(Vantor::Camera::kOrthographic);
    }

    fuzzing::Workspace workspace;
    Vantor::Camera* camera = nullptr;
};

// Where the glyph records begin, and their size.
constexpr std::size_t kFirstRecord = 17;
constexpr std::size_t kRecordSize = 22;
// Somewhat more characters than one batch holds.
constexpr std::size_t kTextLength = Vantor::GUIFont::kBatchCapacity + 8;

void MeasureAndBatch(Vantor::GUIFont& font, const std::wstring& text) {
    Vantor::Vector2 extent;
    for (float size : {-1.0f, 7.5f}) {
        font.MeasureText(extent, text, 0.3f, size);
        Check(!(extent.x < 0.0f) && !(extent.y < 0.0f));
    }
    font.AddText({10.0f, 20.0f}, 0.3f, {1.0f, 0.5f, 0.0f, 1.0f}, text);
    Check(font.GetBatchCount() <= Vantor::GUIFont::kBatchCapacity);
    Check(font.GetModel()->GetIndexBuffer()->GetCount() == font.GetBatchCount() * 6);
    font.EndBatch();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scene& scene = *new Scene;
    scene.workspace.WriteFile("data/fonts/fuzz/font.fnt", data, size);
    Vantor::GUIFont font(scene.camera, nullptr, L"data\\fonts\\fuzz\\font.fnt");

    // The codes where the records keep them, whether the font took them or not.
    std::wstring text = L" \n\U0001F600";
    for (std::size_t at = kFirstRecord; at + 2 <= size && text.size() < kTextLength; at += kRecordSize)
        text.push_back(static_cast<wchar_t>(data[at] | data[at + 1] << 8));
    font.SetSize(20.0f);
    font.SetSpaceSize(0.25f);
    for (bool monospace : {false, true}) {
        font.SetMonospace(monospace);
        MeasureAndBatch(font, text);
        Vantor::GUIFont instance(font);
        MeasureAndBatch(instance, text);
    }
    scene.workspace.ClearLog();
    return 0;
}
