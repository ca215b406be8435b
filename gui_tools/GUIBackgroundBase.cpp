#include "gui_tools/GUIBackgroundBase.h"

#include <cstddef>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GUITools {

namespace {

// The front window lies this many orders beyond the document's child count.
constexpr int kFrontOrderMargin = 3;

// Layer attributes are optional and read silently.
const GameTools::XMLValue* Attribute(const GameTools::XMLNode& element, const char* name) {
    return element.GetAttribute(name, GameTools::XMLNode::kReportSilent);
}

std::string Text(const GameTools::XMLNode& element, const char* name) {
    const GameTools::XMLValue* value = Attribute(element, name);
    return value ? value->GetString() : std::string();
}

}  // namespace

GUIBackgroundBase::GUIBackgroundBase(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                     const std::wstring& path)
    : keeper_(keeper) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    rootWindow_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    layersWindow_ = gui.CreateEmptyWindow(0, rootWindow_);
    frontWindow_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, rootWindow_);
    ReadDocument(path);
}

GUIBackgroundBase::~GUIBackgroundBase() {
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) delete *layer;
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(frontWindow_);
    gui.DestroyWindow(layersWindow_);
    gui.DestroyWindow(rootWindow_);
    delete document_;
}

void GUIBackgroundBase::ReadDocument(const std::wstring& path) {
    try {
        GameTools::XMLParser().ParseFile(document_, path);
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintError(error.GetText());
        return;
    }
    if (const GameTools::XMLValue* prefix = Attribute(*document_, "resources_prefix"))
        resourcesPrefix_ = prefix->GetString() + "/";
    frontWindow_->SetOrder(static_cast<int>(document_->children.size()) + kFrontOrderMargin);
}

void GUIBackgroundBase::CreateBasicLayers() { CreateLayers(true); }

void GUIBackgroundBase::CreateAdditionalLayers() { CreateLayers(false); }

void GUIBackgroundBase::CreateLayers(bool basic) {
    if (!document_) return;
    for (std::size_t i = 0; i < document_->children.size(); ++i) {
        const GameTools::XMLNode& element = *document_->children[i];
        if (IsAdditionalLayer(element) == basic) continue;
        GUIBackgroundLayer* layer = CreateLayer(element, static_cast<int>(i) + 1);
        if (!layer) continue;
        if (IsVisible()) layer->StartFade(true, true, 1.0f);
        layers.push_back(layer);
    }
}

bool GUIBackgroundBase::IsAdditionalLayer(const GameTools::XMLNode& element) const {
    const GameTools::XMLValue* additional = Attribute(element, "additional");
    return additional && additional->GetBool();
}

GUIBackgroundLayer* GUIBackgroundBase::CreateLayer(const GameTools::XMLNode& element, int order) {
    if (!Attribute(element, "name")) return nullptr;
    const std::string name = Text(element, "name");
    std::string modelName;
    std::string particlesName;
    if (element.name == "model") {
        if (!name.empty()) modelName = resourcesPrefix_ + name;
    } else if (element.name == "particles") {
        particlesName = resourcesPrefix_ + name;
    } else {
        return nullptr;
    }
    auto prefixed = [this, &element](const char* attribute) {
        return Attribute(element, attribute) ? resourcesPrefix_ + Text(element, attribute) : std::string();
    };
    const GameTools::XMLValue* speed = Attribute(element, "animation_speed");
    const GameTools::XMLValue* randomStart = Attribute(element, "random_start_frame");
    const GameTools::XMLValue* loop = Attribute(element, "animation_loop");
    const GameTools::XMLValue* colour = Attribute(element, "color");
    return new GUIBackgroundLayer(keeper_, name, nullptr, modelName, particlesName, prefixed("shader"),
                                  prefixed("animator_model"), randomStart ? randomStart->GetBool() : true,
                                  speed ? speed->GetFloat() : -1.0f, loop ? loop->GetBool() : true,
                                  colour ? colour->GetFloat4() : Vantor::Color(1.0f, 1.0f, 1.0f, 1.0f), order,
                                  layersWindow_);
}

bool GUIBackgroundBase::IsVisible() const { return layersWindow_->IsVisible(); }

void GUIBackgroundBase::Show(bool show, bool fade, float speed) {
    fade_.Start(show, fade, speed);
    if (show) {
        layersWindow_->SetFlags(Vantor::GUIWindow::kShown);
        for (GUIBackgroundLayer* layer : layers) layer->StartFade(true, fade, speed);
    } else if (fade) {
        for (GUIBackgroundLayer* layer : layers) layer->StartFade(false, true, speed);
    } else {
        layersWindow_->ClearFlags(Vantor::GUIWindow::kShown);
        for (GUIBackgroundLayer* layer : layers) layer->StartFade(false, false, 1.0f);
    }
}

void GUIBackgroundBase::Update() {
    if (!IsVisible()) return;
    for (GUIBackgroundLayer* layer : layers) layer->Update();
    if (!fade_.IsFading()) return;
    const float value = fade_.Advance(Vantor::TimerManager::Instance()->GetFrameTime());
    if (!fade_.IsFading() && !fade_.IsShowing()) {
        layersWindow_->ClearFlags(Vantor::GUIWindow::kShown);
        for (GUIBackgroundLayer* layer : layers) layer->StartFade(false, false, 1.0f);
    }
    for (GUIBackgroundLayer* layer : layers) layer->SetAlpha(value);
}

}  // namespace GUITools
