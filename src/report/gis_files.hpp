#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "report/report_folder.hpp"
#include "report/year_report.hpp"
#include "run/shared_work.hpp"

namespace tessadro {

// A row of an ASCII grid: its cells' values as their F6.1 fields hold them,
// separated by blanks, -9999 for an inactive cell or a field of asterisks,
// and the end of the line.
void append_asc_row(std::string& out, std::span<const std::int32_t> ibound, std::span<const float> values);

// An array file as an ESRI ASCII grid: the values the model reads (the F6.1
// fields), rows from the north edge, the grid's south-west corner, inactive
// cells and fields of asterisks as NODATA_value -9999. Cells that are not
// square get dx and dy instead of cellsize.
std::string esri_ascii_grid(const YearReport& report, const ArrayValues& array);

// A plot file's points as CSV with a WKT point column, and the .csvt file that
// types its columns for QGIS.
std::string plot_points_csv(const YearReport& report, const std::vector<float>& values);
inline constexpr const char* plot_points_csvt = "\"WKT\",\"Real\",\"Real\",\"Real\",\"Integer\",\"Integer\",\"Integer\"\n";

// Stages gis/ in the report's folder as pieces of shared work: one .asc an
// array file, one .csv and .csvt a plot file. The report and the folder must
// outlive the work.
void add_gis_files(const YearReport& report, ReportFolder& folder, SharedWork& work);

// Every file add_gis_files() writes for a year, as paths below the
// report's folder: an earlier report's are removed by these names.
std::vector<std::string> gis_file_names(const std::string& year);

}  // namespace tessadro
