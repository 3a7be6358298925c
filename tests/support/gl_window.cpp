#include "gl_window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {
int window_width = 0;
int window_height = 0;
}  // namespace

void open_gl_window(int width, int height) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "drawing tests need an X display; run them through with-xvfb";
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    ASSERT_NE(SDL_SetVideoMode(width, height, 0, SDL_OPENGL), nullptr) << SDL_GetError();
    window_width = width;
    window_height = height;
    glViewport(0, 0, width, height);
    glReadBuffer(GL_BACK);
}

std::array<std::uint8_t, 4> pixel_at(int x, int y) {
    std::array<std::uint8_t, 4> rgba{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, window_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

int gl_window_width() { return window_width; }
int gl_window_height() { return window_height; }
