#include "report/map_figure.hpp"

#include <array>
#include <cmath>
#include <cstdio>

#include "report/base64.hpp"
#include "report/html_text.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

// Nine sequential colours from light yellow-green to dark violet, all far
// enough from white (zero) and grey (inactive) to tell apart.
constexpr std::array<Rgb, 9> ramp = {{{253, 231, 37},
                                      {181, 222, 43},
                                      {110, 206, 88},
                                      {53, 183, 121},
                                      {31, 158, 137},
                                      {38, 130, 142},
                                      {49, 104, 142},
                                      {62, 73, 137},
                                      {72, 40, 120}}};
constexpr Rgb grey{176, 176, 176};
constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};
constexpr Rgb magenta{214, 39, 140};

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string px(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Round tick positions within [low, high]: about four of them.
std::vector<double> ticks(double low, double high) {
    const double span = high - low;
    if (!(span > 0.0)) return {low};
    const double raw = span / 4.0;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade;
    for (double s : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = s * decade;
        if (step >= raw) break;
    }
    std::vector<double> out;
    for (double t = std::ceil(low / step) * step; t <= high + step * 1e-9; t += step) out.push_back(t);
    return out;
}

}  // namespace

std::vector<Rgb> map_palette(int classes) {
    std::vector<Rgb> palette = {grey, white, black, magenta};
    for (int k = 0; k < classes; ++k) {
        const int at = classes == 1 ? 8 : static_cast<int>(std::lround(8.0 * k / (classes - 1)));
        palette.push_back(ramp[static_cast<std::size_t>(at)]);
    }
    return palette;
}

PaletteImage map_image(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                       const ClassBreaks& breaks) {
    PaletteImage image;
    image.width = grid.ncol;
    image.height = grid.nrow;
    image.palette = map_palette(static_cast<int>(breaks.limits.size()));
    image.pixels.resize(map.values.size());
    for (std::size_t c = 0; c < map.values.size(); ++c) {
        const double v = map.values[c];
        std::uint8_t colour = zero_colour;
        if (ibound[c] == 0) colour = inactive_colour;
        else if (map.unreadable[c]) colour = unreadable_colour;
        else if (v < 0.0) colour = negative_colour;
        else if (v > 0.0) colour = static_cast<std::uint8_t>(first_class + breaks.class_of(v));
        image.pixels[c] = colour;
    }
    return image;
}

