#pragma once

#include <filesystem>
#include <string>

#include "report/year_report.hpp"

namespace tessadro {

// An array file as an ESRI ASCII grid: the values the model reads (the F6.1
// fields), rows from the north edge, the grid's south-west corner, inactive
// cells and fields of asterisks as NODATA_value -9999. Cells that are not
// square get dx and dy instead of cellsize.
std::string esri_ascii_grid(const YearReport& report, const ArrayValues& array);

// A plot file's points as CSV with a WKT point column, and the .csvt file that
// types its columns for QGIS.
std::string plot_points_csv(const YearReport& report, const std::vector<float>& values);
inline constexpr const char* plot_points_csvt = "\"WKT\",\"Real\",\"Real\",\"Real\",\"Integer\",\"Integer\",\"Integer\"\n";

// Writes gis/ below dir: one .asc a array file, one .csv and .csvt a plot file.
// Returns false when the cells are not square (the caller says that only some
// GIS programs read dx and dy).
bool write_gis_files(const YearReport& report, const std::filesystem::path& dir);

}  // namespace tessadro
