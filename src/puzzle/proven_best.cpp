#include "puzzle/proven_best.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace floebound {

std::uint64_t level_file_hash(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::string proven_best_line(const std::string& level_name, int goats, std::uint64_t hash) {
    char figures[64];
    std::snprintf(figures, sizeof figures, "best=%d hash=%016" PRIx64 " level=", goats, hash);
    return figures + level_name + "\n";
}

ProvenBestTable parse_proven_best(std::string_view text) {
    ProvenBestTable table;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        int goats = -1;
        char hash_text[17] = {};
        int level_at = 0;
        if (std::sscanf(line.c_str(), "best=%3d hash=%16[0-9a-f] level=%n", &goats, hash_text, &level_at) != 2 ||
            level_at == 0 || goats < 0 || goats > 64 || std::string_view(hash_text).size() != 16)
            continue;
        const std::string level = line.substr(static_cast<std::size_t>(level_at));
        if (level.empty()) continue;
        table[level] = {goats, std::strtoull(hash_text, nullptr, 16)};
    }
    return table;
}

std::optional<int> proven_best_for(const ProvenBestTable& table, const std::string& level_name,
                                   std::string_view bytes) {
    const auto found = table.find(level_name);
    if (found == table.end() || found->second.hash != level_file_hash(bytes)) return std::nullopt;
    return found->second.goats;
}

}  // namespace floebound
