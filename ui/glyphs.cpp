// Each glyph is a stack of filled shapes on a 16-unit canvas. Pixels are supersampled 4 x 4;
// a sample near a shape's edge takes the shape's darker outline colour, so every shape gets a
// one-unit rim without a separate outline path.
#include "ui/glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "win/system_error.h"

namespace velmora {
namespace {

struct Rgb {
  double r, g, b;
};

struct Point {
  double x, y;
};

using Inside = std::function<bool(double x, double y)>;

struct Shape {
  Inside inside;
  Rgb top, bottom;  // fill, shaded from the top of the canvas to its bottom
  Rgb rim;
};

Inside Polygon(std::vector<Point> points) {
  return [points](double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  };
}

Inside RoundedRect(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x > right || y < top || y > bottom) return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

const Rgb kBlueLight{90, 160, 255}, kBlue{20, 90, 215}, kBlueRim{10, 50, 140};
const Rgb kGreenLight{120, 220, 110}, kGreen{30, 150, 50}, kGreenRim{15, 90, 30};

std::vector<Shape> GlyphShapes(int pair) {
  switch (pair) {
    case 0:  // start: a right-pointing triangle
      return {{Polygon({{3.5, 1.5}, {14, 8}, {3.5, 14.5}}), kBlueLight, kBlue, kBlueRim}};
    case 1:  // exit: an open door, the leaf swung in, and an arrow leaving to the left
      return {
          {RoundedRect(7.5, 0.5, 15.5, 15.5, 0.5), {250, 250, 245}, {215, 215, 205}, {90, 90, 90}},
          {Polygon({{15, 1.5}, {10.5, 3.5}, {10.5, 15}, {15, 15.5}}),
           {200, 140, 80},
           {140, 85, 40},
           {90, 50, 20}},
          {Polygon({{0.5, 8}, {5.5, 3}, {5.5, 6}, {11, 6}, {11, 10}, {5.5, 10}, {5.5, 13}}),
           kBlueLight, kBlue, kBlueRim},
      };
    case 2:  // stop: a square
      return {{RoundedRect(2.5, 2.5, 13.5, 13.5, 0.6), kBlueLight, kBlue, kBlueRim}};
    default:  // clear: a rounded block
      return {{RoundedRect(1.5, 3.5, 14.5, 12.5, 3.0), kGreenLight, kGreen, kGreenRim}};
  }
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour of one sample: the front-most shape that covers it, or none.
bool SampleColour(const std::vector<Shape>& shapes, double x, double y, Rgb& out) {
  static constexpr double kRim = 1.0;
  static constexpr double kRing[8][2] = {{1, 0},     {-1, 0},     {0, 1},      {0, -1},
                                         {0.7, 0.7}, {0.7, -0.7}, {-0.7, 0.7}, {-0.7, -0.7}};
  for (auto s = shapes.rbegin(); s != shapes.rend(); ++s) {
    if (!s->inside(x, y)) continue;
    bool edge = false;
    for (const auto& d : kRing) edge = edge || !s->inside(x + d[0] * kRim, y + d[1] * kRim);
    out = edge ? s->rim : Mix(s->top, s->bottom, y / 16.0);
    return true;
  }
  return false;
}

// Straight (not premultiplied) BGRA pixels, top row first.
std::vector<std::uint32_t> Render(int glyph, int size) {
  const std::vector<Shape> shapes = GlyphShapes(glyph / 2);
  const bool grey = glyph % 2 == 1;
  constexpr int kSub = 4;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      Rgb sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          const double x = (px + (sx + 0.5) / kSub) * 16.0 / size;
          const double y = (py + (sy + 0.5) / kSub) * 16.0 / size;
          Rgb c;
          if (!SampleColour(shapes, x, y, c)) continue;
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
          ++covered;
        }
      }
      if (covered == 0) continue;
      Rgb c{sum.r / covered, sum.g / covered, sum.b / covered};
      if (grey) {
        const double luma = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
        const double level = std::min(255.0, 100.0 + luma * 0.55);
        c = {level, level, level};
      }
      const auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
      };
      const std::uint32_t alpha = channel(255.0 * covered / (kSub * kSub));
      pixels[static_cast<std::size_t>(py) * size + px] =
          alpha << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
    }
  }
  return pixels;
}

void AddGlyph(HIMAGELIST list, int glyph, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) win::RaiseLastOSError();
  const std::vector<std::uint32_t> pixels = Render(glyph, size);
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  if (::ImageList_Add(list, bitmap.get(), nullptr) < 0) win::RaiseLastOSError();
}

win::UniqueImageList CreateList(int size, int (*glyphAt)(int index)) {
  win::UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32, kGlyphCount, 0));
  if (!list) win::RaiseLastOSError();
  for (int i = 0; i < kGlyphCount; ++i) AddGlyph(list.get(), glyphAt(i), size);
  return list;
}

}  // namespace

win::UniqueImageList CreateImageList1(int size) {
  return CreateList(size, [](int index) { return index; });
}

win::UniqueImageList CreateDisabledImageList(int size) {
  return CreateList(size, [](int index) { return index | 1; });
}

}  // namespace velmora
