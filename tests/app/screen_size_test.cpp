#include "app/camera.h"
#include "app/window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace floebound;

namespace {

Camera size_from(const char* text) {
    Camera cam;
    cam.screen_width = 640;
    cam.screen_height = 480;
    parse_screen_size(text, cam);
    return cam;
}

void expect_size(const char* text, int width, int height) {
    Camera cam = size_from(text);
    EXPECT_EQ(cam.screen_width, width) << "for \"" << text << "\"";
    EXPECT_EQ(cam.screen_height, height) << "for \"" << text << "\"";
}

}  // namespace

TEST(ScreenSize, ReadsTwoNumbersSeparatedByAnyWhiteSpace) {
    expect_size("800 600", 800, 600);
    expect_size("1920\n1080\n", 1920, 1080);
    expect_size("  1024\t768 trailing words", 1024, 768);
    expect_size("+800 600", 800, 600);
}

TEST(ScreenSize, RaisesSizesBelowTheMinimum) {
    expect_size("300 200", 640, 480);
    expect_size("-5 -7", 640, 480);
    expect_size("300 900", 640, 900);
    expect_size("0 0", 640, 480);
}

TEST(ScreenSize, ValueThatCannotBeReadKeepsItsDefault) {
    expect_size("", 640, 480);
    expect_size("junk", 640, 480);
    expect_size("1024", 1024, 480);
    expect_size("1024 x", 1024, 480);
    expect_size("800x600", 800, 480);
    expect_size("abc 600", 640, 480);  // the second number is never reached
}

TEST(ScreenSize, NumberOutsideIntRangeCountsAsUnreadable) {
    expect_size("99999999999999999999 600", 640, 480);
    expect_size("800 -99999999999999999999", 800, 480);
}

TEST(ScreenSize, MissingFileChangesNothingAndFileIsRead) {
    Camera cam;
    cam.screen_width = 640;
    cam.screen_height = 480;
    read_screen_size("/nonexistent/screensize.txt", cam);
    EXPECT_EQ(cam.screen_width, 640);
    EXPECT_EQ(cam.screen_height, 480);

    const std::string path = ::testing::TempDir() + "screensize.txt";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("1280 1024\n", file);
    std::fclose(file);
    read_screen_size(path.c_str(), cam);
    EXPECT_EQ(cam.screen_width, 1280);
    EXPECT_EQ(cam.screen_height, 1024);
    std::remove(path.c_str());
}

TEST(WindowedSize, ScreenSizeFileElseDefaultNeverLargerThanTheDesktop) {
    auto expect_window = [](WindowSize configured, WindowSize desktop, int width, int height) {
        const WindowSize size = windowed_size(configured, desktop);
        EXPECT_EQ(size.width, width) << configured.width << "x" << configured.height << " on " << desktop.width << "x" << desktop.height;
        EXPECT_EQ(size.height, height) << configured.width << "x" << configured.height << " on " << desktop.width << "x" << desktop.height;
    };
    expect_window({800, 600}, {1920, 1080}, 800, 600);
    expect_window({640, 480}, {1920, 1080}, 1280, 720);  // 640 by 480 means no size of its own
    expect_window({640, 900}, {1920, 1080}, 640, 900);
    expect_window({640, 480}, {1024, 768}, 1024, 720);
    expect_window({2560, 1440}, {1920, 1080}, 1920, 1080);
    expect_window({1920, 1080}, {1920, 1080}, 1920, 1080);
    expect_window({800, 600}, {0, 0}, 800, 600);  // a desktop SDL could not measure
}
