#include "puzzle/level_solver.h"

#include "puzzle/penguin_walk.h"
#include "puzzle/rules.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace floebound {

namespace {

// Every penguin lands facing row - 1.
constexpr int landing_heading = 4;

bool is_goat(CellKind kind) { return kind == CellKind::goat_cw || kind == CellKind::goat_ccw; }

CellKind other_goat(CellKind kind) { return kind == CellKind::goat_cw ? CellKind::goat_ccw : CellKind::goat_cw; }

std::string square_text(int column, int row) {
    return "(" + std::to_string(column) + "," + std::to_string(row) + ")";
}

// Penguins resting on a cow's square, counted by heading: once the cow is
// tipped they walk on that way.
using Resting = std::array<std::uint8_t, direction_count>;

int total(const Resting& resting) {
    int sum = 0;
    for (std::uint8_t count : resting) sum += count;
    return sum;
}

// A moment when no penguin walks: every dropped penguin rests on a cow or,
// walked on from a tipped cow, stands stuck for good.
struct Position {
    Grid grid;
    std::array<Resting, grid_cells> resting{};
    // A penguin walking straight on from one of these squares might wait
    // behind the stuck one for ever, depending on who came first: no plan
    // lets a penguin do that.
    Squares stuck;
    int penguins_used = 0;
    int goats_standing = 0;
    int cows_left = 0;
    int cascades = 0;  // cows tipped by penguins walking on from another
};

std::string grid_key(const Grid& grid) {
    std::string key(grid_cells, '\0');
    for (int cell = 0; cell < grid_cells; ++cell) key[cell] = static_cast<char>(grid.cells[cell]);
    return key;
}

// What a search may keep, positions met and routes found together. The
// hardest shipped level keeps some 7,000; a hopeless field searched to the
// default bound of decisions kept over a million, 400 MB, so the search
// gives up first at about 90 MB.
constexpr long max_kept = 250'000;

// Shared by the decisions the search takes, so that it always ends, and
// within a bound of memory.
class WorkBudget {
public:
    WorkBudget(long limit, const std::atomic<bool>* cancel) : limit_(limit), cancel_(cancel) {}
    void spend(long amount) { spent_ += amount; }
    void keep(long items) { kept_ += items; }
    bool out_of_memory() const { return kept_ >= max_kept; }
    bool exhausted() const {
        return spent_ >= limit_ || out_of_memory() || (cancel_ && cancel_->load(std::memory_order_relaxed));
    }
    long spent() const { return spent_; }
    void count_position() {
        ++positions_;
        keep(1);
    }
    long positions() const { return positions_; }

private:
    long limit_;
    const std::atomic<bool>* cancel_;
    long spent_ = 0;
    long kept_ = 0;
    long positions_ = 0;
};

// One way a single dropped penguin reaches a cow: the goat changes made
// before the drop, and the field they leave.
struct Route {
    Grid grid;
    std::vector<PlayerCommand> changes;
    int new_goats = 0;
    int cow_cell = 0;
    int heading = 0;  // on arrival at the cow
    int length = 0;   // squares walked
};

// Walks one penguin from its drop square and, on every square it rests on,
// tries the field as it is, a goat turned the other way, or a new goat there.
// A square keeps the choice made on the penguin's first visit.
class RouteFinder {
public:
    RouteFinder(const Grid& grid, const Squares& stuck, int goats_left, WorkBudget& budget)
        : grid_(grid), stuck_(stuck), goats_left_(goats_left), budget_(budget) {}

    // Fewest changes first, then the shortest walk: the plans read best.
    std::vector<Route> find(int column, int row) {
        explore({column, row, landing_heading});
        std::stable_sort(routes_.begin(), routes_.end(), [](const Route& a, const Route& b) {
            if (a.changes.size() != b.changes.size()) return a.changes.size() < b.changes.size();
            return a.length < b.length;
        });
        return std::move(routes_);
    }

private:
    void explore(const Walker& walker) {
        if (budget_.exhausted()) return;
        const int cell = walker.row * grid_side + walker.column;
        if (on_the_way_[cell * direction_count + walker.heading]) return;  // in circles
        const std::uint64_t bit = std::uint64_t{1} << cell;
        // A goat under a stuck penguin would set it walking again.
        if ((decided_ & bit) || stuck_[cell]) {
            go_on(walker);
            return;
        }
        decided_ |= bit;
        const CellKind kind = grid_.cells[cell];
        go_on(walker);
        if (is_goat(kind)) {
            try_change(walker, PlayerCommand::turn_goat, other_goat(kind));
        } else if (kind == CellKind::empty && new_goats_ < goats_left_) {
            try_change(walker, PlayerCommand::place_goat, CellKind::goat_cw);
            try_change(walker, PlayerCommand::place_goat, CellKind::goat_ccw);
        }
        decided_ &= ~bit;
    }

