// picgen: turns the pixel-art sources in src/resources/pictures into the .bmp and .ico files that
// vexal.rc compiles in, and draws the 160 x 109 logo. It runs on the build machine, so it is
// standard C++ only and writes the Windows file formats byte by byte.
//
//   picgen <pictures source folder> <output folder>
//
// Source format, one file per picture (name.txt gives name.bmp; icon-*.txt are the sizes of vexal.ico):
//
//   # comment lines
//   size 16 16
//   colours true            (32-bit with alpha)  or  colours 16  (4-bit with a palette)
//   . none                  legend: one character, then RRGGBB or "none" for transparent
//   k 1a1a1a
//   ---
//   ....kk....              one row of characters per pixel row, top row first
//
// Transparency: a true-colour picture stores alpha 0 with black colour bytes (valid premultiplied
// data for AlphaBlend); a 16-colour picture maps "none" to magenta, which the program keys out.
// A picture may not use magenta as a visible colour.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

constexpr Rgba kMagenta{255, 0, 255, 255};

struct Picture {
  std::string name;
  int width = 0;
  int height = 0;
  bool trueColour = true;
  std::vector<Rgba> palette;      // legend order; 16-colour pictures index into it
  std::vector<std::uint8_t> index; // one palette index per pixel, top row first
  Rgba at(int x, int y) const { return palette[index[static_cast<std::size_t>(y * width + x)]]; }
};

class Bytes {
public:
  void u8(unsigned v) { buffer.push_back(static_cast<std::uint8_t>(v)); }
  void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
  void u32(std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  std::size_t size() const { return buffer.size(); }
  const std::vector<std::uint8_t>& data() const { return buffer; }
  void append(const Bytes& other) { buffer.insert(buffer.end(), other.buffer.begin(), other.buffer.end()); }

private:
  std::vector<std::uint8_t> buffer;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

Rgba parseColour(const std::string& where, const std::string& text) {
  if (text == "none") return {};
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    fail(where, "colour must be RRGGBB or none, got '" + text + "'");
  const auto v = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v), 255};
}

Picture readPicture(const fs::path& file) {
  std::ifstream in(file);
  if (!in) fail(file.string(), "cannot open");
  Picture pic;
  pic.name = file.stem().string();
  std::map<char, std::uint8_t> legend;
  bool sizeSeen = false, coloursSeen = false, inPixels = false;
  std::string line;
  int lineNo = 0;
  std::vector<std::string> rows;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = file.string() + ":" + std::to_string(lineNo);
    if (inPixels) {
      if (line.empty()) continue;
      if (static_cast<int>(line.size()) != pic.width)
        fail(where, "row has " + std::to_string(line.size()) + " pixels, expected " + std::to_string(pic.width));
      for (char c : line) {
        const auto it = legend.find(c);
        if (it == legend.end()) fail(where, std::string("character '") + c + "' is not in the legend");
        pic.index.push_back(it->second);
      }
      rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (line == "---") {
      if (!sizeSeen || !coloursSeen) fail(where, "size and colours must come before the pixels");
      inPixels = true;
      continue;
    }
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "size") {
      if (!(words >> pic.width >> pic.height) || pic.width < 1 || pic.height < 1 || pic.width > 256 || pic.height > 256)
        fail(where, "size needs a width and a height from 1 to 256");
      sizeSeen = true;
    } else if (key == "colours") {
      std::string kind;
      words >> kind;
      if (kind != "true" && kind != "16") fail(where, "colours must be true or 16");
      pic.trueColour = kind == "true";
      coloursSeen = true;
    } else if (key.size() == 1) {
      std::string colour;
      words >> colour;
      if (legend.count(key[0])) fail(where, "legend character '" + key + "' defined twice");
      const Rgba c = parseColour(where, colour);
      if (c == kMagenta) fail(where, "magenta is reserved for transparency");
      legend[key[0]] = static_cast<std::uint8_t>(pic.palette.size());
      pic.palette.push_back(c);
    } else {
      fail(where, "unknown line '" + line + "'");
    }
  }
  if (!inPixels) fail(file.string(), "no pixel rows (missing ---)");
  if (static_cast<int>(rows.size()) != pic.height)
    fail(file.string(), "has " + std::to_string(rows.size()) + " rows, expected " + std::to_string(pic.height));
  if (!pic.trueColour && pic.palette.size() > 16)
    fail(file.string(), "a 16-colour picture has " + std::to_string(pic.palette.size()) + " legend colours");
  return pic;
}

// BITMAPINFOHEADER; bitmaps are stored bottom-up.
void infoHeader(Bytes& out, int width, int height, unsigned bits, std::uint32_t imageSize, unsigned coloursUsed) {
  out.u32(40);
  out.i32(width);
  out.i32(height);
  out.u16(1);
  out.u16(bits);
  out.u32(0); // BI_RGB
  out.u32(imageSize);
  out.i32(2835); // 72 dpi
  out.i32(2835);
  out.u32(coloursUsed);
  out.u32(0);
}

void pixels32(Bytes& out, const Picture& pic) {
  for (int y = pic.height - 1; y >= 0; --y)
    for (int x = 0; x < pic.width; ++x) {
      const Rgba c = pic.at(x, y);
      if (c.a == 0) {
        out.u32(0);
      } else {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(c.a);
      }
    }
}

