#include "support/png_decode.hpp"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

namespace tessadro::test {
namespace {

struct ReadSource {
    const std::string* bytes;
    std::size_t at;
};

void read_bytes(png_structp png, png_bytep data, png_size_t length) {
    auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (source->at + length > source->bytes->size()) png_error(png, "PNG data end early");
    std::memcpy(data, source->bytes->data() + source->at, length);
    source->at += length;
}

}  // namespace

RgbImage decode_png(const std::string& bytes) {
    RgbImage image;
    std::vector<std::uint8_t> row;
    ReadSource source{&bytes, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("PNG decoding failed");
    }
    png_set_read_fn(png, &source, read_bytes);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    row.resize(png_get_rowbytes(png, info));
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(x) * 3;
            const std::size_t pixel = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                                      static_cast<std::size_t>(x);
            image.pixels[pixel] = Rgb{row[at], row[at + 1], row[at + 2]};
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

}  // namespace tessadro::test