    void try_change(const Walker& walker, PlayerCommand::Kind kind, CellKind goat) {
        const CellKind before = grid_.cell_at(walker.column, walker.row);
        grid_.set_cell(walker.column, walker.row, goat);
        changes_.push_back({kind, walker.column, walker.row, goat});
        new_goats_ += kind == PlayerCommand::place_goat;
        go_on(walker);
        new_goats_ -= kind == PlayerCommand::place_goat;
        changes_.pop_back();
        grid_.set_cell(walker.column, walker.row, before);
    }

    void go_on(const Walker& walker) {
        budget_.spend(1);
        const int cell = walker.row * grid_side + walker.column;
        const PenguinMove move = decide_alone(grid_, walker);
        if (move.action == PenguinAction::join_cow) {
            add_route(cell, walker.heading);
            return;
        }
        if (move.action != PenguinAction::walk) return;
        const int heading = heading_between(walker.column, walker.row, move.column, move.row);
        if (heading == walker.heading && stuck_[cell]) return;
        const int state = cell * direction_count + walker.heading;
        on_the_way_[state] = true;
        ++length_;
        explore({move.column, move.row, heading});
        --length_;
        on_the_way_[state] = false;
    }

    void add_route(int cow_cell, int heading) {
        // Routes that leave the same field and arrive the same way are one.
        std::string key = grid_key(grid_);
        key += static_cast<char>(cow_cell);
        key += static_cast<char>(heading);
        if (!seen_.insert(key).second) return;
        routes_.push_back({grid_, changes_, new_goats_, cow_cell, heading, length_});
    }

    Grid grid_;
    Squares stuck_;
    int goats_left_;
    WorkBudget& budget_;
    std::uint64_t decided_ = 0;
    std::bitset<grid_cells * direction_count> on_the_way_;
    std::vector<PlayerCommand> changes_;
    int new_goats_ = 0;
    int length_ = 0;
    std::vector<Route> routes_;
    std::unordered_set<std::string> seen_;
};

// Depth first over the player's moves: change goats, then drop penguins that
// all follow one route to a cow, either enough to tip it or a single one; or
// clear a goat, to place it elsewhere or let penguins pass.
class Search {
public:
    Search(const Grid& field, int penguin_max, int goat_limit, WorkBudget& budget)
        : penguin_max_(penguin_max), goat_limit_(goat_limit), budget_(budget) {
        for (int row = 0; row < grid_side; ++row)
            for (int column = 0; column < grid_side; ++column)
                if (field.cell_at(column, row) == CellKind::penguin_square) drops_.push_back({column, row, 0});
    }

    // The routes found stay known from one run to the next.
    bool run(const Position& start, bool may_clear) {
        may_clear_ = may_clear;
        fewest_penguins_.clear();
        plan_.clear();
        return search(start);
    }
    const std::vector<PlayerCommand>& plan() const { return plan_; }
    int plan_cascades() const { return plan_cascades_; }

private:
    bool search(const Position& position) {
        if (position.cows_left == 0) {
            plan_cascades_ = position.cascades;
            return true;
        }
        if (budget_.exhausted()) return false;
        if (!first_visit(position)) return false;

        const int penguins_left = penguin_max_ - position.penguins_used;
        int fewest_needed = cow_tip_count;
        for (int cell = 0; cell < grid_cells; ++cell)
            if (position.grid.cells[cell] == CellKind::cow)
                fewest_needed = std::min(fewest_needed, cow_tip_count - total(position.resting[cell]));
        if (penguins_left < fewest_needed) return false;

        for (const Walker& drop : drops_) {
            for (const Route& route : routes_from(position, drop)) {
                if (budget_.exhausted()) return false;
                const int needed = cow_tip_count - total(position.resting[route.cow_cell]);
                // Either enough to tip the cow, or a single penguin to ready it
                // for others tipped elsewhere to walk on to.
                const int readying = needed > 1 && position.cows_left > 1 ? 1 : 0;
                for (int count : {needed, readying}) {
                    if (count < 1 || count > penguins_left) continue;
                    Position next = position;
                    next.grid = route.grid;
                    next.goats_standing += route.new_goats;
                    next.penguins_used += count;
                    next.resting[route.cow_cell][route.heading] += count;
                    if (count == needed && !tip(next, route.cow_cell)) continue;
                    const std::size_t plan_size = plan_.size();
                    plan_.insert(plan_.end(), route.changes.begin(), route.changes.end());
                    plan_.push_back({PlayerCommand::drop_penguins, drop.column, drop.row, CellKind::empty, count});
                    if (search(next)) return true;
                    plan_.resize(plan_size);
                }
            }
        }
        return may_clear_ && clear_a_goat(position);
    }

