#include "media/texture.h"

#include "media/image.h"
#include "media/texture_budget.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdio>
#include <new>

namespace floebound {

namespace {

constexpr int max_blank_side = 512;

// One pool of names for the one GL context, handed out in order for the whole run.
GLuint texture_pool[texture_pool_size];
int next_free_texture = 0;

// The smallest power of two not below side, counting down from the largest allowed.
int blank_tex_side(int side) {
    int tex_side = max_blank_side;
    while (tex_side / 2 >= side) tex_side /= 2;
    return tex_side;
}

ImageHandle allocate_blank_image(int width, int height) {
    ImageHandle image{new (std::nothrow) Image{}};
    if (!image) return nullptr;
    image->width = width;
    image->height = height;
    image->tex_width = blank_tex_side(width);
    image->tex_height = blank_tex_side(height);
    const std::size_t pixel_count = static_cast<std::size_t>(image->tex_width) * image->tex_height;
    // Zeroed so that a blank image the caller never fills still uploads the same
    // texture on every run.
    image->pixels = new (std::nothrow) unsigned int[pixel_count]();
    if (!image->pixels) return nullptr;
    return image;
}

}  // namespace

void init_texture_pool() {
    glGenTextures(texture_pool_size, texture_pool);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

unsigned int make_texture(Image* image) {
    if (!image) {
        std::printf("*** Missing image.\n");
        return 0;
    }
    if (next_free_texture == texture_pool_size) {
        std::printf("*** Out of texids.\n");
        return 0;
    }
    const GLuint name = texture_pool[next_free_texture++];
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->tex_width, image->tex_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image->pixels);
    // No mipmaps are made, so the minification filter must not ask for them.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    image->texture = name;
    return name;
}

void free_image(Image* image) {
    if (!image) return;
    release_image_pixels(*image);
    delete image;
}

void ImageRelease::operator()(Image* image) const { free_image(image); }

ImageHandle make_blank_image(int width, int height) {
    const bool fits = width >= 1 && width <= max_blank_side && height >= 1 && height <= max_blank_side;
    ImageHandle image = fits ? allocate_blank_image(width, height) : nullptr;
    if (!image) std::printf("Couldn't make a blank %dx%d image\n", width, height);
    return image;
}

}  // namespace floebound
