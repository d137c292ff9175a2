// Model streaming in the simulated world: requests, loads that take frames, and releases.
#include "world/entities.h"

namespace sim {

void Entities::requestModel(ModelHash hash) {
    Model* model = findModel(hash);
    if (model == nullptr || !model->inImage) return;
    ++model->requestCount;
    if (model->loaded || model->requested) return;
    model->requested = true;
    model->framesLeft = model->framesToLoad;
    if (model->framesToLoad == 0) model->loaded = true;
}

bool Entities::modelLoaded(ModelHash hash) const {
    const auto found = models.find(hash);
    return found != models.end() && found->second.loaded;
}

// A release before the load finished cancels it; a loaded model stays in memory.
void Entities::releaseModel(ModelHash hash) {
    Model* model = findModel(hash);
    if (model == nullptr) return;
    ++model->releaseCount;
    model->requested = false;
}

void Entities::streamModels() {
    for (auto& [hash, model] : models) {
        if (!model.requested || model.loaded || model.framesToLoad < 0) continue;
        if (--model.framesLeft <= 0) model.loaded = true;
    }
}

}  // namespace sim