    // Tried after the routes, so that a plan clears a goat only when it must.
    // A stuck penguin's square is left alone, as the routes leave it.
    bool clear_a_goat(const Position& position) {
        for (int cell = 0; cell < grid_cells; ++cell) {
            if (!is_goat(position.grid.cells[cell]) || position.stuck[cell]) continue;
            if (budget_.exhausted()) return false;
            Position next = position;
            next.grid.cells[cell] = CellKind::empty;
            --next.goats_standing;
            plan_.push_back({PlayerCommand::clear_goat, cell % grid_side, cell / grid_side, CellKind::empty});
            if (search(next)) return true;
            plan_.pop_back();
        }
        return false;
    }

    // Reaching the same field and crowds again is only worth going on with
    // fewer penguins spent.
    bool first_visit(const Position& position) {
        std::string key = grid_key(position.grid) + position.stuck.to_string();
        for (int cell = 0; cell < grid_cells; ++cell)
            if (position.grid.cells[cell] == CellKind::cow)
                key.append(position.resting[cell].begin(), position.resting[cell].end());
        const auto [entry, inserted] = fewest_penguins_.emplace(std::move(key), position.penguins_used);
        if (!inserted && entry->second <= position.penguins_used) return false;
        entry->second = position.penguins_used;
        budget_.count_position();
        return true;
    }

    // The map's entries stay where they are while it grows, so the deeper
    // searches that add to it leave the routes being walked through alone.
    const std::vector<Route>& routes_from(const Position& position, const Walker& drop) {
        const int goats_left = goat_limit_ - position.goats_standing;
        std::string key = grid_key(position.grid) + position.stuck.to_string();
        key += static_cast<char>(drop.row * grid_side + drop.column);
        key += static_cast<char>(goats_left);
        const auto [entry, inserted] = routes_.try_emplace(std::move(key));
        if (inserted) {
            entry->second = RouteFinder(position.grid, position.stuck, goats_left, budget_).find(drop.column, drop.row);
            budget_.keep(static_cast<long>(entry->second.size()));
        }
        return entry->second;
    }

    // The cow goes; the penguins on it walk on, one after another, and may tip
    // further cows. Penguins never block one another and a walk depends only
    // on the field, so the order they go in does not change where they end,
    // unless one walks straight on where another gets stuck: then who waits
    // behind whom depends on timing, and the plan is refused. Every penguin
    // has to settle on a cow or be stuck for good, or the level be won: one
    // walking in circles would meet the player's later goat changes. A win
    // does not excuse walking straight on where one stood stuck before this
    // cow went: if that one was dropped first it is counted first there, and
    // the newcomer waits behind it for ever; the search keeps no drop order.
    bool tip(Position& position, int cow_cell) {
        std::deque<Walker> walking;
        auto release = [&](int cell) {
            for (int heading = 0; heading < direction_count; ++heading)
                for (int n = 0; n < position.resting[cell][heading]; ++n)
                    walking.push_back({cell % grid_side, cell / grid_side, heading});
            position.resting[cell] = {};
            position.grid.cells[cell] = CellKind::empty;
            --position.cows_left;
        };
        const Squares stuck_before = position.stuck;
        release(cow_cell);
        const int cows_before = position.cows_left;
        bool all_at_rest = true;
        Squares went_straight;
        Squares got_stuck;
        while (!walking.empty() && position.cows_left > 0) {
            const WalkResult walk = walk_alone(position.grid, walking.front());
            walking.pop_front();
            budget_.spend(walk.steps);
            went_straight |= walk.went_straight;
            const int cell = walk.last.row * grid_side + walk.last.column;
            switch (walk.end) {
            case WalkEnd::on_cow:
                ++position.resting[cell][walk.last.heading];
                if (total(position.resting[cell]) >= cow_tip_count) release(cell);
                break;
            case WalkEnd::stuck: got_stuck[cell] = true; break;
            case WalkEnd::loops: all_at_rest = false; break;
            }
        }
        position.cascades += cows_before - position.cows_left;
        if (position.cows_left == 0) return (went_straight & stuck_before).none();
        position.stuck |= got_stuck;
        return all_at_rest && (went_straight & position.stuck).none();
    }

