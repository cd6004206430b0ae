#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/grid_geometry.hpp"
#include "report/class_breaks.hpp"
#include "report/png_image.hpp"

namespace tessadro {

// The values of a map by cell, north row first, read where the report keeps
// them rather than copied: one array's 4-byte values, or the sum in double of
// several in their order (a season of monthly arrays; none gives zeros). A
// cell is unreadable when one of the arrays writes it as asterisks.
struct MapValues {
    std::size_t cells = 0;
    std::vector<std::span<const float>> arrays;  // each of `cells` values

    double at(std::size_t c) const {
        if (arrays.size() == 1) return arrays.front()[c];
        double sum = 0.0;
        for (const std::span<const float>& a : arrays) sum += a[c];
        return sum;
    }
    bool unreadable(std::size_t c) const;
};

// One map of a cell array: its values, the cells of rejected records to
// mark, and the edge cells that hold amounts of points outside the grid.
struct MapData {
    std::string id;     // the figure's element id, "map-2010.05.pmp"
    std::string title;
    std::string unit;
    MapValues values;
    std::vector<Cell> marks;
    std::vector<Cell> edge_marks = {};  // in column or row 1: at most a row and a column of them
};

// Palette indexes of the map images. The classes follow after the special
// cells, lightest first.
enum MapColour : std::uint8_t {
    inactive_colour,
    zero_colour,
    unreadable_colour,
    negative_colour,
    constant_head_colour,  // zero on a cell of a negative activity code
    first_class
};

// The colours of a map with the given number of classes.
std::vector<Rgb> map_palette(int classes);

// One pixel a cell, north row at the top: inactive cells grey, zero white
// (pale blue on a constant-head cell), unreadable black, negative values
// their own colour, others by class. The
// activity codes and the map's values hold one entry a cell.
PaletteImage map_image(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                       const ClassBreaks& breaks);

// How the maps of a grid are drawn: to the scale of its cells when their
// size is positive and finite (else with square cells), and with axes in model
// coordinates when, besides, the grid's edges lie within a billion feet.
struct MapScale {
    bool to_scale = true;
    bool axes = true;
};
MapScale map_scale(const Grid& grid);

// Why no map of a grid with the given number of activity codes can be drawn
// ("the grid has 0 rows and 5 columns"), or "" when they can.
std::string unmappable(const Grid& grid, std::size_t cells);

// The map as an inline SVG figure: the image scaled into a box width_px wide
// and 1.5 times as high with the aspect of the grid's cells, but at least
// smallest_cell_side pixels a cell side; axes in model coordinates, a scale
// bar and a north arrow; the outline of the constant-head cells when
// outlined (drawn from the page's constant_head_definition); marks of
// rejected records (at most marks_on_map, the others counted in the legend),
// marks of the edge cells and a legend. The image
// carries the grid's rows and columns and the legend's swatches their
// colours, for the page's hover script. A map that cannot be drawn is a
// figure with a sentence that says why.
std::string map_svg(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                    const ClassBreaks& breaks, int width_px, bool outlined);

// A short label for a class limit: grouped whole numbers from 100 up, else
// three significant digits.
std::string limit_text(double value);

}  // namespace tessadro
