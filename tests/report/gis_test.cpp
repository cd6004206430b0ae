// tessadro-report --gis: the grids and point files of a year, and the note for
// cells that are not square.
#include <gtest/gtest.h>

#include "dataset_run.hpp"
#include "report/gis_files.hpp"

namespace tessadro::test {
namespace {

// mi_placement's grid (2 rows x 3 columns, west edge 1000, south edge 5000),
// its cells made 1000 ft wide and 500 ft high.
TEST(GisFiles, RectangularCellsGetDxDyAndANote) {
    const fs::path dataset = fs::temp_directory_path() / ("tessadro-gis-" + std::to_string(::getpid()));
    fs::remove_all(dataset);
    fs::copy(dataset_path("mi_placement"), dataset, fs::copy_options::recursive);
    std::ofstream(dataset / "static" / "tessadro.par") << "2 3\n1000.0 500.0\n1000.0 5000.0\n";
    const DatasetRun r = run_dataset(dataset, TESSADRO_REPORT_BINARY, "gis", "--gis");
    EXPECT_EQ(0, r.status);
    EXPECT_TRUE(r.stderr_text.ends_with(
        "Note: the cells are not square, so the .asc grids give dx and dy instead of cellsize; "
        "only some GIS programs read them\n"))
        << r.stderr_text;
    const fs::path gis = r.work / "report" / "2010" / "gis";
    const std::string asc = slurp(gis / "2010.mi.asc");
    EXPECT_TRUE(asc.starts_with("ncols 3\nnrows 2\nxllcorner 1000\nyllcorner 5000\ndx 1000\ndy 500\n"
                                "NODATA_value -9999\n"))
        << asc;
    // Twelve monthly grids, the acres and the M&I; four point files, each
    // with its .csvt: exactly the names by which an earlier report's go.
    const std::vector<std::string> names = gis_file_names("2010");
    std::set<std::string> written;
    for (const std::string& name : files_below(r.work / "report" / "2010")) {
        if (name.starts_with("gis/")) written.insert(name);
    }
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), written);
    std::size_t grids = 0, points = 0, types = 0;
    for (const std::string& name : names) {
        grids += name.ends_with(".asc") ? 1 : 0;
        points += name.ends_with(".csv") ? 1 : 0;
        types += name.ends_with(".csvt") ? 1 : 0;
    }
    EXPECT_EQ(14u, grids);
    EXPECT_EQ(4u, points);
    EXPECT_EQ(4u, types);
    EXPECT_EQ("\"WKT\",\"Real\",\"Real\",\"Real\",\"Integer\",\"Integer\",\"Integer\"\n",
              slurp(gis / "2010migrid.csvt"));
    if (!HasFailure()) {
        fs::remove_all(r.work);
        fs::remove_all(dataset);
    }
}

}  // namespace
}  // namespace tessadro::test
