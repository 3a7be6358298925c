#include "puzzle/level_file.h"
#include "game/model_cache.h"
#include "game/particles.h"
#include "level_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace floebound;

namespace {

using LevelLoading = LevelScene;

const std::vector<std::string> example_field = {
    "..x.....", ".D......", "........", "...C..B.", "........", ".S...F..", "......T.", "f.......",
};
const std::string example_settings = "penguinMax=8\ngoatMax=2\nskateboardMax=1\n";

void expect_at(const Actor& actor, int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    EXPECT_FLOAT_EQ(actor.position[0], centre.x) << actor.display_name;
    EXPECT_EQ(actor.position[1], 0) << actor.display_name;
    EXPECT_FLOAT_EQ(actor.position[2], centre.z) << actor.display_name;
}

// A field with one tree, in column tree_column of row 0, to tell levels apart.
std::string marked_level(int tree_column) {
    std::string first_row(8, '.');
    first_row[static_cast<std::size_t>(tree_column)] = 'x';
    return level_text({first_row, "........", "...C....", "........", "........", "........", "........",
                       "........"});
}

}  // namespace

TEST_F(LevelLoading, WorkedExampleCreatesItsActorsFiresAndSupplies) {
    level->load_level(write_level("example.txt", level_text(example_field, example_settings)).c_str());

    // The grid says what the file says, square by square.
    const std::string text = level_text(example_field);
    const LevelFile file = parse_level_file(text.data(), text.size());
    for (int cell = 0; cell < grid_cells; ++cell) EXPECT_EQ(level->grid.cells[cell], file.cells[cell]);

    ASSERT_EQ(level->trees.size(), 1u);
    ASSERT_EQ(level->cows.size(), 1u);
    ASSERT_EQ(level->buckets.size(), 1u);
    ASSERT_EQ(level->tunafish_list.size(), 1u);
    ASSERT_EQ(level->fires.size(), 2u);
    EXPECT_TRUE(level->penguins.empty() && level->skateboards.empty() && level->goats.empty());

    const struct {
        const Actor& actor;
        const char* name;
        const char* model_and_skin;
        int column, row;
    } expected[] = {
        {level->trees[0], "Tree", "models/shrub/tris.md2:models/shrub/s6.png", 2, 0},
        {level->cows[0], "Cow", "models/cow/tris.md2:models/cow/cow.png", 3, 3},
        {level->buckets[0], "Bucket", "models/bucket/tris.md2:models/bucket/bucket.png", 6, 3},
        {level->tunafish_list[0], "Tunafish", "models/tuna/tris.md2:models/tuna/tuna.png", 0, 7},
    };
    for (const auto& e : expected) {
        EXPECT_STREQ(e.actor.display_name, e.name);
        ASSERT_EQ(assets->models.entries().count(e.model_and_skin), 1u) << e.name;
        EXPECT_EQ(e.actor.model, assets->models.entries().at(e.model_and_skin).get()) << e.name;
        EXPECT_NE(e.actor.model, nullptr) << e.name;
        expect_at(e.actor, e.column, e.row);
    }
    const Actor& cow = level->cows[0];
    EXPECT_EQ(cow.emitter.params, &cow_params);
    EXPECT_EQ(cow.emitter.origin[0], 0);
    EXPECT_EQ(cow.emitter.origin[1], 22);
    EXPECT_EQ(cow.emitter.origin[2], -18);

    EXPECT_EQ(level->fires[0].params, &fire_params_1);
    EXPECT_EQ(level->fires[1].params, &fire_params_2);
    const CellCentre fire_square = cell_centre(5, 5);
    for (const ParticleEmitter& fire : level->fires) {
        EXPECT_EQ(fire.origin[0], fire_square.x);
        EXPECT_EQ(fire.origin[1], 0);
        EXPECT_EQ(fire.origin[2], fire_square.z);
    }
    EXPECT_EQ(level->penguinMax, 8);
    EXPECT_EQ(level->goatMax, 2);
    EXPECT_EQ(level->skateboardMax, 1);
}

