#include "media/image.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_tables.h"
#include "obj_scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using namespace floebound;

namespace {

using ObjLoading = ObjScratch;

const ObjModel& slot(int i) { return scenery_tables.models[i]; }

std::array<int, 4> colour_bytes(std::uint32_t colour) {
    unsigned char bytes[4];
    std::memcpy(bytes, &colour, 4);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

void expect_position(const ObjCorner& corner, float x, float y, float z) {
    EXPECT_FLOAT_EQ(corner.x, x);
    EXPECT_FLOAT_EQ(corner.y, y);
    EXPECT_FLOAT_EQ(corner.z, z);
}

void expect_normal(const ObjCorner& corner, float x, float y, float z) {
    EXPECT_FLOAT_EQ(corner.nx, x);
    EXPECT_FLOAT_EQ(corner.ny, y);
    EXPECT_FLOAT_EQ(corner.nz, z);
}

TEST_F(ObjLoading, LineFormsAreScaledFlippedAndReportedStageByStage) {
    write("models/m.mtl", "newmtl red\nKd 1.0 0.5 0\n\tnewmtl dull\n  Kd 2 -1\n");
    write("models/m.obj",
          "# a comment\n"
          "v 8 16 -8\n"
          "v\t16 16 -8\n"
          "v 8 24 -8\n"
          "vt 0.25 0.75\n"
          "vt 1 0 0.5\n"
          "vt 0 1\n"
          " v 800 800 800\n"  // leading blank: not a position
          "vn 0 0 1\n"
          "g quad\n"
          "usemtl red\n"
          "f 1/1/1 2/2/1 3/3/1 1/1/1\n"  // a fourth corner is dropped
          "f 1 2 3\n"                    // counted, but no triangle
          "f 1//1 2//1 3//1\n"
          "g\n");
    int taken = -1;
    EXPECT_EQ(load("m", &taken),
              "read texture for 'm'\n"
              "read materials for 'm'\n"
              "Located material 'red'\n"
              "Located material 'dull'\n"
              "read 2 materials for m\n"
              "read obj for 'm'\n"
              "Found 3 image verts, 3 texture verts, 1 groups and 9 faces.\n"
              "Applying material red (0) to group 0 (face 0)\n"
              "Got group 0  at face 3\n"
              "Of 1 verts, 0 are wide.\n"
              "Min: 0.00,0.00,-1.00; Max: 2.00,3.00,0.00\n");
    ASSERT_EQ(taken, 0);
    ASSERT_EQ(scenery_item_count(), 1);
    const ObjModel& model = slot(0);
    EXPECT_STREQ(model.name, "m");
    EXPECT_EQ(model.position_count, 3);
    EXPECT_EQ(model.corners.size(), 9u);
    ASSERT_EQ(model.group_count, 1);
    EXPECT_EQ(model.groups[0].first_corner, 0);
    EXPECT_EQ(model.groups[0].end_corner, 3);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(model.placement[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    ASSERT_NE(model.texture, nullptr);  // the blank stand-in
    EXPECT_EQ(model.texture->tex_width, 8);

    // After sorting the one triangle is where it was.
    const ObjCorner* c = model.corners.data();
    expect_position(c[0], 1, 2, -1);
    expect_position(c[1], 2, 2, -1);
    expect_position(c[2], 1, 3, -1);
    EXPECT_FLOAT_EQ(c[0].s, 0.25f);
    EXPECT_FLOAT_EQ(c[0].t, 0.25f);
    EXPECT_FLOAT_EQ(c[1].s, 1);
    EXPECT_FLOAT_EQ(c[1].t, 1);
    EXPECT_FLOAT_EQ(c[2].t, 0);
    for (int k = 0; k < 3; ++k) expect_normal(c[k], 0, 0, 1);

    EXPECT_EQ(scenery_tables.material_count, 2);
    EXPECT_EQ(colour_bytes(scenery_tables.materials[0].colour), (std::array<int, 4>{255, 127, 0, 255}));
    // Indented keywords count; values beyond 0 to 1 are held to the byte's range.
    EXPECT_STREQ(scenery_tables.materials[1].name, "dull");
    EXPECT_EQ(colour_bytes(scenery_tables.materials[1].colour), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(scenery_tables.materials[0].image, nullptr);
}

TEST_F(ObjLoading, TheDefaultPictureComesFromDataThenBesideTheModelThenBlank) {
    std::filesystem::create_directories(file("models/d/d"));
    ASSERT_TRUE(write_png(file("data/d.png"), solid_png(2, 2, {1, 2, 3, 255})));
    ASSERT_TRUE(write_png(file("models/d/d.png"), solid_png(4, 4, {4, 5, 6, 255})));
    write("models/d.obj", "v 0 0 0\n");
    load("d");
    std::filesystem::remove(file("data/d.png"));
    load("d");
    std::filesystem::remove(file("models/d/d.png"));
    const std::string blank = load("d");
    EXPECT_EQ(blank.find("*** Could not load texture"), std::string::npos) << blank;
    ASSERT_EQ(scenery_item_count(), 3);
    const int widths[3] = {2, 4, 8};  // the last the 8 by 8 stand-in
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(slot(i).texture, nullptr) << i;
        EXPECT_EQ(slot(i).texture->width, widths[i]) << i;
    }
}

TEST_F(ObjLoading, NegativeIndicesCountBackFromTheLastLineRead) {
    std::string obj;
    for (int i = 1; i <= 10; ++i) obj += "v " + std::to_string(8 * i) + " 0 " + std::to_string(i * i) + "\n";
    for (int i = 1; i <= 10; ++i) obj += "vt " + std::to_string(i / 10.0) + " 0\n";
    obj += "f -1/-1 -2/-2 -3/-3\nv 0 0 0\nvt 0 0\nf -1/-1 -2/-2 -3/-3\n";
    write("models/n.obj", obj);
    load("n");
    const ObjCorner* c = slot(0).corners.data();
    ASSERT_EQ(slot(0).corners.size(), 6u);
    expect_position(c[0], 10, 0, 100 / 8.0f);
    expect_position(c[1], 9, 0, 81 / 8.0f);
    expect_position(c[2], 8, 0, 64 / 8.0f);
    EXPECT_FLOAT_EQ(c[0].s, 1.0f);
    EXPECT_FLOAT_EQ(c[1].s, 0.9f);
    EXPECT_FLOAT_EQ(c[2].s, 0.8f);
    // -1 names the line read just before the face, not the file's last.
    expect_position(c[3], 0, 0, 0);
    expect_position(c[4], 10, 0, 100 / 8.0f);
    EXPECT_FLOAT_EQ(c[3].s, 0);
    EXPECT_FLOAT_EQ(c[4].s, 1.0f);
}

TEST_F(ObjLoading, EachFaceGetsItsOwnUnitNormalAndADegenerateOneNone) {
    write("models/n.obj",
          "v 0 0 0\nv 0 0 16\nv 16 0 0\nv 0 40 0\nvt 0 0\n"
          "f 1/1 2/1 3/1\n"   // lies on the ground, facing up
          "f 1/1 4/1 2/1\n"   // stands in the y-z plane, facing +x
          "f 2/1 2/1 2/1\n"); // a point
    load("n");
    const ObjCorner* c = slot(0).corners.data();
    for (int k = 0; k < 3; ++k) {
        expect_normal(c[k], 0, 1, 0);
        expect_normal(c[3 + k], 1, 0, 0);
        expect_normal(c[6 + k], 0, 0, 0);
    }
}

TEST_F(ObjLoading, NeighbouringGroupsWithTheSamePictureMerge) {
    std::filesystem::create_directories(file("models/g"));
    ASSERT_TRUE(write_png(file("models/g/a.png"), solid_png(2, 2, {255, 0, 0, 255})));
    ASSERT_TRUE(write_png(file("models/g/b.png"), solid_png(4, 2, {0, 0, 255, 255})));
    write("models/g.mtl", "newmtl a\nmap_Kd a.png\nnewmtl b\nmap_Kd b.png\nnewmtl c\n");
    const std::string face = "f 1/1 2/1 3/1\n";
    write("models/g.obj", "v 0 0 0\nv 8 0 0\nv 0 8 0\nvt 0 0\n"
                          "g one\nusemtl a\n" + face + "g\n"
                          "g two\nusemtl a\n" + face + face + "g\n"
                          "g three\nusemtl b\n" + face + "g\n"
                          "g four\nusemtl c\n" + face + "g\n"
                          "g five\nusemtl nothing\n" + face + "g\n");
    EXPECT_EQ(without_loaded_lines(load("g")),
              "read texture for 'g'\n"
              "read materials for 'g'\n"
              "Located material 'a'\n"
              "Image 'models/g/a.png'\n"
              "Located material 'b'\n"
              "Image 'models/g/b.png'\n"
              "Located material 'c'\n"
              "read 3 materials for g\n"
              "read obj for 'g'\n"
              "Found 3 image verts, 1 texture verts, 5 groups and 18 faces.\n"
              "Applying material a (0) to group 0 (face 0)\n"
              "Got group 0  at face 3\n"
              "Of 1 verts, 0 are wide.\n"
              "Applying material a (0) to group 1 (face 3)\n"
              "consolidated: Of 3 verts, 0 are wide.\n"
              "Applying material b (1) to group 1 (face 9)\n"
              "Got group 1  at face 12\n"
              "Of 1 verts, 0 are wide.\n"
              "Applying material c (2) to group 2 (face 12)\n"
              "Got group 2  at face 15\n"
              "Of 1 verts, 0 are wide.\n"
              "Material error.  Couldn't find nothing\n"
              "Applying material nothing (0) to group 3 (face 15)\n"
              "Got group 3  at face 18\n"
              "Of 1 verts, 0 are wide.\n"
              "Min: 0.00,0.00,0.00; Max: 1.00,1.00,0.00\n");
    const ObjModel& model = slot(0);
    ASSERT_EQ(model.group_count, 4);
    const Image* a = scenery_tables.materials[0].image;
    const Image* b = scenery_tables.materials[1].image;
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->width, 4);
    const struct {
        int first, end;
        const Image* image;
    } expected[] = {{0, 9, a}, {9, 12, b}, {12, 15, nullptr}, {15, 18, a}};
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(model.groups[g].first_corner, expected[g].first) << g;
        EXPECT_EQ(model.groups[g].end_corner, expected[g].end) << g;
        EXPECT_EQ(model.groups[g].material_image, expected[g].image) << g;
    }
}

TEST_F(ObjLoading, WideTrianglesComeFirstAndAnEdgeOfExactly250IsNotWide) {
    // Every position lies at x > 5, yet the model's box keeps the origin.
    write("models/w.obj",
          "v 48 160 0\nv 56 160 0\nv 48 168 0\n"     // small: (6, 20, 0) ...
          "v 48 0 0\nv 2048 0 0\nv 1048 80 0\n"      // an edge of exactly 250
          "v 48 0 64\nv 2048.8 0 64\nv 1048 80 64\n" // an edge of 250.1
          "vt 0 0\ng all\n"
          "f 1/1 2/1 3/1\nf 4/1 5/1 6/1\nf 7/1 8/1 9/1\ng\n");
    const std::string out = load("w");
    EXPECT_NE(out.find("Got group 0  at face 9\nOf 3 verts, 1 are wide.\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Min: 0.00,0.00,0.00; Max: 256.10,21.00,8.00\n"), std::string::npos) << out;
    const ObjModel& model = slot(0);
    const ObjGroup& group = model.groups[0];
    EXPECT_EQ(group.wide_corners, 3);
    EXPECT_FLOAT_EQ(model.corners[1].x, 256.1f);  // the 250.1 edge first
    EXPECT_FLOAT_EQ(model.corners[4].x, 256.0f);  // then exactly 250
    EXPECT_FLOAT_EQ(model.corners[7].x, 7.0f);    // the small one last
    const float box[6] = {6, 0, 0, 256.1f, 21, 8};
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(group.box[i], box[i]) << i;
}

TEST_F(ObjLoading, AMaterialWithoutAPictureStartsWithoutOne) {
    std::filesystem::create_directories(file("models/p1"));
    ASSERT_TRUE(write_png(file("models/p1/pic.png"), solid_png(2, 2, {9, 9, 9, 255})));
    write("models/p1.mtl", "newmtl shared\nmap_Kd pic.png\n");
    write("models/p1.obj", "v 0 0 0\nvt 0 0\ng a\nusemtl shared\nf 1/1 1/1 1/1\ng\n");
    write("models/p2.mtl", "newmtl shared\nKd 1 1 1\n");
    write("models/p2.obj", "v 0 0 0\nvt 0 0\ng a\nusemtl shared\nf 1/1 1/1 1/1\ng\n");
    write("models/p3.obj", "v 0 0 0\nvt 0 0\ng a\nusemtl shared\nf 1/1 1/1 1/1\ng\n");
    load("p1");
    load("p2");
    const std::string no_mtl = load("p3");
    EXPECT_NE(no_mtl.find("read 0 materials for p3\n"), std::string::npos);
    EXPECT_NE(no_mtl.find("Material error.  Couldn't find shared\nApplying material shared (0) to group 0 (face 0)\n"),
              std::string::npos);
    ASSERT_EQ(scenery_item_count(), 3);
    // The first model keeps its picture, alive and whole, after the table moved on.
    const Image* picture = slot(0).groups[0].material_image;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(slot(1).groups[0].material_image, nullptr);
    EXPECT_EQ(slot(2).groups[0].material_image, nullptr);
}

}  // namespace
