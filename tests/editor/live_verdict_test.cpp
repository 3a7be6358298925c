#include "editor/live_verdict.h"
#include "verdict_fields.h"

#include <gtest/gtest.h>

#include <limits>

using namespace floebound;

namespace {

std::string verdict_for(const std::string& level, long work_limit = editor_work_limit) {
    LiveVerdict verdict(work_limit);
    verdict.check(document_from(level));
    return verdict_line(wait_for_answer([&] { return verdict.answer(); }));
}

std::string field_of_rows(const std::string& rows) {
    std::string text;
    for (std::size_t row = 0; row < 8; ++row) text += rows.substr(row * 8, 8) + "\n";
    return text + "penguinMax=8\ngoatMax=1\n";
}

// The verdict line in the generator's and the checker's figures, and a
// hopeless field (no cow, no penguin square, a field of cows, a cow fenced
// in) says why at once, without a search.
TEST(LiveVerdict, SaysWhatTheCheckerFindsInOneLine) {
    EXPECT_EQ(verdict_line(std::nullopt), "Searching...");
    EXPECT_EQ(verdict_for(generated_level), "Solvable: 2 goats, 16 penguins, 26 commands, difficulty 85");
    EXPECT_EQ(verdict_for(generated_level, 10), "No answer within the limit");
    EXPECT_EQ(verdict_for(field_of_rows(std::string(63, '.') + "D")),
              "Not solvable: no cow on the field, so there is no puzzle: the level is won before it starts");
    EXPECT_EQ(verdict_for(field_of_rows(std::string(64, 'C'))), "Not solvable: no penguin square to drop penguins on");
    EXPECT_EQ(verdict_for(field_of_rows("........"
                                        "....x..."
                                        "...xCx.."
                                        "....x..." +
                                        std::string(24, '.') + ".......D")),
              "Not solvable: no penguin can reach the cow at (4,2)");
}

// A check while a search runs stops it: the slow search takes seconds to
// give up of itself, the cancelled one hands over at its next decision. Its
// answer, and an answer that came in before the field changed, are never
// shown for the field that came after.
TEST(LiveVerdict, ANewCheckCancelsTheSearchAndAStaleAnswerNeverShows) {
    LiveVerdict verdict(std::numeric_limits<long>::max());
    verdict.check(document_from(slow_level));
    // Long enough for the search to be under way, not to end: a check made
    // at once would only take the slow field's place in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(verdict.answer());
    const std::string no_cow = field_of_rows(std::string(63, '.') + "D");
    verdict.check(document_from(no_cow));
    std::optional<Solution> answer = wait_for_answer([&] { return verdict.answer(); }, std::chrono::seconds(2));
    ASSERT_TRUE(answer) << "the slow search was not cancelled";
    EXPECT_EQ(answer->verdict, Verdict::unsolvable);
    EXPECT_NE(answer->reason.find("no cow"), std::string::npos) << answer->reason;

    // The answer in hand is for the last field only.
    verdict.check(document_from(slow_level));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(verdict.answer());

    // Fields one after another, each answered fast: whatever shows is the
    // latest field's answer.
    for (int round = 0; round < 20; ++round) {
        const Verdict expected = round % 2 ? Verdict::unsolvable : Verdict::solvable;
        verdict.check(document_from(round % 2 ? no_cow : generated_level));
        if (const std::optional<Solution> at_once = verdict.answer()) {
            ASSERT_EQ(at_once->verdict, expected) << "round " << round << " showed the last field's answer";
        }
        answer = wait_for_answer([&] { return verdict.answer(); });
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->verdict, expected) << round;
    }
}

}  // namespace
