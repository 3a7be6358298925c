#include "meshes/scenery_tables.h"

namespace floebound {

// The scenery items load once for the whole run and every terrain shares them.
SceneryTables scenery_tables{};

int scenery_item_count() { return scenery_tables.model_count; }

}  // namespace floebound
