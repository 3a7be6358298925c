#include "app/keys.h"
#include "game/game_assets.h"
#include "game/level.h"
#include "media/sound.h"
#include "scratch_game_folder.h"
#include "silent_wav.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

using Entries = std::vector<PopupCommand>;

using Cmd = PopupCommand;

Entries entries(std::initializer_list<PopupCommand> commands) { return Entries(commands); }

constexpr int slice_ms = 18;  // the longest update the main loop makes

// A penguin square at (1, 1), a skateboard square at (1, 5), the cow at
// (6, 5) and a tree at (2, 6); the cursor starts on the empty (3, 3).
const char* const practice_field =
    "........\n"
    ".D......\n"
    "........\n"
    "........\n"
    "........\n"
    ".S....C.\n"
    "..x.....\n"
    "........\n";

std::string practice_level(int penguins, int goats, int skateboards) {
    return std::string(practice_field) + "penguinMax=" + std::to_string(penguins) + "\ngoatMax=" +
           std::to_string(goats) + "\nskateboardMax=" + std::to_string(skateboards) + "\n";
}

void write_text(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The complete "Out of ..." lines printed, among whatever else went to the
// console (the pictures missing in the scratch folder, for one).
std::vector<std::string> supply_messages(const std::string& printed) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = printed.find('\n', start)) != std::string::npos; start = end + 1) {
        if (printed.compare(start, 7, "Out of ") == 0) lines.push_back(printed.substr(start, end - start));
    }
    return lines;
}

bool effect_playing(const SoundBank& sounds, SoundId id) {
    Mix_Chunk* chunk = sounds.effect(id);
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel)
        if (chunk && Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) return true;
    return false;
}

// A Level played from the keyboard in a scratch game folder, as the main loop
// drives it: keys, then updates of at most 18 ms.
class LevelPlay : public ::testing::Test {
protected:
    // The suite's sounds come from a folder holding only the falling sound,
    // so any other effect plays nothing.
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
        const ScratchGameFolder sounds;
        std::filesystem::create_directories(sounds.file("data/sfx"));
        write_silent_wav(sounds.file("data/sfx/falling.wav"), 5);
        assets_ = new GameAssets;
        ASSERT_NE(assets_->sounds.effect(SoundId::falling), nullptr) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        delete assets_;
        assets_ = nullptr;
        Mix_CloseAudio();
        SDL_Quit();
    }

    void SetUp() override {
        Mix_HaltChannel(-1);
        std::filesystem::create_directory(dir_.file("data"));
        level_ = std::make_unique<Level>(*assets_);
    }
    void TearDown() override { level_.reset(); }

    // The main loop's first level is data/level.txt; restarting level 0 reads
    // it again.
    void load(const std::string& text) {
        write_text(dir_.file("data/level.txt"), text);
        level_->load_level("data/level.txt");
    }

    void press(int key) { level_->handle_key(key, false); }
    void release(int key) { level_->handle_key(key, true); }
    void tap(int key) {
        press(key);
        release(key);
    }
    void step() { level_->update(slice_ms); }

    std::pair<int, int> cursor() const {
        std::pair<int, int> square;
        level_->cursor_square(square.first, square.second);
        return square;
    }

    // Up and down step along the columns, right and left along the rows.
    void move_cursor_to(int column, int row) {
        for (int i = 0; i < 16 && cursor() != std::pair{column, row}; ++i) {
            const auto [c, r] = cursor();
            tap(c < column ? key_up : c > column ? key_down : r < row ? key_right : key_left);
        }
        ASSERT_EQ(cursor(), (std::pair{column, row}));
    }

    Entries open_popup_at(int column, int row) {
        move_cursor_to(column, row);
        tap(key_space);
        if (!level_->popup) return {};
        return level_->popup->entries;
    }

    // Highlights entry `index` of the open popup, confirms it, and lets the
    // next update carry it out.
    void choose(int index) {
        for (int i = 0; i < index; ++i) release(key_right);
        tap(key_space);
        step();
    }

    void activate_penguins(int count) {
        for (int i = 0; i < count; ++i) {
            const Entries offered = open_popup_at(1, 1);
            ASSERT_FALSE(offered.empty()) << i;
            ASSERT_EQ(offered.front(), Cmd::penguin) << i;
            choose(0);
        }
    }

    static GameAssets* assets_;
    ScratchGameFolder dir_;
    std::unique_ptr<Level> level_;
};

