#pragma once
// The flat models the data set is made of, as model-file records: quads (a unit quad
// for scaled sprites, or placed in GUI units: 800 x 600, origin bottom left, y up),
// quads used only for their bounds, key-frame paths that move and scale a quad, and
// progress bars that fill from left to right over their frames. Texture v = 0 is the
// picture's bottom row.

#include <vector>

#include "content/ModelFileWriter.h"

namespace Content {

class ModelShapes {
public:
    using Model = ModelFileWriter::Model;

    struct Rect {
        float x = 0, y = 0, width = 1, height = 1;
    };
    // Where a path's quad is at a key frame: its centre and its scale.
    struct PathKey {
        int frame = 0;
        float x = 0, y = 0;
        float scale = 1;
    };

    static Model Quad(const Rect& rect);
    // The quad from (-0.5, -0.5) to (0.5, 0.5).
    static Model UnitQuad() { return Quad({-0.5f, -0.5f, 1.0f, 1.0f}); }
    // A quad whose only use is its box (hover areas, places).
    static Model Bounds(const Rect& rect) { return Quad(rect); }
    // A quad of the given size whose centre follows the keys, straight between them,
    // one frame per step; the frame count is the last key's frame + 1. Keys must be in
    // frame order, the first at frame 0 (else Vantor::Error).
    static Model Path(float width, float height, const std::vector<PathKey>& keys, float speed);
    // Frame f shows the rect filled to f / (frames - 1) with the matching share of the
    // texture, so the picture is uncovered, not squeezed.
    static Model ProgressBar(const Rect& rect, int frames);

private:
    static void AddQuadFrame(Model& model, const Rect& rect, float uRight);
};

}  // namespace Content
