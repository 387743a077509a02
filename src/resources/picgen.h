#pragma once
// What picgen.cpp and picgen_logo.cpp share: a pixel, and the logo drawn by code.
#include <cstdint>
#include <vector>

namespace picgen {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

constexpr int kLogoWidth = 160, kLogoHeight = 109;

// The logo: an evening sky over a ridge with a radar mast, and the program's name.
std::vector<Rgba> drawLogo();

} // namespace picgen
