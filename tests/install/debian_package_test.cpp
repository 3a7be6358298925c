// The Debian package as `cpack -G DEB` builds it from this build tree, checked
// by lintian and installed with dpkg into a scratch root.

#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

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

// The package, built once for all the tests below, and the scratch root it is
// installed into.
struct InstalledPackage {
    InstalledPackage();
    ScratchDir out, root;
    std::string package;  // the .deb's path, empty when cpack wrote none
    std::string problem;  // why it was not built or installed, if it was not
};

InstalledPackage::InstalledPackage() {
    const CommandResult cpack = run_command(
        {CPACK_COMMAND, "-G", "DEB", "--config", FLOEBOUND_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()}, {},
        std::chrono::minutes(5));
    const CommandResult architecture = run_command({"dpkg", "--print-architecture"});
    const std::string deb = out.path() + "/floebound_" FLOEBOUND_VERSION "_" +
                            architecture.output.substr(0, architecture.output.find('\n')) + ".deb";
    if (cpack.status != 0 || !fs::is_regular_file(deb)) {
        problem = "cpack wrote no " + deb + "\n" + cpack.output;
        return;
    }
    package = deb;
    // dpkg -i refuses a package whose dependencies are not installed, so a
    // misnamed one fails here.
    make_dpkg_root(root.path(), depended_on(control_field(package, "Depends")));
    const CommandResult install =
        run_command({"dpkg", "--root=" + root.path(), "--force-not-root", "-i", package}, {}, std::chrono::minutes(2));
    if (install.status != 0) problem = "dpkg -i failed\n" + install.output;
}

const InstalledPackage& installed_package() {
    static const InstalledPackage built;
    return built;
}

// A path in the scratch root, by its path once installed ("usr/games/...").
std::string in_root(const std::string& path) { return installed_package().root.path() + "/" + path; }

}  // namespace

TEST(DebianPackage, IsAGamesPackageThatDependsOnTheRuntimeLibrariesAndTheFont) {
    const InstalledPackage& built = installed_package();
    ASSERT_FALSE(built.package.empty()) << built.problem;
    EXPECT_EQ(control_field(built.package, "Package"), "floebound");
    EXPECT_EQ(control_field(built.package, "Version"), FLOEBOUND_VERSION);
    EXPECT_EQ(control_field(built.package, "Section"), "games");
    EXPECT_NE(control_field(built.package, "Maintainer").find("Kelpworks <"), std::string::npos);
    const std::string description = control_field(built.package, "Description");
    const std::string synopsis = description.substr(0, description.find('\n'));
    EXPECT_EQ(synopsis, "Steer walking penguins onto the cow with goat squares");
    EXPECT_NE(description.find("\n Floebound is a single-player"), std::string::npos) << description;
    EXPECT_EQ(description.find(synopsis, 1), std::string::npos) << "synopsis repeated:\n" << description;
    const std::set<std::string> depends = depended_on(control_field(built.package, "Depends"));
    for (const char* package : {"libsdl1.2debian", "libsdl-mixer1.2", "libsdl-ttf2.0-0", "libpng16-16", "libgl1",
                                "libglu1-mesa", "ttf-bitstream-vera"})
        EXPECT_EQ(depends.count(package), 1u) << package << " missing from " << control_field(built.package, "Depends");

    ASSERT_EQ(built.problem, "");
    const CommandResult status = run_command({"dpkg", "--root=" + built.root.path(), "--status", "floebound"});
    EXPECT_NE(status.output.find("Status: install ok installed"), std::string::npos) << status.output;
    for (const char* file : {"usr/games/floebound", "usr/lib/games/floebound/floebound", "usr/games/floebound-solve",
                             "usr/lib/games/floebound/floebound-solve", "usr/games/floebound-generate",
                             "usr/share/games/floebound/data/level.txt", "usr/share/games/floebound/models",
                             "usr/share/applications/com.kelpworks.floebound.desktop",
                             "usr/share/metainfo/com.kelpworks.floebound.metainfo.xml",
                             "usr/share/icons/hicolor/256x256/apps/com.kelpworks.floebound.png"})
        EXPECT_TRUE(fs::exists(in_root(file))) << file;
    // Packaged through a staging root, the menu still names the final path.
    const CommandResult exec =
        run_command({"grep", "-x", "Exec=/usr/games/floebound", in_root("usr/share/applications/com.kelpworks.floebound.desktop")});
    EXPECT_EQ(exec.status, 0) << exec.output;
}

