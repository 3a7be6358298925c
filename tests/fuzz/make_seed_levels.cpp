// Writes the seed corpus of fuzz_level_file and fuzz_solve_level: a full
// level, the same with CR LF line ends, settings that go wrong in each known
// way, a short file and one with NUL bytes, so the fuzzer starts from every
// branch of the format; and a level won only by clearing a goat to place it
// elsewhere, so the checker's search starts from that branch too.

#include "seed_corpus.h"

#include <string>

namespace {

const std::string full_level =
    "..x.....\n.D......\n........\n...C..B.\n........\n.S...F..\n......T.\nf.......\n"
    "penguinMax=8\ngoatMax=2\nskateboardMax=1\n";

std::string with_crlf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string field = full_level.substr(0, full_level.find('p'));
    return write_seed_corpus(argc, argv, {
        {"example.txt", full_level},
        {"example_crlf.txt", with_crlf(full_level)},
        {"odd_settings.txt", field + "penguinMax=10\n\ngoatMax = 3\nskateboardMax=2 boards\npenguinMax=abc\n"
                                     "goatMax=-2147483649\nskateboard\nMax=+4"},
        {"short_lines.txt", "..C.....xx\n..#\nDDD\n"},
        {"no_goats.txt", ".C......\n.C......\n........\n........\n........\n........\n.D......\n........\n"
                         "penguinMax=8\ngoatMax=-3\n"},
        {"clear_goat.txt", "........\n........\n.....CB.\n........\n.....CB.\n........\n.D......\n........\n"
                           "penguinMax=16\ngoatMax=1\n"},
        {"nul_bytes.txt", std::string("x\0x.....\n", 9) + field.substr(9) + std::string("goat\0Max=1\n", 11)},
    });
}
