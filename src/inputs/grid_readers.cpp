#include "inputs/grid_readers.hpp"

#include <algorithm>
#include <vector>

#include "model/static_files.hpp"
#include "text/fixed_field.hpp"
#include "text/units.hpp"

namespace tessadro {
namespace {

// Two characters a cell, 326 cells a record; a longer row continues on the
// next record.
void read_grid(InputFile& file, const Grid& grid, Table<std::int32_t, 2>& table) {
    static const Format row_format("(326i2)");
    // A row wider than the table stops at its first column beyond it, so no
    // more than that column is ever read (an absurd column count must not
    // ask for an absurd buffer).
    const std::int32_t widest = std::min(grid.ncol, table.extent(0) + 1);
    const std::size_t columns = widest > 0 ? static_cast<std::size_t>(widest) : 0;
    std::vector<std::int32_t> values(columns);
    std::vector<Target> targets;
    targets.reserve(columns);
    for (std::int32_t& value : values) targets.emplace_back(value);
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        read_fixed(file, row_format, targets);
        for (std::int32_t j = 1; j <= widest; ++j) table(j, i) = values[static_cast<std::size_t>(j - 1)];
    }
}

}  // namespace

void read_model_grids(const RunText& text, const Grid& grid, Table<std::int32_t, 2>& ibound,
                      Table<std::int32_t, 2>& icty) {
    write_list(console(), {"..reading ibound"});
    {
        InputFile file(text.static_path(activity_grid_file), unit::static_table, Reading::held, text.listener);
        read_grid(file, grid, ibound);
    }
    write_list(console(), {"..reading county flags"});
    InputFile file(text.static_path(county_grid_file), unit::static_table, Reading::held, text.listener);
    read_required(file, {});  // header record, never interpreted
    read_grid(file, grid, icty);
}

}  // namespace tessadro
