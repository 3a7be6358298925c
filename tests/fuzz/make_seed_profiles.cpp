// Writes the seed corpus of fuzz_profile_file: a progress file and a settings
// file as the game saves them, both keys in one file with CR LF line ends, an
// empty file, and a records file of two levels.

#include "seed_corpus.h"

int main(int argc, char** argv) {
    return write_seed_corpus(argc, argv,
                             {
                                 {"progress.txt", "furthest_level=12\n"},
                                 {"settings.txt", "mute=1\n"},
                                 {"both_crlf.txt", "furthest_level=3\r\nmute=0\r\n"},
                                 {"empty.txt", ""},
                                 {"records.txt", "goats=2 dropped=16 lost=0 time_ms=41230 level=data/level003.txt\n"
                                                 "goats=0 dropped=8 lost=1 time_ms=9000 level=data/level.txt\n"},
                             });
}
