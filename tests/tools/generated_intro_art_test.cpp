// The intro pictures, the victory banner and the font as written into the
// game folder. The pictures are blended over a bright view of the snow, so
// their lettering must stand on a darker panel of their own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_files.h"
#include "sound_files.h"

namespace {

double luminance(const std::uint8_t* p) { return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]; }

bool is_light(const std::uint8_t* p) { return p[3] > 200 && luminance(p) > 200; }
bool is_dark_panel(const std::uint8_t* p) { return p[3] > 120 && luminance(p) < 90; }

struct Reading {
    int lettering = 0;    // light pixels with panel a few pixels away
    int panel = 0;        // dark panel pixels
    int see_through = 0;  // panel pixels that let the snow show
};

Reading read_lettering(const Picture& picture) {
    constexpr int kReach = 3;
    Reading reading;
    for (int y = kReach; y < picture.height - kReach; ++y)
        for (int x = kReach; x < picture.width - kReach; ++x) {
            const std::uint8_t* p = picture.at(x, y);
            if (is_dark_panel(p)) {
                ++reading.panel;
                reading.see_through += p[3] < 250;
            }
            if (!is_light(p)) continue;
            bool on_panel = false;
            for (auto [dx, dy] :
                 {std::pair{kReach, 0}, std::pair{-kReach, 0}, std::pair{0, kReach}, std::pair{0, -kReach}})
                on_panel |= is_dark_panel(picture.at(x + dx, y + dy));
            reading.lettering += on_panel;
        }
    return reading;
}

// Pixels not fully opaque although the picture covers everything within
// three pixels of them: holes through which the field would show.
int holes_inside(const Picture& picture) {
    constexpr int kReach = 3;
    int holes = 0;
    for (int y = kReach; y < picture.height - kReach; ++y)
        for (int x = kReach; x < picture.width - kReach; ++x) {
            if (picture.at(x, y)[3] == 255) continue;
            bool covered_around = true;
            for (auto [dx, dy] :
                 {std::pair{kReach, 0}, std::pair{-kReach, 0}, std::pair{0, kReach}, std::pair{0, -kReach}})
                covered_around &= picture.at(x + dx, y + dy)[3] > 0;
            holes += covered_around;
        }
    return holes;
}

enum class Panel { solid, glass };

void expect_lettering_on_a_panel(const Picture& picture, Panel panel) {
    ASSERT_EQ(picture.colour_type, 6) << "8-bit RGBA";
    const Reading reading = read_lettering(picture);
    const int area = picture.width * picture.height;
    EXPECT_GT(reading.panel, area / 4) << "a dark panel behind the words";
    if (panel == Panel::solid)
        EXPECT_EQ(holes_inside(picture), 0) << "nothing of the field shows through the panel";
    else
        EXPECT_GT(reading.see_through, reading.panel / 2) << "the panel lets the snow show through";
    EXPECT_GT(reading.lettering, area / 400) << "light lettering on the panel";
    EXPECT_LT(reading.lettering, area / 4) << "letters, not a light block";
    EXPECT_EQ(picture.at(0, 0)[3], 0) << "rounded corners, clear around the panel";
    EXPECT_EQ(picture.at(picture.width - 1, picture.height - 1)[3], 0);
}

}  // namespace

TEST(IntroPictures, FourDifferent640By480SolidPanelsOfLightLettering) {
    const char* const paths[] = {"data/intro/kelpworks.png", "data/intro/titlecard.png", "data/FBDCredits.png",
                                 "data/intro/instructions.png"};
    std::vector<Picture> pictures;
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        pictures.push_back(read_png(path));
        EXPECT_EQ(pictures.back().width, 640);
        EXPECT_EQ(pictures.back().height, 480);
        expect_lettering_on_a_panel(pictures.back(), Panel::solid);
    }
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i].rgba, pictures[j].rgba) << paths[i] << " looks like " << paths[j];
}

TEST(VictoryBanner, Is256By128WithLightLetteringOnAPanel) {
    const Picture banner = read_png("data/Victory.png");
    EXPECT_EQ(banner.width, 256);
    EXPECT_EQ(banner.height, 128);
    // Only the banner lets the won field, circling behind it, show through.
    expect_lettering_on_a_panel(banner, Panel::glass);
}

TEST(Font, IsTheSystemsBitstreamVeraByteForByte) {
    const std::vector<std::uint8_t> copy = read_bytes("data/vera.ttf");
    ASSERT_FALSE(copy.empty());
    EXPECT_TRUE(copy == read_bytes("/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf"));
}
