#include "report/png_image.hpp"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessadro {
namespace {

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void no_flush(png_structp) {}

// A row of a byte a pixel packed at Depth bits a pixel, the leftmost pixel
// in the high bits of a byte, as the format stores it: libpng then writes the
// rows as they are.
template <int Depth>
void pack_row(const std::uint8_t* pixels, std::vector<png_byte>& row) {
    constexpr std::size_t per_byte = 8 / Depth;
    constexpr unsigned index_bits = (1u << Depth) - 1;
    // Plain pointers, indexed from the row's start: the bytes written may
    // alias anything else, and the compiler then packs several at once.
    png_byte* out = row.data();
    const std::size_t width = row.size(), whole = width / per_byte;
    for (std::size_t at = 0; at < whole; ++at) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < per_byte; ++k) byte = byte << Depth | (pixels[at * per_byte + k] & index_bits);
        out[at] = static_cast<png_byte>(byte);
    }
    if (const std::size_t rest = width % per_byte; rest > 0) {
        pixels += whole * per_byte;
        unsigned byte = 0;
        for (std::size_t k = 0; k < per_byte; ++k) byte = byte << Depth | (k < rest ? pixels[k] & index_bits : 0u);
        out[whole] = static_cast<png_byte>(byte);
    }
}

void pack_row(const std::uint8_t* pixels, int depth, std::vector<png_byte>& row) {
    switch (depth) {
        case 1: return pack_row<1>(pixels, row);
        case 2: return pack_row<2>(pixels, row);
        case 4: return pack_row<4>(pixels, row);
        default: std::copy(pixels, pixels + row.size(), row.begin());
    }
}

// The image through libpng into out, a row at a time through row (a byte a
// pixel wide). Everything that lives across libpng's calls is made before the
// jump point, which libpng's error path returns to.
void write_png(const PaletteImage& image, const std::vector<png_color>& colours, std::vector<png_byte>& row,
               std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(png, &out, append_bytes, no_flush);
    // As few bits a pixel as the palette needs (a map's 13 colours take 4):
    // deflate then sees two pixels a byte, and a map of scattered classes
    // takes about a third less.
    const int depth = colours.size() <= 2 ? 1 : colours.size() <= 4 ? 2 : colours.size() <= 16 ? 4 : 8;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), depth,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    // Maps are runs of a few indexes: no row filter, full compression.
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_compression_level(png, 6);
    // The pixels index the palette, as a PaletteImage holds them: libpng need
    // not check every pixel of every row against it once more.
    png_set_check_for_invalid_index(png, 0);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        pack_row(image.pixels.data() + static_cast<std::size_t>(y) * row.size(), depth, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

}  // namespace

std::string encode_png(const PaletteImage& image) {
    if (image.palette.empty() || image.palette.size() > 256) throw std::runtime_error("PNG palette size");
    // A PNG holds at least one pixel; libpng would fail without a reason.
    if (image.width < 1 || image.height < 1 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        throw std::runtime_error("PNG image of " + std::to_string(image.width) + " x " +
                                 std::to_string(image.height) + " pixels");
    }
    std::string out;
    std::vector<png_color> colours;
    for (const Rgb& c : image.palette) colours.push_back(png_color{c.r, c.g, c.b});
    std::vector<png_byte> row(static_cast<std::size_t>(image.width));
    write_png(image, colours, row, out);
    return out;
}

}  // namespace tessadro