GameAssets* LevelPlay::assets_ = nullptr;

TEST_F(LevelPlay, CursorMovesOverTheFieldAndStopsAtItsEdges) {
    EXPECT_EQ(cursor(), (std::pair{3, 3}));
    EXPECT_EQ(level_->hint_index, 0);

    // The first arrow event of the game, even a release, moves the hint on;
    // releases never move the cursor.
    release(key_up);
    EXPECT_EQ(level_->hint_index, 1);
    EXPECT_EQ(cursor(), (std::pair{3, 3}));

    for (int column = 4; column <= 7; ++column) {
        tap(key_up);
        EXPECT_EQ(cursor(), (std::pair{column, 3}));
    }
    tap(key_up);
    EXPECT_EQ(cursor(), (std::pair{7, 3}));

    for (int row = 2; row >= 0; --row) {
        tap(key_left);
        EXPECT_EQ(cursor(), (std::pair{7, row}));
    }
    tap(key_left);
    EXPECT_EQ(cursor(), (std::pair{7, 0}));

    for (int column = 6; column >= 0; --column) tap(key_down);
    tap(key_down);
    for (int row = 1; row <= 7; ++row) tap(key_right);
    tap(key_right);
    EXPECT_EQ(cursor(), (std::pair{0, 7}));
    EXPECT_EQ(level_->hint_index, 1);
}

