#include "meshes/scenery_tables.h"

namespace floebound {

SceneryTables scenery_tables{};

int scenery_item_count() { return scenery_tables.model_count; }

}  // namespace floebound
