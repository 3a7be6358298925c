#include "scratch_game_folder.h"

#include "app/game_folder.h"

using namespace floebound;

ScratchGameFolder::ScratchGameFolder() { set_game_folder(path()); }

ScratchGameFolder::~ScratchGameFolder() { set_game_folder(""); }
