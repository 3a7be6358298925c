#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace floebound::tools {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// Straight (not premultiplied) RGBA, rows top to bottom.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgba pixel(int x, int y) const;
};

// A transparent picture.
Raster blank_picture(int width, int height);

// Straight-alpha "over" compositing of `color`, weighted by `coverage`, onto
// pixel (x, y), which must lie inside the picture.
void blend_over(Raster& image, int x, int y, Rgba color, double coverage = 1.0);

struct Point {
    double x, y;
};

// A tiny painter whose shapes are placed in unit coordinates (0..1 across the
// image, y pointing down), so one drawing renders at any pixel size. Edges are
// anti-aliased by counting covered sub-pixel samples.
class Canvas {
public:
    Canvas(int width, int height);
    // Paints on over an existing picture.
    explicit Canvas(Raster image) : image_(std::move(image)) {}

    void fill(Rgba color);
    void fill_rect(Point top_left, Point bottom_right, Rgba color);
    void fill_ellipse(Point centre, double radius_x, double radius_y, Rgba color);
    void fill_circle(Point centre, double radius, Rgba color) { fill_ellipse(centre, radius, radius, color); }
    void fill_triangle(Point a, Point b, Point c, Rgba color);
    // A convex polygon, corners in either winding order. Painting it in one
    // pass avoids the faint seam two triangles leave along their shared edge.
    void fill_polygon(const std::vector<Point>& corners, Rgba color);
    // Stroke widths and arc radii are in picture widths, so strokes keep
    // their thickness and arcs stay round on a picture that is not square.
    // A stroke with round ends.
    void draw_line(Point a, Point b, double width, Rgba color);
    // A stroke along the circle from one angle to the other, in radians
    // measured from +x toward +y (clockwise on screen, since y points down),
    // with square ends.
    void draw_arc(Point centre, double radius, double width, double from_angle, double to_angle, Rgba color);

    const Raster& image() const { return image_; }

private:
    template <typename Inside>
    void fill_shape(Point top_left, Point bottom_right, Inside inside, Rgba color);

    Raster image_;
};

}  // namespace floebound::tools
