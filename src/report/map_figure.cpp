#include "report/map_figure.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>

#include "report/base64.hpp"
#include "report/constant_head.hpp"
#include "report/html_text.hpp"
#include "report/map_furniture.hpp"
#include "report/numbers.hpp"
#include "report/report_limits.hpp"
#include "report/written_value.hpp"

namespace tessadro {
namespace {

// Nine sequential colours from green to dark violet. The lightest is dark
// enough to stand apart from white (zero), pale blue (zero on a constant-head
// cell) and grey (inactive) at a glance, so that the smallest amounts do not
// pass for none.
constexpr std::array<Rgb, 9> ramp = {{{122, 209, 81},
                                      {72, 193, 110},
                                      {40, 174, 128},
                                      {31, 155, 138},
                                      {37, 133, 142},
                                      {46, 111, 142},
                                      {57, 86, 140},
                                      {67, 62, 133},
                                      {72, 36, 117}}};
constexpr Rgb grey{176, 176, 176};
constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};
constexpr Rgb magenta{214, 39, 140};
constexpr Rgb pale_blue{196, 222, 246};
// The outline of the constant-head cells, and the cell a pointer picks.
constexpr Rgb river_blue{24, 84, 204};
// The rings of rejected records.
constexpr Rgb red{228, 26, 28};
// The rings of amounts placed in edge cells from points outside the grid:
// a colour no class, outline or rejected record uses.
constexpr Rgb orange{255, 127, 0};

std::string hex(Rgb c) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (std::uint8_t v : {c.r, c.g, c.b}) text.append({digits[v >> 4], digits[v & 15]});
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
    bool to_scale;
};

// The image fills a box width_px wide and 1.5 times as high, with the aspect
// of the grid's cells (or square cells when their size is no usable number),
// in whole pixels on the shorter side of a cell and at least
// smallest_cell_side of them, so that one cell can be told from the next on
// any grid. A map larger than the page scrolls inside its own box; cells so
// long and thin that they would stretch it beyond largest_map_pixels get
// narrower.
Frame frame_of(const Grid& grid, int width_px) {
    const MapScale scale = map_scale(grid);
    const double cell_w = scale.to_scale ? grid.delx : 1.0, cell_h = scale.to_scale ? grid.dely : 1.0;
    const double width = static_cast<double>(grid.ncol) * cell_w, height = static_cast<double>(grid.nrow) * cell_h;
    const double shorter = std::min(cell_w, cell_h);
    const double fit = std::min(width_px / width, 1.5 * width_px / height);
    const double side = std::max(smallest_cell_side, std::floor(fit * shorter));
    const double scale_px = std::min({side / shorter, largest_map_pixels / width, largest_map_pixels / height});
    return Frame{std::clamp(width * scale_px, 1.0, largest_map_pixels),
                 std::clamp(height * scale_px, 1.0, largest_map_pixels), scale.axes, scale.to_scale};
}

// A legend line: a swatch of a cell colour, a ring of marked cells, the
// outline of the constant-head cells, or a line of text alone.
struct LegendEntry {
    enum Kind { swatch, ring, outline, text } kind;
    Rgb colour;
    std::string label;
    std::string attributes = {};  // of the text, for those that tests and the hover script read
};

std::string figure_start(const MapData& map) {
    return "<figure class=\"map\" id=\"" + html_escaped(map.id) + "\"><figcaption>" + html_escaped(map.title) +
           "</figcaption>";
}

// The legend's lines: the classes from the largest down, then the special
// cells that the image shows, the outline, the rings, and how many rejected
// records have no ring.
std::vector<LegendEntry> legend_of(const PaletteImage& image, const MapData& map, const ClassBreaks& breaks,
                                   bool outlined, std::size_t not_marked) {
    // The special cells are few or none: a search for each colour.
    auto shown = [&image](std::uint8_t colour) {
        return std::memchr(image.pixels.data(), colour, image.pixels.size()) != nullptr;
    };
    std::vector<LegendEntry> legend;
    for (std::size_t k = breaks.limits.size(); k-- > 0;) {
        const std::string low = k == 0 ? "above 0" : limit_text(breaks.limits[k - 1]);
        legend.push_back(
            {LegendEntry::swatch, image.palette[first_class + k], low + " to " + limit_text(breaks.limits[k])});
    }
    legend.push_back({LegendEntry::swatch, white, "0"});
    if (shown(constant_head_colour)) legend.push_back({LegendEntry::swatch, pale_blue, "0, constant head"});
    if (shown(negative_colour)) legend.push_back({LegendEntry::swatch, magenta, "negative"});
    if (shown(unreadable_colour)) legend.push_back({LegendEntry::swatch, black, "written as ******"});
    legend.push_back({LegendEntry::swatch, grey, "inactive cell"});
    if (outlined) legend.push_back({LegendEntry::outline, river_blue, "constant-head edge"});
    if (!map.marks.empty()) legend.push_back({LegendEntry::ring, red, "rejected record"});
    if (!map.edge_marks.empty()) legend.push_back({LegendEntry::ring, orange, "placed from outside"});
    if (not_marked > 0) {
        legend.push_back({LegendEntry::text, black,
                          grouped_text(static_cast<double>(not_marked), 0) + " more cells not marked",
                          " class=\"not-marked\""});
    }
    return legend;
}

