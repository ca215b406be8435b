#pragma once
// The products of the look every screen shares: the GUI skin (window frames and bodies,
// buttons, check boxes, list rows, scroll bars, the name field, the in-day dimmer) and
// the window shapes the layouts choose from. Each shape is a body model placed in GUI
// units and the frame a menu window grows out of: a key-frame path whose show range is
// the opening, played backwards for the closing. The layouts, fader lists and resource
// lists that name these are XML sources below "xml/ui". The GUI effects are particle
// systems of the presets over a sparkle picture, and the paths their emitters follow:
// key-frame models that are never drawn, placed relative to the control they decorate.
// The menu background is a stack of full-screen layers in GUI units, its moving parts
// made only after loading.

#include "content/ProductGraph.h"

namespace Content {

class ScreenLookCatalogue {
public:
    static void AddTo(ProductGraph& graph);

private:
    static void AddSkin(ProductGraph& graph);
    static void AddWindowShapes(ProductGraph& graph);
    static void AddEffects(ProductGraph& graph);
    static void AddMenuBackground(ProductGraph& graph);
};

}  // namespace Content
