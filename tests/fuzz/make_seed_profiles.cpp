// Writes the seed corpus of fuzz_profile_file: a progress file and a settings
// file as the game saves them, both keys in one file with CR LF line ends, and
// an empty file.

#include "seed_corpus.h"

int main(int argc, char** argv) {
    return write_seed_corpus(argc, argv,
                             {
                                 {"progress.txt", "furthest_level=12\n"},
                                 {"settings.txt", "mute=1\n"},
                                 {"both_crlf.txt", "furthest_level=3\r\nmute=0\r\n"},
                                 {"empty.txt", ""},
                             });
}
