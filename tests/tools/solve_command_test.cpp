// floebound-solve and floebound-generate as a level designer runs them: one
// line per file, and an exit status a script can trust.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "process.h"

namespace {

// The tests run in the game folder, beside the checker.
std::string checker() {
    char folder[4096];
    EXPECT_NE(getcwd(folder, sizeof folder), nullptr);
    return std::string(folder) + "/floebound-solve";
}

std::string generator() { return checker().substr(0, checker().size() - 5) + "generate"; }

const char* const solvable_level =
    "........\n........\n.....C..\n........\n........\n........\n.D......\n........\n"
    "penguinMax=10\ngoatMax=1\n";

}  // namespace

TEST(SolveCommand, PrintsOneLinePerFileAndTheWorstStatus) {
    ScratchDir dir;
    dir.write_file("good.txt", solvable_level);
    dir.write_file("empty.txt", "");
    // The settings line after a blank line is lost, as in the game.
    dir.write_file("no_goat.txt",
                   "........\n........\n.....C..\n........\n........\n........\n.D......\n........\n"
                   "penguinMax=10\n\ngoatMax=1\n");
    dir.write_file("crlf.txt",
                   "........\r\n........\r\n.....C..\r\n........\r\n........\r\n........\r\n.D......\r\n"
                   "........\r\npenguinMax=10\r\ngoatMax=1\r\n");
    const std::string good = dir.path() + "/good.txt";

    const CommandResult one = run_command({checker(), good});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.output, "solvable " + good + ": 1 goat, 8 penguins, 9 commands: goat cw (1,2); 8 penguins (1,6)\n");

    const std::string crlf_path = dir.path() + "/crlf.txt";
    const CommandResult crlf = run_command({checker(), crlf_path});
    EXPECT_EQ(crlf.status, 0) << crlf.output;
    EXPECT_EQ(crlf.output,
              "solvable " + crlf_path + ": 1 goat, 8 penguins, 9 commands: goat cw (1,2); 8 penguins (1,6)\n");

    const CommandResult mixed = run_command({checker(), good, dir.path() + "/empty.txt", dir.path() + "/no_goat.txt"});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.output,
              "solvable " + good + ": 1 goat, 8 penguins, 9 commands: goat cw (1,2); 8 penguins (1,6)\n" +
                  "unsolvable " + dir.path() +
                  "/empty.txt: no cow on the field, so there is no puzzle: the level is won before it starts\n" +
                  "unsolvable " + dir.path() +
                  "/no_goat.txt: no sequence of commands tips every cow with 10 penguins and 0 goats; without "
                  "goats a penguin dropped at (1,6) walks in circles\n");

    // A file that cannot be read outranks an unsolvable one, and the files
    // after it are still checked. Only regular files are read: a FIFO with no
    // writer is answered at once rather than waited on.
    const std::string fifo = dir.path() + "/fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const CommandResult unreadable = run_command(
        {checker(), dir.path() + "/missing.txt", dir.path(), fifo, "/dev/zero", dir.path() + "/empty.txt", good});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.output.find("\nunsolvable " + fifo + ": cannot read it: it is a FIFO\n"), std::string::npos)
        << unreadable.output;
    EXPECT_NE(unreadable.output.find("\nunsolvable /dev/zero: cannot read it: it is a device\n"), std::string::npos);
    EXPECT_EQ(unreadable.output.rfind("unsolvable " + dir.path() + "/missing.txt: cannot read it: No such file", 0), 0u)
        << unreadable.output;
    EXPECT_NE(unreadable.output.find("unsolvable " + dir.path() + ": cannot read it: it is a folder\n"),
              std::string::npos);
    EXPECT_NE(unreadable.output.find("\nsolvable " + good), std::string::npos);
}

