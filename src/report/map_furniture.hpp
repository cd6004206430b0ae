#pragma once

#include <string>

namespace tessadro {

// A scale bar for a map the given number of feet wide: a round length of
// about a quarter of the map at most (1, 2 or 5 times a power of ten), in
// miles when the map spans four miles or more, else in feet, and its label in
// both units ("10 mi = 52,800 ft", "500 ft = 0.0947 mi"). A width that is no
// positive number up to a billion feet gives no bar (length 0).
struct ScaleBar {
    double feet = 0.0;
    std::string label;
};
ScaleBar scale_bar(double map_feet);

// The scale bar drawn from (x, y) to the right, px_per_foot pixels a foot:
// two halves, dark and light, and its label after it.
std::string scale_bar_svg(const ScaleBar& bar, double x, double y, double px_per_foot);

// About how many pixels the scale bar and its label take from its left end.
double scale_bar_width(const ScaleBar& bar, double px_per_foot);

// A north arrow with its tip at (x, y), "N" below it: the grid's rows run
// from north to south, so north is up on every map.
std::string north_arrow_svg(double x, double y);

}  // namespace tessadro
