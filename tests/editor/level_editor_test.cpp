#include "editor/level_editor.h"
#include "app/keys.h"
#include "process.h"
#include "verdict_fields.h"

#include <gtest/gtest.h>

using namespace floebound;

namespace {

void press(LevelEditor& editor, int key) {
    editor.handle_key(key, false);
    editor.handle_key(key, true);
}

void type(LevelEditor& editor, const std::string& keys) {
    for (const char c : keys) press(editor, c);
}

std::optional<Solution> answer_of(const LevelEditor& editor) {
    return wait_for_answer([&] { return editor.verdict(); });
}

// A level made with the keys alone: a penguin square, a cow, a goat to lay.
// The verdict follows every change, undo and redo; h walks the cursor over
// the solution's squares in command order; the saved file is the level the
// checker judged.
TEST(LevelEditor, KeysMakeALevelWhoseVerdictFollowsEveryChangeAndWhoseFileIsWhatWasJudged) {
    const ScratchDir home;
    LevelEditor editor(new_document(), target_in_folder(home.path() + "/levels"));
    EXPECT_EQ(editor.cursor_column(), 3);
    EXPECT_EQ(editor.cursor_row(), 3);
    press(editor, '1');
    press(editor, key_up);
    press(editor, key_left);
    press(editor, key_left);
    EXPECT_EQ(editor.cursor_column(), 4);
    EXPECT_EQ(editor.cursor_row(), 1);
    press(editor, '4');
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::penguin_square);
    EXPECT_EQ(editor.document().field.cell_at(4, 1), CellKind::cow);
    ASSERT_TRUE(answer_of(editor));
    EXPECT_EQ(editor.verdict_line().rfind("Not solvable: no sequence of commands tips every cow with 8 penguins and 0 goats", 0), 0u)
        << editor.verdict_line();

    press(editor, key_tab);
    EXPECT_EQ(editor.chosen_supply(), Supply::goats);
    press(editor, '=');
    EXPECT_EQ(editor.supplies_line(), "Penguins 8   [Goats 1]   Skateboards 0");
    ASSERT_TRUE(answer_of(editor));
    const std::string solvable = editor.verdict_line();
    EXPECT_EQ(solvable.rfind("Solvable: 1 goat, 8 penguins, 9 commands, difficulty ", 0), 0u) << solvable;

    press(editor, 'h');
    EXPECT_EQ(editor.help_line(), "Step 1 of 2: goat cw (3,1)");
    EXPECT_EQ(editor.cursor_column(), 3);
    EXPECT_EQ(editor.cursor_row(), 1);
    press(editor, 'h');
    EXPECT_EQ(editor.help_line(), "Step 2 of 2: 8 penguins (3,3)");
    EXPECT_EQ(editor.cursor_row(), 3);
    press(editor, 'h');
    EXPECT_EQ(editor.help_line(), "Step 1 of 2: goat cw (3,1)");

    press(editor, 'u');
    EXPECT_EQ(editor.document().goatMax, 0);
    ASSERT_TRUE(answer_of(editor));
    EXPECT_EQ(editor.verdict_line().rfind("Not solvable: ", 0), 0u) << editor.verdict_line();
    press(editor, 'r');
    ASSERT_TRUE(answer_of(editor));
    EXPECT_EQ(editor.verdict_line(), solvable);

    press(editor, 's');
    EXPECT_EQ(editor.help_line(), "Not saved: give the level a name first (n): its file takes the name");
    EXPECT_TRUE(editor.dirty());
    press(editor, 'n');
    ASSERT_TRUE(editor.name_field());
    editor.handle_key(key_left_shift, false);
    press(editor, 's');
    editor.handle_key(key_left_shift, true);
    type(editor, "lalom");
    press(editor, key_return);
    EXPECT_FALSE(editor.name_field());
    EXPECT_EQ(editor.document().name, "Slalom");
    press(editor, 's');
    const std::string path = home.path() + "/levels/Slalom.txt";
    EXPECT_EQ(editor.help_line(), "Saved " + path);
    EXPECT_FALSE(editor.dirty());

    const std::optional<LevelFile> saved = read_level_file(path.c_str());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->name, "Slalom");
    EXPECT_EQ(verdict_line(solve_level(field_of(*saved), *saved->penguinMax, *saved->goatMax)), solvable);
}

// The name field cuts a long name at its limit and refuses a slash with the
// reason; escape keeps the name there was.
TEST(LevelEditor, TheNameFieldRefusesWhatANameCannotHold) {
    const ScratchDir home;
    LevelEditor editor(new_document(), target_in_folder(home.path()));
    press(editor, 'n');
    type(editor, "up");
    press(editor, '/');
    EXPECT_EQ(editor.help_line(), "a name cannot hold a slash: it names the level's file");
    EXPECT_EQ(editor.name_field()->text(), "up");
    type(editor, " and down and round and round and round again");
    EXPECT_EQ(editor.name_field()->text(), "up and down and round and round and roun");
    EXPECT_EQ(editor.help_line(), "a name holds at most 40 characters");
    press(editor, key_backspace);
    press(editor, key_return);
    EXPECT_EQ(editor.document().name, "up and down and round and round and rou");

    press(editor, 'n');
    type(editor, "xyz");
    press(editor, key_escape);
    EXPECT_FALSE(editor.name_field());
    EXPECT_EQ(editor.document().name, "up and down and round and round and rou");
    EXPECT_TRUE(editor.history().can_undo());
}

// Space opens the kinds' popup on the square's own kind; the arrows walk
// its 3 by 3 grid without going round the edges, space sets the kind, a
// digit sets its kind at once, escape closes it leaving the square (and the
// editor) as they were; other keys wait until it has closed.
TEST(LevelEditor, TheKindPopupSetsTheChosenKindOrNothing) {
    const ScratchDir home;
    LevelEditor editor(new_document(), target_in_folder(home.path()));
    press(editor, '4');
    press(editor, key_space);
    ASSERT_TRUE(editor.picker());
    EXPECT_EQ(editor.picker()->selected(), 4) << "the cow, in the middle";
    for (int key : {key_up, key_up, key_left, key_left}) press(editor, key);
    EXPECT_EQ(editor.picker()->selected(), 0);
    for (int key : {key_down, key_down, key_down, key_right, key_right, key_right}) press(editor, key);
    EXPECT_EQ(editor.picker()->selected(), 8);
    press(editor, 'u');
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::cow) << "undone under the open popup";
    editor.handle_key(key_space, false);
    EXPECT_FALSE(editor.picker());
    EXPECT_EQ(editor.handle_key(key_space, true), EditorRequest::none);
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::tunafish);

    press(editor, key_space);
    press(editor, '7');
    EXPECT_FALSE(editor.picker());
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::fire);

    press(editor, key_space);
    press(editor, key_left);
    EXPECT_EQ(editor.handle_key(key_escape, false), EditorRequest::none);
    EXPECT_EQ(editor.handle_key(key_escape, true), EditorRequest::none) << "the escape that closed the popup left";
    EXPECT_FALSE(editor.picker());
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::fire);
    EXPECT_EQ(editor.handle_key(key_escape, true), EditorRequest::leave);
}

}  // namespace
