#pragma once
// The products of the house the player builds: a picture per part of every upgrade in
// the game's own texture pack ("house\textures"), the placement file putting each part
// on the screen, the house background (the plot, then the parts as "texture_pack"
// layers named "upgrade_<upgrade>[_<part>]"), the build burst and the toy balloons
// that rise over the finished house, with their resource list.

#include "content/ProductGraph.h"

namespace Content {

class HouseCatalogue {
public:
    void AddTo(ProductGraph& graph) const;

private:
    void AddParts(ProductGraph& graph) const;
    void AddBackground(ProductGraph& graph) const;
    void AddEffects(ProductGraph& graph) const;
};

}  // namespace Content
