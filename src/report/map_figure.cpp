#include "report/map_figure.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <span>

#include "report/base64.hpp"
#include "report/html_text.hpp"
#include "report/numbers.hpp"
#include "report/report_limits.hpp"

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
// The rings of rejected records, and of amounts placed from outside the grid.
constexpr Rgb red{228, 26, 28};
constexpr Rgb blue{55, 126, 184};

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

// Round tick positions within [low, high]: about four of them, never more
// than eleven, whatever the numbers (a span too small to show beside the
// corner's coordinate gives fewer, as the positions stop growing).
std::vector<double> ticks(double low, double high) {
    const double span = high - low;
    if (!(span > 0.0) || !std::isfinite(span)) return {};
    const double raw = span / 4.0;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade;
    for (double s : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = s * decade;
        if (step >= raw) break;
    }
    std::vector<double> out;
    const double first = std::ceil(low / step) * step;
    for (int k = 0; k <= 10; ++k) {
        const double t = first + step * k;
        if (!(t <= high + step * 1e-9) || (!out.empty() && t <= out.back())) break;
        out.push_back(t);
    }
    return out;
}

// Coordinates beyond a billion feet (190,000 miles) lie outside any map
// projection of the Earth; their labels would be long strings of digits.
constexpr double farthest_coordinate = 1e9;

bool usable_size(float size) { return std::isfinite(size) && size > 0.0f; }

bool usable_coordinate(double v) { return std::isfinite(v) && std::fabs(v) <= farthest_coordinate; }

// Where a map's image and axes go in its figure.
struct Frame {
    double w, h;  // the image in pixels
    bool axes;
};

// The image fills a box width_px wide and 1.5 times as high, with the aspect
// of the grid's cells, or square cells when their size is no usable number.
Frame frame_of(const Grid& grid, int width_px) {
    const MapScale scale = map_scale(grid);
    const double width = static_cast<double>(grid.ncol) * (scale.to_scale ? grid.delx : 1.0);
    const double height = static_cast<double>(grid.nrow) * (scale.to_scale ? grid.dely : 1.0);
    const double box_w = width_px, box_h = 1.5 * width_px;
    const double fit = std::min(box_w / width, box_h / height);
    return Frame{std::clamp(width * fit, 1.0, box_w), std::clamp(height * fit, 1.0, box_h), scale.axes};
}