TEST_F(LevelPlay, SquarePopupsOfferWhatTheSquareAndSuppliesAllow) {
    load(practice_level(1, 2, 1));

    EXPECT_EQ(open_popup_at(3, 3), entries({Cmd::goat_cw, Cmd::goat_ccw, Cmd::close, Cmd::restart}));
    ASSERT_NE(level_->popup, nullptr);
    EXPECT_EQ(level_->popup->selected, 0);
    EXPECT_TRUE(level_->popup_open);
    choose(0);
    EXPECT_EQ(level_->popup, nullptr);
    EXPECT_FALSE(level_->popup_open);
    EXPECT_EQ(level_->cell_at(3, 3), CellKind::goat_cw);
    EXPECT_EQ(level_->goats, (std::deque<int>{3 * 8 + 3}));

    // Turning a goat round uses no further goat.
    EXPECT_EQ(open_popup_at(3, 3), entries({Cmd::goat_ccw, Cmd::clear, Cmd::close, Cmd::restart}));
    choose(0);
    EXPECT_EQ(level_->cell_at(3, 3), CellKind::goat_ccw);
    EXPECT_EQ(level_->goats.size(), 1u);
    EXPECT_EQ(open_popup_at(3, 3), entries({Cmd::goat_cw, Cmd::clear, Cmd::close, Cmd::restart}));
    choose(2);
    EXPECT_EQ(level_->cell_at(3, 3), CellKind::goat_ccw);

    EXPECT_EQ(open_popup_at(4, 3), entries({Cmd::goat_cw, Cmd::goat_ccw, Cmd::close, Cmd::restart}));
    choose(1);
    EXPECT_EQ(level_->cell_at(4, 3), CellKind::goat_ccw);
    EXPECT_EQ(level_->goats, (std::deque<int>{3 * 8 + 3, 3 * 8 + 4}));

    testing::internal::CaptureStdout();
    EXPECT_EQ(open_popup_at(5, 3), entries({Cmd::close, Cmd::restart}));
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of goats!"});
    choose(0);
    EXPECT_EQ(level_->cell_at(5, 3), CellKind::empty);

    // Clearing a goat gives it back, so one can stand elsewhere.
    open_popup_at(3, 3);
    choose(1);
    EXPECT_EQ(level_->cell_at(3, 3), CellKind::empty);
    EXPECT_EQ(level_->goats.size(), 1u);
    EXPECT_EQ(open_popup_at(5, 3), entries({Cmd::goat_cw, Cmd::goat_ccw, Cmd::close, Cmd::restart}));
    choose(0);
    EXPECT_EQ(level_->cell_at(5, 3), CellKind::goat_cw);

    EXPECT_EQ(open_popup_at(1, 1), entries({Cmd::penguin, Cmd::close, Cmd::restart}));
    choose(0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(open_popup_at(1, 1), entries({Cmd::close, Cmd::restart}));
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of penguins!"});
    choose(0);
    EXPECT_EQ(level_->penguins.size(), 1u);

    EXPECT_EQ(open_popup_at(1, 5), entries({Cmd::skateboard, Cmd::close, Cmd::restart}));
    choose(0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(open_popup_at(1, 5), entries({Cmd::close, Cmd::restart}));
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of skateboards!"});
    choose(0);
    EXPECT_EQ(level_->skateboards.size(), 1u);

    EXPECT_EQ(open_popup_at(2, 6), entries({Cmd::close, Cmd::restart}));  // a tree
    choose(0);
    EXPECT_EQ(open_popup_at(6, 5), entries({Cmd::close, Cmd::restart}));  // the cow
    choose(0);

    // Return opens popups just as space does, and a second press while one
    // is open confirms it instead of opening another.
    move_cursor_to(4, 3);
    tap(key_return);
    ASSERT_NE(level_->popup, nullptr);
    EXPECT_EQ(level_->popup->entries, entries({Cmd::goat_cw, Cmd::clear, Cmd::close, Cmd::restart}));
    Popup* const first = level_->popup.get();
    press(key_return);
    EXPECT_EQ(level_->popup.get(), first);
    EXPECT_FALSE(first->is_active());
    step();
    EXPECT_EQ(level_->cell_at(4, 3), CellKind::goat_cw);
    EXPECT_EQ(level_->goats.size(), 2u);
}

// goats names the goat squares standing, oldest first, whichever is cleared.
TEST_F(LevelPlay, GoatsListTheGoatSquaresStandingOldestFirst) {
    load(practice_level(1, 3, 0));
    const auto square = [](int column, int row) { return row * 8 + column; };
    const auto expect_goats = [&](std::deque<int> expected) {
        EXPECT_EQ(level_->goats, expected);
        std::deque<int> on_field;
        for (int cell = 0; cell < 64; ++cell)
            if (level_->cell_at(cell % 8, cell / 8) == CellKind::goat_cw ||
                level_->cell_at(cell % 8, cell / 8) == CellKind::goat_ccw)
                on_field.push_back(cell);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(on_field, expected);
    };

    for (int column : {3, 4, 5}) {
        open_popup_at(column, 3);
        choose(column % 2);
    }
    expect_goats({square(3, 3), square(4, 3), square(5, 3)});
    open_popup_at(4, 3);
    choose(1);  // clear the middle one
    expect_goats({square(3, 3), square(5, 3)});
    open_popup_at(3, 3);
    choose(0);  // turned, it keeps its place
    open_popup_at(2, 2);
    choose(0);
    expect_goats({square(3, 3), square(5, 3), square(2, 2)});
    open_popup_at(5, 3);
    choose(1);
    open_popup_at(3, 3);
    choose(1);
    expect_goats({square(2, 2)});
    open_popup_at(4, 4);
    choose(1);
    open_popup_at(4, 4);
    choose(3);  // restart
    expect_goats({});
}

TEST_F(LevelPlay, PenguinsDropOntoTheirSquareWithNamesAlternatingAcrossLoads) {
    load(practice_level(8, 0, 1));
    std::vector<std::string> names;

    activate_penguins(1);
    ASSERT_EQ(level_->penguins.size(), 1u);
    const Actor& dropped = level_->penguins.back();
    const CellCentre centre = cell_centre(1, 1);
    EXPECT_EQ(dropped.position[0], centre.x);
    EXPECT_EQ(dropped.position[1], 2000);
    EXPECT_EQ(dropped.position[2], centre.z);
    EXPECT_TRUE(effect_playing(assets_->sounds, SoundId::falling));
    names.push_back(dropped.display_name);
    // It falls straight down onto its square before it walks anywhere.
    for (int i = 0; i < 1000 && dropped.position[1] > 0; ++i) {
        step();
        ASSERT_EQ(dropped.position[0], centre.x);
        ASSERT_EQ(dropped.position[2], centre.z);
    }
    EXPECT_EQ(dropped.position[1], 0);

    // The restart command reloads the level: the penguins go, the names go on.
    ASSERT_EQ(open_popup_at(1, 1), entries({Cmd::penguin, Cmd::close, Cmd::restart}));
    choose(2);
    EXPECT_TRUE(level_->penguins.empty());
    activate_penguins(2);
    for (const Actor& actor : level_->penguins) names.push_back(actor.display_name);
    level_->load_level("data/level.txt");
    activate_penguins(1);
    names.push_back(level_->penguins.back().display_name);

    ASSERT_TRUE(names[0] == "Gus" || names[0] == "Penguin") << names[0];
    for (std::size_t i = 1; i < names.size(); ++i) {
        EXPECT_EQ(names[i], names[i - 1] == "Gus" ? "Penguin" : "Gus") << i;
    }

    // Skateboards drop the same way, silently.
    Mix_HaltChannel(-1);
    ASSERT_EQ(open_popup_at(1, 5), entries({Cmd::skateboard, Cmd::close, Cmd::restart}));
    choose(0);
    ASSERT_EQ(level_->skateboards.size(), 1u);
    const Actor& board = level_->skateboards.back();
    EXPECT_EQ(board.position[1], 2000);
    EXPECT_EQ(Mix_Playing(-1), 0);
    const CellCentre board_centre = cell_centre(1, 5);
    for (int i = 0; i < 1000 && board.position[1] > 0; ++i) step();
    EXPECT_EQ(board.position[0], board_centre.x);
    EXPECT_EQ(board.position[1], 0);
    EXPECT_EQ(board.position[2], board_centre.z);
}

TEST_F(LevelPlay, EscapeReleaseAsksWhetherToQuit) {
    load(practice_level(8, 2, 1));

    press(key_escape);
    EXPECT_EQ(level_->popup, nullptr);
    EXPECT_FALSE(level_->popup_open);
    release(key_escape);
    ASSERT_NE(level_->popup, nullptr);
    EXPECT_TRUE(level_->popup_open);
    EXPECT_EQ(level_->popup->entries, entries({Cmd::quit_yes, Cmd::quit_no}));
    choose(1);
    EXPECT_FALSE(level_->quit_requested);
    EXPECT_EQ(level_->popup, nullptr);

    tap(key_escape);
    tap(key_space);
    EXPECT_FALSE(level_->quit_requested);  // not before the update
    step();
    EXPECT_TRUE(level_->quit_requested);
}

TEST_F(LevelPlay, WonLevelDropsCommandsAndSpaceAdvancesWithTheCameraReset) {
    load(practice_level(8, 2, 1));
    write_text(dir_.file("data/level001.txt"), practice_level(3, 1, 0));

    // Steer the camera away from where a level starts.
    press('d');
    press(']');
    for (int i = 0; i < 10; ++i) step();
    release('d');
    release(']');
    EXPECT_GT(level_->orbit.orbit_phi, 4.74f);
    EXPECT_GT(level_->orbit.orbit_dist, 800);

    press(key_tab);
    EXPECT_TRUE(level_->cows.empty());
    step();
    tap(key_space);
    EXPECT_EQ(level_->level_number, 1);
    EXPECT_EQ(level_->penguinMax, 3);
    EXPECT_EQ(level_->cows.size(), 1u);
    EXPECT_FLOAT_EQ(level_->orbit.orbit_theta, 1.0f);
    EXPECT_FLOAT_EQ(level_->orbit.orbit_phi, 4.74f);
    EXPECT_FLOAT_EQ(level_->orbit.orbit_dist, 800);

    // A goat confirmed just before the cows go is never placed, but its
    // popup closes, so space moves on again; the quit popup still quits.
    open_popup_at(3, 3);
    press(key_space);
    tap(key_tab);
    step();
    EXPECT_EQ(level_->cell_at(3, 3), CellKind::empty);
    EXPECT_TRUE(level_->goats.empty());
    EXPECT_EQ(level_->popup, nullptr);
    tap(key_escape);
    tap(key_space);
    step();
    EXPECT_TRUE(level_->quit_requested);
    tap(key_space);
    EXPECT_EQ(level_->cows.size(), 1u) << "space moves on to the next level";
}

// Winning, or skipping with tab, reaches the next level; Page Up and Page
// Down move within what is reached, and a level played on its own stays put.
TEST_F(LevelPlay, PageKeysMoveWithinTheLevelsReached) {
    load(practice_level(8, 2, 1));
    write_text(dir_.file("data/level001.txt"), practice_level(3, 1, 0));
    write_text(dir_.file("data/level002.txt"), practice_level(5, 0, 0));
    level_->progress.count = 3;

    tap(key_page_down);
    EXPECT_EQ(level_->level_number, 0) << "level 2 is not reached yet";
    tap(key_tab);
    step();
    EXPECT_EQ(level_->progress.furthest, 1);
    tap(key_page_down);
    EXPECT_EQ(level_->level_number, 1);
    EXPECT_EQ(level_->penguinMax, 3);
    tap(key_page_down);
    EXPECT_EQ(level_->level_number, 1);
    tap(key_page_up);
    tap(key_page_up);
    EXPECT_EQ(level_->level_number, 0);
    EXPECT_EQ(level_->cows.size(), 1u);

    // The last level's next is the first, which adds nothing.
    level_->go_to_level(2);
    tap(key_tab);
    step();
    EXPECT_EQ(level_->progress.furthest, 1);

    level_->play_only("data/level001.txt");
    tap(key_tab);
    step();
    tap(key_space);
    EXPECT_EQ(level_->penguinMax, 3) << "a level played on its own comes round again";
    tap(key_page_up);
    EXPECT_EQ(level_->penguinMax, 3);

    press('f');
    EXPECT_EQ(level_->time_scale(), Level::fast_forward_scale);
    release('f');
    EXPECT_EQ(level_->time_scale(), 1);
}

TEST_F(LevelPlay, CameraKeysWorkWhileAPopupIsOpenButArrowsDoNotMoveTheCursor) {
    load(practice_level(8, 2, 1));
    ASSERT_FALSE(open_popup_at(3, 3).empty());

    const float phi = level_->orbit.orbit_phi;
    press('a');
    step();
    EXPECT_LT(level_->orbit.orbit_phi, phi);
    release('a');
    const float turned = level_->orbit.orbit_phi;
    step();
    EXPECT_EQ(level_->orbit.orbit_phi, turned);

    for (int key : {key_up, key_down, key_right, key_left}) tap(key);
    EXPECT_EQ(cursor(), (std::pair{3, 3}));
    ASSERT_NE(level_->popup, nullptr);
    EXPECT_EQ(level_->popup->selected, 0);  // right then left
}

TEST_F(LevelPlay, GoatClockCountsDownRoundAOneAndAHalfSecondCycle) {
    int elapsed = 0;
    for (int i = 0; i < 300; ++i) {
        const int ms = i % slice_ms + 1;
        level_->update(ms);
        elapsed += ms;
        ASSERT_EQ(level_->goat_clock, 1500 - elapsed % 1500) << "after " << elapsed << " ms";
    }
}

// Every row of the hint table, as a first game goes: arrows, a penguin, goats,
// reversing one, eight penguins, running out.
TEST_F(LevelPlay, HintLineMovesOnAsThePlayerLearns) {
    load(practice_level(8, 2, 0));

    tap('a');
    EXPECT_EQ(level_->hint_index, 0);
    release(key_left);
    EXPECT_EQ(level_->hint_index, 1);

    activate_penguins(1);
    EXPECT_EQ(level_->hint_index, 2);
    activate_penguins(7);
    EXPECT_EQ(level_->hint_index, 2);

    // With eight penguins out, the first goat does not talk about penguins.
    open_popup_at(3, 3);
    EXPECT_EQ(level_->hint_index, 2);
    choose(0);
    open_popup_at(4, 3);
    EXPECT_EQ(level_->hint_index, 3);
    choose(3);  // restart: no penguins, no goats
    ASSERT_TRUE(level_->penguins.empty());
    ASSERT_TRUE(level_->goats.empty());
    EXPECT_EQ(level_->hint_index, 3);

    open_popup_at(3, 3);
    EXPECT_EQ(level_->hint_index, 4);
    choose(0);
    open_popup_at(4, 3);
    EXPECT_EQ(level_->hint_index, 4);
    choose(0);
    activate_penguins(8);
    EXPECT_EQ(level_->hint_index, 4);

    testing::internal::CaptureStdout();
    open_popup_at(1, 1);
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of penguins!"});
    EXPECT_EQ(level_->hint_index, 5);
    choose(0);
    testing::internal::CaptureStdout();
    open_popup_at(5, 3);
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of goats!"});
    EXPECT_EQ(level_->hint_index, 5);
    choose(0);

    open_popup_at(1, 1);
    EXPECT_EQ(level_->hint_index, 6);
    choose(0);
    tap('s');
    EXPECT_EQ(level_->hint_index, 7);
    open_popup_at(3, 3);
    EXPECT_EQ(level_->hint_index, 7);
}

TEST_F(LevelPlay, HintLineJumpsWhenSuppliesRunOutOrTheLevelIsWon) {
    // No goats at all: asking for one on the first popup of the game.
    load(practice_level(8, 0, 0));
    testing::internal::CaptureStdout();
    open_popup_at(3, 3);
    EXPECT_EQ(supply_messages(testing::internal::GetCapturedStdout()), std::vector<std::string>{"Out of goats!"});
    EXPECT_EQ(level_->hint_index, 5);
    choose(0);

    // Winning moves it to the camera hint for one update, then to the blank line.
    tap(key_tab);
    step();
    EXPECT_EQ(level_->hint_index, 6);
    step();
    EXPECT_EQ(level_->hint_index, 7);
    step();
    EXPECT_EQ(level_->hint_index, 7);

    // Eight penguins out early: straight to the camera hint.
    level_ = std::make_unique<Level>(*assets_);
    load(practice_level(8, 2, 0));
    activate_penguins(8);
    EXPECT_EQ(level_->hint_index, 2);
    open_popup_at(1, 1);
    EXPECT_EQ(level_->hint_index, 6);
    choose(0);

    // A level won before any popup.
    level_ = std::make_unique<Level>(*assets_);
    tap(key_tab);
    step();
    EXPECT_EQ(level_->hint_index, 6);
}

TEST(LevelCommand, ClearEmptiesTheSquareAndFreesItsGoatButNeverMore) {
    const ScratchGameFolder dir;
    GameAssets assets;  // the folder holds none; nothing here plays
    Level level(assets);
    level.apply_command(Cmd::goat_cw, 2, 0);
    level.apply_command(Cmd::goat_ccw, 5, 7);
    ASSERT_EQ(level.goats, (std::deque<int>{2, 7 * 8 + 5}));

    level.apply_command(Cmd::clear, 5, 7);
    EXPECT_EQ(level.cell_at(5, 7), CellKind::empty);
    EXPECT_EQ(level.goats, (std::deque<int>{2}));
    level.apply_command(Cmd::clear, 2, 0);
    level.apply_command(Cmd::clear, 2, 0);
    EXPECT_TRUE(level.goats.empty());
    EXPECT_EQ(level.cell_at(2, 0), CellKind::empty);

    level.apply_command(Cmd::quit_no, 2, 0);
    level.apply_command(Cmd::close, 2, 0);
    EXPECT_FALSE(level.quit_requested);
    EXPECT_EQ(level.cell_at(2, 0), CellKind::empty);
}

}  // namespace
