// The logo of the picture box, drawn by code at build time (part of picgen, the build
// machine's picture generator).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "picgen.h"

namespace picgen {

namespace {

// ---- The logo: an evening sky over a ridge with a radar mast, and the program's name. ----

struct Canvas {
  int w, h;
  std::vector<std::array<double, 3>> px;
  Canvas(int width, int height) : w(width), h(height), px(static_cast<std::size_t>(width * height)) {}
  std::array<double, 3>& at(int x, int y) { return px[static_cast<std::size_t>(y * w + x)]; }
  void blend(int x, int y, std::array<double, 3> c, double alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    auto& p = at(x, y);
    for (int i = 0; i < 3; ++i) p[static_cast<std::size_t>(i)] += (c[static_cast<std::size_t>(i)] - p[static_cast<std::size_t>(i)]) * alpha;
  }
};

std::array<double, 3> mix(std::array<double, 3> a, std::array<double, 3> b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// 5 x 7 glyphs for the few letters the logo writes.
const std::map<char, std::array<const char*, 7>>& font() {
  static const std::map<char, std::array<const char*, 7>> glyphs = {
      {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
      {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
      {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
      {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
      {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
      {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
      {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
      {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
      {'&', {".##..", "#..#.", ".##..", ".#...", "#.#.#", "#..#.", ".##.#"}},
      {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
      {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
      {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
      {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
  };
  return glyphs;
}

// Marks the pixels of text drawn at (x, y) with the given scale; returns the mask.
std::vector<bool> textMask(const Canvas& cv, const std::string& text, int x0, int y0, int scale, int gap) {
  std::vector<bool> mask(static_cast<std::size_t>(cv.w * cv.h), false);
  int x = x0;
  for (char ch : text) {
    const auto it = font().find(ch);
    if (it == font().end()) throw std::runtime_error(std::string("logo font has no glyph for '") + ch + "'");
    for (int gy = 0; gy < 7; ++gy)
      for (int gx = 0; gx < 5; ++gx)
        if (it->second[static_cast<std::size_t>(gy)][gx] == '#')
          for (int sy = 0; sy < scale; ++sy)
            for (int sx = 0; sx < scale; ++sx) {
              const int px = x + gx * scale + sx, py = y0 + gy * scale + sy;
              if (px >= 0 && py >= 0 && px < cv.w && py < cv.h) mask[static_cast<std::size_t>(py * cv.w + px)] = true;
            }
    x += 5 * scale + gap;
  }
  return mask;
}

int textWidth(const std::string& text, int scale, int gap) {
  return static_cast<int>(text.size()) * (5 * scale + gap) - gap;
}

} // namespace

std::vector<Rgba> drawLogo() {
  constexpr int W = kLogoWidth, H = kLogoHeight;
  Canvas cv(W, H);
  const std::array<double, 3> zenith{18, 22, 58}, mid{88, 52, 110}, horizon{240, 150, 70};
  constexpr int horizonY = 80;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double t = static_cast<double>(y) / horizonY;
      cv.at(x, y) = t < 0.55 ? mix(zenith, mid, t / 0.55) : mix(mid, horizon, (t - 0.55) / 0.45);
    }
  // A few stars, placed by a fixed little generator so every build draws the same sky.
  std::uint32_t seed = 20240607;
  auto next = [&seed] { seed = seed * 1664525u + 1013904223u; return seed >> 8; };
  for (int i = 0; i < 28; ++i) {
    const int x = static_cast<int>(next() % W), y = static_cast<int>(next() % 38);
    cv.blend(x, y, {255, 255, 235}, 0.35 + static_cast<double>(next() % 60) / 100.0);
  }
  // The sun sinking behind the ridge, with the banded look of heat haze.
  const double sunX = 116, sunY = 74, sunR = 17;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double d = std::hypot(x - sunX, y - sunY);
      if (d < sunR + 10) cv.blend(x, y, {255, 200, 110}, std::max(0.0, 0.35 * (1 - (d - sunR) / 10)) * (d > sunR));
      if (d <= sunR) {
        const bool band = y > sunY - 4 && ((y - static_cast<int>(sunY)) % 4 == 0);
        cv.blend(x, y, mix({255, 235, 140}, {255, 120, 60}, (y - (sunY - sunR)) / (2 * sunR)), band ? 0.25 : 0.95);
      }
    }
  // Two ridges: the far one hazy, the near one black, with a radar mast and a bunker on it.
  auto ridge = [](double x, double base, double a, double f, double phase) {
    return base + a * std::sin(x * f + phase) + a * 0.5 * std::sin(x * f * 2.7 + phase * 1.3);
  };
  for (int x = 0; x < W; ++x) {
    const double far = ridge(x, 80, 4, 0.045, 1.0);
    const double near = ridge(x, 90, 5, 0.032, 4.0) - (x > 18 && x < 52 ? 7 * std::sin((x - 18) * 3.14159 / 34) : 0);
    for (int y = 0; y < H; ++y) {
      if (y >= far) cv.blend(x, y, {70, 40, 78}, 0.9);
      if (y >= near) cv.at(x, y) = mix({24, 16, 30}, {8, 6, 12}, (y - near) / 18);
    }
  }
  const std::array<double, 3> dark{12, 8, 16};
  auto fillRect = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) cv.blend(x, y, dark, 1.0);
  };
  // Lattice mast at x = 35 with its dish.
  for (int y = 62; y < 86; ++y) {
    const int half = (y - 62) / 8;
    cv.blend(35 - half, y, dark, 1);
    cv.blend(36 + half, y, dark, 1);
    if (y % 6 == 0)
      for (int x = 35 - half; x <= 36 + half; ++x) cv.blend(x, y, dark, 1);
  }
  for (int y = 53; y < 62; ++y)
    for (int x = 28; x < 44; ++x) {
      const double d = std::hypot(x - 34.0, y - 53.0);
      if (d < 8 && d > 5 && y > 53) cv.blend(x, y, dark, 1);
    }
  fillRect(35, 58, 36, 62);
  cv.blend(35, 56, {255, 70, 60}, 1); // the warning light
  cv.blend(36, 56, {255, 120, 90}, 0.6);
  // Bunker and a fir on the right-hand slope.
  fillRect(128, 84, 146, 92);
  fillRect(131, 81, 143, 84);
  for (int y = 86; y <= 87; ++y)
    for (int x = 132; x <= 140; ++x) cv.blend(x, y, {255, 190, 90}, 0.55);
  for (int y = 70; y < 92; ++y) {
    const int half = (y - 70) / 3 + ((y - 70) % 7 > 4 ? -1 : 0);
    for (int x = 152 - half; x <= 152 + half; ++x) cv.blend(x, y, dark, 1);
  }

  // The name, large, with a dark rim and a warm vertical gradient; a small line under it.
  const std::string name = "Vexal";
  constexpr int scale = 4, gap = 3;
  const int nameX = (W - textWidth(name, scale, gap)) / 2, nameY = 8;
  const auto mask = textMask(cv, name, nameX, nameY, scale, gap);
  auto inMask = [&](const std::vector<bool>& m, int x, int y) {
    return x >= 0 && y >= 0 && x < W && y < H && m[static_cast<std::size_t>(y * W + x)];
  };
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (inMask(mask, x - 2, y - 2) && !inMask(mask, x, y)) cv.blend(x, y, {0, 0, 0}, 0.45); // drop shadow
    }
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (inMask(mask, x, y)) continue;
      bool rim = false;
      for (int dy = -1; dy <= 1 && !rim; ++dy)
        for (int dx = -1; dx <= 1 && !rim; ++dx) rim = inMask(mask, x + dx, y + dy);
      if (rim) cv.blend(x, y, {30, 14, 40}, 1);
    }
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (inMask(mask, x, y)) {
        const double t = static_cast<double>(y - nameY) / (7 * scale);
        auto c = mix({255, 250, 220}, {255, 170, 60}, t);
        if (!inMask(mask, x, y - 1)) c = mix(c, {255, 255, 255}, 0.6); // lit top edge
        cv.at(x, y) = c;
      }
  const std::string sub = "MAP & TOOL STARTER";
  const int subX = (W - textWidth(sub, 1, 2)) / 2, subY = nameY + 7 * scale + 7;
  const auto subMask = textMask(cv, sub, subX, subY, 1, 2);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (inMask(subMask, x - 1, y - 1) && !inMask(subMask, x, y)) cv.blend(x, y, {0, 0, 0}, 0.5);
      if (inMask(subMask, x, y)) cv.at(x, y) = {230, 225, 245};
    }

  std::vector<Rgba> out;
  for (const auto& p : cv.px) {
    auto q = [](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
    out.push_back({q(p[0]), q(p[1]), q(p[2]), 255});
  }
  return out;
}

} // namespace picgen
