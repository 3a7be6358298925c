#include "media/screen_image.h"

#include "media/image.h"

#include <GL/gl.h>

namespace floebound {

void draw_screen_image(float x, float y, const Image* image) {
    if (!image) return;
    glBindTexture(GL_TEXTURE_2D, image->texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    const float right = x + image->tex_width;
    const float bottom = y + image->tex_height;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(1, 0);
    glVertex2f(right, y);
    glTexCoord2f(1, 1);
    glVertex2f(right, bottom);
    glTexCoord2f(0, 1);
    glVertex2f(x, bottom);
    glEnd();
    glDisable(GL_BLEND);
}

}  // namespace floebound
