#include "report/gis_files.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "model/grid_geometry.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

std::string tenths_text(std::int32_t tenths) {
    const std::int32_t magnitude = tenths < 0 ? -tenths : tenths;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return std::string(text, static_cast<std::size_t>(n));
}

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
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

bool write_gis_files(const YearReport& report, const std::filesystem::path& dir) {
    const std::filesystem::path gis = dir / "gis";
    std::filesystem::create_directories(gis);
    for (const ArrayValues& a : report.arrays) write_file(gis / (a.file + ".asc"), esri_ascii_grid(report, a));
    const std::string& year = report.year;
    const std::pair<std::string, const std::vector<float>*> plots[] = {
        {"pumpgrid" + year, &report.pump},
        {"gwretgrid" + year, &report.gwret},
        {"acresgrid" + year, &report.acres},
        {year + "migrid", &report.pumpmi},
    };
    for (const auto& [stem, values] : plots) {
        write_file(gis / (stem + ".csv"), plot_points_csv(report, *values));
        write_file(gis / (stem + ".csvt"), plot_points_csvt);
    }
    return report.grid.delx == report.grid.dely;
}

}  // namespace tessadro