// The legend at (x, y): the map's unit, then a line an entry.
std::string legend_svg(const std::vector<LegendEntry>& legend, const std::string& unit, double x, double y) {
    std::string svg =
        "<text x=\"" + px(x) + "\" y=\"" + px(y + 9) + "\" font-weight=\"bold\">" + html_escaped(unit) + "</text>";
    y += 16.0;
    for (const LegendEntry& e : legend) {
        const std::string colour = hex(e.colour);
        switch (e.kind) {
            case LegendEntry::swatch:
                svg += "<rect class=\"swatch\" x=\"" + px(x) + "\" y=\"" + px(y) +
                       "\" width=\"14\" height=\"12\" fill=\"" + colour + "\" stroke=\"#666\"/>";
                break;
            case LegendEntry::ring:
                svg += "<circle cx=\"" + px(x + 7) + "\" cy=\"" + px(y + 6) + "\" r=\"5\" fill=\"none\" stroke=\"" +
                       colour + "\" stroke-width=\"1.5\"/>";
                break;
            case LegendEntry::outline:
                svg += "<rect x=\"" + px(x) + "\" y=\"" + px(y) +
                       "\" width=\"14\" height=\"12\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/>";
                break;
            case LegendEntry::text:
                break;
        }
        svg += "<text" + e.attributes + " x=\"" + px(e.kind == LegendEntry::text ? x : x + 19) + "\" y=\"" +
               px(y + 10) + "\">" + e.label + "</text>";
        y += 18.0;
    }
    return svg;
}

// Axes in model coordinates, x growing east and y north: ticks, their
// labels and the axis labels, when the frame has axes.
std::string axes_svg(const Grid& grid, const Frame& frame, double left, double top) {
    if (!frame.axes) return "";
    const double w = frame.w, h = frame.h;
    const double x0 = grid.xorigin, y0 = grid.yorigin;
    const double width_ft = static_cast<double>(grid.ncol) * grid.delx;
    const double height_ft = static_cast<double>(grid.nrow) * grid.dely;
    std::string svg;
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
    const std::string mid = px(top + h / 2);
    svg += "<text class=\"y-label\" x=\"14\" y=\"" + mid + "\" transform=\"rotate(-90 14 " + mid +
           ")\" text-anchor=\"middle\">y (ft)</text>";
    return svg;
}

// Six characters hold every value of less than 999 either way: only the rare
// wide values are written out to be sure.
bool written_as_asterisks(float value) { return !(std::fabs(value) < 999.0f) && as_written(value).unreadable; }

// The colour of an active cell (a constant head when held); a positive
// value's class is the number of limits below it, of those that precede the
// largest value's.
template <class Limits>
std::uint8_t cell_colour(double value, bool unreadable, bool held, const Limits& below) {
    if (unreadable) return unreadable_colour;
    if (value < 0.0) return negative_colour;
    if (value > 0.0) {
        int k = first_class;
        for (double limit : below) k += limit < value;
        return static_cast<std::uint8_t>(k);
    }
    return held ? constant_head_colour : zero_colour;
}

// Nine classes have eight limits below the largest value's: as many as that,
// padded with infinities, are searched by halving without a loop's
// bookkeeping.
using PaddedLimits = std::array<double, 8>;

// The number of limits below a positive value, of increasing ones (as the
// classes' limits are): four comparisons and no branch.
unsigned limits_below(double value, const PaddedLimits& below) {
    std::size_t k = below[3] < value ? 4 : 0;
    k += below[k + 1] < value ? 2 : 0;
    k += below[k] < value ? 1 : 0;
    k += below[k] < value ? 1 : 0;
    return static_cast<unsigned>(k);
}

// Every bit set when a value is as wide as 999 (or not a number): the only
// values that may be written as asterisks. A mask rather than a bool, so that
// the compiler can look at several values at once.
template <class Value>
std::uint32_t wide_mask(Value value) {
    return 0u - std::uint32_t{!(std::fabs(value) < Value{999})};
}

// Whether the eight codes from the given one are all 0: inactive cells lie
// in long stretches outside the basin, passed by eight at a time.
bool eight_inactive(const std::int32_t* codes) {
    std::array<std::uint64_t, 4> pairs;
    std::memcpy(pairs.data(), codes, sizeof pairs);
    return (pairs[0] | pairs[1] | pairs[2] | pairs[3]) == 0;
}

