#include "puppet.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace floebound::tools {

int Puppet::add_joint(int parent, Vec3 pivot) {
    assert(parent == kNoParent || (parent >= 0 && parent < static_cast<int>(joints_.size())));
    joints_.push_back({parent, pivot});
    return static_cast<int>(joints_.size()) - 1;
}

void Puppet::add_part(int joint, const Mesh& part, const Transform& place) {
    assert(joint >= 0 && joint < static_cast<int>(joints_.size()));
    add(mesh_, part, place);
    vertex_joint_.resize(mesh_.vertices.size(), joint);
}

std::vector<Vec3> Puppet::posed_vertices(const Pose& pose) const {
    assert(pose.size() == joints_.size());
    // Parents come before their children, so one pass settles every joint.
    std::vector<Transform> placed(joints_.size());
    for (std::size_t j = 0; j < joints_.size(); ++j) {
        const Transform own = about(joints_[j].pivot, pose[j]);
        placed[j] = joints_[j].parent == kNoParent ? own : placed[joints_[j].parent] * own;
    }
    std::vector<Vec3> vertices;
    vertices.reserve(mesh_.vertices.size());
    for (std::size_t v = 0; v < mesh_.vertices.size(); ++v)
        vertices.push_back(placed[vertex_joint_[v]].apply(mesh_.vertices[v]));
    return vertices;
}

Md2Mesh bake_md2(const Puppet& puppet, const std::vector<NamedPose>& frames, int skin_width, int skin_height,
                 const std::string& skin_name) {
    Md2Mesh md2;
    md2.skin_width = skin_width;
    md2.skin_height = skin_height;
    md2.skin_name = skin_name;
    const auto texel = [&](Vec2 uv) -> Md2Texel {
        return {static_cast<std::int16_t>(std::lround(uv.u * skin_width)),
                static_cast<std::int16_t>(std::lround(uv.v * skin_height))};
    };
    for (const Triangle& t : puppet.mesh().triangles) {
        // Our meshes turn counter-clockwise seen from outside; the file wants clockwise.
        const Corner order[3] = {t.corners[0], t.corners[2], t.corners[1]};
        Md2Triangle out{};
        for (int c = 0; c < 3; ++c) {
            out.vertex[c] = static_cast<std::uint16_t>(order[c].vertex);
            out.texel[c] = texel(order[c].uv);
        }
        md2.triangles.push_back(out);
    }
    for (const NamedPose& frame : frames) md2.frames.push_back({frame.name, puppet.posed_vertices(frame.pose)});
    return md2;
}

std::string frame_name(const char* action, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%.11s%03d", action, number);
    return text;
}

}  // namespace floebound::tools
