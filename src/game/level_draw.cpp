#include "game/level.h"

#include "world/terrain.h"

#include <GL/gl.h>

namespace {

void draw_actors(std::deque<Actor>& actors) {
    for (Actor& actor : actors) actor.draw();
}

}  // namespace

void Level::draw() {
    glDisable(GL_CULL_FACE);
    terrain->draw();

    // Particles blend by alpha: additive flames would vanish against snow.
    // The cow's plume switches blending on and leaves it so, which the trees'
    // opaque texels and the alpha test make harmless.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    draw_actors(penguins);
    draw_actors(cows);
    draw_actors(skateboards);
    draw_actors(buckets);
    for (const ParticleEmitter& fire : fires) emitter_draw(fire);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    draw_actors(trees);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);

    // A won level takes no commands, so no popup may stay over it; space
    // must reach the level to move on.
    if (cows.empty()) close_popup();

    if (popup) {
        // The buttons are pictures shown as they are, not lit surfaces, and
        // the popup binds its textures without switching texturing on.
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
        popup->draw();
    }
    glDisable(GL_BLEND);
}
