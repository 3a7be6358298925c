// floebound-solve: says of each level file whether its cows can all be tipped
// within its supplies, and how.

#include "app/version.h"
#include "puzzle/level_file.h"
#include "puzzle/level_solver.h"
#include "puzzle/proven_best.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace floebound;

namespace {

constexpr const char* usage_text = R"(Usage: floebound-solve [--limit DECISIONS] [--proven-best OUT] LEVEL-FILE...
       floebound-solve --help | --version

Says of each Floebound level file whether a player can tip every cow on it
within its supplies (penguinMax, goatMax), and prints one line per file:

  solvable FILE: G goats, P penguins, N commands: COMMANDS
  unsolvable FILE: REASON

COMMANDS is one solution in playing order; squares are (column,row), the
first line of the file being row 0 and its first character column 0:
  goat cw (c,r)           place a clockwise goat square there
  goat ccw (c,r)          place a counter-clockwise goat square there
  turn goat (c,r) to cw   turn a placed goat the other way
  clear goat (c,r)        clear a placed goat, to place it again elsewhere
  N penguins (c,r)        drop N penguins on that penguin square
Drop the penguins of one command one after another, and give the next
command once every penguin has come to rest: on a cow, or (walked on from a
tipped cow) stuck for good before something it cannot pass. G is the fewest goat
squares any solution needs standing at once; N counts one command per goat
placed, turned or cleared and per penguin dropped.

What it searches: every way of placing goats on empty squares (at most
goatMax standing at once), of turning placed goats and of clearing them,
between drops of penguins that all follow one route to a cow, either enough
to tip it or one at a time. A tipped cow's penguins walk on and may tip
other cows. The decisions are the game's own walking rules. With each number
of goats, plans that clear none are tried first.

What it assumes: the player changes goats only while no penguin walks and
never under a penguin that stands stuck, and drops no penguin that would not
come to rest on a cow (one walking in circles would meet later goat
changes). Penguins walking on from a tipped cow must each reach a cow or get
stuck for good, and none may walk straight through a square where one stands
stuck (who waits behind whom would depend on timing), unless the level is
won by then and that one got stuck after the same cow was tipped.
Skateboards, targets and the camera do not change the puzzle.

The search ends: every walk stops at a cow, when stuck, or when it comes back
to a square with the same heading; goats are placed only with a drop, so
cleared no more often than penguins are dropped; and the search gives up
after --limit penguin decisions (default 500000000, ten seconds or so), or
once it keeps 250000 positions and routes (about 90 MB), reporting the level
unsolvable with "gave up" in its reason.

--proven-best OUT also writes, for each solvable file, its fewest goats and a
hash of its bytes to OUT, for the game to show as the best possible (the game
builds its data/best.txt so); the exit status is then 0 once OUT is written,
unless a file cannot be read.

Exit status: 0 when every level is solvable, 1 when any is not, 2 when a file
cannot be read (a folder, FIFO or device is not read) or the command line is
wrong.
)";

// 0 solvable, 1 not, 2 unreadable. A solvable level's line for the proven
// best file is added to best_lines.
int check(const char* path, long work_limit, std::string& best_lines) {
    struct stat status {};
    if (stat(path, &status) != 0) {
        std::printf("unsolvable %s: cannot read it: %s\n", path, std::strerror(errno));
        return 2;
    }
    if (const char* reason = not_a_level_file(status.st_mode)) {
        std::printf("unsolvable %s: cannot read it: %s\n", path, reason);
        return 2;
    }
    errno = 0;
    const std::optional<std::string> bytes = read_level_bytes(path);
    if (!bytes) {
        std::printf("unsolvable %s: cannot read it: %s\n", path, std::strerror(errno ? errno : EACCES));
        return 2;
    }
    const LevelFile file = parse_level_file(bytes->data(), bytes->size());
    const Solution solution =
        solve_level(field_of(file), file.penguinMax.value_or(0), file.goatMax.value_or(0), work_limit);
    if (solution.verdict != Verdict::solvable) {
        std::printf("unsolvable %s: %s\n", path, solution.reason.c_str());
        return 1;
    }
    std::printf("solvable %s: %d goat%s, %d penguins, %d commands: %s\n", path, solution.goats,
                solution.goats == 1 ? "" : "s", solution.penguins, command_count(solution.commands),
                describe_commands(solution.commands).c_str());
    best_lines += proven_best_line(std::filesystem::path(path).filename().string(), solution.goats,
                                   level_file_hash(*bytes));
    return 0;
}

bool parse_limit(const char* text, long& limit) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value <= 0) return false;
    limit = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long work_limit = default_work_limit;
    const char* best_path = nullptr;
    std::vector<const char*> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(usage_text, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("floebound-solve %s\n", version);
            return 0;
        }
        if (argument == "--limit") {
            if (i + 1 == argc || !parse_limit(argv[i + 1], work_limit)) {
                std::fprintf(stderr, "floebound-solve: --limit takes a positive number of decisions\n");
                return 2;
            }
            ++i;
            continue;
        }
        if (argument == "--proven-best") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "floebound-solve: --proven-best takes the file to write\n");
                return 2;
            }
            best_path = argv[++i];
            continue;
        }
        paths.push_back(argv[i]);
    }
    if (paths.empty()) {
        std::fputs(usage_text, stderr);
        return 2;
    }
    int status = 0;
    std::string best_lines;
    for (const char* path : paths) {
        status = std::max(status, check(path, work_limit, best_lines));
        std::fflush(stdout);
    }
    if (best_path) {
        std::FILE* out = std::fopen(best_path, "w");
        const bool written = out && std::fputs(best_lines.c_str(), out) >= 0;
        if (!out || std::fclose(out) != 0 || !written) {
            std::fprintf(stderr, "floebound-solve: cannot write %s: %s\n", best_path, std::strerror(errno));
            return 2;
        }
        return status == 2 ? 2 : 0;
    }
    return status;
}
