#pragma once
// The products of the introduction comic: its layout "window_introduction" with a fader
// list of its own, its resource list "ui\resources_introduction_comics.xml" (loaded on
// the first run only) and its pictures. The first page is a desk with a letter, a
// postcard and a clip; six comic pages follow on a paper backdrop, their panels drawn
// from scene templates that place the story's characters (SvgComposer), one picture
// per panel and phase; seven balloon pictures surround the text places the comic's
// script gives. Every control the script names is in the layout, beside one control
// whose name lacks "comics", which keeps the layout's root visible.

#include "content/ProductGraph.h"

namespace Content {

class ComicCatalogue {
public:
    static void AddTo(ProductGraph& graph);
};

}  // namespace Content
