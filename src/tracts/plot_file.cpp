#include "tracts/plot_file.hpp"

#include "model/year_files.hpp"
#include "text/free_form.hpp"
#include "text/repeated_record.hpp"
#include "text/units.hpp"

namespace tessadro {

void write_plot_file(const Grid& grid, const Table<std::int32_t, 2>& ibound, const Table<float, 2>& values,
                     const std::string& path) {
    OutputFile file(path, unit::plot);
    // Along a grid row the centre's y and the row stay: only the other items
    // are formatted again.
    constexpr Item::Kind r = Item::Kind::real;
    constexpr Item::Kind n = Item::Kind::integer;
    RepeatedRecord point({r, r, r, n, n, n});
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) {
            const float value = values(j, i);
            if (ibound(j, i) == 0 || !(value > 0.0f)) continue;
            point.set(0, centre_x(grid, j));
            point.set(1, centre_y(grid, i));
            point.set(2, value);
            point.set(3, i);
            point.set(4, j);
            point.set(5, cell_number(i, j, grid.ncol));
            point.write(file);
        }
    }
    file.close();
}

void write_distribution_plots(const RunText& text, const Grid& grid, const CellGrids& grids) {
    write_list(console(), {"..writing plot files"});
    const std::string& year = text.chyear;
    write_plot_file(grid, grids.ibound, grids.pump, text.out_path(plot_file_name(year, ArrayKind::pumping)));
    write_plot_file(grid, grids.ibound, grids.gwret, text.out_path(plot_file_name(year, ArrayKind::recharge)));
    write_plot_file(grid, grids.ibound, grids.acres, text.out_path(plot_file_name(year, ArrayKind::acres)));
}

}  // namespace tessadro
