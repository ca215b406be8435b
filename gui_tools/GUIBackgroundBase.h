#pragma once
// A screen background: a stack of model and particle layers described by one XML file,
// built in GUI windows and shown or hidden as a whole, at once or with a fade. The
// document element's optional "resources_prefix" (joined with "/") goes in front of
// every resource name of the file; each child element describes one layer, in document
// order, drawn in front of the elements before it. Layers marked "additional" are made
// only on request, so that a background can grow later from the document it keeps.
//
// Windows: a root window under the given parent holds the layers window (hidden until
// the background is shown; every layer window is its child) and the front window, which
// lies in front of every layer for the derived backgrounds' own elements.
//
// A derived background makes its basic layers in its constructor, may override Show and
// CreateLayer, and calls Update every frame.

#include <string>
#include <vector>

#include "gui_tools/BackgroundFade.h"

namespace GameTools {
class DataKeeper;
class XMLNode;
}  // namespace GameTools

namespace Vantor {
class GUIWindow;
}

namespace GUITools {

class GUIBackgroundLayer;

class GUIBackgroundBase {
public:
    // Reads the file (a path below the base folder, "data\..."); a file that cannot be
    // read or parsed is logged, and the background stays empty but works.
    GUIBackgroundBase(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const std::wstring& path);
    // Deletes the layers and destroys the windows.
    virtual ~GUIBackgroundBase();
    GUIBackgroundBase(const GUIBackgroundBase&) = delete;
    GUIBackgroundBase& operator=(const GUIBackgroundBase&) = delete;

    virtual void CreateBasicLayers();
    virtual void CreateAdditionalLayers();
    // Every frame: the layers' updates, then the background's own fade on top of them.
    virtual void Update();
    // Shows the layers window and the layers, or hides them (the windows stay until a
    // fade ends); the fade runs at the speed (1: one second).
    virtual void Show(bool show, bool fade, float speed);
    virtual bool IsVisible() const;
    // Makes the basic or the additional layers of the document. Each gets the order of
    // its element among all children, and fades in over one second when the background
    // is visible.
    virtual void CreateLayers(bool basic);
    // The element carries "additional" and it reads true.
    virtual bool IsAdditionalLayer(const GameTools::XMLNode& element) const;
    // A layer of a "model" or "particles" element with a "name", else null.
    virtual GUIBackgroundLayer* CreateLayer(const GameTools::XMLNode& element, int order);

    Vantor::GUIWindow* GetRootWindow() const { return rootWindow_; }
    Vantor::GUIWindow* GetLayersWindow() const { return layersWindow_; }
    Vantor::GUIWindow* GetFrontWindow() const { return frontWindow_; }
    const std::string& GetResourcesPrefix() const { return resourcesPrefix_; }
    bool HasDocument() const { return document_ != nullptr; }

    // Owned, in creation order; the game walks them by name.
    std::vector<GUIBackgroundLayer*> layers;

protected:
    GameTools::DataKeeper* GetKeeper() const { return keeper_; }

private:
    void ReadDocument(const std::wstring& path);

    GameTools::DataKeeper* keeper_;         // not owned
    GameTools::XMLNode* document_ = nullptr;  // owned; null when the file was not read
    std::string resourcesPrefix_;
    Vantor::GUIWindow* rootWindow_;
    Vantor::GUIWindow* layersWindow_;
    Vantor::GUIWindow* frontWindow_;
    BackgroundFade fade_;
};

}  // namespace GUITools
