#include "game/actor.h"
#include "app/angles.h"
#include "media/image.h"
#include "meshes/md2.h"

#include <GL/gl.h>

#include <vector>

namespace floebound {

namespace {

constexpr float degrees_per_radian = static_cast<float>(180 / pi);
constexpr float model_lift = 24;  // models stand with their origin this far above the ground
static_assert(sizeof(Md2CornerVertex) == 5 * sizeof(float), "a corner is one GL_T2F_V3F vertex");

}  // namespace

void draw_actor(const Actor& actor) {
    const Md2Model* model = actor.model;
    if (!model) return;

    // Frames past the end of a short model show its frame 0.
    const int from = actor.previous_frame < model->frame_count ? actor.previous_frame : 0;
    const int to = actor.frame < model->frame_count ? actor.frame : 0;
    // Every actor draws every frame: one buffer, grown to the largest model,
    // serves them all (drawing happens on the main thread only).
    static std::vector<Md2CornerVertex> corners;
    corners.resize(static_cast<std::size_t>(model->triangle_count) * 3);
    float box[6];
    const float blend = blend_factor(animation_range(actor.animation), actor.animation_time);
    md2_build_vertices(model, from, to, blend, corners.data(), box);

    // A skin that failed to load leaves the model untextured rather than bound
    // to whatever texture came before.
    const Image* skin = model->skin.get();
    glDisable(GL_LIGHTING);
    if (skin) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, skin->texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(actor.position[0] + actor.draw_offset[0], actor.position[1] + model_lift + actor.draw_offset[1],
                 actor.position[2] + actor.draw_offset[2]);
    glRotatef(actor.heading * degrees_per_radian, 0, 1, 0);
    glFrontFace(GL_CW);

    // The skin's picture fills only part of its power-of-two texture: the
    // texture matrix scales the corners' coordinates to it. One array draw
    // per model; vertex by vertex, the driver did far more work per frame.
    const float s_scale = skin ? static_cast<float>(skin->width) / static_cast<float>(skin->tex_width) : 0;
    const float t_scale = skin ? static_cast<float>(skin->height) / static_cast<float>(skin->tex_height) : 0;
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(s_scale, t_scale, 1);
    // The arrays stay switched on afterwards: nothing else in the game draws
    // from arrays, and each model points them at its own corners first.
    // Switching them off after every model made the driver rebuild its vertex
    // state for the next, a tenth of the main thread's time in a frame.
    glInterleavedArrays(GL_T2F_V3F, 0, corners.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners.size()));
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    emitter_draw(actor.emitter);
    glPopMatrix();
}

}  // namespace floebound