    int penguin_max_;
    int goat_limit_;
    WorkBudget& budget_;
    bool may_clear_ = false;
    int plan_cascades_ = 0;
    std::vector<Walker> drops_;
    std::vector<PlayerCommand> plan_;
    std::unordered_map<std::string, int> fewest_penguins_;
    std::unordered_map<std::string, std::vector<Route>> routes_;
};

int most_goats_standing(const std::vector<PlayerCommand>& commands, int standing_before) {
    int standing = standing_before;
    int most = standing_before;
    for (const PlayerCommand& command : commands) {
        standing += (command.kind == PlayerCommand::place_goat) - (command.kind == PlayerCommand::clear_goat);
        most = std::max(most, standing);
    }
    return most;
}

// Drops on one square with no goat change between them are one command.
std::vector<PlayerCommand> merge_drops(const std::vector<PlayerCommand>& commands) {
    std::vector<PlayerCommand> merged;
    for (const PlayerCommand& command : commands) {
        PlayerCommand* last = merged.empty() ? nullptr : &merged.back();
        if (last && command.kind == PlayerCommand::drop_penguins && last->kind == PlayerCommand::drop_penguins &&
            last->column == command.column && last->row == command.row)
            last->penguins += command.penguins;
        else
            merged.push_back(command);
    }
    return merged;
}

int penguins_dropped(const std::vector<PlayerCommand>& commands) {
    int penguins = 0;
    for (const PlayerCommand& command : commands) penguins += command.penguins;
    return penguins;
}

// Squares a penguin could ever reach from a drop square, whatever the goats.
std::bitset<grid_cells> reachable_squares(const Grid& field) {
    std::bitset<grid_cells> reached;
    std::vector<int> frontier;
    for (int cell = 0; cell < grid_cells; ++cell)
        if (field.cells[cell] == CellKind::penguin_square) {
            reached[cell] = true;
            frontier.push_back(cell);
        }
    // A cow's square holds the penguins that reach it, until it tips: then
    // they walk on, and may reach a cow no drop reaches directly.
    while (!frontier.empty()) {
        const int cell = frontier.back();
        frontier.pop_back();
        // Penguins land heading along a column and only ever turn by quarters.
        for (int heading = 0; heading < direction_count; heading += 2) {
            int column = 0;
            int row = 0;
            if (!can_step(field, cell % grid_side, cell / grid_side, heading, column, row)) continue;
            const int next = row * grid_side + column;
            if (!reached[next]) {
                reached[next] = true;
                frontier.push_back(next);
            }
        }
    }
    return reached;
}

std::string plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Why no search is needed: the field cannot be solved whatever the player does.
std::string hopeless_field(const Grid& field, int penguin_max) {
    int cows = 0;
    int drops = 0;
    for (CellKind kind : field.cells) {
        cows += kind == CellKind::cow;
        drops += kind == CellKind::penguin_square;
    }
    if (cows == 0) return "no cow on the field, so there is no puzzle: the level is won before it starts";
    if (drops == 0) return "no penguin square to drop penguins on";
    if (penguin_max < cow_tip_count)
        return "penguinMax is " + std::to_string(penguin_max) + ", and tipping a cow takes " +
               std::to_string(cow_tip_count) + " penguins";
    const std::bitset<grid_cells> reached = reachable_squares(field);
    for (int cell = 0; cell < grid_cells; ++cell)
        if (field.cells[cell] == CellKind::cow && !reached[cell])
            return "no penguin can reach the cow at " + square_text(cell % grid_side, cell / grid_side);
    return "";
}

// Where the first penguin goes when the player places no goat, to explain an
// unsolvable level.
std::string unguided_walk(const Grid& field) {
    for (int cell = 0; cell < grid_cells; ++cell) {
        if (field.cells[cell] != CellKind::penguin_square) continue;
        const int column = cell % grid_side;
        const int row = cell / grid_side;
        const WalkResult walk = walk_alone(field, {column, row, landing_heading});
        const std::string where = square_text(walk.last.column, walk.last.row);
        const std::string start = "; without goats a penguin dropped at " + square_text(column, row);
        switch (walk.end) {
        case WalkEnd::on_cow: return start + " reaches the cow at " + where;
        case WalkEnd::stuck: return start + " gets stuck at " + where;
        case WalkEnd::loops: return start + " walks in circles";
        }
    }
    return "";
}

int goats_on(const Grid& grid) {
    int goats = 0;
    for (CellKind kind : grid.cells) goats += is_goat(kind);
    return goats;
}

// The search from a position: no goat standing at once beyond those already
// standing, then one more, and so on, each smaller supply searched out
// completely first, so the first solution keeps the fewest goats standing.
// With each supply, plans that never clear a goat come first: they read best,
// and usually drop fewer penguins.
Solution search_from(const Position& start, int penguin_max, int goat_max, long work_limit,
                     const std::atomic<bool>* cancel, const std::string& unguided) {
    Solution solution;
    // More goats than squares change nothing, and keep the search's keys small.
    const int goat_supply = std::clamp(goat_max, 0, grid_cells);
    WorkBudget budget(work_limit, cancel);
    for (int goats = std::min(start.goats_standing, goat_supply);
         goats <= goat_supply && solution.verdict != Verdict::solvable; ++goats) {
        Search search(start.grid, penguin_max, goats, budget);
        for (bool may_clear : {false, true}) {
            if (may_clear && goats == 0) break;
            if (search.run(start, may_clear)) {
                solution.verdict = Verdict::solvable;
                solution.commands = search.plan();
                solution.cascades = search.plan_cascades();
                break;
            }
            if (budget.exhausted()) break;
        }
        if (budget.exhausted()) break;
    }
    solution.work = budget.spent();
    solution.positions = budget.positions();
    if (solution.verdict != Verdict::solvable) {
        if (budget.out_of_memory()) {
            solution.verdict = Verdict::undecided;
            solution.reason = "gave up after keeping " + std::to_string(max_kept) +
                              " positions and routes, the bound of the search's memory, without finding a solution";
        } else if (budget.exhausted()) {
            solution.verdict = Verdict::undecided;
            solution.reason = "gave up after " + std::to_string(budget.spent()) +
                              " penguin decisions, the bound of the search, without finding a solution";
        } else {
            solution.reason = "no sequence of commands tips every cow with " + plural(penguin_max, "penguin") +
                              " and " + plural(std::max(goat_max, 0), "goat") + unguided;
        }
        return solution;
    }
    solution.commands = merge_drops(solution.commands);
    solution.goats = most_goats_standing(solution.commands, start.goats_standing);
    solution.penguins = penguins_dropped(solution.commands);
    return solution;
}

}  // namespace

