// The pool is process-wide and only ever drains, so this binary holds the one
// test that spends it.

#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

using namespace floebound;

namespace {

// make_texture with the console captured.
unsigned int make_texture_quietly(Image* image, std::string& out) {
    testing::internal::CaptureStdout();
    const unsigned int name = make_texture(image);
    std::fflush(stdout);
    out = testing::internal::GetCapturedStdout();
    return name;
}

TEST(TexturePool, HandsOutEachOfItsNamesOnceThenRefuses) {
    ASSERT_NO_FATAL_FAILURE(open_gl_window(32, 32));
    init_texture_pool();
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);

    std::string out;
    EXPECT_EQ(make_texture_quietly(nullptr, out), 0u);
    EXPECT_EQ(out, "*** Missing image.\n");

    const ImageHandle image = make_blank_image(8, 8);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < 64; ++i) image->pixels[i] = 0xffffffffu;
    // The missing image above took no name: all of them are still to come.
    std::set<unsigned int> names;
    for (int i = 0; i < texture_pool_size; ++i) {
        const unsigned int name = make_texture_quietly(image.get(), out);
        ASSERT_NE(name, 0u) << "texture " << i + 1;
        EXPECT_EQ(out, "");
        EXPECT_EQ(image->texture, name);
        EXPECT_TRUE(glIsTexture(name));
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(texture_pool_size));

    image->texture = 0;
    for (int later_call = 0; later_call < 2; ++later_call) {
        EXPECT_EQ(make_texture_quietly(image.get(), out), 0u);
        EXPECT_EQ(out, "*** Out of texids.\n");
        EXPECT_EQ(image->texture, 0u);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
