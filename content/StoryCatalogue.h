#pragma once
// The products of the story's pictures: the four characters' portraits (a quad placed in
// GUI units per portrait, beside the balloons it speaks in, and one picture per pose
// filled from the character's template), the speech balloons drawn around the text
// areas the balloon code uses, and the final window's background with its resource
// list: the evening harbour, a drifting cloud and the balloon flying off. The portraits'
// and balloons' resource entries are part of the GUI's additional list.

#include "content/ProductGraph.h"
#include "content/SvgTemplate.h"

namespace Content {

class StoryCatalogue {
public:
    static constexpr const char* kBalloonArt = "art/ui/characters/balloon.svg";

    static void AddTo(ProductGraph& graph);
    // The values of the balloon template for a balloon of width x height units whose tail
    // of `tail` units points down at `tip` units from its left edge, towards a speaker on
    // the left or on the right.
    static SvgTemplate::Parameters BalloonShape(double width, double height, double tail, double tip,
                                                bool towardsLeft);

private:
    static void AddPortraits(ProductGraph& graph);
    static void AddBalloons(ProductGraph& graph);
    static void AddFinalBackground(ProductGraph& graph);
};

}  // namespace Content
