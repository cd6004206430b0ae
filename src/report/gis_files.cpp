#include "report/gis_files.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "model/grid_geometry.hpp"
#include "model/year_files.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

// The text of a value in tenths at p, which moves past it: at most seven
// characters, for six hold no more than 99999 tenths.
char* put_tenths(char* p, std::int32_t tenths) {
    if (tenths == 0) return std::copy_n("0.0", 3, p);  // most cells
    const std::int32_t magnitude = tenths < 0 ? -tenths : tenths;  // six characters: never the lowest integer
    if (tenths < 0) *p++ = '-';
    p = std::to_chars(p, p + 10, magnitude / 10).ptr;
    *p++ = '.';
    *p++ = static_cast<char>('0' + magnitude % 10);
    return p;
}

}  // namespace

void append_asc_row(std::string& out, std::span<const std::int32_t> ibound, std::span<const float> values) {
    // Through a buffer on the stack, appended whenever it may not hold
    // another cell (13 characters at most with its blank).
    char chunk[4096];
    char* p = chunk;
    for (std::size_t c = 0; c < values.size(); ++c) {
        if (p > std::end(chunk) - 16) {
            out.append(chunk, p);
            p = chunk;
        }
        if (c > 0) *p++ = ' ';
        if (ibound[c] == 0) {
            p = std::copy_n("-9999", 5, p);
        } else if (values[c] == 0.0f) {
            p = std::copy_n("0.0", 3, p);  // most cells
        } else {
            const WrittenValue w = as_written(values[c]);
            p = w.unreadable ? std::copy_n("-9999", 5, p) : put_tenths(p, w.tenths);
        }
    }
    *p++ = '\n';
    out.append(chunk, p);
}

std::string esri_ascii_grid(const YearReport& report, const ArrayValues& array) {
    const Grid& g = report.grid;
    std::string out = "ncols " + std::to_string(g.ncol) + "\nnrows " + std::to_string(g.nrow) + "\nxllcorner " +
                      shortest_text(g.xorigin) + "\nyllcorner " + shortest_text(g.yorigin) + "\n";
    if (g.delx == g.dely) out += "cellsize " + shortest_text(g.delx) + "\n";
    else out += "dx " + shortest_text(g.delx) + "\ndy " + shortest_text(g.dely) + "\n";
    out += "NODATA_value -9999\n";
    const auto ncol = static_cast<std::size_t>(std::max(g.ncol, 0));
    // About six characters a cell: "1234.5 ", mostly "0.0 ".
    out.reserve(out.size() + static_cast<std::size_t>(std::max(g.nrow, 0)) * ncol * 6);
    const std::span<const std::int32_t> ibound(report.ibound);
    const std::span<const float> values(array.values);
    for (std::int32_t i = 1; i <= g.nrow && ncol > 0; ++i) {
        const std::size_t first = report.cell(i, 1);
        if (first + ncol <= ibound.size() && first + ncol <= values.size()) {
            append_asc_row(out, ibound.subspan(first, ncol), values.subspan(first, ncol));
            continue;
        }
        // A run that ends well writes every cell of the grid; cells that an
        // array cut short never had are no data.
        std::vector<std::int32_t> row_ibound(ncol, 0);
        std::vector<float> row_values(ncol, 0.0f);
        for (std::size_t c = 0; c < ncol; ++c) {
            if (first + c < ibound.size() && first + c < values.size()) {
                row_ibound[c] = ibound[first + c];
                row_values[c] = values[first + c];
            }
        }
        append_asc_row(out, row_ibound, row_values);
    }
    if (ncol == 0) out.append(static_cast<std::size_t>(std::max(g.nrow, 0)), '\n');  // rows without cells
    return out;
}

std::string plot_points_csv(const YearReport& report, const std::vector<float>& values) {
    const Grid& g = report.grid;
    std::string out = "WKT,x,y,value,row,column,node\n";
    // A column's x and a row's y are the same text in every point of them.
    std::vector<std::string> xs(static_cast<std::size_t>(std::max(g.ncol, 0)));
    for (std::int32_t j = 1; j <= g.ncol; ++j) xs[static_cast<std::size_t>(j - 1)] = shortest_text(centre_x(g, j));
    auto put = [](char* p, std::string_view text) { return std::copy(text.begin(), text.end(), p); };
    for (std::int32_t i = 1; i <= g.nrow; ++i) {
        std::string y;
        const std::size_t row = report.cell(i, 1);
        for (std::int32_t j = 1; j <= g.ncol; ++j) {
            const std::size_t c = row + static_cast<std::size_t>(j - 1);
            if (report.ibound[c] == 0 || !(values[c] > 0.0f)) continue;
            if (y.empty()) y = shortest_text(centre_y(g, i));
            const std::string& x = xs[static_cast<std::size_t>(j - 1)];
            // A point's line on the stack, appended whole: its numbers take
            // at most shortest_chars characters each (the floats) and 11
            // each (the integers).
            char line[6 * shortest_chars + 64];
            char* p = put(line, "\"POINT (");
            p = put(put(put(p, x), " "), y);
            p = put(put(put(put(put(p, ")\","), x), ","), y), ",");
            p = put_shortest(p, values[c]);
            *p++ = ',';
            p = std::to_chars(p, p + 11, i).ptr;
            *p++ = ',';
            p = std::to_chars(p, p + 11, j).ptr;
            *p++ = ',';
            p = std::to_chars(p, p + 11, cell_number(i, j, g.ncol)).ptr;
            *p++ = '\n';
            out.append(line, p);
        }
    }
    return out;
}

namespace {

// The plot files' stems, as the run names them: the grids of pumping, return
// flow, acres and M&I pumping.
std::array<std::string, 4> plot_stems(const std::string& year) {
    return {plot_stem(year, ArrayKind::pumping), plot_stem(year, ArrayKind::recharge),
            plot_stem(year, ArrayKind::acres), plot_stem(year, ArrayKind::mi)};
}

}  // namespace

std::vector<std::string> gis_file_names(const std::string& year) {
    std::vector<std::string> names;
    for (const YearArray& array : year_arrays(year)) names.push_back("gis/" + array.file + ".asc");
    for (const std::string& stem : plot_stems(year)) {
        names.push_back("gis/" + stem + ".csv");
        names.push_back("gis/" + stem + ".csvt");
    }
    return names;
}

void add_gis_files(const YearReport& report, ReportFolder& folder, SharedWork& work) {
    for (const ArrayValues& a : report.arrays) {
        work.add([&report, &folder, &a] { folder.stage("gis/" + a.file + ".asc", esri_ascii_grid(report, a)); });
    }
    const std::array<const std::vector<float>*, 4> grids = {&report.pump, &report.gwret, &report.acres, &report.pumpmi};
    const std::array<std::string, 4> stems = plot_stems(report.year);
    for (std::size_t k = 0; k < stems.size(); ++k) {
        work.add([&report, &folder, grid = grids[k], stem = stems[k]] {
            folder.stage("gis/" + stem + ".csv", plot_points_csv(report, *grid));
            folder.stage("gis/" + stem + ".csvt", plot_points_csvt);
        });
    }
}

}  // namespace tessadro