// Debian's own checker: every error or warning it has fails the test, unless
// the package's lintian overrides name it with the reason.
TEST(DebianPackage, LintianFindsNoErrorOrWarning) {
    const InstalledPackage& built = installed_package();
    ASSERT_FALSE(built.package.empty()) << built.problem;
    const CommandResult checked =
        run_command({"lintian", "--fail-on", "error,warning", built.package}, {}, std::chrono::minutes(3));
    std::string remarks;
    std::istringstream lines(checked.output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("E: ", 0) == 0 || line.rfind("W: ", 0) == 0) remarks += line + "\n";
    EXPECT_EQ(remarks, "");
    EXPECT_EQ(checked.status, 0) << checked.output;
}

TEST(DebianPackage, InstalledItsCommandsHaveManualPagesAndTellThePackagesVersion) {
    const InstalledPackage& built = installed_package();
    ASSERT_EQ(built.problem, "");
    const std::string version = control_field(built.package, "Version");
    for (const std::string command : {"floebound", "floebound-solve", "floebound-generate"}) {
        // As `man floebound` finds it once the package is installed.
        const CommandResult page =
            run_command({"man", "-M", in_root("usr/share/man"), "6", command}, {{"LC_ALL", "C.UTF-8"}});
        EXPECT_EQ(page.status, 0) << command << ": " << page.output;
        EXPECT_NE(page.output.find("NAME\n       " + command + " - "), std::string::npos) << page.output;
        const CommandResult shown = run_command({in_root("usr/games/" + command), "--version"}, {{"DISPLAY", ""}});
        EXPECT_EQ(shown.status, 0);
        EXPECT_EQ(shown.output, command + " " + version + "\n");
    }
}

TEST(DebianPackage, CarriesItsReleaseNotesAndTheLicenceItsMetadataStates) {
    const InstalledPackage& built = installed_package();
    ASSERT_EQ(built.problem, "");
    const CommandResult latest =
        run_command({"dpkg-parsechangelog", "-l", in_root("usr/share/doc/floebound/changelog.gz"), "-S", "Version"});
    EXPECT_EQ(latest.status, 0) << latest.output;
    EXPECT_EQ(latest.output, control_field(built.package, "Version") + "\n") << "the release notes' newest entry";

    std::smatch licence;
    const std::string metainfo = read_file(in_root("usr/share/metainfo/com.kelpworks.floebound.metainfo.xml"));
    ASSERT_TRUE(std::regex_search(metainfo, licence, std::regex("<project_license>([^<]+)</project_license>")));
    const std::string copyright = read_file(in_root("usr/share/doc/floebound/copyright"));
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
    EXPECT_NE(copyright.find("\nFiles: *\nCopyright: "), std::string::npos) << copyright;
    EXPECT_NE(copyright.find("\nLicense: " + licence[1].str() + "\n"), std::string::npos) << copyright;
}

// The font package's Vera, not a copy: the game folder's data/vera.ttf links,
// within the root, to a file that package installs.
TEST(DebianPackage, LinksTheGamesFontToTheFontPackagesFile) {
    const InstalledPackage& built = installed_package();
    ASSERT_EQ(built.problem, "");
    const fs::path link = in_root("usr/share/games/floebound/data/vera.ttf");
    ASSERT_TRUE(fs::is_symlink(link)) << link;
    const fs::path target = ("/usr/share/games/floebound/data" / fs::read_symlink(link)).lexically_normal();
    const CommandResult files = run_command({"dpkg-query", "--listfiles", "ttf-bitstream-vera"});
    EXPECT_NE(("\n" + files.output).find("\n" + target.string() + "\n"), std::string::npos)
        << target << " is not among the files of ttf-bitstream-vera:\n" << files.output;
}
