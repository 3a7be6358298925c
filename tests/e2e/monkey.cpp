// Random play: the real game under its own X server, sent a seeded random
// stream of keys from monkey_keys for a given time. It fails when the game
// ends unasked, shows no frame for five seconds, grows past a memory bound,
// prints a sanitizer report or leaves a profile file that does not read back;
// then it prints the seed and the last keys, so the run can be replayed.
//
//   floebound_monkey [--seconds N] [--seed N] [--max-growth-mib N]

#include "game_session.h"
#include "monkey_keys.h"
#include "profile_files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto longest_without_frame = 5s;
constexpr int actions_per_chunk = 8;
constexpr std::size_t keys_remembered = 40;
const std::string intro_hint = "Hint: press space to start playing";

struct Options {
    int seconds = 60;
    std::optional<unsigned> seed;
    // Above the size after the intro; the sanitizer's quarantine of freed
    // blocks alone takes up to 256 MiB.
    long max_growth_mib = 512;
};

bool parse_number(const char* text, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return *text && !*end && value >= 0;
}

bool parse_options(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        long value = 0;
        if (i + 1 >= argc || !parse_number(argv[i + 1], value)) return false;
        if (name == "--seconds")
            options.seconds = static_cast<int>(value);
        else if (name == "--seed")
            options.seed = static_cast<unsigned>(value);
        else if (name == "--max-growth-mib")
            options.max_growth_mib = value;
        else
            return false;
    }
    return true;
}

// A number from a "Name:\tvalue" line of a /proc status file; -1 when absent.
long status_field(const std::string& path, const std::string& name) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, name.size() + 1, name + ":") == 0) return std::strtol(line.c_str() + name.size() + 1, nullptr, 10);
    return -1;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::string last_lines(const std::string& text, std::size_t count) {
    std::deque<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line + "\n");
        if (lines.size() > count) lines.pop_front();
    }
    std::string last;
    for (const std::string& line : lines) last += line;
    return last;
}

class Monkey {
public:
    Monkey(const Options& options, unsigned seed)
        : options_(options), seed_(seed), random_(seed), session_(session_options()) {}

    bool run() {
        if (!session_.display_ok()) return fail("Xvfb did not start");
        if (session_.find_window().empty()) return fail("no game window appeared");
        started_ = Clock::now();
        last_frame_ = started_;
        if (!leave_intro()) return false;
        baseline_kib_ = status_field(proc("status"), "VmRSS");
        const auto deadline = started_ + std::chrono::seconds(options_.seconds);
        while (Clock::now() < deadline) {
            send(random_chunk(true));
            if (!check()) return false;
        }
        return quit();
    }

private:
    static GameSession::Options session_options() {
        GameSession::Options options;
        options.screen_width = 800;
        options.screen_height = 600;
        options.key_pause_ms = 0;
        return options;
    }

    std::string proc(const char* file) {
        const std::string pid = std::to_string(session_.game().pid());
        return "/proc/" + pid + "/task/" + pid + "/" + file;
    }
    std::string profile() { return profile_folder_in(session_.folder() + "/home"); }

    const MonkeyKey& pick_key(bool in_play) {
        int total = 0;
        for (const MonkeyKey& key : monkey_keys) total += in_play || key.kind != MonkeyKey::escape ? key.weight : 0;
        int pick = std::uniform_int_distribution<int>(0, total - 1)(random_);
        for (const MonkeyKey& key : monkey_keys) {
            if (!in_play && key.kind == MonkeyKey::escape) continue;
            if (pick < key.weight) return key;
            pick -= key.weight;
        }
        return monkey_keys[0];
    }

    // One xdotool command line of a few random actions: taps a little apart,
    // a held key, escape answered "no". During the intro escape would end the
    // game, so it is left out there.
    std::vector<std::string> random_chunk(bool in_play) {
        const std::string delay = std::to_string(std::uniform_int_distribution<int>(15, 120)(random_));
        std::vector<std::string> command = {"xdotool"};
        std::vector<std::string> taps;
        const auto flush = [&] {
            if (taps.empty()) return;
            command.insert(command.end(), {"key", "--delay", delay});
            command.insert(command.end(), taps.begin(), taps.end());
            taps.clear();
        };
        for (int i = 0; i < actions_per_chunk; ++i) {
            const MonkeyKey& key = pick_key(in_play);
            switch (key.kind) {
            case MonkeyKey::tap:
                taps.push_back(key.name);
                remember(key.name);
                if ((std::string(key.name) == "space" || std::string(key.name) == "Return") && !in_play) ++intro_steps_;
                break;
            case MonkeyKey::hold: {
                flush();
                const int held_ms = std::uniform_int_distribution<int>(100, 1500)(random_);
                char seconds[16];
                std::snprintf(seconds, sizeof seconds, "%.3f", held_ms / 1000.0);
                command.insert(command.end(), {"keydown", key.name, "sleep", seconds, "keyup", key.name});
                remember(std::string(key.name) + " held " + std::to_string(held_ms) + " ms");
                break;
            }
            case MonkeyKey::escape:
                // The quit popup's highlight starts on "yes"; right moves it
                // to "no" and space confirms.
                flush();
                command.insert(command.end(), {"key", "--delay", "40", key.name, "Right", "space"});
                remember(std::string(key.name) + " Right space");
                key_events_ += 2;
                break;
            }
        }
        flush();
        return command;
    }