std::string figure_start(const MapData& map) {
    return "<figure class=\"map\" id=\"" + html_escaped(map.id) + "\"><figcaption>" + html_escaped(map.title) +
           "</figcaption>";
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

MapScale map_scale(const Grid& grid) {
    MapScale scale;
    scale.to_scale = usable_size(grid.delx) && usable_size(grid.dely);
    const double x0 = grid.xorigin, y0 = grid.yorigin;
    scale.axes = scale.to_scale && usable_coordinate(x0) && usable_coordinate(y0) &&
                 usable_coordinate(x0 + static_cast<double>(grid.ncol) * grid.delx) &&
                 usable_coordinate(y0 + static_cast<double>(grid.nrow) * grid.dely);
    return scale;
}

std::string unmappable(const Grid& grid, std::size_t cells) {
    const std::string size = std::to_string(grid.nrow) + " rows and " + std::to_string(grid.ncol) + " columns";
    if (grid.nrow < 1 || grid.ncol < 1) return "the grid has " + size;
    if (grid.nrow > largest_map_side || grid.ncol > largest_map_side) {
        return "the grid has " + size + ", more than the " + std::to_string(largest_map_side) +
               " a side that the maps draw";
    }
    if (cells != static_cast<std::size_t>(grid.nrow) * static_cast<std::size_t>(grid.ncol)) {
        return "the activity grid does not hold one code for each of the grid's " + size;
    }
    return "";
}

std::string map_svg(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                    const ClassBreaks& breaks, int width_px) {
    std::string trouble = unmappable(grid, ibound.size());
    if (trouble.empty() && (map.values.size() != ibound.size() || map.unreadable.size() != ibound.size())) {
        trouble = "its array does not hold one value for each cell of the grid";
    }
    if (!trouble.empty()) {
        return figure_start(map) + "<p class=\"not-drawn\">This map cannot be drawn: " + html_escaped(trouble) +
               ".</p></figure>\n";
    }
    const Frame frame = frame_of(grid, width_px);
    const double w = frame.w, h = frame.h;
    const double width_ft = static_cast<double>(grid.ncol) * grid.delx;
    const double height_ft = static_cast<double>(grid.nrow) * grid.dely;
    const double left = 62.0, top = 8.0, bottom = 34.0, legend_w = 130.0;
    const double total_w = left + w + 12.0 + legend_w;
    const int classes = static_cast<int>(breaks.limits.size());
    const std::vector<Rgb> palette = map_palette(classes);
    const bool capped = map.marks.size() > marks_on_map;
    const double legend_h = 16.0 + 18.0 * (classes + 5 + (capped ? 1 : 0) + (map.edge_marks.empty() ? 0 : 1));
    const double total_h = std::max(top + h + bottom, top + legend_h);

    std::string svg = figure_start(map);
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
    for (double t : frame.axes ? ticks(x0, x0 + width_ft) : std::vector<double>{}) {
        const double at = left + (t - x0) / width_ft * w;
        svg += "<line x1=\"" + px(at) + "\" y1=\"" + px(top + h) + "\" x2=\"" + px(at) + "\" y2=\"" +
               px(top + h + 4) + "\" stroke=\"#444\"/><text x=\"" + px(at) + "\" y=\"" + px(top + h + 15) +
               "\" text-anchor=\"middle\">" + grouped_text(t, 0) + "</text>";
    }
    if (frame.axes) {
        svg += "<text x=\"" + px(left + w / 2) + "\" y=\"" + px(top + h + 29) +
               "\" text-anchor=\"middle\">x (ft)</text>";
    }
    for (double t : frame.axes ? ticks(y0, y0 + height_ft) : std::vector<double>{}) {
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
    // All marks of a kind as one path of circles, two arcs each: a full year
    // marks thousands of cells. A halo, a white ring under the coloured one,
    // sets it off from cells of any colour.
    auto rings = [&](std::span<const Cell> cells, const std::string& attributes, Rgb colour, bool halo = false) {
        std::string path;
        const std::string r = px(radius), d = px(2 * radius);
        for (const Cell& c : cells) {
            path.append("M").append(px(left + (c.column - 0.5) * cw - radius)).append(" ");
            path.append(px(top + (c.row - 0.5) * ch)).append("a").append(r).append(" ").append(r);
            path.append(" 0 1 0 ").append(d).append(" 0a").append(r).append(" ").append(r);
            path.append(" 0 1 0 -").append(d).append(" 0");
        }
        if (halo) svg += "<path fill=\"none\" stroke=\"#fff\" stroke-width=\"3\" d=\"" + path + "\"/>";
        svg += "<path " + attributes + " fill=\"none\" stroke=\"" + hex(colour) + "\" stroke-width=\"" + ring +
               "\" d=\"" + path + "\"/>";
    };
    // At most marks_on_map rejected records, so that the page stays bounded;
    // the legend counts the others. The edge cells are bounded by the grid.
    const std::size_t drawn = std::min(map.marks.size(), marks_on_map);
    if (drawn > 0) {
        rings(std::span(map.marks).first(drawn),
              "class=\"marks\" data-count=\"" + std::to_string(drawn) + "\" data-not-marked=\"" +
                  std::to_string(map.marks.size() - drawn) + "\"",
              red);
    }
    if (!map.edge_marks.empty()) {
        rings(map.edge_marks, "class=\"edge-marks\" data-count=\"" + std::to_string(map.edge_marks.size()) + "\"",
              blue, true);
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
    auto ring_entry = [&](Rgb colour, const char* label) {
        svg += "<circle cx=\"" + px(lx + 7) + "\" cy=\"" + px(ly + 6) + "\" r=\"5\" fill=\"none\" stroke=\"" +
               hex(colour) + "\" stroke-width=\"1.5\"/><text x=\"" + px(lx + 19) + "\" y=\"" + px(ly + 10) + "\">" +
               label + "</text>";
        ly += 18.0;
    };
    if (!map.marks.empty()) ring_entry(red, "rejected record");
    if (!map.edge_marks.empty()) ring_entry(blue, "placed from outside");
    if (capped) {
        svg += "<text class=\"not-marked\" x=\"" + px(lx) + "\" y=\"" + px(ly + 10) + "\">" +
               grouped_text(static_cast<double>(map.marks.size() - drawn), 0) + " more cells not marked</text>";
    }
    svg += "</svg></figure>\n";
    return svg;
}

}  // namespace tessadro
