// The desktop entry and the AppStream metadata as installed, read by the
// freedesktop validators and checked against the rest of the installed tree.

#include "staged_install.h"

#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace {

const std::string kDesktopEntry = "share/applications/com.kelpworks.floebound.desktop";
const std::string kMetainfo = "share/metainfo/com.kelpworks.floebound.metainfo.xml";

// The value of "key=value" in a desktop entry, or empty.
std::string desktop_value(const std::string& entry, const std::string& key) {
    std::smatch match;
    return std::regex_search(entry, match, std::regex("(^|\n)" + key + "=([^\n]*)")) ? match[2].str() : "";
}

// Validators print one line per remark ("E:", "W:", "I:", "P:" and a tag),
// even when they end with status 0.
bool has_remarks(const std::string& output) { return std::regex_search(output, std::regex("(^|\n) *[EWIP]: ")); }

}  // namespace

TEST(DesktopEntry, PassesTheValidatorAndNamesTheInstalledLauncher) {
    const std::string path = installed(kDesktopEntry);
    const CommandResult validated = run_command({"desktop-file-validate", path});
    EXPECT_EQ(validated.status, 0) << validated.output;
    EXPECT_EQ(validated.output, "") << "no warnings either";

    const std::string entry = read_text(path);
    ASSERT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_EQ(desktop_value(entry, "Name"), "Floebound");
    EXPECT_EQ(desktop_value(entry, "Categories"), "Game;LogicGame;");
    EXPECT_FALSE(desktop_value(entry, "Keywords").empty());
    EXPECT_EQ(desktop_value(entry, "Icon"), "com.kelpworks.floebound");
    // The launcher by its final path, whatever the staging root was.
    EXPECT_EQ(desktop_value(entry, "Exec"), "/usr/games/floebound");
    EXPECT_EQ(desktop_value(entry, "TryExec"), "/usr/games/floebound");
    EXPECT_TRUE(fs::is_regular_file(installed("games/floebound")));
}

TEST(AppStreamMetadata, PassesThePedanticValidatorOnItsOwnAndWithTheInstalledTree) {
    const CommandResult alone =
        run_command({"appstreamcli", "validate", "--pedantic", "--no-net", installed(kMetainfo)});
    EXPECT_EQ(alone.status, 0) << alone.output;
    EXPECT_FALSE(has_remarks(alone.output)) << alone.output;
    // The tree check also looks for the desktop entry the metadata launches.
    const CommandResult tree =
        run_command({"appstreamcli", "validate-tree", "--pedantic", "--no-net", FLOEBOUND_STAGE});
    EXPECT_EQ(tree.status, 0) << tree.output;
    EXPECT_FALSE(has_remarks(tree.output)) << tree.output;
}

TEST(AppStreamMetadata, NamesTheDesktopEntryTheControlsTheReleaseAndTheDocsScreenshots) {
    const std::string metainfo = read_text(installed(kMetainfo));
    EXPECT_NE(metainfo.find("<id>com.kelpworks.floebound</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">com.kelpworks.floebound.desktop</launchable>"),
              std::string::npos);
    EXPECT_NE(metainfo.find("<control>keyboard</control>"), std::string::npos);
    EXPECT_NE(metainfo.find("<control>gamepad</control>"), std::string::npos);
    EXPECT_NE(metainfo.find("<content_rating type=\"oars-1.1\""), std::string::npos);
    EXPECT_NE(metainfo.find("<release version=\"" FLOEBOUND_VERSION "\" date=\""), std::string::npos);
    for (const char* picture : {"title", "level", "victory"})
        EXPECT_TRUE(std::regex_search(metainfo, std::regex(std::string("<image>https://[^<]*/docs/") + picture +
                                                           "\\.png</image>")))
            << picture;
}