std::string limit_text(double value) {
    if (std::fabs(value) >= 100.0) return grouped_text(value, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::string map_svg(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                    const ClassBreaks& breaks, int width_px) {
    const double width_ft = static_cast<double>(grid.ncol) * grid.delx;
    const double height_ft = static_cast<double>(grid.nrow) * grid.dely;
    const double w = width_px;
    const double h = width_ft > 0.0 ? w * height_ft / width_ft : w;
    const double left = 62.0, top = 8.0, bottom = 34.0, legend_w = 130.0;
    const double total_w = left + w + 12.0 + legend_w;
    const int classes = static_cast<int>(breaks.limits.size());
    const std::vector<Rgb> palette = map_palette(classes);
    const double legend_h = 16.0 + 18.0 * (classes + 5);
    const double total_h = std::max(top + h + bottom, top + legend_h);

    std::string svg = "<figure class=\"map\" id=\"" + html_escaped(map.id) + "\"><figcaption>" +
                      html_escaped(map.title) + "</figcaption>";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(total_w) + "\" height=\"" + px(total_h) +
           "\" font-family=\"sans-serif\" font-size=\"10\">";
    const std::string png = base64(encode_png(map_image(grid, ibound, map, breaks)));
    svg += "<image x=\"" + px(left) + "\" y=\"" + px(top) + "\" width=\"" + px(w) + "\" height=\"" + px(h) +
           "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" href=\"data:image/png;base64," +
           png + "\"/>";
    svg += "<rect x=\"" + px(left) + "\" y=\"" + px(top) + "\" width=\"" + px(w) + "\" height=\"" + px(h) +
           "\" fill=\"none\" stroke=\"#444\"/>";
    // Axes in model coordinates: x grows east, y north.
    const double x0 = grid.xorigin, y0 = grid.yorigin;
    for (double t : ticks(x0, x0 + width_ft)) {
        const double at = left + (t - x0) / width_ft * w;
        svg += "<line x1=\"" + px(at) + "\" y1=\"" + px(top + h) + "\" x2=\"" + px(at) + "\" y2=\"" +
               px(top + h + 4) + "\" stroke=\"#444\"/><text x=\"" + px(at) + "\" y=\"" + px(top + h + 15) +
               "\" text-anchor=\"middle\">" + grouped_text(t, 0) + "</text>";
    }
    svg += "<text x=\"" + px(left + w / 2) + "\" y=\"" + px(top + h + 29) + "\" text-anchor=\"middle\">x (ft)</text>";
    for (double t : ticks(y0, y0 + height_ft)) {
        const double at = top + h - (t - y0) / height_ft * h;
        svg += "<line x1=\"" + px(left - 4) + "\" y1=\"" + px(at) + "\" x2=\"" + px(left) + "\" y2=\"" + px(at) +
               "\" stroke=\"#444\"/><text x=\"" + px(left - 6) + "\" y=\"" + px(at + 3) +
               "\" text-anchor=\"end\">" + grouped_text(t, 0) + "</text>";
    }
    // Rejected records that have a cell.
    const double cw = w / grid.ncol, ch = h / grid.nrow;
    // Small rings on a dense grid, so that a row of rejected wells along the
    // edge of the active area does not hide the cells beside it.
    const double radius = std::max(2.0, std::min(cw, ch) * 0.45);
    const char* ring = std::min(cw, ch) < 4.0 ? "0.8" : "1.5";
    // All marks as one path of circles, two arcs each: a full year marks
    // thousands of cells.
    if (!map.marks.empty()) {
        svg += "<path class=\"marks\" data-count=\"" + std::to_string(map.marks.size()) +
               "\" fill=\"none\" stroke=\"#e41a1c\" stroke-width=\"" + ring + "\" d=\"";
        const std::string r = px(radius), d = px(2 * radius);
        for (const Cell& c : map.marks) {
            svg.append("M").append(px(left + (c.column - 0.5) * cw - radius)).append(" ");
            svg.append(px(top + (c.row - 0.5) * ch)).append("a").append(r).append(" ").append(r);
            svg.append(" 0 1 0 ").append(d).append(" 0a").append(r).append(" ").append(r);
            svg.append(" 0 1 0 -").append(d).append(" 0");
        }
        svg += "\"/>";
    }
    // Legend: the classes from the largest down, then the special cells.
    double ly = top;
    const double lx = left + w + 12.0;
    auto entry = [&](Rgb colour, const std::string& label) {
        svg += "<rect x=\"" + px(lx) + "\" y=\"" + px(ly) + "\" width=\"14\" height=\"12\" fill=\"" + hex(colour) +
               "\" stroke=\"#666\"/><text x=\"" + px(lx + 19) + "\" y=\"" + px(ly + 10) + "\">" + label + "</text>";
        ly += 18.0;
    };
    svg += "<text x=\"" + px(lx) + "\" y=\"" + px(ly + 9) + "\" font-weight=\"bold\">" + html_escaped(map.unit) +
           "</text>";
    ly += 16.0;
    for (int k = classes - 1; k >= 0; --k) {
        const double low = k == 0 ? 0.0 : breaks.limits[static_cast<std::size_t>(k - 1)];
        const std::string label = (k == 0 ? "above 0" : limit_text(low)) + " to " +
                                  limit_text(breaks.limits[static_cast<std::size_t>(k)]);
        entry(palette[first_class + static_cast<std::size_t>(k)], label);
    }
    entry(white, "0");
    bool negative = false, unreadable = false;
    for (std::size_t c = 0; c < map.values.size(); ++c) {
        if (ibound[c] == 0) continue;
        negative = negative || (map.values[c] < 0.0 && !map.unreadable[c]);
        unreadable = unreadable || map.unreadable[c];
    }
    if (negative) entry(magenta, "negative");
    if (unreadable) entry(black, "written as ******");
    entry(grey, "inactive cell");
    if (!map.marks.empty()) {
        svg += "<circle cx=\"" + px(lx + 7) + "\" cy=\"" + px(ly + 6) +
               "\" r=\"5\" fill=\"none\" stroke=\"#e41a1c\" stroke-width=\"1.5\"/><text x=\"" + px(lx + 19) +
               "\" y=\"" + px(ly + 10) + "\">rejected record</text>";
    }
    svg += "</svg></figure>\n";
    return svg;
}

}  // namespace tessadro
