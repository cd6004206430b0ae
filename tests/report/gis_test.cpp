// tessadro-report --gis: the grids and point files of a year, and the note for
// cells that are not square.
#include <gtest/gtest.h>

#include <algorithm>

#include "report/gis_files.hpp"
#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

// mi_placement's grid (2 rows x 3 columns, west edge 1000, south edge 5000),
// its cells made 1000 ft wide and 500 ft high.
TEST(GisFiles, RectangularCellsGetDxDyAndANote) {
    const fs::path work = prepare("mi_placement", "gis");
    std::ofstream(work / "static" / "tessadro.par") << "2 3\n1000.0 500.0\n1000.0 5000.0\n";
    const Outcome r = run_program(work, {TESSADRO_REPORT_BINARY, "2010", "1.0", "--gis"});
    EXPECT_EQ(0, r.status);
    EXPECT_TRUE(r.err.ends_with(
        "Note: the cells are not square, so the .asc grids give dx and dy instead of cellsize; "
        "only some GIS programs read them\n"))
        << r.err;
    const fs::path gis = r.work / "report" / "2010" / "gis";
    // Twelve monthly grids, the acres and the M&I; four point files, each
    // with its .csvt: exactly the names by which an earlier report's go.
    const std::vector<std::string> names = gis_file_names("2010");
    std::set<std::string> written;
    for (const std::string& name : files_below(r.work / "report" / "2010")) {
        if (name.starts_with("gis/")) written.insert(name);
    }
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), written);
    for (const auto& [ending, count] : {std::pair{".asc", 14}, {".csv", 4}, {".csvt", 4}}) {
        EXPECT_EQ(count, std::count_if(names.begin(), names.end(), [e = ending](auto& n) { return n.ends_with(e); }));
    }
    EXPECT_EQ("\"WKT\",\"Real\",\"Real\",\"Real\",\"Integer\",\"Integer\",\"Integer\"\n",
              slurp(gis / "2010migrid.csvt"));
    if (!HasFailure()) fs::remove_all(r.work);
}

}  // namespace
}  // namespace tessadro::test
