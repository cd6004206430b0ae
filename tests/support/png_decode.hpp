// PNG bytes read back as RGB pixels: the report's map images and the
// browser's screenshots, checked pixel by pixel.
#pragma once

#include <string>
#include <vector>

#include "report/png_image.hpp"

namespace tessadro::test {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Any PNG as 8-bit RGB: palettes expanded, alpha dropped. Throws
// std::runtime_error on bytes that are no PNG.
RgbImage decode_png(const std::string& bytes);

}  // namespace tessadro::test