TEST_F(LevelLoading, ANewLevelReplacesEverythingButSquaresItLeavesAlone) {
    level->load_level(write_level("first.txt", level_text({"xxx.B...", ".D......", "...C....", "........",
                                                           "........", "........", "........", "........"},
                                                          "penguinMax=9\ngoatMax=4\n"))
                          .c_str());
    ASSERT_EQ(level->trees.size(), 3u);
    drop_penguin("Gus", 1, 1);
    level->skateboards.emplace_back();
    level->set_cell(4, 4, CellKind::goat_cw);
    level->goats.push_back(4 * 8 + 4);
    level->popup = std::make_unique<Popup>(*assets);
    level->popup_open = true;

    // "#" and the squares past a short line keep what the first level had.
    level->load_level(write_level("second.txt", level_text({"#.x", "........", "........", "........", "........",
                                                            "........", "........", "........"},
                                                           "goatMax=1\n"))
                          .c_str());
    ASSERT_EQ(level->trees.size(), 1u);
    expect_at(level->trees[0], 2, 0);
    EXPECT_EQ(level->cell_at(0, 0), CellKind::tree);  // kept, but its actor is gone
    EXPECT_EQ(level->cell_at(1, 0), CellKind::empty);
    EXPECT_EQ(level->cell_at(4, 0), CellKind::bucket);
    EXPECT_EQ(level->cell_at(4, 4), CellKind::empty);
    EXPECT_TRUE(level->penguins.empty() && level->skateboards.empty() && level->goats.empty());
    EXPECT_TRUE(level->cows.empty() && level->buckets.empty());
    EXPECT_EQ(level->penguinMax, 0);
    EXPECT_EQ(level->goatMax, 1);
    EXPECT_EQ(level->popup, nullptr);
    EXPECT_FALSE(level->popup_open);

    // A file that does not open empties the lists and supplies but keeps the grid.
    const Grid before = level->grid;
    level->load_level("data/missing.txt");
    EXPECT_TRUE(std::equal(std::begin(before.cells), std::end(before.cells), std::begin(level->grid.cells)));
    EXPECT_TRUE(level->trees.empty());
    EXPECT_EQ(level->goatMax, 0);
}

TEST_F(LevelLoading, NumberedLevelsFollowOneAnotherAndWrapToTheFirst) {
    write_level("level.txt", marked_level(0));
    write_level("level001.txt", marked_level(1));
    write_level("level003.txt", marked_level(3));  // after a gap: never reached
    auto tree_column = [&] {
        EXPECT_EQ(level->trees.size(), 1u);
        return level->trees.empty() ? -1 : square_of(level->trees[0]).column;
    };

    level->load_level("data/level.txt");
    level->orbit = Orbit{0.3f, 2.0f, 1500, 1, -1, 1};
    level->advance_level();
    EXPECT_EQ(level->level_number, 1);
    EXPECT_EQ(tree_column(), 1);
    EXPECT_EQ(level->orbit.orbit_theta, 1.0f);
    EXPECT_EQ(level->orbit.orbit_phi, 4.74f);
    EXPECT_EQ(level->orbit.orbit_dist, 800);

    // Restart reloads the same file over a changed field.
    level->set_cell(1, 0, CellKind::empty);
    level->orbit.orbit_dist = 1500;
    level->restart_level();
    EXPECT_EQ(level->level_number, 1);
    EXPECT_EQ(level->cell_at(1, 0), CellKind::tree);
    EXPECT_EQ(tree_column(), 1);
    EXPECT_EQ(level->orbit.orbit_dist, 1500);  // only advancing resets the camera

    level->advance_level();
    EXPECT_EQ(level->level_number, 0);
    EXPECT_EQ(tree_column(), 0);

    // Level 0 restarts from data/level.txt unless a data/level000.txt exists.
    level->set_cell(0, 0, CellKind::empty);
    level->restart_level();
    EXPECT_EQ(level->cell_at(0, 0), CellKind::tree);
    write_level("level000.txt", marked_level(5));
    level->restart_level();
    EXPECT_EQ(level->level_number, 0);
    EXPECT_EQ(tree_column(), 5);

    // A numbered level that has gone sends restart back to level 0.
    level->level_number = 7;
    level->restart_level();
    EXPECT_EQ(level->level_number, 0);
    EXPECT_EQ(tree_column(), 0);
}
