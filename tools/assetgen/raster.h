#pragma once

#include <cstdint>
#include <vector>

struct Rgba {
    std::uint8_t r, g, b, a;
};

// Straight (not premultiplied) RGBA, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgba pixel(int x, int y) const;
};

struct Point {
    double x, y;
};

// A tiny painter whose shapes are placed in unit coordinates (0..1 across the
// image, y pointing down), so one drawing renders at any pixel size. Edges are
// anti-aliased by counting covered sub-pixel samples.
class Canvas {
public:
    Canvas(int width, int height);

    void fill(Rgba color);
    void fill_rect(Point top_left, Point bottom_right, Rgba color);
    void fill_ellipse(Point centre, double radius_x, double radius_y, Rgba color);
    void fill_circle(Point centre, double radius, Rgba color) { fill_ellipse(centre, radius, radius, color); }
    void fill_triangle(Point a, Point b, Point c, Rgba color);

    const Image& image() const { return image_; }

private:
    template <typename Inside>
    void fill_shape(Point top_left, Point bottom_right, Inside inside, Rgba color);
    void blend(int x, int y, Rgba color, double coverage);

    Image image_;
};
