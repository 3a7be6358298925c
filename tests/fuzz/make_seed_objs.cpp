// Writes the seed corpus of fuzz_load_obj: small models, each its MTL text, a
// zero byte and its OBJ text, that between them use every line form the
// loader knows, so the fuzzer starts from files that load; and one shaped like
// the generated scenery, with a group of more faces than a short sort handles
// on its own.

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const char* const box_obj =
    "v -8 0 -8\nv 8 0 -8\nv 8 0 8\nv -8 0 8\nv -8 16 -8\nv 8 16 -8\nv 8 16 8\nv -8 16 8\n"
    "vt 0 0\nvt 1 0\nvt 1 1 0\nvt 0 1\nvn 0 1 0\n"
    "g bottom\nusemtl wood\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\ng\n"
    "g top\nusemtl wood\nf 5/1 7/3 6/2\nf 5/1 8/4 7/3\ng\n"
    "g sides\nusemtl leaf\nf -8/-4 -7/-3 -3/-2\nf -8/-4 -3/-2 -4/-1 -1/-1\ng\n";

const char* const wide_obj =
    "v 0 0 0\nv 2000 0 0\nv 1000 80 0\nv 0 0 64\nv 2000.8 0 64\nv 1000 80 64\nvt 0 0\n"
    "g wide\nusemtl missing\nf 1/1 2/1 3/1\nf 4/1 5/1 6/1\ng\n";

// A comment, a material library, a trunk and a fan of leaves of varied
// width around the top, each face with its normal.
std::string scenery_obj() {
    constexpr int leaves = 24;
    std::string text = "# scenery\nmtllib scenery.mtl\nv 0 0 0\nv 2 0 0\nv 1 40 0\nvt 0 0\nvt 1 0\nvt 0.5 1\n";
    for (int leaf = 0; leaf < leaves; ++leaf)
        text += "v " + std::to_string(leaf % 5 * 9) + " 40 " + std::to_string(leaf * 3) + "\nvn 0 1 0\n";
    text += "g trunk\nusemtl bark\nf 1/1/1 2/2/1 3/3/1\ng\ng leaves\nusemtl leaves\n";
    for (int leaf = 0; leaf < leaves; ++leaf) {
        const std::string outer = std::to_string(4 + leaf), next = std::to_string(4 + (leaf + 1) % leaves);
        const std::string normal = std::to_string(leaf + 1);
        text += "f 3/3/" + normal + " " + outer + "/1/" + normal + " " + next + "/2/" + normal + "\n";
    }
    return text + "g\n";
}

struct Seed {
    const char* name;
    std::string mtl;
    std::string obj;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    const Seed seeds[] = {
        {"box.objmtl", "newmtl wood\nKd 0.6 0.4 0.2\nmap_Kd wood.png\nnewmtl leaf\n\tKd 0.1 0.7 0.1\n", box_obj},
        {"wide.objmtl", "", wide_obj},
        {"crlf.objmtl", "newmtl a\r\nKd 1 1 1\r\n", "v 1 2 3\r\nvt 0 0\r\ng x\r\nusemtl a\r\nf 1/1 1/1 1/1\r\ng\r\ng\n"},
        {"bare.objmtl", "", "f 1/1 2/2 3/3\ng\nv 0 0 0\ng\nusemtl a\n"},
        {"scenery.objmtl", "newmtl bark\nKd 0.4 0.3 0.2\nnewmtl leaves\nKd 0.1 0.5 0.1\n", scenery_obj()},
    };
    for (const Seed& seed : seeds) {
        std::ofstream out(std::string(argv[1]) + "/" + seed.name, std::ios::binary);
        out << seed.mtl << '\0' << seed.obj;
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", seed.name);
            return 1;
        }
    }
    return 0;
}