// The colours of a run of cells, as cell_colour gives them: inactive cells,
// the most of a grid, are passed by (the pixels start grey), and only
// positive values are classed. Value is one array's float or a season's sum
// in double; asterisks are the caller's to mark, as it knows the arrays:
// every bit set in the result when an active cell has a wide value.
template <class Value>
std::uint32_t colour_run(const Value* values, const std::int32_t* codes, std::uint8_t* pixels, std::size_t cells,
                         const PaddedLimits& below) {
    std::uint32_t wide = 0;
    auto colour = [&](std::size_t c) {
        if (codes[c] == 0) return;
        const Value v = values[c];
        wide |= wide_mask(v);
        if (v > 0) {
            pixels[c] = static_cast<std::uint8_t>(first_class + limits_below(v, below));
        } else {
            pixels[c] = v < 0 ? negative_colour : codes[c] < 0 ? constant_head_colour : zero_colour;
        }
    };
    std::size_t c = 0;
    for (; c + 8 <= cells; c += 8) {
        if (eight_inactive(codes + c)) continue;
        for (std::size_t k = c; k < c + 8; ++k) colour(k);
    }
    for (; c < cells; ++c) colour(c);
    return wide;
}

// The active cells whose value in one of the arrays is written as asterisks.
void mark_unreadable(const MapValues& values, const std::int32_t* codes, std::uint8_t* pixels) {
    for (std::size_t c = 0; c < values.cells; ++c) {
        if (codes[c] != 0 && values.unreadable(c)) pixels[c] = unreadable_colour;
    }
}

// The cells of a season a run at a time, their sums added in a buffer, each
// cell's months in their order as MapValues::at adds them, but only for the
// groups of eight cells that have an active one. Every bit set in the result
// when an active cell has a wide value in one of the months (which the sums
// need not show).
std::uint32_t colour_sums(const MapValues& values, const std::int32_t* codes, std::uint8_t* pixels,
                          const PaddedLimits& below) {
    constexpr std::size_t run = 1024;
    std::array<double, run> sums;
    std::array<std::size_t, run / 8> groups;  // where they start in the run
    std::uint32_t wide = 0;
    for (std::size_t from = 0; from < values.cells; from += run) {
        const std::size_t cells = std::min(run, values.cells - from);
        std::size_t active = 0;
        for (std::size_t g = 0; g < cells; g += 8) {
            if (g + 8 > cells || !eight_inactive(codes + from + g)) groups[active++] = g;
        }
        for (std::size_t k = 0; k < active; ++k) std::fill_n(sums.data() + groups[k], 8, 0.0);
        for (const std::span<const float>& a : values.arrays) {
            const float* month = a.data() + from;
            for (std::size_t k = 0; k < active; ++k) {
                for (std::size_t c = groups[k]; c < std::min(cells, groups[k] + 8); ++c) {
                    sums[c] += month[c];
                    wide |= wide_mask(month[c]);
                }
            }
        }
        colour_run(sums.data(), codes + from, pixels + from, cells, below);
    }
    return wide;
}

}  // namespace

std::vector<Rgb> map_palette(int classes) {
    std::vector<Rgb> palette = {grey, white, black, magenta, pale_blue};
    for (int k = 0; k < classes; ++k) {
        const int at = classes == 1 ? 8 : static_cast<int>(std::lround(8.0 * k / (classes - 1)));
        palette.push_back(ramp[static_cast<std::size_t>(at)]);
    }
    return palette;
}

bool MapValues::unreadable(std::size_t c) const {
    for (const std::span<const float>& a : arrays) {
        if (written_as_asterisks(a[c])) return true;
    }
    return false;
}

PaletteImage map_image(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                       const ClassBreaks& breaks) {
    PaletteImage image;
    image.width = grid.ncol;
    image.height = grid.nrow;
    image.palette = map_palette(static_cast<int>(breaks.limits.size()));
    image.pixels.assign(map.values.cells, inactive_colour);
    const std::span<const double> below(breaks.limits.data(), breaks.limits.empty() ? 0 : breaks.limits.size() - 1);
    PaddedLimits padded;
    if (below.size() > padded.size()) {
        for (std::size_t c = 0; c < map.values.cells; ++c) {
            if (ibound[c] == 0) continue;
            image.pixels[c] = cell_colour(map.values.at(c), map.values.unreadable(c), ibound[c] < 0, below);
        }
        return image;
    }
    padded.fill(std::numeric_limits<double>::infinity());
    std::copy(below.begin(), below.end(), padded.begin());
    std::uint32_t wide = 0;
    if (map.values.arrays.size() == 1) {
        wide = colour_run(map.values.arrays.front().data(), ibound.data(), image.pixels.data(), map.values.cells,
                          padded);
    } else {
        wide = colour_sums(map.values, ibound.data(), image.pixels.data(), padded);
    }
    if (wide != 0) mark_unreadable(map.values, ibound.data(), image.pixels.data());
    return image;
}

