#include "run/run_parameters.hpp"

#include <charconv>
#include <cmath>

#include "text/free_form.hpp"
#include "text/run_error.hpp"
#include "text/units.hpp"

namespace tessadro {
namespace {

std::string shortest(float v) {
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v);
    return {text, r.ptr};
}

// A cell of no width would put every point off the grid (or divide by zero)
// and the run would still report success.
bool usable_cell_size(float size) { return std::isfinite(size) && size > 0.0f; }

}  // namespace

Grid read_run_parameters(const std::string& path, RecordListener* listener) {
    InputFile file(path, unit::parameters, Reading::held, listener);
    Grid grid;
    read_required(file, {grid.nrow, grid.ncol});
    read_required(file, {grid.delx, grid.dely});
    if (!usable_cell_size(grid.delx) || !usable_cell_size(grid.dely)) {
        throw RunError(file.location(), "Cell size must be positive: delx = " + shortest(grid.delx) +
                                            ", dely = " + shortest(grid.dely) + " in '" + path + "'");
    }
    read_required(file, {grid.xorigin, grid.yorigin});
    return grid;
}

}  // namespace tessadro
