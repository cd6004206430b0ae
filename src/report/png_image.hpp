#pragma once

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
    std::vector<std::uint8_t> pixels;  // width * height indexes into the palette, each below its size
    std::vector<Rgb> palette;          // at most 256 colours
};

// The image as the bytes of a palette PNG file, compressed by libpng.
std::string encode_png(const PaletteImage& image);

}  // namespace tessadro
