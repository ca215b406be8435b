#include "content/ModelShapes.h"

#include "engine/kernel/Error.h"
#include "engine/render/ModelFlags.h"

namespace Content {

namespace {

using Vantor::ModelFlags;

// Flat art is blended: drawn far to near in the second list, as triangle lists, shown
// from the start.
constexpr std::uint32_t kFlat = ModelFlags::kTriangleList | ModelFlags::kSecondDrawList | ModelFlags::kVisible;
constexpr std::uint32_t kStatic = ModelFlags::kStatic | kFlat;
constexpr std::uint32_t kKeyFrames = ModelFlags::kKeyFrames | kFlat;

ModelFileWriter::Vertex MakeVertex(float x, float y, float u, float v) {
    ModelFileWriter::Vertex vertex;
    vertex.u = u;
    vertex.v = v;
    vertex.position[0] = x;
    vertex.position[1] = y;
    return vertex;
}

}  // namespace

void ModelShapes::AddQuadFrame(Model& model, const Rect& rect, float uRight) {
    const float left = rect.x, right = rect.x + rect.width, bottom = rect.y, top = rect.y + rect.height;
    model.vertices.push_back(MakeVertex(left, bottom, 0.0f, 0.0f));
    model.vertices.push_back(MakeVertex(right, bottom, uRight, 0.0f));
    model.vertices.push_back(MakeVertex(right, top, uRight, 1.0f));
    model.vertices.push_back(MakeVertex(left, top, 0.0f, 1.0f));
    ModelFileWriter::Box box;
    box.minimum[0] = left;
    box.minimum[1] = bottom;
    box.maximum[0] = right;
    box.maximum[1] = top;
    model.boxes.push_back(box);
}

ModelShapes::Model ModelShapes::Quad(const Rect& rect) {
    Model model;
    model.flags = kStatic;
    model.indices = {0, 1, 2, 0, 2, 3};
    model.vertexCount = 4;
    AddQuadFrame(model, rect, 1.0f);
    return model;
}

ModelShapes::Model ModelShapes::Path(float width, float height, const std::vector<PathKey>& keys, float speed) {
    if (keys.empty() || keys.front().frame != 0) throw Vantor::Error("a path starts with a key at frame 0");
    for (std::size_t k = 1; k < keys.size(); ++k)
        if (keys[k].frame <= keys[k - 1].frame) throw Vantor::Error("path keys out of frame order");
    Model model;
    model.flags = kKeyFrames;
    model.frameCount = static_cast<std::uint32_t>(keys.back().frame + 1);
    model.speed = speed;
    model.indices = {0, 1, 2, 0, 2, 3};
    model.vertexCount = 4;
    std::size_t k = 0;
    for (int frame = 0; frame <= keys.back().frame; ++frame) {
        while (k + 1 < keys.size() && keys[k + 1].frame <= frame) ++k;
        const PathKey& from = keys[k];
        const PathKey& to = k + 1 < keys.size() ? keys[k + 1] : keys[k];
        const float t = to.frame == from.frame ? 0.0f
                                               : static_cast<float>(frame - from.frame) / static_cast<float>(to.frame - from.frame);
        const float x = from.x + (to.x - from.x) * t;
        const float y = from.y + (to.y - from.y) * t;
        const float scale = from.scale + (to.scale - from.scale) * t;
        const float w = width * scale, h = height * scale;
        AddQuadFrame(model, {x - w / 2, y - h / 2, w, h}, 1.0f);
    }
    return model;
}

ModelShapes::Model ModelShapes::ProgressBar(const Rect& rect, int frames) {
    if (frames < 2) throw Vantor::Error("a progress bar needs at least two frames");
    Model model;
    model.flags = kKeyFrames;
    model.frameCount = static_cast<std::uint32_t>(frames);
    model.indices = {0, 1, 2, 0, 2, 3};
    model.vertexCount = 4;
    for (int frame = 0; frame < frames; ++frame) {
        const float share = static_cast<float>(frame) / static_cast<float>(frames - 1);
        AddQuadFrame(model, {rect.x, rect.y, rect.width * share, rect.height}, share);
    }
    return model;
}

}  // namespace Content