TEST(SolveCommand, BindsItsSearchAndExplainsItself) {
    ScratchDir dir;
    dir.write_file("good.txt", solvable_level);
    const CommandResult bounded = run_command({checker(), "--limit", "10", dir.path() + "/good.txt"});
    EXPECT_EQ(bounded.status, 1);
    EXPECT_NE(bounded.output.find(": gave up after "), std::string::npos) << bounded.output;

    for (const char* bad : {"0", "-5", "many", "12x"}) {
        const CommandResult result = run_command({checker(), "--limit", bad, dir.path() + "/good.txt"});
        EXPECT_EQ(result.status, 2) << bad;
        EXPECT_NE(result.output.find("--limit takes a positive number"), std::string::npos) << bad;
    }

    const CommandResult nothing = run_command({checker()});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_NE(nothing.output.find("Usage: floebound-solve"), std::string::npos);

    const CommandResult help = run_command({checker(), "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* topic : {"What it searches", "What it assumes", "Exit status", "--limit", "clear goat (c,r)"})
        EXPECT_NE(help.output.find(topic), std::string::npos) << topic;
}

// Every file it writes is one the checker proves with exactly the goats asked
// for; one call never repeats a level, and a seed always gives the same bytes.
TEST(GenerateCommand, WritesDistinctLevelsTheCheckerSolvesWithTheGoatsAsked) {
    ScratchDir dir;
    const std::vector<std::string> make = {generator(), "--cows", "2", "--goats", "2", "--seed", "5", "--count", "4"};
    std::vector<std::string> first = make;
    first.insert(first.end(), {"--out", dir.path() + "/a"});
    const CommandResult made = run_command(first, {}, std::chrono::seconds(60));
    ASSERT_EQ(made.status, 0) << made.output;
    std::set<std::string> levels;
    for (int n = 1; n <= 4; ++n) {
        const std::string path = dir.path() + "/a/c2g2-s5-" + std::to_string(n) + ".txt";
        levels.insert(read_file(path));
        EXPECT_NE(made.output.find(path + ": 2 goats, "), std::string::npos) << made.output;
        const CommandResult checked = run_command({checker(), path});
        EXPECT_EQ(checked.status, 0) << checked.output;
        EXPECT_EQ(checked.output.rfind("solvable " + path + ": 2 goats, ", 0), 0u) << checked.output;
    }
    EXPECT_EQ(levels.size(), 4u) << "a level came twice";

    std::vector<std::string> again = make;
    again.insert(again.end(), {"--out", dir.path() + "/b"});
    ASSERT_EQ(run_command(again, {}, std::chrono::seconds(60)).status, 0);
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "/c2g2-s5-" + std::to_string(n) + ".txt";
        EXPECT_EQ(read_file(dir.path() + "/a" + name), read_file(dir.path() + "/b" + name)) << name;
    }
}

TEST(GenerateCommand, RefusesWhatItCannotDoAndLeavesNothingBehind) {
    ScratchDir dir;
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--cows", "0", "--goats", "1"}, {"--cows", "2", "--goats", "1", "--count", "-3"},
          {"--cows", "65", "--goats", "1"}, {"--cows", "1"}, {"--cows", "x", "--goats", "1"}, {"--size", "3"}}) {
        std::vector<std::string> argv = {generator(), "--out", dir.path() + "/never"};
        argv.insert(argv.end(), wrong.begin(), wrong.end());
        const CommandResult refused = run_command(argv);
        EXPECT_EQ(refused.status, 2) << wrong.front() << ": " << refused.output;
        EXPECT_NE(refused.output.find("floebound-generate: "), std::string::npos) << refused.output;
    }
    struct stat info {};
    EXPECT_NE(stat((dir.path() + "/never").c_str(), &info), 0) << "a refused call made its folder";

    // A field with one cow never needs eight goats: the search gives up.
    const CommandResult unmet = run_command({generator(), "--cows", "1", "--goats", "8", "--out", dir.path() + "/none"},
                                            {}, std::chrono::seconds(120));
    EXPECT_EQ(unmet.status, 1) << unmet.output;
    EXPECT_NE(unmet.output.find("nothing written"), std::string::npos) << unmet.output;

    // A file standing where the folder should be.
    dir.write_file("taken", "");
    const CommandResult blocked =
        run_command({generator(), "--cows", "1", "--goats", "0", "--out", dir.path() + "/taken/levels"});
    EXPECT_EQ(blocked.status, 1) << blocked.output;
    EXPECT_NE(blocked.output.find("taken/levels"), std::string::npos) << blocked.output;
}
