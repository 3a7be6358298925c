#include "app/command_line.h"
#include "app/profile.h"
#include "app/records.h"
#include "process.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace floebound;

namespace {

ProfileNumber read_text(const ScratchDir& dir, const std::string& contents) {
    dir.write_file("progress.txt", contents);
    return read_profile_number(dir.path() + "/progress.txt", "furthest_level", 1, 1000);
}

void expect_damaged(const ScratchDir& dir, const std::string& contents) {
    EXPECT_EQ(read_text(dir, contents).status, ProfileNumber::damaged) << "for \"" << contents << "\"";
}

std::vector<std::string> files_in(const std::string& folder) {
    const CommandResult listing = run_command({"ls", "-A", folder});
    std::vector<std::string> names;
    std::istringstream lines(listing.output);
    for (std::string name; std::getline(lines, name);) names.push_back(name);
    return names;
}

// Runs a check in a child process that modes bind: as root it first becomes
// nobody, since modes never stop root. The check's exit status comes back.
template <typename Check> int as_unprivileged(Check check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(Profile, FolderFollowsXdgDataHomeThenHome) {
    EXPECT_EQ(profile_folder("/x/data", "/home/p"), "/x/data/floebound");
    EXPECT_EQ(profile_folder("", "/home/p"), "/home/p/.local/share/floebound");
    EXPECT_EQ(profile_folder(nullptr, "/home/p"), "/home/p/.local/share/floebound");
    EXPECT_EQ(profile_folder(nullptr, nullptr), "");
    EXPECT_EQ(profile_folder("", ""), "");
}

TEST(Profile, ReadsItsNumberAndRefusesAnythingDamaged) {
    const ScratchDir dir;
    EXPECT_EQ(read_profile_number(dir.path() + "/none.txt", "furthest_level", 1, 1000).status,
              ProfileNumber::missing);

    const ProfileNumber plain = read_text(dir, "furthest_level=12\n");
    EXPECT_EQ(plain.status, ProfileNumber::found);
    EXPECT_EQ(plain.value, 12);
    EXPECT_EQ(read_text(dir, "other=3\r\nfurthest_level=7\r\n\r\n").value, 7);
    EXPECT_EQ(read_text(dir, "furthest_level=1").value, 1);

    expect_damaged(dir, "");
    expect_damaged(dir, "furthest_level=0\n");
    expect_damaged(dir, "furthest_level=1001\n");
    expect_damaged(dir, "furthest_level=-2\n");
    expect_damaged(dir, "furthest_level=99999999999999999999\n");
    expect_damaged(dir, "furthest_level=12 levels\n");
    expect_damaged(dir, "furthest_level =12\n");
    expect_damaged(dir, "other=3\n");
    expect_damaged(dir, "garbage\n");
    expect_damaged(dir, std::string("furthest_level=3\n\0\x01\xff", 20));
    expect_damaged(dir, "furthest_level=3\n" + std::string(8000, '#'));

    // A folder or a FIFO in its place is refused, never waited on.
    mkdir((dir.path() + "/folder.txt").c_str(), 0755);
    EXPECT_EQ(read_profile_number(dir.path() + "/folder.txt", "furthest_level", 1, 9).status, ProfileNumber::damaged);
    mkfifo((dir.path() + "/fifo.txt").c_str(), 0644);
    EXPECT_EQ(read_profile_number(dir.path() + "/fifo.txt", "furthest_level", 1, 9).status, ProfileNumber::damaged);
}

TEST(Profile, WritesWholeFilesThroughARenameAndKeepsTheOldOneOnFailure) {
    const ScratchDir home;
    const std::string folder = home.path() + "/.local/share/floebound";
    std::string error;
    ASSERT_TRUE(write_profile_number(folder, "progress.txt", "furthest_level", 3, error)) << error;
    ASSERT_TRUE(write_profile_number(folder, "progress.txt", "furthest_level", 12, error)) << error;
    EXPECT_EQ(read_file(folder + "/progress.txt"), "furthest_level=12\n");
    EXPECT_EQ(files_in(folder), std::vector<std::string>{"progress.txt"}) << "no temporary file left behind";

    // A failed write leaves what stood there and no temporary file: here the
    // rename fails, a folder standing in the file's place (modes would not
    // stop root).
    const std::string taken = home.path() + "/taken";
    mkdir(taken.c_str(), 0755);
    mkdir((taken + "/progress.txt").c_str(), 0755);
    home.write_file("taken/progress.txt/kept", "x");
    EXPECT_FALSE(write_profile_number(taken, "progress.txt", "furthest_level", 20, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read_file(taken + "/progress.txt/kept"), "x");
    EXPECT_EQ(files_in(taken), std::vector<std::string>{"progress.txt"});

    home.write_file("blocked", "");
    EXPECT_FALSE(write_profile_number(home.path() + "/blocked/floebound", "progress.txt", "furthest_level", 1, error));
    EXPECT_FALSE(write_profile_number("", "progress.txt", "furthest_level", 1, error));
}

// A progress file it may not read and a folder it may not write in cost the
// player only the saved progress.
TEST(Profile, AnUnreadableFileOrAReadOnlyFolderIsReportedAndNothingElse) {
    const ScratchDir home;
    chmod(home.path().c_str(), 0755);
    home.write_file("progress.txt", "furthest_level=3\n");
    chmod((home.path() + "/progress.txt").c_str(), 0);
    const std::string read_only = home.path() + "/read-only";
    mkdir(read_only.c_str(), 0555);

    const int failures = as_unprivileged([&] {
        const ProfileNumber unreadable = read_profile_number(home.path() + "/progress.txt", "furthest_level", 1, 9);
        std::string error;
        const bool written = write_profile_number(read_only, "progress.txt", "furthest_level", 2, error);
        int failed = 0;
        if (unreadable.status != ProfileNumber::damaged || unreadable.problem.find("Permission denied") == std::string::npos)
            failed |= 1;
        if (written || error.find("Permission denied") == std::string::npos) failed |= 2;
        return failed;
    });
    EXPECT_NE(failures, 100) << "could not become an unprivileged user";
    EXPECT_EQ(failures & 1, 0) << "the unreadable file was not refused as damaged";
    EXPECT_EQ(failures & 2, 0) << "the write into the read-only folder was not refused with its reason";
    EXPECT_EQ(files_in(read_only), std::vector<std::string>{});
}

// A records file is refused whole when any line is off, so no figure from a
// damaged file ever shows; written back it reads the same.
TEST(Records, ReadBackWhatIsWrittenAndRefuseAnythingDamaged) {
    std::string problem;
    Records records;
    EXPECT_FALSE(add_win(records, "data/level003.txt", {3, 16, 1, 52000})) << "a first win is no new best";
    EXPECT_FALSE(add_win(records, "data/level003.txt", {4, 20, 2, 60000}));
    EXPECT_TRUE(add_win(records, "data/level003.txt", {3, 18, 0, 58000})) << "none lost betters one lost";
    EXPECT_FALSE(add_win(records, "data/a level = mine.txt", {2, 8, 0, 2'000'000'000}));
    const LevelResult expected{3, 16, 0, 52000};
    EXPECT_EQ(records["data/level003.txt"], expected) << "goats and lost from the cleanest win, the rest each least";
    const std::optional<Records> reread = parse_records(records_text(records), problem);
    ASSERT_TRUE(reread) << problem;
    EXPECT_EQ(*reread, records) << records_text(records) << "a time past the cap is kept at the cap";

    for (const std::string& damaged :
         {std::string("goats=2 dropped=8 lost=0 time_ms=100 level=data/level.txt\nrubbish\n"),
          std::string("goats=-1 dropped=8 lost=0 time_ms=100 level=data/level.txt\n"),
          std::string("goats=2 dropped=8 lost=9 time_ms=100 level=data/level.txt\n"),
          std::string("goats=2 dropped=99999999999 lost=0 time_ms=100 level=data/level.txt\n"),
          std::string("goats=2 dropped=8 lost=0 time_ms=100 level=\n"), std::string("goats=2\0", 8)}) {
        EXPECT_FALSE(parse_records(damaged, problem)) << damaged;
        EXPECT_FALSE(problem.empty());
    }
    EXPECT_EQ(parse_records("\r\n\n", problem), Records{}) << "blank lines are no damage";
}

TEST(CommandLine, TakesTheOptionsAndRefusesWhatItCannotUse) {
    auto parse = [](std::vector<const char*> args, CommandLine& parsed, std::string& error) {
        parsed = CommandLine{};
        return parse_command_line(static_cast<int>(args.size()), args.data(), parsed, error);
    };
    CommandLine parsed;
    std::string error;
    ASSERT_TRUE(parse({}, parsed, error));
    EXPECT_FALSE(parsed.windowed || parsed.help || parsed.level || !parsed.level_file.empty());
    ASSERT_TRUE(parse({"--windowed", "--level", "12"}, parsed, error));
    EXPECT_TRUE(parsed.windowed);
    EXPECT_EQ(parsed.level, 12);
    ASSERT_TRUE(parse({"--level=3"}, parsed, error));
    EXPECT_EQ(parsed.level, 3);
    ASSERT_TRUE(parse({"mine.txt", "--windowed"}, parsed, error));
    EXPECT_EQ(parsed.level_file, "mine.txt");
    ASSERT_TRUE(parse({"--", "--odd-name.txt"}, parsed, error));
    EXPECT_EQ(parsed.level_file, "--odd-name.txt");
    ASSERT_TRUE(parse({"--data", "/a", "--data=/b"}, parsed, error));
    EXPECT_EQ(parsed.data, "/b");
    ASSERT_TRUE(parse({"--help"}, parsed, error));
    EXPECT_TRUE(parsed.help);
    ASSERT_TRUE(parse({"--version"}, parsed, error));
    EXPECT_TRUE(parsed.version && !parsed.help);
    ASSERT_TRUE(parse({"--edit", "new.txt", "--windowed"}, parsed, error));
    EXPECT_EQ(parsed.edit_file, "new.txt");
    EXPECT_TRUE(parsed.level_file.empty());
    ASSERT_TRUE(parse({"--edit=--odd.txt"}, parsed, error));
    EXPECT_EQ(parsed.edit_file, "--odd.txt");

    for (std::vector<const char*> wrong : std::vector<std::vector<const char*>>{
             {"--level"}, {"--level", "0"}, {"--level", "-3"}, {"--level", "abc"}, {"--level", "4x"},
             {"--level", "99999999999"}, {"--level="}, {"--level", "2", "mine.txt"}, {"a.txt", "b.txt"},
             {"--fullscreen"}, {""}, {"--data"}, {"--data="}, {"--levels", "2"}, {"--edit"}, {"--edit="},
             {"--edit", "a.txt", "b.txt"}, {"--edit", "a.txt", "--level", "2"}, {"--edit", "a.txt", "--edit", "b.txt"}}) {
        error.clear();
        EXPECT_FALSE(parse(wrong, parsed, error)) << wrong.size() << " arguments, first " << wrong[0];
        EXPECT_FALSE(error.empty());
    }
}
