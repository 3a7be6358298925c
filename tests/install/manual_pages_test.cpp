// The installed manual pages: each renders without a warning, and each lists
// exactly the options (and, for the game, the keys) its installed command's
// --help names, so a page left behind by a change to --help fails here.

#include "staged_install.h"

#include "process.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace {

const char* const kCommands[] = {"floebound", "floebound-solve", "floebound-generate"};

std::string page_path(const std::string& command) { return installed("share/man/man6/" + command + ".6.gz"); }

// A line of the page's source as it reads: font changes and the escapes the
// pages use taken out.
std::string plain(std::string line) {
    if (line.rfind(".B ", 0) == 0 || line.rfind(".I ", 0) == 0) line = line.substr(3);
    line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    line = std::regex_replace(line, std::regex(R"(\\&)"), "");
    line = std::regex_replace(line, std::regex(R"(\\ )"), " ");
    return line;
}

// The tags of the .TP entries in one section (".SH NAME") of a page's source.
std::set<std::string> section_tags(const std::string& source, const std::string& section) {
    std::set<std::string> tags;
    std::istringstream lines(source);
    bool inside = false, tag_next = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".SH ", 0) == 0) {
            inside = line == ".SH " + section;
        } else if (inside && tag_next) {
            tags.insert(plain(line));
        }
        tag_next = inside && line == ".TP";
    }
    return tags;
}

// Every long option a text names ("--level", from "--level N" or "[--level]").
std::set<std::string> long_options(const std::string& text) {
    std::set<std::string> options;
    static const std::regex option(R"((^|[^\w-])(--[a-z][a-z-]*))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        options.insert((*it)[2].str());
    return options;
}

std::set<std::string> long_options(const std::set<std::string>& tags) {
    std::set<std::string> options;
    for (const std::string& tag : tags) options.merge(long_options(tag));
    return options;
}

// The key column of a --help text's "Keys:" block: what comes before the
// description on each line, up to the block's blank line.
std::set<std::string> help_keys(const std::string& help) {
    std::set<std::string> keys;
    const std::size_t block = help.find("\nKeys:\n");
    if (block == std::string::npos) return keys;
    std::istringstream lines(help.substr(block + 7));
    static const std::regex entry(R"(^  (\S+( \S+)*)( {2,}.*)?$)");
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        std::smatch match;
        if (std::regex_match(line, match, entry)) keys.insert(match[1].str());
    }
    return keys;
}

}  // namespace

TEST(ManualPages, EachRendersWithoutAWarning) {
    for (const char* command : kCommands) {
        // man's own warnings and groff's go to standard error only.
        const CommandResult warnings =
            run_command({"sh", "-c", "man --warnings -E UTF-8 -l -Tutf8 -Z \"$0\" 2>&1 >/dev/null", page_path(command)},
                        {{"LC_ALL", "C.UTF-8"}});
        EXPECT_EQ(warnings.status, 0) << command << ": " << warnings.output;
        EXPECT_EQ(warnings.output, "") << command;

        const CommandResult page = run_command({"man", "-l", page_path(command)}, {{"LC_ALL", "C.UTF-8"}});
        EXPECT_EQ(page.status, 0) << command << ": " << page.output;
        EXPECT_NE(page.output.find("NAME\n       " + std::string(command) + " - "), std::string::npos) << page.output;
        EXPECT_NE(page.output.find("Floebound " FLOEBOUND_VERSION), std::string::npos) << page.output;
    }
}

TEST(ManualPages, ListTheOptionsAndKeysTheirCommandsHelpNames) {
    for (const char* command : kCommands) {
        const CommandResult help = run_command({installed(std::string("games/") + command), "--help"});
        ASSERT_EQ(help.status, 0) << command << ": " << help.output;
        const CommandResult page = run_command({"gzip", "-dc", page_path(command)});
        ASSERT_EQ(page.status, 0) << page.output;

        const std::set<std::string> help_options = long_options(help.output);
        EXPECT_TRUE(help_options.count("--help") && help_options.count("--version")) << help.output;
        EXPECT_EQ(long_options(section_tags(page.output, "OPTIONS")), help_options)
            << command << ": the OPTIONS of its manual page and the options its --help names differ";
        EXPECT_EQ(section_tags(page.output, "KEYS"), help_keys(help.output))
            << command << ": the KEYS of its manual page and the keys its --help lists differ";
    }
    const CommandResult game_help = run_command({installed("games/floebound"), "--help"});
    EXPECT_GT(help_keys(game_help.output).size(), 10u) << "the game's --help lists its keys\n" << game_help.output;
}