Solution solve_level(const Grid& field, int penguin_max, int goat_max, long work_limit,
                     const std::atomic<bool>* cancel) {
    const std::string hopeless = hopeless_field(field, penguin_max);
    if (!hopeless.empty()) {
        Solution solution;
        solution.reason = hopeless;
        return solution;
    }
    Position start;
    start.grid = field;
    for (CellKind kind : field.cells) start.cows_left += kind == CellKind::cow;
    start.goats_standing = goats_on(field);
    return search_from(start, penguin_max, goat_max, work_limit, cancel, unguided_walk(field));
}

Solution solve_from(const PlayState& state, int penguin_max, int goat_max, long work_limit,
                    const std::atomic<bool>* cancel) {
    Position start;
    start.grid = state.grid;
    for (int cell = 0; cell < grid_cells; ++cell) {
        if (state.grid.cells[cell] != CellKind::cow) continue;
        ++start.cows_left;
        for (int heading = 0; heading < direction_count; ++heading)
            start.resting[cell][heading] = static_cast<std::uint8_t>(std::clamp(state.resting[cell][heading], 0, 255));
    }
    start.stuck = state.stuck;
    start.penguins_used = state.penguins_used;
    start.goats_standing = goats_on(state.grid);
    if (start.cows_left == 0) {
        Solution won;
        won.verdict = Verdict::solvable;
        return won;
    }
    return search_from(start, penguin_max, goat_max, work_limit, cancel, "");
}

int command_count(const std::vector<PlayerCommand>& commands) {
    int count = 0;
    for (const PlayerCommand& command : commands)
        count += command.kind == PlayerCommand::drop_penguins ? command.penguins : 1;
    return count;
}

std::string describe_commands(const std::vector<PlayerCommand>& commands) {
    std::string text;
    for (const PlayerCommand& command : commands) {
        if (!text.empty()) text += "; ";
        const std::string square = square_text(command.column, command.row);
        const char* direction = command.goat == CellKind::goat_cw ? "cw" : "ccw";
        switch (command.kind) {
        case PlayerCommand::place_goat: text += std::string("goat ") + direction + " " + square; break;
        case PlayerCommand::turn_goat: text += std::string("turn goat ") + square + " to " + direction; break;
        case PlayerCommand::clear_goat: text += "clear goat " + square; break;
        case PlayerCommand::drop_penguins: text += plural(command.penguins, "penguin") + " " + square; break;
        }
    }
    return text;
}

}  // namespace floebound
