#include "game/model_cache.h"

#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"

namespace floebound {

ModelCache::~ModelCache() {
    // Quietly: the console's model memory lines are for models the game lets go of while it plays.
    for (const auto& [key, model] : models_) discard_md2(model);
}

Md2Model* ModelCache::fetch(const char* model_path, const char* skin_path) {
    const std::string key = std::string(model_path) + ":" + skin_path;
    if (const auto found = models_.find(key); found != models_.end()) return found->second;
    Md2Model* model = load_md2(model_path);
    models_[key] = model;
    if (!model) return nullptr;
    model->skin = load_image(skin_path).release();
    if (model->skin && model->skin->texture == 0) make_texture(model->skin);
    return model;
}

}  // namespace floebound
