#include "editor/edit_history.h"

#include <gtest/gtest.h>

using namespace floebound;

namespace {

// Many steps back and forth return every state in order; a change made
// after undoing drops the undone steps for good; dirty follows the saved
// document, not the number of steps.
TEST(EditHistory, UndoAndRedoGoAsFarAsTheSessionAndANewChangeCutsTheRedoBranch) {
    EditHistory history(new_document());
    const LevelDocument opened = history.document();
    EXPECT_FALSE(history.dirty());
    EXPECT_FALSE(history.undo());

    // Laps over the field, each square's kind differing from the lap before.
    constexpr int steps = 200;
    const auto kind_of = [](int step) { return (step + step / grid_cells) % 2 ? CellKind::tree : CellKind::cow; };
    const auto column_of = [](int step) { return step % grid_side; };
    const auto row_of = [](int step) { return step / grid_side % grid_side; };
    std::vector<LevelDocument> states{opened};
    for (int i = 0; i < steps; ++i) {
        ASSERT_TRUE(history.set_cell(column_of(i), row_of(i), kind_of(i))) << i;
        states.push_back(history.document());
    }
    // The same kind again, and a supply past its end, are no steps.
    EXPECT_FALSE(history.set_cell(column_of(steps - 1), row_of(steps - 1), kind_of(steps - 1)));
    EXPECT_FALSE(history.set_cell(grid_side, 0, CellKind::tree));
    EXPECT_FALSE(history.change_supply(Supply::goats, -1));

    for (int i = steps; i > 0; --i) {
        ASSERT_TRUE(history.undo());
        ASSERT_EQ(history.document(), states[static_cast<std::size_t>(i - 1)]) << i;
    }
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.dirty()) << "back where it was opened";
    for (int i = 1; i <= steps / 2; ++i) {
        ASSERT_TRUE(history.redo());
        ASSERT_EQ(history.document(), states[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(history.dirty());

    history.mark_saved();
    ASSERT_TRUE(history.change_supply(Supply::goats, 2));
    EXPECT_EQ(history.document().goatMax, 2);
    EXPECT_FALSE(history.can_redo()) << "the undone half is gone";
    EXPECT_TRUE(history.dirty());
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.dirty()) << "the saved document again";
    EXPECT_EQ(history.document(), states[steps / 2]);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(history.document().goatMax, 2);

    EXPECT_EQ(history.rename("a/b"), "a name cannot hold a slash: it names the level's file");
    EXPECT_EQ(history.document().name, "");
    EXPECT_EQ(history.rename("Slalom"), "");
    EXPECT_EQ(history.document().name, "Slalom");
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.document().name, "");
}

}  // namespace
