#pragma once

#include "game/actor.h"
#include "game/particles.h"
#include "puzzle/grid.h"

#include <deque>

namespace floebound {

// What the rules change as a level plays: the field, what stands and walks on
// it, and the player's supplies. The Level changes it; the LevelView only
// reads it to draw.
struct LevelState {
    CellKind cell_at(int column, int row) const { return grid.cell_at(column, row); }
    void set_cell(int column, int row, CellKind kind) { grid.set_cell(column, row, kind); }

    std::deque<Actor> penguins;
    std::deque<Actor> cows;
    std::deque<Actor> skateboards;
    std::deque<Actor> trees;
    std::deque<int> goats;  // cell indices of placed goat squares, oldest first
    std::deque<Actor> buckets;
    std::deque<Actor> tunafish_list;
    std::deque<ParticleEmitter> fires;
    int penguinMax = 0;
    int goatMax = 0;
    int skateboardMax = 0;
    Grid grid;  // all empty until a level loads
    int goat_clock = 1500;
};

struct GameAssets;
struct LevelFile;

// Makes the state what a level file sets up before play: the squares it
// draws (on the field as it was), the trees, cows, buckets and tunafish on
// theirs and the fires burning, the supplies it gives (0 otherwise); nothing
// walking or placed yet.
void set_up_level_state(LevelState& state, const LevelFile& file, GameAssets& assets);

// Fires burn for ever: a finished emitter starts again where it was, with
// the sheet (loaded then, if it is not yet).
void keep_fires_burning(std::deque<ParticleEmitter>& fires, ParticleSheet& particle_sheet, int elapsed_ms);

}  // namespace floebound
