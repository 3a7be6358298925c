#include "editor/level_editor.h"
#include "editor/level_saving.h"
#include "process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace floebound;

namespace {

std::vector<std::string> files_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A disk that fills after a few bytes: writing a file grows it only so far.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_IGN);  // a short write instead of the signal
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit before_{};
};

// A full disk or a folder that cannot be made: the reason on the help line,
// every change kept and still unsaved, the old file whole, nothing else left
// beside it; once the disk has room the same save goes through.
TEST(LevelSaving, AFailedSaveKeepsTheChangesUnsavedAndTheOldFileWhole) {
    const ScratchDir dir;
    const std::string old_text = "........\n.D......\n........\n...C....\n";
    dir.write_file("mine.txt", old_text);
    const std::optional<LevelDocument> opened = open_document(dir.file("mine.txt"));
    ASSERT_TRUE(opened);
    LevelEditor editor(*opened, target_for_file(dir.file("mine.txt")));
    editor.handle_key('2', false);
    ASSERT_TRUE(editor.dirty());
    {
        const FullDisk full(16);
        EXPECT_FALSE(editor.save());
    }
    EXPECT_EQ(editor.help_line().rfind("Not saved: " + dir.file("mine.txt") + ": File too large", 0), 0u)
        << editor.help_line();
    EXPECT_TRUE(editor.dirty());
    EXPECT_EQ(editor.document().field.cell_at(3, 3), CellKind::tree);
    EXPECT_EQ(read_file(dir.file("mine.txt")), old_text);
    EXPECT_EQ(files_in(dir.path()), std::vector<std::string>{"mine.txt"});

    // The save goes through, and the file keeps its modes.
    chmod(dir.file("mine.txt").c_str(), 0640);
    EXPECT_TRUE(editor.save()) << editor.help_line();
    EXPECT_FALSE(editor.dirty());
    EXPECT_EQ(read_file(dir.file("mine.txt")), document_text(editor.document()));
    struct stat saved {};
    ASSERT_EQ(stat(dir.file("mine.txt").c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);

    dir.write_file("blocked", "");
    LevelEditor blocked(*opened, target_in_folder(dir.file("blocked/levels")));
    blocked.handle_key('n', false);
    blocked.handle_key('x', false);
    blocked.handle_key(13, false);
    EXPECT_FALSE(blocked.save());
    EXPECT_EQ(blocked.help_line(), "Not saved: " + dir.file("blocked/levels") + ": Not a directory");
    EXPECT_TRUE(blocked.dirty());
}

// In the player's levels folder a level's first save names its file, never
// over another level's; a file opened from the shipped levels' folder is
// saved there instead of over itself.
TEST(LevelSaving, TheLevelsFolderNamesFilesAfterTheirLevelsAndShippedLevelsAreNeverWritten) {
    const ScratchDir dir;
    const std::string folder = dir.file("levels");
    LevelDocument document = new_document();
    SaveTarget target = target_in_folder(folder);
    std::string error;
    EXPECT_FALSE(save_document(document, target, error));
    EXPECT_EQ(error, "give the level a name first (n): its file takes the name");

    document.name = "Ice rink";
    ASSERT_TRUE(save_document(document, target, error)) << error;
    EXPECT_EQ(target.file, "Ice rink.txt");
    document.name = "Ice rink, renamed";
    document.goatMax = 3;
    ASSERT_TRUE(save_document(document, target, error)) << error;
    EXPECT_EQ(files_in(folder), std::vector<std::string>{"Ice rink.txt"}) << "a saved level keeps its file";
    EXPECT_EQ(read_file(folder + "/Ice rink.txt"), document_text(document));

    LevelDocument other = new_document();
    other.name = "Ice rink";
    SaveTarget other_target = target_in_folder(folder);
    EXPECT_FALSE(save_document(other, other_target, error));
    EXPECT_EQ(error, "a level named \"Ice rink\" is saved already: choose another name (n)");
    EXPECT_EQ(read_file(folder + "/Ice rink.txt"), document_text(document));

    other.name = "a/b";
    EXPECT_FALSE(save_document(other, other_target, error));
    EXPECT_EQ(error, "a name cannot hold a slash: it names the level's file");

    const std::string shipped = dir.file("game/data");
    std::filesystem::create_directories(shipped);
    const SaveTarget copy = edit_target(dir.file("game/data/../data/level001.txt"), shipped, folder);
    EXPECT_EQ(copy.folder, folder);
    EXPECT_EQ(copy.file, "");
    const SaveTarget own = edit_target(dir.file("mine.txt"), shipped, folder);
    EXPECT_EQ(own.folder, dir.path());
    EXPECT_EQ(own.file, "mine.txt");
    EXPECT_EQ(target_for_file("bare.txt").folder, ".");
}

// A file that parses strangely opens by the format's rules, and only a save
// writes it again, in the clean form; what cannot be a level file is refused
// with its reason, and a missing file is a new level.
TEST(LevelSaving, StrangeFilesOpenByTheFormatsRulesAndNothingButALevelFileOpens) {
    const ScratchDir dir;
    // A file its player may not read; modes never stop root, so the check
    // runs as nobody, in a child forked while no search thread runs.
    dir.write_file("secret.txt", "C\n");
    chmod(dir.file("secret.txt").c_str(), 0);
    chmod(dir.path().c_str(), 0755);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        _exit(edit_file_problem(dir.file("secret.txt")) == "Permission denied" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an unreadable file was not refused with its reason";

    const std::string strange = "..C\r\nD.#x....extra\r\n\r\n\r\n\r\n\r\n\r\n\r\nname=\x01" "Far\tout" +
                                std::string(60, 'o') + "\npenguinMax=-5\ngoatMax=100000\n";
    dir.write_file("strange.txt", strange);
    const std::optional<LevelDocument> opened = open_document(dir.file("strange.txt"));
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->field.cell_at(2, 0), CellKind::cow);
    EXPECT_EQ(opened->field.cell_at(0, 1), CellKind::penguin_square);
    EXPECT_EQ(opened->field.cell_at(2, 1), CellKind::empty) << "an unknown character leaves the square empty";
    EXPECT_EQ(opened->field.cell_at(3, 1), CellKind::tree);
    EXPECT_EQ(opened->name, "Far out" + std::string(33, 'o'));
    EXPECT_EQ(opened->penguinMax, 0);
    EXPECT_EQ(opened->goatMax, max_goat_supply);

    LevelEditor editor(*opened, target_for_file(dir.file("strange.txt")));
    EXPECT_FALSE(editor.dirty());
    EXPECT_EQ(read_file(dir.file("strange.txt")), strange) << "opening wrote the file";
    ASSERT_TRUE(editor.save()) << editor.help_line();
    EXPECT_EQ(read_file(dir.file("strange.txt")),
              "..C.....\nD..x....\n........\n........\n........\n........\n........\n........\n"
              "name=Far out" + std::string(33, 'o') + "\npenguinMax=0\ngoatMax=64\nskateboardMax=0\n");

    // Fewer than eight lines: no settings, so not even penguins.
    dir.write_file("short.txt", "..C\nD");
    const std::optional<LevelDocument> short_file = open_document(dir.file("short.txt"));
    ASSERT_TRUE(short_file);
    EXPECT_EQ(short_file->field.cell_at(0, 1), CellKind::penguin_square);
    EXPECT_EQ(short_file->penguinMax, 0);

    EXPECT_EQ(edit_file_problem(dir.file("new.txt")), "");
    EXPECT_EQ(open_document(dir.file("new.txt")), new_document());
    EXPECT_EQ(edit_file_problem(dir.path()), "it is a folder");
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0644), 0);
    EXPECT_EQ(edit_file_problem(dir.file("fifo")), "it is a FIFO");
    EXPECT_FALSE(open_document(dir.file("fifo")));
    EXPECT_EQ(edit_file_problem("/dev/null"), "it is a device");
    dir.write_file("file", "");
    EXPECT_EQ(edit_file_problem(dir.file("file/level.txt")), "Not a directory");
}

}  // namespace
