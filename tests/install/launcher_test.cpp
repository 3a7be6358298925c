// The installed launchers, run from a copy of the installed layout whose
// binaries are stand-ins that report where they run and what they were given.

#include "staged_install.h"

#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Prints its working directory, then each argument on its own line.
constexpr const char* kReportingStandIn =
    "#!/bin/sh\n"
    "echo \"ran in $(pwd)\"\n"
    "for arg in \"$@\"; do echo \"arg [$arg]\"; done\n";

// A prefix laid out like the installed one, under a scratch folder.
class FakePrefix {
public:
    FakePrefix() : root_(fs::canonical(dir_.path()) / "prefix") {
        fs::create_directories(root_ / "games");
        fs::create_directories(root_ / "lib/games/floebound");
        fs::create_directories(game_folder() / "data");
    }

    fs::path game_folder() const { return root_ / "share/games/floebound"; }

    // The real launcher, beside a stand-in for the binary it starts.
    fs::path add_launcher(const std::string& name) {
        fs::copy_file(installed("games/" + name), root_ / "games" / name);
        dir_.write_file("prefix/lib/games/floebound/" + name, kReportingStandIn);
        fs::permissions(root_ / "lib/games/floebound" / name, fs::perms::owner_all);
        return root_ / "games" / name;
    }

private:
    ScratchDir dir_;
    fs::path root_;
};

// Runs a launcher from an unrelated working directory; its standard error
// alone when asked.
CommandResult run_from(const fs::path& working_dir, const std::vector<std::string>& argv, bool errors_only = false) {
    std::string command = "cd \"$0\" && exec \"$@\"";
    if (errors_only) command += " 2>&1 >/dev/null";
    std::vector<std::string> shell = {"sh", "-c", command, working_dir.string()};
    shell.insert(shell.end(), argv.begin(), argv.end());
    return run_command(shell);
}

}  // namespace

TEST(GameLauncher, StartsTheGameWithItsDataFolderFromAnywhereEvenThroughALink) {
    FakePrefix prefix;
    const fs::path launcher = prefix.add_launcher("floebound");
    ScratchDir elsewhere;
    const std::string here = fs::canonical(elsewhere.path()).string();
    const std::string data = "arg [--data]\narg [" + prefix.game_folder().string() + "]\n";

    // The game stays where the player stands, so their paths pass as they are.
    CommandResult run = run_from(here, {launcher, "--windowed", "--level", "12", "my level.txt", "--", "-odd.txt"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "ran in " + here + "\n" + data +
                              "arg [--windowed]\narg [--level]\narg [12]\narg [my level.txt]\narg [--]\narg [-odd.txt]\n");

    // A menu or a packager may link the launcher from elsewhere.
    const fs::path link = fs::path(elsewhere.path()) / "floebound";
    fs::create_symlink(launcher, link);
    run = run_from("/", {link});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "ran in /\n" + data);
}

TEST(GameLauncher, WithoutTheDataFolderSaysSoOnStandardErrorAndFails) {
    FakePrefix prefix;
    const fs::path launcher = prefix.add_launcher("floebound");
    fs::remove(prefix.game_folder() / "data");
    ScratchDir elsewhere;

    const CommandResult errors = run_from(elsewhere.path(), {launcher}, true);
    EXPECT_NE(errors.output.find("data folder " + (prefix.game_folder() / "data").string() + " is missing"),
              std::string::npos)
        << errors.output;
    const CommandResult run = run_from(elsewhere.path(), {launcher});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output.find("ran in"), std::string::npos) << "the game must not start";
}

TEST(ToolLaunchers, PassEveryArgumentAndStayWhereTheUserStands) {
    for (const char* tool : {"floebound-solve", "floebound-generate"}) {
        FakePrefix prefix;
        const fs::path launcher = prefix.add_launcher(tool);
        ScratchDir elsewhere;
        const std::string here = fs::canonical(elsewhere.path()).string();

        const CommandResult run = run_from(here, {launcher, "level.txt", "my levels/two.txt", "", "../up.txt"});
        EXPECT_EQ(run.status, 0) << tool << ": " << run.output;
        EXPECT_EQ(run.output, "ran in " + here +
                                  "\narg [level.txt]\narg [my levels/two.txt]\narg []\narg [../up.txt]\n") << tool;
    }
}
