#include "picture/thumbnail_pixels.h"

#include <algorithm>
#include <cmath>

PixelSize FitInto(PixelSize picture, PixelSize box) {
  if (picture.width <= box.width && picture.height <= box.height) return picture;
  const long long w = picture.width, h = picture.height;
  // Rounded quotients in integers: w·boxH against h·boxW decides the side that fills.
  if (w * box.height >= h * box.width) {
    const int height = static_cast<int>((2 * h * box.width + w) / (2 * w));
    return {box.width, std::clamp(height, 1, box.height)};
  }
  const int width = static_cast<int>((2 * w * box.height + h) / (2 * h));
  return {std::clamp(width, 1, box.width), box.height};
}

namespace {

// One output position's share of the source: source pixels first to first +
// weights.size() - 1, each with the length of it covered.
struct Span {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<std::size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double begin = i * step, end = (i + 1) * step;
    Span& s = spans[static_cast<std::size_t>(i)];
    s.first = static_cast<int>(begin);
    const int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int k = s.first; k <= last; ++k) {
      const double covered = std::min(end, k + 1.0) - std::max(begin, static_cast<double>(k));
      s.weights.push_back(static_cast<float>(covered / step));
    }
  }
  return spans;
}

}  // namespace

RgbImage ShrinkByArea(const RgbImage& image, PixelSize size) {
  const int width = std::clamp(size.width, 1, std::max(1, image.width));
  const int height = std::clamp(size.height, 1, std::max(1, image.height));
  if (image.width < 1 || image.height < 1) return {};
  if (width == image.width && height == image.height) return image;

  // Across first, into rows of floats, then down. Only the rows the output
  // row being made needs are kept, in a ring: a screen copy's rows whole
  // would be tens of megabytes, fresh pages from the system for every photo.
  const std::vector<Span> across = Spans(image.width, width);
  const std::vector<Span> down = Spans(image.height, height);
  const std::size_t rowFloats = static_cast<std::size_t>(width) * 3;
  std::size_t window = 1;
  for (const Span& s : down) window = std::max(window, s.weights.size());
  std::vector<float> ring(rowFloats * window);
  auto ringRow = [&](std::size_t y) { return &ring[(y % window) * rowFloats]; };
  std::size_t acrossDone = 0;  // input rows shrunk across so far
  auto shrinkAcross = [&](std::size_t y) {
    const std::uint8_t* src = &image.rgb[y * static_cast<std::size_t>(image.width) * 3];
    float* dst = ringRow(y);
    for (int x = 0; x < width; ++x) {
      const Span& s = across[static_cast<std::size_t>(x)];
      float r = 0, g = 0, b = 0;
      for (std::size_t k = 0; k < s.weights.size(); ++k) {
        const std::uint8_t* p = src + (static_cast<std::size_t>(s.first) + k) * 3;
        r += s.weights[k] * p[0];
        g += s.weights[k] * p[1];
        b += s.weights[k] * p[2];
      }
      dst[3 * x] = r;
      dst[3 * x + 1] = g;
      dst[3 * x + 2] = b;
    }
  };
  RgbImage out{width, height, std::vector<std::uint8_t>(rowFloats * height)};
  // Whole rows are added at a time (the compiler's vector code); each value
  // still sums its rows in the same order, so the bytes do not change.
  std::vector<float> sums(rowFloats);
  for (int y = 0; y < height; ++y) {
    const Span& s = down[static_cast<std::size_t>(y)];
    const std::size_t first = static_cast<std::size_t>(s.first);
    for (; acrossDone < first + s.weights.size(); ++acrossDone) shrinkAcross(acrossDone);
    std::fill(sums.begin(), sums.end(), 0.0f);
    for (std::size_t k = 0; k < s.weights.size(); ++k) {
      const float weight = s.weights[k];
      const float* row = ringRow(first + k);
      for (std::size_t i = 0; i < rowFloats; ++i) sums[i] += weight * row[i];
    }
    std::uint8_t* dst = &out.rgb[static_cast<std::size_t>(y) * rowFloats];
    for (std::size_t i = 0; i < rowFloats; ++i) {
      // Sums are never negative: adding a half and cutting rounds as lround
      // does (exact in double).
      const double rounded = static_cast<double>(sums[i]) + 0.5;
      dst[i] = rounded >= 255.0 ? 255 : static_cast<std::uint8_t>(rounded);
    }
  }
  return out;
}

bool TurnsSideways(int orientation) { return orientation >= 5 && orientation <= 8; }

RgbImage Upright(const RgbImage& image, int orientation) {
  if (orientation < 2 || orientation > 8) return image;
  const int w = image.width, h = image.height;
  RgbImage out;
  out.width = TurnsSideways(orientation) ? h : w;
  out.height = TurnsSideways(orientation) ? w : h;
  out.rgb.resize(image.rgb.size());
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      // The stored pixel that lands at (x, y) of the upright picture.
      int sx = x, sy = y;
      switch (orientation) {
        case 2:
          sx = w - 1 - x;
          break;  // mirrored left to right
        case 3:
          sx = w - 1 - x;
          sy = h - 1 - y;
          break;  // upside down
        case 4:
          sy = h - 1 - y;
          break;  // mirrored top to bottom
        case 5:
          sx = y;
          sy = x;
          break;  // mirrored along the diagonal
        case 6:
          sx = y;
          sy = h - 1 - x;
          break;  // to be turned clockwise
        case 7:
          sx = w - 1 - y;
          sy = h - 1 - x;
          break;  // mirrored along the other diagonal
        case 8:
          sx = w - 1 - y;
          sy = x;
          break;  // to be turned anticlockwise
      }
      const std::uint8_t* p = &image.rgb[(static_cast<std::size_t>(sy) * w + sx) * 3];
      std::uint8_t* q = &out.rgb[(static_cast<std::size_t>(y) * out.width + x) * 3];
      q[0] = p[0];
      q[1] = p[1];
      q[2] = p[2];
    }
  }
  return out;
}
