// The level select and the victory line, worked out without a window.

#include "app/keys.h"
#include "process.h"
#include "scenes/level_select.h"
#include "scenes/play_outcome.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using namespace floebound;

namespace {

std::vector<CatalogueEntry> levels(int count) {
    std::vector<CatalogueEntry> entries(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        entries[static_cast<std::size_t>(n)].number = n;
        entries[static_cast<std::size_t>(n)].path = "data/level" + std::to_string(n) + ".txt";
        entries[static_cast<std::size_t>(n)].best = 2;
    }
    return entries;
}

}  // namespace

// The shipped set fits one page at the sizes players have; a bigger one
// pages, and every level stays reachable by the keys.
TEST(LevelSelect, FitsTheShippedLevelsOnOneScreenAndPagesBeyond) {
    for (const auto& [width, height] : {std::pair{1280, 720}, std::pair{1920, 1080}}) {
        const SelectLayout layout = select_layout(width, height);
        EXPECT_GE(layout.per_page(), 41) << width << "x" << height;
        const TileCorner last = tile_corner(layout, layout.per_page() - 1);
        EXPECT_LE(last.x + tile_width, width);
        EXPECT_LE(last.y + tile_height, height - select_footer_height);
        EXPECT_GE(tile_corner(layout, 0).y, select_header_height);
    }

    const SelectLayout small = select_layout(640, 480);
    const int count = 150;
    int cursor = 0;
    for (int presses = 0; presses < 200 && cursor < count - 1; ++presses)
        cursor = cursor_after_key(cursor, key_page_down, count, small);
    EXPECT_EQ(cursor, count - 1) << "Page Down reaches the last level";
    EXPECT_EQ(cursor_after_key(cursor, key_down, count, small), count - 1);
    EXPECT_EQ(cursor_after_key(cursor, key_page_up, count, small), count - 1 - small.per_page());
    EXPECT_EQ(cursor_after_key(3, key_up, count, small), 0);
    EXPECT_EQ(cursor_after_key(3, key_down, count, small), 3 + small.columns);
    EXPECT_EQ(tile_corner(small, small.per_page()).x, tile_corner(small, 0).x) << "a new page starts at the top left";
}

TEST(LevelSelect, TellsReachedSkippedSolvedAndTheBestPossible) {
    const std::vector<CatalogueEntry> entries = levels(6);
    Records records;
    records["data/level0.txt"] = {2, 8, 0, 9000};  // at the best
    records["data/level1.txt"] = {3, 8, 0, 9000};  // a goat more than needed
    records["data/level2.txt"] = {2, 9, 1, 9000};  // a penguin lost
    records["data/level9.txt"] = {1, 8, 0, 9000};  // a level no longer here counts for nothing
    const int furthest = 4;
    EXPECT_EQ(tile_state(entries[0], furthest, records), TileState::solved_at_best);
    EXPECT_EQ(tile_state(entries[1], furthest, records), TileState::solved);
    EXPECT_EQ(tile_state(entries[2], furthest, records), TileState::solved);
    EXPECT_EQ(tile_state(entries[3], furthest, records), TileState::skipped);
    EXPECT_EQ(tile_state(entries[4], furthest, records), TileState::reached);
    EXPECT_EQ(tile_state(entries[5], furthest, records), TileState::not_reached);
    EXPECT_EQ(select_header(entries, records), "3 of 6 solved, 1 at the best possible");

    CatalogueEntry unproven = entries[0];
    unproven.best.reset();
    EXPECT_EQ(tile_state(unproven, furthest, records), TileState::solved) << "no best known, none claimed";
}

TEST(VictoryLine, SetsTheGoatsAgainstTheProvenBest) {
    EXPECT_EQ(victory_line(2, 0, 2), "Solved with 2 goats: the best possible");
    EXPECT_EQ(victory_line(3, 0, 2), "Solved with 3 goats; 2 is possible");
    EXPECT_EQ(victory_line(1, 1, 1), "Solved with 1 goat, 1 penguin lost; none need be lost");
    EXPECT_EQ(victory_line(0, 0, 0), "Solved with no goats: the best possible");
    EXPECT_EQ(victory_line(3, 0, std::nullopt), "Solved with 3 goats");
    EXPECT_EQ(play_time_text(65'349), "1:05.3");
}

// The player's levels come after the shipped ones, by file name, each by the
// name it gives or its file's; what is no level file is left out, and they
// can all be played whatever has been reached. Reading again replaces them.
TEST(LevelSelect, ThePlayersOwnLevelsFollowTheShippedOnesByFileName) {
    const ScratchDir folder;
    std::string seven_rows;
    for (int row = 1; row < 8; ++row) seven_rows += "........\n";
    folder.write_file("b.txt", "....C...\n" + seven_rows + "name=Bravo\n");
    folder.write_file("a.txt", "D.......\n");
    folder.write_file(".hidden.txt", "C\n");
    folder.write_file("notes.md", "C\n");
    ASSERT_EQ(mkfifo(folder.file("fifo.txt").c_str(), 0644), 0);
    std::filesystem::create_directory(folder.file("folder.txt"));

    std::vector<CatalogueEntry> catalogue = levels(3);
    read_own_levels(catalogue, folder.path());
    read_own_levels(catalogue, folder.path());
    ASSERT_EQ(catalogue.size(), 5u);
    const CatalogueEntry& a = catalogue[3];
    const CatalogueEntry& b = catalogue[4];
    EXPECT_TRUE(a.own && b.own);
    EXPECT_FALSE(catalogue[2].own);
    EXPECT_EQ(a.number, 3);
    EXPECT_EQ(a.path, folder.file("a.txt"));
    EXPECT_EQ(level_title(a), "Your level: a");
    EXPECT_EQ(level_title(b), "Your level: Bravo");
    EXPECT_EQ(a.field.cell_at(0, 0), CellKind::penguin_square);
    EXPECT_EQ(b.field.cell_at(4, 0), CellKind::cow);
    EXPECT_EQ(tile_state(b, 0, Records{}), TileState::reached);
    Records solved;
    solved[b.path] = {1, 8, 0, 4000};
    EXPECT_EQ(tile_state(b, 0, solved), TileState::solved);
}
