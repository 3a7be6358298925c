// Feeds arbitrary bytes to the profile reader as a progress or settings file,
// through a memory file, and reads both keys with the ranges the game uses;
// and to the records reader, whose records must write back as they read.

#include "app/profile.h"
#include "app/records.h"

#include "line_ends.h"
#include "memory_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace floebound;

namespace {

// The reader's size cap: longer files are refused whole, whatever their line
// ends.
constexpr std::size_t max_profile_bytes = 4096;

struct Key {
    const char* name;
    int min;
    int max;
};
constexpr Key keys[] = {{progress_key, 1, 1'000'000'000}, {mute_key, 0, 1}};

bool same(const ProfileNumber& a, const ProfileNumber& b) {
    return a.status == b.status && a.value == b.value && a.problem == b.problem;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<Records> records = parse_records(text, problem)) {
        const std::optional<Records> again = parse_records(records_text(*records), problem);
        if (!again || *again != *records) std::abort();
    } else if (problem.empty()) {
        std::abort();
    }
    const std::string lf_only = without_crs_before_lfs(data, size);
    for (const Key& key : keys) {
        const ProfileNumber read = read_profile_number(memory_file_holding(data, size), key.name, key.min, key.max);
        // The file is there, so it is either used or refused with a reason.
        switch (read.status) {
        case ProfileNumber::found:
            if (read.value < key.min || read.value > key.max || !read.problem.empty()) std::abort();
            break;
        case ProfileNumber::damaged:
            // The game takes the value of a refused settings file as is.
            if (read.problem.empty() || read.value != 0) std::abort();
            break;
        case ProfileNumber::missing:
            std::abort();
        }
        // A text saved with CR LF line ends reads as with LF alone, unless
        // only the CRs took it over the cap. (With CRs left before the LFs
        // once they are taken out, the bytes are no such text.)
        if (size <= max_profile_bytes && lf_only.find("\r\n") == std::string::npos) {
            const auto* lf_bytes = reinterpret_cast<const std::uint8_t*>(lf_only.data());
            const ProfileNumber read_lf =
                read_profile_number(memory_file_holding(lf_bytes, lf_only.size()), key.name, key.min, key.max);
            if (!same(read, read_lf)) std::abort();
        }
    }
    return 0;
}
