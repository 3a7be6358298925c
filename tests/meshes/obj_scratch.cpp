#include "obj_scratch.h"

#include "meshes/obj_model.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace floebound;

void ObjScratch::SetUp() {
    std::filesystem::create_directory(dir_.file("data"));
    std::filesystem::create_directory(dir_.file("models"));
}

void ObjScratch::TearDown() { free_scenery_items(); }

void ObjScratch::write(const std::string& path, const std::string& text) {
    const std::filesystem::path file(dir_.file(path));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

std::string ObjScratch::load(const char* name, int* slot) {
    testing::internal::CaptureStdout();
    const ObjModel* model = load_obj(name);
    if (slot) *slot = model ? static_cast<int>(model - scenery_tables.models) : -1;
    return testing::internal::GetCapturedStdout();
}

std::string without_loaded_lines(const std::string& output) {
    std::istringstream lines(output);
    std::string line, kept;
    while (std::getline(lines, line))
        if (line.rfind("Loaded ", 0) != 0) kept += line + "\n";
    return kept;
}
