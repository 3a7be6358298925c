#pragma once

#include <map>
#include <string>

namespace floebound {

struct Md2Model;

// Every model and skin pair loaded so far, keyed "model path:skin path". A
// failed load stays in as null so that a missing file is tried only once. The
// cache and its models live for the whole process and are never released.
std::map<std::string, Md2Model*>& model_cache();

// The pair's model from the cache, or loaded with its skin attached (skin
// texture made) and then cached; null when the model file did not load, in
// this call or an earlier one.
[[nodiscard]] Md2Model* fetch_model(const char* model_path, const char* skin_path);

}  // namespace floebound