std::string limit_text(double value) {
    if (std::fabs(value) >= 100.0) return grouped_text(value, 0);
    char text[32];
    // As printf's %.3g: three significant digits, an exponent beyond them.
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 3).ptr;
    return std::string(text, end);
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
                    const ClassBreaks& breaks, int width_px, bool outlined) {
    std::string trouble = unmappable(grid, ibound.size());
    if (trouble.empty() && map.values.cells != ibound.size()) {
        trouble = "its array does not hold one value for each cell of the grid";
    }
    if (!trouble.empty()) {
        return figure_start(map) + "<p class=\"not-drawn\">This map cannot be drawn: " + html_escaped(trouble) +
               ".</p></figure>\n";
    }
    const Frame frame = frame_of(grid, width_px);
    const double w = frame.w, h = frame.h;
    const double width_ft = static_cast<double>(grid.ncol) * grid.delx;
    // The left margin holds the y tick labels and the y label; the bottom
    // one the x tick labels, the x label and the scale bar.
    const double left = 78.0, top = 8.0, bottom = 56.0, legend_w = 130.0;
    const PaletteImage image = map_image(grid, ibound, map, breaks);
    const std::size_t drawn = std::min(map.marks.size(), marks_on_map);
    const std::vector<LegendEntry> legend = legend_of(image, map, breaks, outlined, map.marks.size() - drawn);
    const ScaleBar bar = frame.to_scale ? scale_bar(width_ft) : ScaleBar{};
    const double total_w = std::max(left + w + 12.0 + legend_w, left + scale_bar_width(bar, w / width_ft) + 8.0);
    const double legend_h = 16.0 + 18.0 * static_cast<double>(legend.size());
    const double total_h = std::max(top + h + bottom, top + legend_h);

    std::string svg = figure_start(map);
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(total_w) + "\" height=\"" + px(total_h) +
           "\" font-family=\"sans-serif\" font-size=\"10\">";
    svg += "<image class=\"cells\" data-rows=\"" + std::to_string(grid.nrow) + "\" data-columns=\"" +
           std::to_string(grid.ncol) + "\" data-unit=\"" + html_escaped(map.unit) + "\" x=\"" + px(left) +
           "\" y=\"" + px(top) + "\" width=\"" + px(w) + "\" height=\"" + px(h) +
           "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" href=\"data:image/png;base64,";
    append_base64(svg, encode_png(image));
    svg += "\"/>";
    svg += "<rect x=\"" + px(left) + "\" y=\"" + px(top) + "\" width=\"" + px(w) + "\" height=\"" + px(h) +
           "\" fill=\"none\" stroke=\"#444\"/>";
    const double cw = w / grid.ncol, ch = h / grid.nrow;
    if (outlined) {
        svg += "<use class=\"constant-head\" href=\"#" + std::string(constant_head_id) + "\" transform=\"translate(" +
               px(left) + " " + px(top) + ") scale(" + std::to_string(cw) + " " + std::to_string(ch) +
               ")\" stroke=\"" + hex(river_blue) + "\" stroke-width=\"1\" pointer-events=\"none\"/>";
    }
    svg += axes_svg(grid, frame, left, top);
    svg += scale_bar_svg(bar, left, top + h + 42.0, w / width_ft);
    svg += north_arrow_svg(left + w + 12.0 + legend_w - 7.0, top);
    // Rejected records that have a cell.
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
        if (halo) {
            svg += "<path fill=\"none\" stroke=\"#fff\" stroke-width=\"3\" pointer-events=\"none\" d=\"" + path +
                   "\"/>";
        }
        svg += "<path " + attributes + " fill=\"none\" stroke=\"" + hex(colour) + "\" stroke-width=\"" + ring +
               "\" pointer-events=\"none\" d=\"" + path + "\"/>";
    };
    // At most marks_on_map rejected records, so that the page stays bounded;
    // the legend counts the others. The edge cells are bounded by the grid.
    if (drawn > 0) {
        rings(std::span(map.marks).first(drawn),
              "class=\"marks\" data-count=\"" + std::to_string(drawn) + "\" data-not-marked=\"" +
                  std::to_string(map.marks.size() - drawn) + "\"",
              red);
    }
    if (!map.edge_marks.empty()) {
        rings(map.edge_marks, "class=\"edge-marks\" data-count=\"" + std::to_string(map.edge_marks.size()) + "\"",
              orange, true);
    }
    svg += legend_svg(legend, map.unit, left + w + 12.0, top);
    svg += "</svg></figure>\n";
    return svg;
}

}  // namespace tessadro
