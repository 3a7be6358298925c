#pragma once

#include "meshes/md2.h"

#include <map>
#include <memory>
#include <string>

namespace floebound {

// Every model and skin pair loaded so far, keyed "model path:skin path". A
// failed load stays in as null so that a missing file is tried only once.
// The models, shared by every actor that names them, go with the cache.
class ModelCache {
public:
    // The pair's model from the cache, or loaded with its skin attached (skin
    // texture made) and then cached; null when the model file did not load,
    // in this call or an earlier one.
    [[nodiscard]] Md2Model* fetch(const char* model_path, const char* skin_path);

    const std::map<std::string, std::unique_ptr<Md2Model>>& entries() const { return models_; }

private:
    std::map<std::string, std::unique_ptr<Md2Model>> models_;
};

}  // namespace floebound
