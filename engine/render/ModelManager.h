#pragma once
// The single-instance factory and registry of models, and the owner of the frame's
// drawing. Unregistered models (boxes, models loaded from files, clones) are templates
// that their callers own and delete; registered models (self-made ones and instances)
// belong to the manager, which updates and draws them every frame until they are
// released. Once per frame the draw pass updates every registered model, sorts the
// visible ones in view into two lists by flag 0x200 (nearest first) and the rest
// (farthest first), and draws both inside one scene bracket; it counts what it drew.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/ObjectManager.h"
#include "engine/kernel/Vector3.h"

namespace Vantor {

class Camera;
class Model;
class ShaderDescriptor;

class ModelManager : public GlobalPointerHolder<ModelManager> {
public:
    // The render system, the camera manager and the shader manager must exist.
    ModelManager();
    // Deletes every registered model.
    virtual ~ModelManager();
    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    // A box model, not registered.
    Model* CreateBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                          Camera* camera, std::uint32_t flags);
    // An empty model whose buffers the caller fills, registered.
    Model* CreateModel(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                       std::uint32_t frameCount, const ShaderDescriptor* shader, Camera* camera, bool lazyTextures);
    // A model read from a model file, not registered. Never fails: a file that cannot be
    // read (logged by the model) gives the box from (-1, -1, -1) to (1, 1, 1), named
    // like the file, with the default material.
    Model* LoadModel(const std::wstring& fileName, Camera* camera, std::uint32_t flags, bool lazyTextures);
    // A copy, not registered.
    Model* CloneModel(const Model& source, Camera* camera, std::uint32_t flags);
    // A copy, registered.
    Model* CreateModelInstance(const Model& source, Camera* camera, std::uint32_t flags);
    // Removes a registered model and deletes it; null or a model the manager does not
    // hold is left alone.
    void ReleaseModel(Model* model);

    // The draw pass: nothing while the render system is not ready.
    void Render();
    // Presents the frame.
    void SwapBuffers();

    // What the last pass counted: visible registered models, those of them in view, and
    // their triangles.
    std::uint32_t GetVisibleModelCount() const { return visibleModels_; }
    std::uint32_t GetDrawnModelCount() const { return drawnModels_; }
    std::uint32_t GetVisiblePrimitiveCount() const { return visiblePrimitives_; }
    std::uint32_t GetDrawnPrimitiveCount() const { return drawnPrimitives_; }

    std::uint32_t GetModelCount() const { return registry_.GetCount(); }
    // The last pass's lists in drawing order.
    const std::vector<Model*>& GetFirstList() const { return firstList_; }
    const std::vector<Model*>& GetSecondList() const { return secondList_; }

private:
    void ResetCounters();
    // Updates every registered model and lists those to draw.
    void UpdateModels();
    void SortLists();

    ObjectManager<Model> registry_;
    // The registry's slots, walked by the pass (null for a freed slot).
    const std::vector<Model*>& slots_;
    std::vector<Model*> firstList_;
    std::vector<Model*> secondList_;
    // Room the sort works in.
    std::vector<Model*> sortScratch_;
    std::uint32_t visiblePrimitives_ = 0;
    std::uint32_t drawnPrimitives_ = 0;
    std::uint32_t visibleModels_ = 0;
    std::uint32_t drawnModels_ = 0;
};

}  // namespace Vantor
