#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessadro {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// An image of palette indexes, one byte a pixel, rows from the top.
struct PaletteImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height indexes into the palette
    std::vector<Rgb> palette;          // at most 256 colours
};

// The image as the bytes of a palette PNG file, compressed by libpng.
std::string encode_png(const PaletteImage& image);

// An image read back from PNG bytes as RGB pixels (for tests and screenshots).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};
RgbImage decode_png(const std::string& bytes);

}  // namespace tessadro
