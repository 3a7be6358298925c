#include "app/camera.h"
#include "game/particles.h"
#include "media/image.h"

#include <GL/gl.h>

#include <vector>

namespace floebound {

void emitter_draw(const ParticleEmitter& emitter) {
    if (!emitter.params || emitter.particles.empty()) return;
    // Every emitter draws every frame: one buffer, grown to the largest
    // batch, serves them all (drawing happens on the main thread only).
    static std::vector<ParticleVertex> vertices;
    build_particle_vertices(emitter, camera.view_matrix, vertices);

    // Without the sheet the sprites still show, in whatever state earlier
    // drawing left.
    if (const Image* sheet = emitter.sheet) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, sheet->texture);
        glAlphaFunc(GL_GREATER, 0.1f);
        glEnable(GL_ALPHA_TEST);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glBegin(GL_TRIANGLES);
    for (const ParticleVertex& vertex : vertices) {
        glColor4ubv(vertex.rgba);  // each byte / 255
        glTexCoord2f(vertex.u, vertex.v);
        glVertex3f(vertex.x, vertex.y, vertex.z);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_ALPHA_TEST);
    glPopMatrix();
}

}  // namespace floebound
