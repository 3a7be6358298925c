#include "puzzle/level_file.h"
#include "game/level_sequence.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <sys/stat.h>

#include "process.h"

using namespace floebound;

using namespace std::string_literals;

namespace {

LevelFile parse(const std::string& text) { return parse_level_file(text.data(), text.size()); }

std::optional<CellKind> square(const LevelFile& file, int column, int row) {
    return file.cells[row * grid_side + column];
}

const std::string empty_field = [] {
    std::string rows;
    for (int row = 0; row < grid_side; ++row) rows += "........\n";
    return rows;
}();

const std::string worked_example =
    "..x.....\n.D......\n........\n...C..B.\n........\n.S...F..\n......T.\nf.......\n"
    "penguinMax=8\ngoatMax=2\nskateboardMax=1\n";

struct Settings {
    std::optional<std::int32_t> penguins, goats, skateboards;
};

void expect_settings(const LevelFile& file, const Settings& expected) {
    EXPECT_EQ(file.penguinMax, expected.penguins);
    EXPECT_EQ(file.goatMax, expected.goats);
    EXPECT_EQ(file.skateboardMax, expected.skateboards);
}

}  // namespace

TEST(LevelFile, WorkedExampleSetsEverySquareAndTheThreeSupplies) {
    const LevelFile file = parse(worked_example);
    const struct {
        int column, row;
        CellKind kind;
    } placed[] = {
        {2, 0, CellKind::tree},   {1, 1, CellKind::penguin_square}, {3, 3, CellKind::cow},
        {6, 3, CellKind::bucket}, {1, 5, CellKind::skateboard_square}, {5, 5, CellKind::fire},
        {6, 6, CellKind::target}, {0, 7, CellKind::tunafish},
    };
    for (int row = 0; row < grid_side; ++row) {
        for (int column = 0; column < grid_side; ++column) {
            CellKind expected = CellKind::empty;
            for (const auto& p : placed)
                if (p.column == column && p.row == row) expected = p.kind;
            EXPECT_EQ(square(file, column, row), expected) << column << "," << row;
        }
    }
    expect_settings(file, {8, 2, 1});
    // Written back, the example reads the same: it draws every kind a file holds.
    EXPECT_EQ(level_file_text(field_of(file), 8, 2, 1), worked_example);
}

TEST(LevelFile, SquaresTheFileDoesNotNameAreLeftUnset) {
    const LevelFile file = parse(
        "..C.....xx\n"  // ten characters: the last two belong to no square
        "..#...c.\n"    // unknown characters; case matters
        "D.F\n"         // three characters, the rest of the row missing
        "\n"
        "f\n........\n........\n........\n");
    EXPECT_EQ(square(file, 2, 0), CellKind::cow);
    EXPECT_EQ(square(file, 7, 0), CellKind::empty);
    EXPECT_EQ(square(file, 2, 1), std::nullopt);
    EXPECT_EQ(square(file, 6, 1), std::nullopt);
    EXPECT_EQ(square(file, 2, 2), CellKind::fire);
    for (int column = 3; column < grid_side; ++column) EXPECT_EQ(square(file, column, 2), std::nullopt);
    EXPECT_EQ(square(file, 0, 3), std::nullopt);
    EXPECT_EQ(square(file, 0, 4), CellKind::tunafish);

    // With fewer than eight lines the missing rows stay unset, and a settings
    // line is only another field row.
    const LevelFile short_file = parse("x.......\npenguinMax=3\n");
    for (int cell = grid_side; cell < grid_cells; ++cell) EXPECT_EQ(short_file.cells[cell], std::nullopt);
    expect_settings(short_file, {});
}

TEST(LevelFile, SettingsMatchExactKeysAndReadTheLeadingNumber) {
    expect_settings(parse(empty_field +
                          "penguinMax=10\n"
                          "\n"  // runs into the next key and spoils it
                          "goatMax=3\n"
                          "goatMax = 4\n"
                          "skateboardMax=2 boards\n"
                          "penguinmax=5\n"),
                    {10, std::nullopt, 2});
    // No number keeps the earlier value; later entries win; white space and sign.
    expect_settings(parse(empty_field + "penguinMax=4\npenguinMax=abc\ngoatMax=1\ngoatMax=  -6x\nskateboardMax=\t+7\n"),
                    {4, -6, 7});
    // The value ends with its line: a number on the next line starts the next
    // key. A key ends at the first "=".
    expect_settings(parse(empty_field + "goatMax=\n5\npenguinMax=2\nskateboardMax=+\ngoat=Max=1\n"), {});

    expect_settings(parse(empty_field + "penguinMax=2147483647\ngoatMax=-2147483648\nskateboardMax=-0\n"),
                    {INT32_MAX, INT32_MIN, 0});
    expect_settings(parse(empty_field + "penguinMax=1\ngoatMax=2\nskateboardMax=3\npenguinMax=2147483648\n"
                                        "goatMax=-2147483649\nskateboardMax=" + std::string(400, '9') + "\n"),
                    {1, 2, 3});
}

