#include "app/keys.h"
#include "frontend/menu.h"
#include "media/image.h"
#include "media/sound.h"
#include "scratch_game_folder.h"
#include "silent_wav.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

using namespace floebound;

namespace {

// Keys and sounds of the intro, in a scratch game folder holding the select
// sound and the game's generated puzzle theme, and no pictures (so nothing
// here needs OpenGL). The intro song is absent: any music playing is the theme.
class MenuKeys : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::filesystem::path game_dir = std::filesystem::current_path();
        folder_ = new ScratchGameFolder;
        std::filesystem::create_directories(folder_->file("data/sfx"));
        write_silent_wav(folder_->file("data/sfx/select.wav"), 1);
        const std::string theme = (game_dir / "data/puzzletheme.mp3").string();
        ASSERT_EQ(access(theme.c_str(), R_OK), 0) << theme << " is missing: run the test in the game folder";
        ASSERT_EQ(symlink(theme.c_str(), folder_->file("data/puzzletheme.mp3").c_str()), 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
        bank_ = new SoundBank;
        ASSERT_NE(bank_->effect(SoundId::select), nullptr) << Mix_GetError();
        ASSERT_NE(bank_->music(SoundId::puzzle_theme), nullptr) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        delete bank_;
        bank_ = nullptr;
        delete folder_;
        folder_ = nullptr;
    }
    void TearDown() override {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }

    static ScratchGameFolder* folder_;
    static SoundBank* bank_;
};

ScratchGameFolder* MenuKeys::folder_ = nullptr;
SoundBank* MenuKeys::bank_ = nullptr;

TEST_F(MenuKeys, EachPressStepsOnWithASoundAndTheLastStartsThePuzzleTheme) {
    IntroPictures pictures;  // none in the folder: nothing here draws
    Menu menu(*bank_, pictures);
    const IntroScreen expected[] = {IntroScreen::title, IntroScreen::credits, IntroScreen::instructions};
    EXPECT_EQ(menu.screen, IntroScreen::splash);
    for (int press = 0; press < 3; ++press) {
        EXPECT_TRUE(menu.handle_key(press == 1 ? key_return : key_space, false));
        EXPECT_EQ(menu.screen, expected[press]);
        EXPECT_TRUE(menu.is_active());
        EXPECT_EQ(Mix_Playing(-1), press + 1) << "one select sound per step";
        EXPECT_FALSE(Mix_PlayingMusic());
    }
    EXPECT_TRUE(menu.handle_key(key_space, false));
    EXPECT_FALSE(menu.is_active());
    EXPECT_EQ(Mix_Playing(-1), 4);
    EXPECT_TRUE(Mix_PlayingMusic());
    const Mix_MusicType type = Mix_GetMusicType(nullptr);
    EXPECT_TRUE(type == MUS_MP3 || type == MUS_MP3_MAD) << type;
}

TEST_F(MenuKeys, ReleasesAndOtherKeysDoNotStep) {
    IntroPictures pictures;  // none in the folder: nothing here draws
    Menu menu(*bank_, pictures);
    EXPECT_TRUE(menu.handle_key(key_space, false));
    // Held space repeats no presses; its release and return's do nothing.
    EXPECT_TRUE(menu.handle_key(key_space, true));
    EXPECT_TRUE(menu.handle_key(key_return, true));
    for (int arrow : {key_up, key_down, key_right, key_left}) {
        EXPECT_TRUE(menu.handle_key(arrow, false)) << arrow;
        EXPECT_TRUE(menu.handle_key(arrow, true)) << arrow;
    }
    EXPECT_FALSE(menu.handle_key(key_escape, false));
    EXPECT_FALSE(menu.handle_key(key_tab, false));
    EXPECT_FALSE(menu.handle_key('x', false));
    EXPECT_EQ(menu.screen, IntroScreen::title);
    EXPECT_EQ(Mix_Playing(-1), 1);

    // The camera keys turn the view behind the pictures.
    EXPECT_TRUE(menu.handle_key(key_d, false));
    menu.update(500);
    EXPECT_NEAR(menu.orbit.orbit_phi, 4.74f + 3.14159265f / 6, 1e-4);
    EXPECT_TRUE(menu.handle_key(key_d, true));
    EXPECT_TRUE(menu.handle_key(key_right_bracket, false));
    menu.update(1000);
    EXPECT_NEAR(menu.orbit.orbit_dist, 900, 1e-3);
    EXPECT_EQ(menu.screen, IntroScreen::title);
}

Image picture(int width, int height) {
    Image image{};
    image.width = width;
    image.height = height;
    return image;
}

TEST(IntroPictureCorner, EveryPictureSitsWhereTheSplashIsCentred) {
    const Image splash = picture(640, 480);
    const Image title = picture(300, 100);
    EXPECT_EQ(intro_picture_corner(1920, 1080, &splash, splash).x, 640);
    EXPECT_EQ(intro_picture_corner(1920, 1080, &splash, splash).y, 300);
    EXPECT_EQ(intro_picture_corner(1920, 1080, &splash, title).x, 640);
    EXPECT_EQ(intro_picture_corner(1920, 1080, &splash, title).y, 300);
    // Integer halves, truncated toward zero also when the picture is larger.
    const Image odd = picture(161, 1023);
    EXPECT_EQ(intro_picture_corner(800, 600, &odd, title).x, 319);
    EXPECT_EQ(intro_picture_corner(800, 600, &odd, title).y, -211);
    // Without a splash each picture is centred by its own size.
    EXPECT_EQ(intro_picture_corner(1920, 1080, nullptr, title).x, 810);
    EXPECT_EQ(intro_picture_corner(1920, 1080, nullptr, title).y, 490);
}

}  // namespace
