#include "engine/render/ModelManager.h"

#include "engine/kernel/Error.h"
#include "engine/render/DrawListSort.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/RenderSystem.h"

namespace Vantor {

namespace {

// The box that stands in for a model file that cannot be read.
constexpr float kFallbackExtent = 1.0f;

float SortDepth(const Model* model) { return model->GetDepth() + model->GetDepthBias(); }

}  // namespace

ModelManager::ModelManager() : slots_(registry_.GetSlots()) {}

ModelManager::~ModelManager() {
    // The lists only point into the registry, which deletes the models.
    firstList_.clear();
    secondList_.clear();
}

Model* ModelManager::CreateBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                                    Camera* camera, std::uint32_t flags) {
    return new Model(minimum, maximum, shader, camera, flags);
}

Model* ModelManager::CreateModel(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                                 std::uint32_t frameCount, const ShaderDescriptor* shader, Camera* camera,
                                 bool lazyTextures) {
    Model* model = new Model(flags, vertexCount, indexCount, frameCount, shader, camera, lazyTextures);
    registry_.AddObject(model);
    return model;
}

Model* ModelManager::LoadModel(const std::wstring& fileName, Camera* camera, std::uint32_t flags, bool lazyTextures) {
    try {
        return new Model(fileName, camera, flags, lazyTextures);
    } catch (const Error&) {
        // A file error was logged by the model; the box keeps the file's name.
        Model* box = CreateBoxModel({-kFallbackExtent, -kFallbackExtent, -kFallbackExtent},
                                    {kFallbackExtent, kFallbackExtent, kFallbackExtent}, nullptr, camera, flags);
        box->name_ = fileName;
        return box;
    }
}

Model* ModelManager::CloneModel(const Model& source, Camera* camera, std::uint32_t flags) {
    return new Model(source, camera, flags);
}

Model* ModelManager::CreateModelInstance(const Model& source, Camera* camera, std::uint32_t flags) {
    Model* model = new Model(source, camera, flags);
    registry_.AddObject(model);
    return model;
}

void ModelManager::ReleaseModel(Model* model) {
    if (registry_.RemoveObject(model)) delete model;
}

void ModelManager::ResetCounters() {
    visiblePrimitives_ = 0;
    drawnPrimitives_ = 0;
    visibleModels_ = 0;
    drawnModels_ = 0;
}

void ModelManager::Render() {
    ResetCounters();
    RenderSystem& renderSystem = *RenderSystem::Instance();
    if (!renderSystem.IsReady()) return;
    UpdateModels();
    SortLists();
    // Nothing is drawn into a device lost meanwhile.
    if (!renderSystem.IsReady()) return;
    renderSystem.BeginScene();
    for (Model* model : firstList_) model->Draw();
    for (Model* model : secondList_) model->Draw();
    renderSystem.EndScene();
}

void ModelManager::UpdateModels() {
    firstList_.clear();
    secondList_.clear();
    // Steady frames reuse the room of earlier ones.
    firstList_.reserve(slots_.size());
    secondList_.reserve(slots_.size());
    sortScratch_.reserve(slots_.size());
    for (Model* model : slots_) {
        if (!model) continue;
        model->Update(true);
        if (!(model->GetFlags() & ModelFlags::kVisible)) continue;
        visiblePrimitives_ += model->GetPrimitiveCount();
        drawnPrimitives_ += model->GetDrawnPrimitiveCount();
        ++visibleModels_;
        if (model->GetDrawnPrimitiveCount() == 0) continue;
        ++drawnModels_;
        if (model->GetFlags() & ModelFlags::kFirstDrawList)
            firstList_.push_back(model);
        else
            secondList_.push_back(model);
    }
}

void ModelManager::SortLists() {
    SortDrawList(secondList_, sortScratch_, DrawOrder::kFarthestFirst, SortDepth);
    SortDrawList(firstList_, sortScratch_, DrawOrder::kNearestFirst, SortDepth);
}

void ModelManager::SwapBuffers() { RenderSystem::Instance()->SwapBuffers(); }

}  // namespace Vantor