// A name is a setting like the others to every reader, so older games load a
// named file unchanged; what it holds is the player's and must be tamed to show.
TEST(LevelFile, NameIsReadWrittenAndShownPrintable) {
    const LevelFile file = parse(empty_field + "name=Two = one\npenguinMax=8\n");
    EXPECT_EQ(file.name, "Two = one");
    EXPECT_EQ(file.penguinMax, 8);
    EXPECT_EQ(parse(empty_field + "penguinMax=8\n").name, std::nullopt);

    const std::string written = level_file_text(field_of(file), 8, 0, 0, "Bad\nline\tname");
    const LevelFile reread = parse(written);
    EXPECT_EQ(reread.name, "Bad line name");
    EXPECT_EQ(reread.penguinMax, 8) << written;

    EXPECT_EQ(printable_level_name("  Drop\x01\x7f in\r ", 40), "Drop in");
    EXPECT_EQ(printable_level_name("caf\xc3\xa9 \xff\xc3", 40), "caf?") << "one mark a character, stray bytes none";
    EXPECT_EQ(printable_level_name(std::string(500, 'a'), 24), std::string(24, 'a') + "...");
    EXPECT_EQ(printable_level_name(std::string(24, 'a'), 24), std::string(24, 'a'));
    EXPECT_EQ(printable_level_name("\x01\x02", 24), "");
}

TEST(LevelFile, AnyBytesGiveSomeLevel) {
    const LevelFile nothing = parse("");
    for (const auto& cell : nothing.cells) EXPECT_EQ(cell, std::nullopt);
    expect_settings(nothing, {});

    // CR LF line ends read as LF; a CR elsewhere is an unknown character.
    std::string crlf;
    for (char c : worked_example) crlf += c == '\n' ? "\r\n"s : std::string(1, c);
    const LevelFile from_crlf = parse(crlf);
    const LevelFile from_lf = parse(worked_example);
    for (int cell = 0; cell < grid_cells; ++cell) EXPECT_EQ(from_crlf.cells[cell], from_lf.cells[cell]);
    expect_settings(from_crlf, {8, 2, 1});
    EXPECT_EQ(square(parse("x\r......\n"), 1, 0), std::nullopt);

    // NUL bytes are ordinary characters: unknown in the field, spoiling keys
    // and numbers.
    const LevelFile nuls = parse("x\0x.....\n"s + std::string(7, '\n') + "goat\0Max=1\npenguinMax=\0"s +
                                 "5\nskateboardMax=6\0\n"s);
    EXPECT_EQ(square(nuls, 1, 0), std::nullopt);
    EXPECT_EQ(square(nuls, 2, 0), CellKind::tree);
    expect_settings(nuls, {std::nullopt, std::nullopt, 6});

    // One enormous line is row 0 alone; text without "=" sets nothing.
    const LevelFile huge = parse("Tx" + std::string(1 << 20, 'C'));
    EXPECT_EQ(square(huge, 7, 0), CellKind::cow);
    EXPECT_EQ(square(huge, 0, 1), std::nullopt);
    expect_settings(parse(empty_field + "penguinMax 3\ngoatMax"), {});
}

TEST(LevelFile, ReadsFromAPathAtMostTheCappedSize) {
    const ScratchDir dir;
    EXPECT_EQ(read_level_file((dir.path() + "/missing.txt").c_str()), std::nullopt);

    // Only a regular file is a level: a FIFO without a writer, a device or a
    // folder reads as a file that does not open, for the game's sequence too,
    // and none of them holds the reader up.
    const std::string fifo = dir.path() + "/level001.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.path()}) {
        EXPECT_EQ(read_level_file(path.c_str()), std::nullopt) << path;
        EXPECT_FALSE(level_file_exists(path.c_str())) << path;
    }

    // A setting after the cap is not seen.
    const std::string text = worked_example + std::string(max_level_file_size, '#') + "=\ngoatMax=9\n";
    ASSERT_EQ(parse(text).goatMax, 9);
    dir.write_file("big.txt", text);
    const std::optional<LevelFile> big = read_level_file((dir.path() + "/big.txt").c_str());
    ASSERT_TRUE(big);
    EXPECT_EQ(square(*big, 3, 3), CellKind::cow);
    expect_settings(*big, {8, 2, 1});
}
