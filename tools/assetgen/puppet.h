#pragma once

#include <string>
#include <vector>

#include "md2_writer.h"
#include "mesh_builder.h"

namespace floebound::tools {

// One motion per joint: how the joint turns (or stretches, or shifts) about
// its own pivot, on top of whatever its parent does. A motion's coordinates
// are measured from the joint's pivot.
using Pose = std::vector<Transform>;

// A model made of rigid parts: joints form a tree, every part rides on one
// joint, and a key frame is one Pose. Parts and pivots are given in model
// space at rest.
class Puppet {
   public:
    static constexpr int kNoParent = -1;

    int add_joint(int parent, Vec3 pivot);
    void add_part(int joint, const Mesh& part, const Transform& place = {});

    // Every joint at rest.
    Pose rest() const { return Pose(joints_.size()); }
    std::vector<Vec3> posed_vertices(const Pose& pose) const;
    const Mesh& mesh() const { return mesh_; }

   private:
    struct Joint {
        int parent;
        Vec3 pivot;
    };
    std::vector<Joint> joints_;
    Mesh mesh_;
    std::vector<int> vertex_joint_;
};

struct NamedPose {
    std::string name;
    Pose pose;
};

// The puppet's key frames in the MD2 file's terms, skin coordinates in texels
// of a skin_width by skin_height picture.
Md2Mesh bake_md2(const Puppet& puppet, const std::vector<NamedPose>& frames, int skin_width, int skin_height,
                 const std::string& skin_name);

// Frame names as the file keeps them: the action and a three-digit number.
std::string frame_name(const char* action, int number);

}  // namespace floebound::tools
