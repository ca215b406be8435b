#pragma once
// The products of the café day: the ingredients and the food's layer places, the room
// (its background, distributors, machines and clock), the customers with their order
// balloon, the previews of the machines for sale, and the resource lists naming them.
// Every place is laid out here in GUI units (800 x 600, origin bottom left, y up);
// the tutorial's arrows point at some of them, so they stay where they are.

#include "content/ModelShapes.h"
#include "content/ProductGraph.h"
#include "content/SvgTemplate.h"

namespace Content {

class ResourceListText;

class CafeCatalogue {
public:
    void AddTo(ProductGraph& graph) const;

private:
    using Rect = ModelShapes::Rect;

    void AddProvisions(ProductGraph& graph) const;
    void AddRoom(ProductGraph& graph) const;
    void AddCustomers(ProductGraph& graph) const;
    void AddBackground(ProductGraph& graph) const;
    // A picture of the template over the rectangle and the quad "<path>.mdl" drawing it.
    static void AddPicture(ProductGraph& graph, const std::string& path, const std::string& source, const Rect& rect,
                           const SvgTemplate::Parameters& parameters);
    // A model used for its box only.
    static void AddBounds(ProductGraph& graph, const std::string& path, const Rect& rect);
};

}  // namespace Content
