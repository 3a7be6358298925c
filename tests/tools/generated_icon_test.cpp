// The window icon as written into the game folder, read the way the game
// reads it.

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Colour {
    Uint8 r, g, b;
};

Colour colour_at(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 pixel = 0;
    std::memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    Colour c{};
    SDL_GetRGB(pixel, surface->format, &c.r, &c.g, &c.b);
    return c;
}

bool is_ice_blue(Colour c) { return c.b > 200 && c.g > 170 && c.r < c.g && c.g < c.b; }
bool is_black(Colour c) { return c.r < 60 && c.g < 60 && c.b < 60; }
bool is_white(Colour c) { return c.r > 225 && c.g > 225 && c.b > 225; }
bool is_orange(Colour c) { return c.r > 200 && c.g > 90 && c.g < 190 && c.b < 90; }

}  // namespace

TEST(WindowIcon, IsA32PixelPenguinOnIceThatSdlLoads) {
    SDL_Surface* icon = SDL_LoadBMP("data/icon.bmp");
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_EQ(icon->w, 32);
    EXPECT_EQ(icon->h, 32);
    EXPECT_EQ(icon->format->BitsPerPixel, 24);

    int black = 0, white = 0, orange = 0;
    ASSERT_EQ(SDL_LockSurface(icon), 0);
    for (int y = 0; y < icon->h; ++y) {
        for (int x = 0; x < icon->w; ++x) {
            const Colour c = colour_at(icon, x, y);
            black += is_black(c);
            white += is_white(c);
            orange += is_orange(c);
        }
    }
    // Ice-blue sky in the top corners; the head fills the middle.
    EXPECT_TRUE(is_ice_blue(colour_at(icon, 0, 0)));
    EXPECT_TRUE(is_ice_blue(colour_at(icon, 31, 0)));
    SDL_UnlockSurface(icon);
    SDL_FreeSurface(icon);

    const int area = 32 * 32;
    EXPECT_GT(black, area / 8) << "black head";
    EXPECT_GT(white, area / 8) << "white face";
    EXPECT_GT(orange, 6) << "orange beak";
    EXPECT_LT(orange, area / 10) << "the beak is a small feature";
}
