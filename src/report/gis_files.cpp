#include "report/gis_files.hpp"

#include <array>
#include <cstdio>

#include "model/grid_geometry.hpp"
#include "model/year_files.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

std::string tenths_text(std::int32_t tenths) {
    const std::int32_t magnitude = tenths < 0 ? -tenths : tenths;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return std::string(text, static_cast<std::size_t>(n));
}

}  // namespace

std::string esri_ascii_grid(const YearReport& report, const ArrayValues& array) {
    const Grid& g = report.grid;
    std::string out = "ncols " + std::to_string(g.ncol) + "\nnrows " + std::to_string(g.nrow) + "\nxllcorner " +
                      shortest_text(g.xorigin) + "\nyllcorner " + shortest_text(g.yorigin) + "\n";
    if (g.delx == g.dely) out += "cellsize " + shortest_text(g.delx) + "\n";
    else out += "dx " + shortest_text(g.delx) + "\ndy " + shortest_text(g.dely) + "\n";
    out += "NODATA_value -9999\n";
    for (std::int32_t i = 1; i <= g.nrow; ++i) {
        for (std::int32_t j = 1; j <= g.ncol; ++j) {
            const std::size_t c = report.cell(i, j);
            if (j > 1) out.push_back(' ');
            if (report.ibound[c] == 0 || array.written[c].unreadable) out += "-9999";
            else out += tenths_text(array.written[c].tenths);
        }
        out.push_back('\n');
    }
    return out;
}

std::string plot_points_csv(const YearReport& report, const std::vector<float>& values) {
    const Grid& g = report.grid;
    std::string out = "WKT,x,y,value,row,column,node\n";
    for (std::int32_t i = 1; i <= g.nrow; ++i) {
        for (std::int32_t j = 1; j <= g.ncol; ++j) {
            const std::size_t c = report.cell(i, j);
            if (report.ibound[c] == 0 || !(values[c] > 0.0f)) continue;
            const std::string x = shortest_text(centre_x(g, j));
            const std::string y = shortest_text(centre_y(g, i));
            out += "\"POINT (" + x + " " + y + ")\"," + x + "," + y + "," + shortest_text(values[c]) + "," +
                   std::to_string(i) + "," + std::to_string(j) + "," + std::to_string(cell_number(i, j, g.ncol)) +
                   "\n";
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

bool write_gis_files(const YearReport& report, ReportFolder& folder) {
    for (const ArrayValues& a : report.arrays) folder.stage("gis/" + a.file + ".asc", esri_ascii_grid(report, a));
    const std::array<const std::vector<float>*, 4> grids = {&report.pump, &report.gwret, &report.acres, &report.pumpmi};
    const std::array<std::string, 4> stems = plot_stems(report.year);
    for (std::size_t k = 0; k < stems.size(); ++k) {
        const std::string& stem = stems[k];
        folder.stage("gis/" + stem + ".csv", plot_points_csv(report, *grids[k]));
        folder.stage("gis/" + stem + ".csvt", plot_points_csvt);
    }
    return report.grid.delx == report.grid.dely;
}

}  // namespace tessadro
