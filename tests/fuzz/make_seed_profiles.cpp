// Writes the seed corpus of fuzz_profile_file: a progress file and a settings
// file as the game saves them, both keys in one file with CR LF line ends, and
// an empty file.

#include <cstdio>
#include <string>
#include <utility>

namespace {

bool write_seed(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    const std::pair<const char*, std::string> seeds[] = {
        {"progress.txt", "furthest_level=12\n"},
        {"settings.txt", "mute=1\n"},
        {"both_crlf.txt", "furthest_level=3\r\nmute=0\r\n"},
        {"empty.txt", ""},
    };
    for (const auto& [name, bytes] : seeds) {
        const std::string path = std::string(argv[1]) + "/" + name;
        if (!write_seed(path, bytes)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
