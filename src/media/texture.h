#pragma once

#include "media/image.h"

namespace floebound {

// The game's texture names come from one pool of this many, handed out in
// order and never returned.
constexpr int texture_pool_size = 128;

// Generates the pool; once, with a current OpenGL context.
void init_texture_pool();

// Uploads the whole power-of-two buffer as the next pool texture and leaves it
// bound. 0 with "*** Missing image.\n" for null, "*** Out of texids.\n" once
// the pool is spent.
unsigned int make_texture(Image* image);

// Releases an image and its pixels (to the texture memory budget when they
// lie in its window); null does nothing. Its texture stays valid. An
// ImageHandle calls it; nothing else needs to.
void free_image(Image* image);

// An image of the given size whose pixels the caller fills; null for sizes
// outside 1 to 512.
[[nodiscard]] ImageHandle make_blank_image(int width, int height);

}  // namespace floebound
