#include "app/keys.h"
#include "game/game_assets.h"
#include "game/popup.h"
#include "media/sound.h"
#include "scratch_game_folder.h"
#include "silent_wav.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace floebound;

namespace {

using Entries = std::vector<PopupCommand>;
using Cmd = PopupCommand;

// The popup closes with the next sound. The sound bank reads
// "data/sfx/next.wav" from the game folder, so the suite makes that a scratch
// folder holding only that file (and no popup pictures, so nothing here needs
// OpenGL). The dummy audio driver needs no sound card.
class PopupKeys : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new ScratchGameFolder;
        std::filesystem::create_directories(folder_->file("data/sfx"));
        write_silent_wav(folder_->file("data/sfx/next.wav"), 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
        assets_ = new GameAssets;
        ASSERT_NE(assets_->sounds.effect(SoundId::next), nullptr) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        delete assets_;
        assets_ = nullptr;
        delete folder_;
        folder_ = nullptr;
    }
    void TearDown() override { Mix_HaltChannel(-1); }

    static Popup popup_with(std::initializer_list<PopupCommand> commands) {
        Popup popup(*assets_);
        for (PopupCommand command : commands) popup.add_entry(command);
        return popup;
    }

    static ScratchGameFolder* folder_;
    static GameAssets* assets_;
};

ScratchGameFolder* PopupKeys::folder_ = nullptr;
GameAssets* PopupKeys::assets_ = nullptr;

TEST_F(PopupKeys, StartsOpenAndEmpty) {
    const Popup popup(*assets_);
    EXPECT_TRUE(popup.entries.empty());
    EXPECT_EQ(popup.selected, 0);
    EXPECT_TRUE(popup.is_active());
}

TEST_F(PopupKeys, ArrowReleasesMoveTheHighlightWithoutWrapping) {
    Popup popup = popup_with({PopupCommand::goat_cw, PopupCommand::goat_ccw, PopupCommand::close, PopupCommand::restart});

    EXPECT_TRUE(popup.handle_key(key_left, true));
    EXPECT_EQ(popup.selected, 0);
    EXPECT_TRUE(popup.handle_key(key_right, false));
    EXPECT_TRUE(popup.handle_key(key_left, false));
    EXPECT_EQ(popup.selected, 0);

    for (int n = 0; n < 3; ++n) EXPECT_TRUE(popup.handle_key(key_right, true));
    EXPECT_EQ(popup.selected, 3);
    EXPECT_TRUE(popup.handle_key(key_right, true));
    EXPECT_EQ(popup.selected, 3);
    EXPECT_TRUE(popup.handle_key(key_left, true));
    EXPECT_EQ(popup.selected, 2);

    // A new entry goes to the end and the highlight stays on its entry.
    popup.add_entry(PopupCommand::penguin);
    EXPECT_EQ(popup.entries, (Entries{Cmd::goat_cw, Cmd::goat_ccw, Cmd::close, Cmd::restart, Cmd::penguin}));
    EXPECT_EQ(popup.selected, 2);

    EXPECT_TRUE(popup.is_active());
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(PopupKeys, ConfirmingOnThePressClosesWithTheHighlightedCommandAndOneSound) {
    Popup popup = popup_with({PopupCommand::goat_cw, PopupCommand::goat_ccw, PopupCommand::close, PopupCommand::restart});
    // The release of the space that opened the popup is swallowed.
    EXPECT_TRUE(popup.handle_key(key_space, true));
    EXPECT_TRUE(popup.is_active());
    popup.handle_key(key_right, true);
    EXPECT_EQ(Mix_Playing(-1), 0);

    EXPECT_TRUE(popup.handle_key(key_space, false));
    EXPECT_FALSE(popup.is_active());
    EXPECT_EQ(popup.selected_command(), PopupCommand::goat_ccw);
    EXPECT_EQ(Mix_Playing(-1), 1);

    EXPECT_TRUE(popup.handle_key(key_space, true));
    EXPECT_FALSE(popup.is_active());
    EXPECT_EQ(popup.selected_command(), PopupCommand::goat_ccw);
    EXPECT_EQ(popup.entries, (Entries{Cmd::goat_cw, Cmd::goat_ccw, Cmd::close, Cmd::restart}));
    EXPECT_EQ(Mix_Playing(-1), 1);
    Mix_HaltChannel(-1);

    // Return does the same.
    Popup other = popup_with({PopupCommand::penguin, PopupCommand::close, PopupCommand::restart});
    EXPECT_TRUE(other.handle_key(key_return, true));
    EXPECT_TRUE(other.is_active());
    EXPECT_TRUE(other.handle_key(key_return, false));
    EXPECT_FALSE(other.is_active());
    EXPECT_EQ(other.selected_command(), PopupCommand::penguin);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(PopupKeys, EscapeReleaseClosesWithAnAppendedClose) {
    Popup popup = popup_with({PopupCommand::quit_yes, PopupCommand::quit_no});
    EXPECT_TRUE(popup.handle_key(key_escape, false));
    EXPECT_TRUE(popup.is_active());
    EXPECT_EQ(popup.entries, (Entries{Cmd::quit_yes, Cmd::quit_no}));
    EXPECT_EQ(Mix_Playing(-1), 0);

    EXPECT_TRUE(popup.handle_key(key_escape, true));
    EXPECT_FALSE(popup.is_active());
    EXPECT_EQ(popup.entries, (Entries{Cmd::quit_yes, Cmd::quit_no, Cmd::close}));
    EXPECT_EQ(popup.selected, 2);
    EXPECT_EQ(popup.selected_command(), PopupCommand::close);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(PopupKeys, UpAndDownAreTakenWithoutMovingAndOtherKeysAreNot) {
    Popup popup = popup_with({PopupCommand::goat_cw, PopupCommand::close});
    popup.handle_key(key_right, true);
    for (bool released : {false, true}) {
        EXPECT_TRUE(popup.handle_key(key_up, released));
        EXPECT_TRUE(popup.handle_key(key_down, released));
        EXPECT_FALSE(popup.handle_key(key_a, released));
        EXPECT_FALSE(popup.handle_key(key_tab, released));
        EXPECT_FALSE(popup.handle_key(key_f12, released));
    }
    EXPECT_EQ(popup.selected, 1);
    EXPECT_EQ(popup.entries, (Entries{Cmd::goat_cw, Cmd::close}));
    EXPECT_TRUE(popup.is_active());
    EXPECT_EQ(Mix_Playing(-1), 0);
}

}  // namespace
