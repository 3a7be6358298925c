#pragma once

#include <map>
#include <string>

namespace floebound {

struct Md2Model;

// Every model and skin pair loaded so far, keyed "model path:skin path". A
// failed load stays in as null so that a missing file is tried only once.
// The models, shared by every actor that names them, go with the cache.
class ModelCache {
public:
    ModelCache() = default;
    ~ModelCache();
    ModelCache(const ModelCache&) = delete;
    ModelCache& operator=(const ModelCache&) = delete;

    // The pair's model from the cache, or loaded with its skin attached (skin
    // texture made) and then cached; null when the model file did not load,
    // in this call or an earlier one.
    [[nodiscard]] Md2Model* fetch(const char* model_path, const char* skin_path);

    const std::map<std::string, Md2Model*>& entries() const { return models_; }

private:
    std::map<std::string, Md2Model*> models_;
};

}  // namespace floebound
