#include "game/model_cache.h"

#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"

namespace floebound {

Md2Model* ModelCache::fetch(const char* model_path, const char* skin_path) {
    const std::string key = std::string(model_path) + ":" + skin_path;
    if (const auto found = models_.find(key); found != models_.end()) return found->second.get();
    // Released quietly with the cache: the console's model memory lines are
    // for models the game lets go of while it plays.
    Md2Model* model = (models_[key] = load_md2(model_path)).get();
    if (!model) return nullptr;
    model->skin = load_image(skin_path);
    if (model->skin && model->skin->texture == 0) make_texture(model->skin.get());
    return model;
}

}  // namespace floebound
