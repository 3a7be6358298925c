#include "level_scene.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <ostream>

using namespace floebound;

void LevelScene::SetUpTestSuite() {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
}

void LevelScene::SetUp() {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    start_dir_ = cwd;
    ASSERT_EQ(mkdir((dir.path() + "/data").c_str(), 0755), 0);
    ASSERT_NO_FATAL_FAILURE(link_game_file("models"));
    ASSERT_NO_FATAL_FAILURE(link_game_file("data/sfx"));
    ASSERT_NO_FATAL_FAILURE(link_game_file("data/particle.png"));

    assets = std::make_unique<GameAssets>();
    ASSERT_NE(assets->sounds.effect(SoundId::turn), nullptr);
    ASSERT_NE(assets->sounds.effect(SoundId::tipped), nullptr);

    // Without a window there is no GL context, and GL calls do nothing: the
    // terrain and the models still build what the rules need.
    testing::internal::CaptureStdout();
    level = std::make_unique<Level>(*assets);
    testing::internal::GetCapturedStdout();
}

void LevelScene::TearDown() {
    level.reset();
    assets.reset();
    Mix_HaltChannel(-1);
}

void LevelScene::link_game_file(const std::string& name) const {
    const std::string source = start_dir_ + "/" + name;
    ASSERT_EQ(access(source.c_str(), R_OK), 0) << source << " is missing: run the test in the game folder";
    ASSERT_EQ(symlink(source.c_str(), (dir.path() + "/" + name).c_str()), 0) << name;
}

std::string LevelScene::write_level(const std::string& name, const std::string& text) const {
    dir.write_file("data/" + name, text);
    return "data/" + name;
}

Actor& LevelScene::drop_penguin(const char* name, int column, int row) {
    Actor& penguin = level->penguins.emplace_back();
    EXPECT_TRUE(penguin.load_model(assets->models, name, "models/penguin/tris.md2", "models/penguin/penguin.png"))
        << "the scene links the models";
    penguin.set_position((static_cast<float>(column) - 3.5f) * 64, 2000, (static_cast<float>(row) - 3.5f) * 64);
    return penguin;
}

std::vector<SoundId> LevelScene::update() {
    // The mixer's thread waits while the update runs and its sounds are
    // looked at, so that a short effect cannot end unseen.
    SDL_LockAudio();
    Mix_HaltChannel(-1);
    level->update(slice_ms);
    std::vector<SoundId> heard;
    const int channels = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel) {
        if (!Mix_Playing(channel)) continue;
        for (SoundId id : {SoundId::turn, SoundId::tipped, SoundId::falling, SoundId::push, SoundId::select,
                           SoundId::next})
            if (assets->sounds.effect(id) == Mix_GetChunk(channel)) heard.push_back(id);
    }
    SDL_UnlockAudio();
    return heard;
}

std::string level_text(const std::vector<std::string>& rows, const std::string& settings) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text + settings;
}

std::ostream& operator<<(std::ostream& out, const Square& square) {
    return out << "(" << square.column << ", " << square.row << ")";
}

Square square_of(const Actor& actor) {
    Square square{};
    actor.cell_of(square.column, square.row);
    return square;
}

Square destination_of(const Actor& actor) {
    if (!actor.walking) return square_of(actor);
    return {static_cast<int>(std::lround(actor.target[0] / 64 + 3.5f)),
            static_cast<int>(std::lround(actor.target[2] / 64 + 3.5f))};
}
