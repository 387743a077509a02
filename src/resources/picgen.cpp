// picgen: turns the pixel-art sources in src/resources/pictures into the .bmp and .ico files that
// vexal.rc compiles in, and draws the 160 x 109 logo. It runs on the build machine, so it is
// standard C++ and zlib only, and writes the Windows file formats byte by byte.
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

#include <zlib.h>

#include "picgen.h"

namespace fs = std::filesystem;
using picgen::Rgba;

namespace {


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

void writeLogo(const fs::path& path) {
  const std::vector<Rgba> logo = picgen::drawLogo();
  Bytes body;
  infoHeader(body, picgen::kLogoWidth, picgen::kLogoHeight, 32, static_cast<std::uint32_t>(logo.size() * 4), 0);
  for (int y = picgen::kLogoHeight - 1; y >= 0; --y)
    for (int x = 0; x < picgen::kLogoWidth; ++x) {
      const Rgba c = logo[static_cast<std::size_t>(y * picgen::kLogoWidth + x)];
      body.u8(c.b);
      body.u8(c.g);
      body.u8(c.r);
      body.u8(c.a);
    }
  writeBmpFile(path, body, 0);
  // The program carries the logo deflated: as a bitmap it alone was a sixteenth of Vexal.exe, and
  // the sky and the ridge shrink to a twelfth of that. The resource is the DIB's size, then zlib.
  uLongf packedSize = compressBound(static_cast<uLong>(body.size()));
  std::vector<Bytef> packed(packedSize);
  if (compress2(packed.data(), &packedSize, body.data().data(), static_cast<uLong>(body.size()), 9) != Z_OK)
    fail(path.string(), "cannot deflate the logo");
  Bytes resource;
  resource.u32(static_cast<std::uint32_t>(body.size()));
  for (uLongf i = 0; i < packedSize; ++i) resource.u8(packed[i]);
  writeFile(path.string() + ".z", resource);
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
