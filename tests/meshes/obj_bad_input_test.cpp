#include "media/image.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_tables.h"
#include "obj_scratch.h"

#include <gtest/gtest.h>

#include <string>

using namespace floebound;

namespace {

using ObjBadInput = ObjScratch;

const ObjModel& slot(int i) { return scenery_tables.models[i]; }

TEST_F(ObjBadInput, AMissingObjFileTakesNoSlotAndLeavesNothingBehind) {
    int taken = 99;
    EXPECT_EQ(load("none", &taken),
              "read texture for 'none'\n"
              "read materials for 'none'\n"
              "read 0 materials for none\n"
              "read obj for 'none'\n"
              "Couldn't find models/none.obj\n");
    EXPECT_EQ(taken, -1);
    EXPECT_EQ(scenery_item_count(), 0);
    EXPECT_EQ(slot(0).texture, nullptr);
    EXPECT_EQ(slot(0).name[0], '\0');
}

TEST_F(ObjBadInput, EmptyAndBinaryFilesLoadAsWhatLittleTheyHold) {
    write("models/empty.obj", "");
    EXPECT_EQ(load("empty"),
              "read texture for 'empty'\n"
              "read materials for 'empty'\n"
              "read 0 materials for empty\n"
              "read obj for 'empty'\n"
              "Found 0 image verts, 0 texture verts, 0 groups and 0 faces.\n"
              "Min: 0.00,0.00,0.00; Max: 0.00,0.00,0.00\n");
    EXPECT_TRUE(slot(0).corners.empty());
    EXPECT_EQ(slot(0).group_count, 0);

    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) % 256);
    write("models/binary.obj", bytes);
    write("models/binary.mtl", bytes);
    int taken = -1;
    load("binary", &taken);
    EXPECT_EQ(taken, 1);
}

TEST_F(ObjBadInput, LinesAreReadInPiecesOf254Characters) {
    // The face after 253 x's starts a piece of its own; after 252 it does not.
    write("models/long.obj", "v 0 0 0\nv 8 0 0\nv 0 8 0\nvt 0 0\n#" + std::string(253, 'x') + "f 1/1 2/1 3/1\n#" +
                                 std::string(252, 'x') + "f 1/1 2/1 3/1\n");
    const std::string out = load("long");
    EXPECT_NE(out.find("Found 3 image verts, 1 texture verts, 0 groups and 3 faces.\n"), std::string::npos) << out;
    EXPECT_FLOAT_EQ(slot(0).corners[1].x, 1.0f);
}

TEST_F(ObjBadInput, FacesNamingLinesNotReadAreSkipped) {
    write("models/idx.obj",
          "f 1/1 2/2 3/3\n"  // before any position
          "v 0 0 0\nv 8 0 0\nv 0 8 0\nvt 0 0\n"
          "f 0/1 1/1 2/1\n"
          "f 1/1 2/1 99999999/1\n"
          "f -4/1 1/1 2/1\n"
          "f 1/2 2/1 3/1\n"  // only one texture coordinate so far
          "f -2147483648/1 1/1 2/1\n"
          "f 1/1 2/1 3/1\n");
    EXPECT_EQ(load("idx"),
              "read texture for 'idx'\n"
              "read materials for 'idx'\n"
              "read 0 materials for idx\n"
              "read obj for 'idx'\n"
              "Found 3 image verts, 1 texture verts, 0 groups and 21 faces.\n"
              "Skipping face at 0: index out of range\n"
              "Skipping face at 0: index out of range\n"
              "Skipping face at 0: index out of range\n"
              "Skipping face at 0: index out of range\n"
              "Skipping face at 0: index out of range\n"
              "Skipping face at 0: index out of range\n"
              "Min: 0.00,0.00,0.00; Max: 1.00,1.00,0.00\n");
    EXPECT_FLOAT_EQ(slot(0).corners[1].x, 1.0f);
    EXPECT_FLOAT_EQ(slot(0).corners[3].x, 0.0f);  // the rest stay zero
}

