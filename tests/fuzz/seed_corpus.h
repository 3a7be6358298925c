#pragma once

#include <string>
#include <vector>

struct Seed {
    const char* name;
    std::string bytes;
};

// The whole of a seed program that writes texts of its own: each seed becomes
// a file in the corpus folder named by the one argument. Returns the
// program's exit status (2 for a wrong command line, 1 for a failed write).
int write_seed_corpus(int argc, char** argv, const std::vector<Seed>& seeds);
