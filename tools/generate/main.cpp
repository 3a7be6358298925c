// floebound-generate: makes new level files, each proven solvable by the
// level checker's search with exactly the goats asked for.

#include "app/version.h"
#include "level_generator.h"
#include "puzzle/level_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace floebound;
using namespace floebound::tools;

namespace {

constexpr const char* usage_text = R"(Usage: floebound-generate --cows C --goats G [--seed S] [--count K] [--out DIR]
       floebound-generate --score LEVEL-FILE...
       floebound-generate --help | --version

Writes K new Floebound level files (default 1) with C cows (1 to 8) into DIR
(default: where you stand; made when missing), each proven solvable by the
level checker's search with exactly G goat squares standing at once (0 to 8)
as the fewest any solution needs, clearing and turning goats as the checker
models them, with eight penguins per cow (penguinMax). Levels made by
one call are all different; the same seed (default 1) gives the same files.
A level that the search cannot decide is never written.

One line per file:

  FILE: G goats, P penguins, N commands, difficulty D (B changes between
  drops, K cascades, O single drops, S positions searched): SOLUTION

The difficulty is the search's own account of the solution:

  D = N + 5 x B + 5 x K + 3 x O + 4 x G + log2(S)

N: player commands (one per goat placed, turned or cleared and per penguin
dropped); B: goats placed, turned or cleared after the first drop; K: cows
tipped by penguins walking on from a tipped cow; O: drops of a single
penguin; S: the moments between drops the search looked at before it found
the first solution with G goats (the layouts it rejected on the way).

With --score, prints that line for each level file named instead (its goatMax
and penguinMax as the file gives them), to compare levels made by hand.

Exit status: 0 when all K files are written (or scored); 1 when the search found fewer
than K such levels or a file could not be written (then none is left
behind); 2 when the command line is wrong.
)";

std::optional<long> whole_number(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0') return std::nullopt;
    return value;
}

int command_line_error(const std::string& message) {
    std::fprintf(stderr, "floebound-generate: %s\nTry 'floebound-generate --help'.\n", message.c_str());
    return 2;
}

std::string plural(long count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Writes through a temporary file and a rename, so no file is ever half there.
bool write_whole_file(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void print_level_line(const std::string& path, const Solution& solution, const Difficulty& d) {
    std::printf("%s: %s, %s, %s, difficulty %d (%s between drops, %s, %s, %s searched): %s\n", path.c_str(),
                plural(solution.goats, "goat").c_str(), plural(solution.penguins, "penguin").c_str(),
                plural(d.commands, "command").c_str(), d.score, plural(d.changes_between_drops, "change").c_str(),
                plural(d.cascades, "cascade").c_str(), plural(d.single_drops, "single drop").c_str(),
                plural(d.positions, "position").c_str(), describe_commands(solution.commands).c_str());
}

int score_files(int count, char** paths) {
    if (count == 0) return command_line_error("--score needs level files");
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const std::optional<LevelFile> file = read_level_file(paths[i]);
        if (!file) {
            std::fprintf(stderr, "floebound-generate: cannot read %s\n", paths[i]);
            status = 2;
            continue;
        }
        const Solution solution = solve_level(field_of(*file), file->penguinMax.value_or(0), file->goatMax.value_or(0));
        if (solution.verdict != Verdict::solvable) {
            std::printf("%s: unsolvable: %s\n", paths[i], solution.reason.c_str());
            status = std::max(status, 1);
            continue;
        }
        print_level_line(paths[i], solution, difficulty_of(solution));
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--score") return score_files(argc - 2, argv + 2);
    GeneratorRequest request;
    bool cows_given = false;
    bool goats_given = false;
    std::string out = ".";
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(usage_text, stdout);
            return 0;
        }
        if (option == "--version") {
            std::printf("floebound-generate %s\n", version);
            return 0;
        }
        if (option != "--cows" && option != "--goats" && option != "--seed" && option != "--count" && option != "--out")
            return command_line_error("unknown option '" + option + "'");
        if (i + 1 >= argc) return command_line_error(option + " needs a value");
        const char* value = argv[++i];
        if (option == "--out") {
            out = value;
            continue;
        }
        const std::optional<long> number = whole_number(value);
        if (!number || *number < -1000000 || *number > 4294967295L)
            return command_line_error(option + " needs a whole number, not '" + value + "'");
        if (option == "--cows") {
            request.cows = static_cast<int>(*number);
            cows_given = true;
        } else if (option == "--goats") {
            request.goats = static_cast<int>(*number);
            goats_given = true;
        } else if (option == "--seed") {
            if (*number < 0) return command_line_error("--seed must not be negative");
            request.seed = static_cast<std::uint32_t>(*number);
        } else {
            request.count = static_cast<int>(*number);
        }
    }
    if (!cows_given || !goats_given) return command_line_error("--cows and --goats are required");
    if (const std::string problem = request_problem(request); !problem.empty()) return command_line_error(problem);

    const std::vector<GeneratedLevel> levels = generate_levels(request);
    if (static_cast<int>(levels.size()) < request.count) {
        std::fprintf(stderr,
                     "floebound-generate: found %d of %d levels with %s needing exactly %s in %d candidates each; "
                     "nothing written (try another seed, fewer goats or more cows)\n",
                     static_cast<int>(levels.size()), request.count, plural(request.cows, "cow").c_str(),
                     plural(request.goats, "goat").c_str(), request.attempts);
        return 1;
    }

    if (mkdir(out.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "floebound-generate: cannot make %s: %s\n", out.c_str(), std::strerror(errno));
        return 1;
    }
    std::vector<std::string> written;
    for (std::size_t n = 0; n < levels.size(); ++n) {
        const std::string path = out + "/c" + std::to_string(request.cows) + "g" + std::to_string(request.goats) + "-s" +
                                 std::to_string(request.seed) + "-" + std::to_string(n + 1) + ".txt";
        std::string error;
        if (!write_whole_file(path, level_file_text(levels[n].field, levels[n].penguin_max, levels[n].goat_max, 0), error)) {
            for (const std::string& done : written) std::remove(done.c_str());
            std::fprintf(stderr, "floebound-generate: cannot write %s; nothing written\n", error.c_str());
            return 1;
        }
        written.push_back(path);
    }
    for (std::size_t n = 0; n < levels.size(); ++n)
        print_level_line(written[n], levels[n].solution, levels[n].difficulty);
    return 0;
}
