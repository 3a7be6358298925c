#include "game/model_cache.h"

#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"

namespace floebound {

std::map<std::string, Md2Model*>& model_cache() {
    // Never destroyed, so the models stay reachable to the end and leak checkers
    // at exit do not mistake them for leaks.
    static auto* cache = new std::map<std::string, Md2Model*>;
    return *cache;
}

Md2Model* fetch_model(const char* model_path, const char* skin_path) {
    const std::string key = std::string(model_path) + ":" + skin_path;
    auto& cache = model_cache();
    if (const auto found = cache.find(key); found != cache.end()) return found->second;
    Md2Model* model = load_md2(model_path);
    cache[key] = model;
    if (!model) return nullptr;
    model->skin = load_image(skin_path);
    if (model->skin && model->skin->texture == 0) make_texture(model->skin);
    return model;
}

}  // namespace floebound