    void remember(const std::string& keys) {
        ++key_events_;
        last_keys_.push_back(keys);
        if (last_keys_.size() > keys_remembered) last_keys_.pop_front();
    }

    void send(const std::vector<std::string>& command) {
        run_command(command, {{"DISPLAY", session_.display()}}, 60s);
    }

    // Random keys without escape until four steps of space or return; then
    // h tells whether play has begun: the intro answers with its own hint
    // line, play with another (a key can be lost while the window changes
    // mode). No answer in time counts as the intro, which only costs keys.
    bool leave_intro() {
        while (Clock::now() < started_ + 180s) {
            send(random_chunk(false));
            if (!check()) return false;
            if (intro_steps_ < 4) continue;
            const std::string before = session_.game().output();
            send({"xdotool", "key", "h"});
            remember("h");
            const auto until = Clock::now() + 10s;
            std::string now = before;
            while (count_of(now, "Hint: ") == count_of(before, "Hint: ") && Clock::now() < until) {
                std::this_thread::sleep_for(100ms);
                now = session_.game().output();
            }
            if (count_of(now, "Hint: ") > count_of(before, "Hint: ") &&
                count_of(now, intro_hint) == count_of(before, intro_hint))
                return true;
            intro_steps_ = 3;
        }
        return fail("the intro did not end");
    }

    bool check() {
        ChildProcess& game = session_.game();
        const std::string output = game.output();
        if (output.find("Sanitizer") != std::string::npos || output.find("runtime error:") != std::string::npos)
            return fail("a sanitizer report");
        if (!game.running()) return fail("the game ended unasked, status " + std::to_string(game.wait(0s)));
        const long switches = status_field(proc("status"), "voluntary_ctxt_switches");
        // Every frame sleeps, so a frame shows as a sleep of the main thread.
        if (switches != switches_) {
            switches_ = switches;
            last_frame_ = Clock::now();
        } else if (Clock::now() - last_frame_ > longest_without_frame) {
            return fail("no frame for five seconds");
        }
        const long rss_kib = status_field(proc("status"), "VmRSS");
        if (rss_kib > peak_kib_) peak_kib_ = rss_kib;
        if (baseline_kib_ > 0 && rss_kib - baseline_kib_ > options_.max_growth_mib * 1024)
            return fail("memory grew from " + std::to_string(baseline_kib_ / 1024) + " to " +
                        std::to_string(rss_kib / 1024) + " MiB");
        const std::string problems = profile_problems(profile());
        if (!problems.empty()) return fail(problems);
        return true;
    }

    // Escape then space quits from play: the press answers "yes", and the
    // game ends on a release after the frame that carries the answer out.
    // What is open over play (a popup, the level select, the editor with its
    // popups, a try of a level) closes with escape, and the editor's question
    // on leaving takes the same space as "yes"; so the attempts alternate
    // escape and space with escape alone, as often as screens can be stacked.
    bool quit() {
        ChildProcess& game = session_.game();
        for (int attempt = 0; attempt < 10 && game.running(); ++attempt) {
            if (attempt % 2 == 0) {
                send({"xdotool", "key", "Escape", "sleep", "0.4", "keydown", "space", "sleep", "0.4", "keyup",
                      "space"});
                remember("Escape space (to quit)");
            } else {
                send({"xdotool", "key", "Escape"});
                remember("Escape (to close what is open)");
            }
            const auto until = Clock::now() + 3s;
            while (game.running() && Clock::now() < until) std::this_thread::sleep_for(50ms);
        }
        const int status = game.wait(30s);
        const std::string output = game.output();
        if (output.find("Sanitizer") != std::string::npos || output.find("runtime error:") != std::string::npos)
            return fail("a sanitizer report");
        if (status != 0) return fail("the game did not quit cleanly, status " + std::to_string(status));
        const std::string problems = profile_problems(profile());
        if (!problems.empty()) return fail(problems);
        std::printf("monkey: seed %u, %ld key events in %.0f s, peak RSS %ld MiB: no finding\n", seed_, key_events_,
                    seconds_so_far(), peak_kib_ / 1024);
        return true;
    }

    double seconds_so_far() const { return std::chrono::duration<double>(Clock::now() - started_).count(); }

    bool fail(const std::string& what) {
        std::printf("monkey: FAILED: %s\n", what.c_str());
        std::printf("monkey: seed %u, after %.0f s and %ld key events; replay with --seed %u\n", seed_,
                    seconds_so_far(), key_events_, seed_);
        std::printf("monkey: the last keys, oldest first:\n");
        for (const std::string& keys : last_keys_) std::printf("  %s\n", keys.c_str());
        std::printf("monkey: the game's last console lines:\n%s", last_lines(session_.game().output(), 60).c_str());
        return false;
    }

    Options options_;
    unsigned seed_;
    std::mt19937 random_;
    GameSession session_;
    Clock::time_point started_;
    Clock::time_point last_frame_;
    long switches_ = -1;
    long baseline_kib_ = -1;
    long peak_kib_ = 0;
    long key_events_ = 0;
    int intro_steps_ = 0;
    std::deque<std::string> last_keys_;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr, "usage: floebound_monkey [--seconds N] [--seed N] [--max-growth-mib N]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const unsigned seed = options.seed.value_or(std::random_device{}());
    std::printf("monkey: seed %u, %d s of random play\n", seed, options.seconds);
    return Monkey(options, seed).run() ? 0 : 1;
}