Bytes dib(const Picture& pic) {
  Bytes out;
  if (pic.trueColour) {
    infoHeader(out, pic.width, pic.height, 32, static_cast<std::uint32_t>(pic.width * pic.height * 4), 0);
    pixels32(out, pic);
    return out;
  }
  const int stride = (pic.width * 4 + 31) / 32 * 4;
  infoHeader(out, pic.width, pic.height, 4, static_cast<std::uint32_t>(stride * pic.height), 16);
  for (std::size_t i = 0; i < 16; ++i) {
    Rgba c = i < pic.palette.size() ? pic.palette[i] : Rgba{0, 0, 0, 255};
    if (c.a == 0) c = kMagenta;
    out.u8(c.b);
    out.u8(c.g);
    out.u8(c.r);
    out.u8(0);
  }
  for (int y = pic.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < pic.width; ++x) {
      const std::uint8_t v = pic.index[static_cast<std::size_t>(y * pic.width + x)];
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
    }
    for (auto b : row) out.u8(b);
  }
  return out;
}

void writeFile(const fs::path& path, const Bytes& bytes) {
  // Written beside the target and renamed, so an interrupted build never leaves a torn picture
  // that the next build would take as up to date.
  const fs::path tmp = path.string() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data().data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) fail(tmp.string(), "cannot write");
  }
  fs::rename(tmp, path);
}

// A .bmp file is the DIB behind a 14-byte file header; windres strips that header again.
void writeBmpFile(const fs::path& path, const Bytes& dibBytes, std::uint32_t paletteBytes) {
  Bytes file;
  file.u8('B');
  file.u8('M');
  file.u32(static_cast<std::uint32_t>(14 + dibBytes.size()));
  file.u32(0);
  file.u32(14 + 40 + paletteBytes);
  file.append(dibBytes);
  writeFile(path, file);
}

void writeBmp(const fs::path& path, const Picture& pic) {
  writeBmpFile(path, dib(pic), pic.trueColour ? 0 : 16 * 4);
}

void writeIco(const fs::path& path, std::vector<Picture> sizes) {
  std::sort(sizes.begin(), sizes.end(), [](const Picture& a, const Picture& b) { return a.width > b.width; });
  std::vector<Bytes> images;
  for (const Picture& pic : sizes) {
    if (!pic.trueColour || pic.width != pic.height || pic.width > 255)
      fail(pic.name, "icon sizes must be square true-colour pictures");
    Bytes img;
    const int maskStride = (pic.width + 31) / 32 * 4;
    infoHeader(img, pic.width, pic.height * 2, 32,
               static_cast<std::uint32_t>(pic.width * pic.height * 4 + maskStride * pic.height), 0);
    pixels32(img, pic);
    // The AND mask still matters where alpha is ignored (old shells, some remote sessions).
    for (int y = pic.height - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
      for (int x = 0; x < pic.width; ++x)
        if (pic.at(x, y).a == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      for (auto b : row) img.u8(b);
    }
    images.push_back(img);
  }
  Bytes file;
  file.u16(0);
  file.u16(1);
  file.u16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    file.u8(static_cast<unsigned>(sizes[i].width));
    file.u8(static_cast<unsigned>(sizes[i].height));
    file.u8(0);
    file.u8(0);
    file.u16(1);
    file.u16(32);
    file.u32(static_cast<std::uint32_t>(images[i].size()));
    file.u32(offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& img : images) file.append(img);
  writeFile(path, file);
}

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

constexpr int kLogoWidth = 160, kLogoHeight = 109;

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

void writeLogo(const fs::path& path) {
  const std::vector<Rgba> logo = drawLogo();
  Bytes body;
  infoHeader(body, kLogoWidth, kLogoHeight, 32, static_cast<std::uint32_t>(logo.size() * 4), 0);
  for (int y = kLogoHeight - 1; y >= 0; --y)
    for (int x = 0; x < kLogoWidth; ++x) {
      const Rgba c = logo[static_cast<std::size_t>(y * kLogoWidth + x)];
      body.u8(c.b);
      body.u8(c.g);
      body.u8(c.r);
      body.u8(c.a);
    }
  writeBmpFile(path, body, 0);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: picgen <pictures source folder> <output folder>\n";
    return 2;
  }
  try {
    const fs::path src = argv[1], out = argv[2];
    fs::create_directories(out);
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(src))
      if (entry.is_regular_file() && entry.path().extension() == ".txt") sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    std::vector<Picture> iconSizes;
    for (const auto& file : sources) {
      Picture pic = readPicture(file);
      if (pic.name.rfind("icon-", 0) == 0)
        iconSizes.push_back(std::move(pic));
      else
        writeBmp(out / (pic.name + ".bmp"), pic);
    }
    if (iconSizes.empty()) throw std::runtime_error("no icon-*.txt sources for vexal.ico");
    writeIco(out / "vexal.ico", iconSizes);
    writeLogo(out / "logo.bmp");
  } catch (const std::exception& e) {
    std::cerr << "picgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
