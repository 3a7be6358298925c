#include "seed_corpus.h"

#include <cstdio>

namespace {

bool write_seed(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int write_seed_corpus(int argc, char** argv, const std::vector<Seed>& seeds) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    for (const Seed& seed : seeds) {
        const std::string path = std::string(argv[1]) + "/" + seed.name;
        if (!write_seed(path, seed.bytes)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