TEST_F(ObjBadInput, GroupsBeyondTheFirstPassCountAreSkipped) {
    // With CR LF line ends a bare "g" counts as a group; a bare "g" with LF
    // alone does not, yet closes one.
    write("models/crlf.obj", "v 0 0 0\r\nvt 0 0\r\ng\r\ng\nusemtl x\nv 8 8 8\r\n");
    EXPECT_EQ(load("crlf"),
              "read texture for 'crlf'\n"
              "read materials for 'crlf'\n"
              "read 0 materials for crlf\n"
              "read obj for 'crlf'\n"
              "Found 2 image verts, 1 texture verts, 1 groups and 0 faces.\n"
              "Got group 0  at face 0\n"
              "Of 0 verts, 0 are wide.\n"
              "Skipping group 1: more groups than counted\n"
              "Material error.  Couldn't find x\n"
              "Skipping group 1: more groups than counted\n"
              "Min: 0.00,0.00,0.00; Max: 1.00,1.00,1.00\n");
    EXPECT_EQ(slot(0).group_count, 1);

    // A position the first pass did not count ("v" with no blank) finds no room.
    write("models/tight.obj", "v 8 8 8\nv16 16 16\n");
    const std::string out = load("tight");
    EXPECT_NE(out.find("Max: 1.00,1.00,1.00\n"), std::string::npos) << out;
}

TEST_F(ObjBadInput, MissingMaterialPicturesAreReportedAndLeaveNoPicture) {
    write("models/mi.mtl", "map_Kd early.png\nnewmtl gone\nmap_Kd gone.png\nnewmtl\n");
    write("models/mi.obj", "v 0 0 0\nvt 0 0\ng a\nusemtl gone\nf 1/1 1/1 1/1\ng\n");
    const std::string out = load("mi");
    EXPECT_EQ(out.substr(0, out.find("read obj")),
              "read texture for 'mi'\n"
              "read materials for 'mi'\n"
              "Image 'models/mi/early.png'\n"
              "*** Missing image.\n"
              "Couldn't locate 'models/mi/early.png'\n"
              "Located material 'gone'\n"
              "Image 'models/mi/gone.png'\n"
              "*** Missing image.\n"
              "Couldn't locate 'models/mi/gone.png'\n"
              "Located material ''\n"
              "read 2 materials for mi\n");
    EXPECT_EQ(slot(0).groups[0].material_image, nullptr);
}

TEST_F(ObjBadInput, TheTablesLimitsAreKept) {
    const std::string long_name(64, 'n');
    int taken = 99;
    EXPECT_EQ(load(long_name.c_str(), &taken),
              "*** Model name '" + std::string(63, 'n') + "' is empty or longer than 63 characters\n");
    EXPECT_EQ(taken, -1);
    EXPECT_EQ(load("", &taken), "*** Model name '' is empty or longer than 63 characters\n");
    EXPECT_EQ(taken, -1);
    EXPECT_EQ(scenery_item_count(), 0);

    std::string mtl;
    for (int i = 0; i <= 256; ++i) mtl += "newmtl m" + std::to_string(i) + "\n";
    mtl += "Kd 1 1 1\nmap_Kd nothing.png\n";  // belongs to the refused material
    write("models/s.mtl", mtl);
    write("models/s.obj", "");
    const std::string out = load("s", &taken);
    EXPECT_EQ(taken, 0);
    EXPECT_NE(out.find("Located material 'm255'\n*** No room for material 'm256'\nread 256 materials for s\n"),
              std::string::npos);
    EXPECT_EQ(scenery_tables.material_count, 256);
    EXPECT_EQ(scenery_tables.materials[255].colour, 0xff000000u);

    for (int i = 1; i < 32; ++i) {
        load("s", &taken);
        EXPECT_EQ(taken, i);
    }
    EXPECT_EQ(load("s", &taken), "*** No room for model 's': 32 are loaded\n");
    EXPECT_EQ(taken, -1);
    EXPECT_EQ(scenery_item_count(), 32);
}

}  // namespace
