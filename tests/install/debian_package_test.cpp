// The Debian package as `cpack -G DEB` builds it from this build tree,
// installed with dpkg into a scratch root.

#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string control_field(const std::string& package, const std::string& field) {
    const CommandResult shown = run_command({"dpkg-deb", "--field", package, field});
    std::string value = shown.output;
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}

// The package names a Depends field asks for, alternatives included.
std::set<std::string> depended_on(const std::string& depends) {
    std::set<std::string> names;
    static const std::regex name("(^|[,|]) *([a-z0-9][a-z0-9+.-]+)");
    for (auto it = std::sregex_iterator(depends.begin(), depends.end(), name); it != std::sregex_iterator(); ++it)
        names.insert((*it)[2].str());
    return names;
}

// An empty dpkg root that knows only the packages the game depends on, as
// this machine has them installed: dpkg then checks the dependencies against
// real packages, names and versions.
void make_dpkg_root(const fs::path& root, const std::set<std::string>& depends) {
    const fs::path admin = root / "var/lib/dpkg";
    for (const char* folder : {"info", "updates", "triggers"}) fs::create_directories(admin / folder);
    std::ofstream status(admin / "status");
    for (const std::string& name : depends) {
        const CommandResult installed = run_command({"dpkg-query", "--status", name});
        if (installed.status == 0) status << installed.output << "\n";
    }
    std::ofstream(admin / "available");
}

}  // namespace

TEST(DebianPackage, CpackBuildsAGamesPackageThatDependsOnTheRuntimeLibraries) {
    ScratchDir out;
    const CommandResult built = run_command(
        {CPACK_COMMAND, "-G", "DEB", "--config", FLOEBOUND_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()}, {},
        std::chrono::minutes(5));
    ASSERT_EQ(built.status, 0) << built.output;
    const CommandResult architecture = run_command({"dpkg", "--print-architecture"});
    const std::string package = out.path() + "/floebound_" FLOEBOUND_VERSION "_" +
                                architecture.output.substr(0, architecture.output.find('\n')) + ".deb";
    ASSERT_TRUE(fs::is_regular_file(package)) << built.output;

    EXPECT_EQ(control_field(package, "Package"), "floebound");
    EXPECT_EQ(control_field(package, "Version"), FLOEBOUND_VERSION);
    EXPECT_EQ(control_field(package, "Section"), "games");
    EXPECT_NE(control_field(package, "Maintainer").find("Kelpworks <"), std::string::npos);
    const std::string description = control_field(package, "Description");
    const std::string synopsis = description.substr(0, description.find('\n'));
    EXPECT_EQ(synopsis, "Steer walking penguins onto the cow with goat squares");
    EXPECT_NE(description.find("\n Floebound is a single-player"), std::string::npos) << description;
    EXPECT_EQ(description.find(synopsis, 1), std::string::npos) << "synopsis repeated:\n" << description;
    const std::set<std::string> depends = depended_on(control_field(package, "Depends"));
    for (const char* library : {"libsdl1.2debian", "libsdl-mixer1.2", "libsdl-ttf2.0-0", "libpng16-16", "libgl1",
                                "libglu1-mesa"})
        EXPECT_EQ(depends.count(library), 1u) << library << " missing from " << control_field(package, "Depends");

    // dpkg -i refuses a package whose dependencies are not installed, so a
    // misnamed one fails here.
    ScratchDir root;
    make_dpkg_root(root.path(), depends);
    const CommandResult install = run_command({"dpkg", "--root=" + root.path(), "--force-not-root", "-i", package},
                                              {}, std::chrono::minutes(2));
    ASSERT_EQ(install.status, 0) << install.output;
    const CommandResult status = run_command({"dpkg", "--root=" + root.path(), "--status", "floebound"});
    EXPECT_NE(status.output.find("Status: install ok installed"), std::string::npos) << status.output;

    for (const char* file : {"usr/games/floebound", "usr/lib/games/floebound/floebound", "usr/games/floebound-solve",
                             "usr/lib/games/floebound/floebound-solve", "usr/games/floebound-generate",
                             "usr/share/games/floebound/data/level.txt", "usr/share/games/floebound/models",
                             "usr/share/applications/com.kelpworks.floebound.desktop",
                             "usr/share/metainfo/com.kelpworks.floebound.metainfo.xml",
                             "usr/share/icons/hicolor/256x256/apps/com.kelpworks.floebound.png"})
        EXPECT_TRUE(fs::exists(fs::path(root.path()) / file)) << file;
    // Packaged through a staging root, the menu still names the final path.
    const std::string entry = root.path() + "/usr/share/applications/com.kelpworks.floebound.desktop";
    const CommandResult exec = run_command({"grep", "-x", "Exec=/usr/games/floebound", entry});
    EXPECT_EQ(exec.status, 0) << exec.output;
}
