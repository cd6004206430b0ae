#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/grid_geometry.hpp"
#include "report/class_breaks.hpp"
#include "report/png_image.hpp"

namespace tessadro {

// One map of a cell array: values by cell (north row first), the cells whose
// field the model cannot read, the cells of rejected records to mark, and the
// edge cells that hold amounts of points outside the grid.
struct MapData {
    std::string id;     // the figure's element id, "map-2010.05.pmp"
    std::string title;
    std::string unit;
    std::vector<double> values;
    std::vector<bool> unreadable;
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
// activity codes and the map's values and flags hold one entry a cell.
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
// bar and a north arrow; the outline of the constant-head cells (drawn from
// the page's constant_head_definition); marks of rejected records (at most
// marks_on_map, the others counted in the legend), marks of the edge cells
// and a legend. The image
// carries the grid's rows and columns and the legend's swatches their
// colours, for the page's hover script. A map that cannot be drawn is a
// figure with a sentence that says why.
std::string map_svg(const Grid& grid, const std::vector<std::int32_t>& ibound, const MapData& map,
                    const ClassBreaks& breaks, int width_px);

// A short label for a class limit: grouped whole numbers from 100 up, else
// three significant digits.
std::string limit_text(double value);

}  // namespace tessadro
