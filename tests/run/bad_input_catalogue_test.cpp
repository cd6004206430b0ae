// The bad-input catalogue: every way that bad input ends a run, one row each.
// A row is a dataset of tests/data, as it is or spoiled in one place, the
// location line and message the run-error report must show, and the promises
// every such end keeps: exit status 2, the report as the last two lines of
// standard error, and no file created or removed outside out/ (a missing
// input file is not created by the attempt to read it).
//
// The expected lines follow from the spoiled input: the location names the
// record at which the read stopped (the number of records read so far for an
// end of file), or the record just read for an index outside a table, or line
// 0 and the unit for an opening.
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "run_helpers.hpp"

namespace {

using namespace tessadro::test;

struct Row {
    const char* failure;
    const char* dataset;
    std::function<void(const fs::path&)> spoil;  // applied to the working directory
    std::string location;
    std::string message;
};

void write_file(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Everything in the working directory outside out/, the console captures aside.
std::set<std::string> entries_outside_out(const fs::path& work) {
    std::set<std::string> names;
    for (auto it = fs::recursive_directory_iterator(work); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), work).string();
        if (name == "out") it.disable_recursion_pending();
        if (name != "out" && name != "stdout.txt" && name != "stderr.txt") names.insert(name);
    }
    return names;
}

std::string last_two_lines(const std::string& text) {
    std::size_t at = text.size();
    for (int i = 0; i < 3 && at != std::string::npos && at > 0; ++i) at = text.rfind('\n', at - 1);
    return at == std::string::npos ? text : text.substr(at + 1);
}

const std::string static_par = "At line 0 of file tessadrov11 (unit = 12)";
const auto as_is = [](const fs::path&) {};

// One monthly factor record of county k: index and six factors.
std::string factor_record(int k) { return std::to_string(k) + " 0.1 0.2 0.2 0.2 0.2 0.1\n"; }

const std::vector<Row>& catalogue() {
    static const std::vector<Row> rows = {
        // The factor argument (read under G32.0).
        {"factor not a number", "run_factor_not_a_number", as_is, "At line 1 of file tessadrov11",
         "Bad value during floating point read"},
        // Run parameters.
        {"parameter file missing", "run_missing_parameter_file_blank_factor", as_is, static_par,
         "File 'static/tessadro.par' does not exist"},
        {"static directory missing", "groups_basic_year", [](const fs::path& w) { fs::remove_all(w / "static"); },
         static_par, "File 'static/tessadro.par' does not exist"},
        {"parameters end early", "run_parameters_on_one_record", as_is,
         "At line 1 of file tessadrov11 (unit = 12, file = 'static/tessadro.par')", "End of file"},
        {"bad ncol", "run_bad_ncol", as_is, "At line 1 of file tessadrov11 (unit = 12, file = 'static/tessadro.par')",
         "Bad integer for item 2 in list input"},
        {"bad dely", "run_bad_dely", as_is, "At line 2 of file tessadrov11 (unit = 12, file = 'static/tessadro.par')",
         "Bad real number in item 2 of list input"},
        {"zero cell size", "run_zero_cell_size", as_is,
         "At line 2 of file tessadrov11 (unit = 12, file = 'static/tessadro.par')",
         "Cell size must be positive: delx = 0, dely = 100 in 'static/tessadro.par'"},
        // Grids: 401 columns stop at column 401 of row 1 (its second record);
        // 401 rows of 2 columns stop at row 401, line 401.
        {"ncol above 400", "inputs_error_ncol_401", as_is, "At line 2 of file tessadrov11",
         "Index '401' of dimension 1 of array 'ibound' above upper bound of 400"},
        {"nrow above 400", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "static" / "tessadro.par", "401 2\n100.0 100.0\n1000.0 5000.0\n");
             std::string grid_rows;
             for (int i = 0; i < 401; ++i) grid_rows += " 1 1\n";
             write_file(w / "static" / "02.ibound", grid_rows);
         },
         "At line 401 of file tessadrov11", "Index '401' of dimension 2 of array 'ibound' above upper bound of 400"},
        {"grid file missing", "inputs_error_missing_county_file", as_is, "At line 0 of file tessadrov11 (unit = 11)",
         "File 'static/cty.flg' does not exist"},
        {"bad grid field", "inputs_error_ibound_bad_field", as_is,
         "At line 2 of file tessadrov11 (unit = 11, file = 'static/02.ibound')", "Bad value during integer read"},
        // Monthly factors: 3 of 44 records; a bad index; a bad June factor.
        {"factors end early", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "static" / "monthlyfactorsbycounty.txt", factor_record(1) + factor_record(2) + factor_record(3));
         },
         "At line 3 of file tessadrov11 (unit = 11, file = 'static/monthlyfactorsbycounty.txt')", "End of file"},
        {"factor index not an integer", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "static" / "monthlyfactorsbycounty.txt", "1.0 0.1 0.2 0.2 0.2 0.2 0.1\n");
         },
         "At line 1 of file tessadrov11 (unit = 11, file = 'static/monthlyfactorsbycounty.txt')",
         "Bad integer for item 1 in list input"},
        {"bad factor", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "static" / "monthlyfactorsbycounty.txt", factor_record(1) + "2 0.1 x 0.2 0.2 0.2 0.1\n");
         },
         "At line 2 of file tessadrov11 (unit = 11, file = 'static/monthlyfactorsbycounty.txt')",
         "Bad real number in item 3 of list input"},
        // Exchange-area points of diversion.
        {"more than 500 identifiers", "inputs_error_queltapdivs_501", as_is, "At line 501 of file tessadrov11",
         "Index '501' of dimension 1 of array 'queltapdivs' above upper bound of 500"},
        {"identifier not an integer", "groups_basic_year",
         [](const fs::path& w) { write_file(w / "static" / "queltapdivs.txt", "1\nwell\n"); },
         "At line 2 of file tessadrov11 (unit = 11, file = 'static/queltapdivs.txt')",
         "Bad integer for item 1 in list input"},
        {"count beyond 4 bytes", "groups_basic_year",
         [](const fs::path& w) { write_file(w / "static" / "queltapdivs.txt", "2147483648\n"); },
         "At line 1 of file tessadrov11 (unit = 11, file = 'static/queltapdivs.txt')",
         "Integer overflow while reading item 1"},
        {"static file is a folder", "groups_basic_year",
         [](const fs::path& w) {
             fs::remove(w / "static" / "queltapdivs.txt");
             fs::create_directory(w / "static" / "queltapdivs.txt");
         },
         "At line 0 of file tessadrov11 (unit = 11)", "'static/queltapdivs.txt' is a directory"},
        // Authorized acres.
        {"group 0 in authorized acres", "inputs_error_authacres_group_0", as_is, "At line 4 of file tessadrov11",
         "Index '0' of dimension 1 of array 'authtot' below lower bound of 1"},
        {"bad authorized-acres record", "inputs_error_bad_authacres_record", as_is,
         "At line 2 of file tessadrov11 (unit = 20, file = 'authacres2010.txt')", "Bad integer for item 3 in list input"},
        // Pumping file: the first record spoiled in its well identifier.
        {"group 0 on an accepted well", "groups_error_group_0", as_is, "At line 3 of file tessadrov11",
         "Index '0' of dimension 1 of array 'npd' below lower bound of 1"},
        {"group 5001 on an accepted well", "groups_error_group_5001", as_is, "At line 3 of file tessadrov11",
         "Index '5001' of dimension 1 of array 'npd' above upper bound of 5000"},
        {"bad pumping record", "groups_error_bad_pumping_record", as_is,
         "At line 4 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')", "Bad real number in item 4 of list input"},
        {"quote not closed", "groups_error_unclosed_quote", as_is,
         "At line 4 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')",
         "Quoted text not closed in item 6 of list input"},
        {"repeat count 0", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "tessadro2010.txt", "12 0*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n");
         },
         "At line 1 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')",
         "Bad repeat count in item 2 of list input"},
        {"repeat count beyond 4 bytes", "groups_basic_year",
         [](const fs::path& w) {
             write_file(w / "tessadro2010.txt", "12 99999999999*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n");
         },
         "At line 1 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')",
         "Repeat count overflow in item 2 of list input"},
        {"output directory impossible", "groups_basic_year",
         [](const fs::path& w) { write_file(w / "out", "a file where the folder should be\n"); },
         "At line 0 of file tessadrov11 (unit = 14)", "File 'out/output2010.dat' does not exist"},
        // Tract coordinates and the second pass over the authorized acres.
        {"coordinates missing", "tracts_coords_missing", as_is, "At line 0 of file tessadrov11 (unit = 21)",
         "File 'static/40coords.dat' does not exist"},
        {"section 37 in the coordinates", "tracts_coords_index_order", as_is, "At line 2 of file tessadrov11",
         "Index '37' of dimension 3 of array 'xcoord' above upper bound of 36"},
        {"bad coordinates record", "tracts_bad_coords_record", as_is,
         "At line 2 of file tessadrov11 (unit = 21, file = 'static/40coords.dat')",
         "Bad real number in item 5 of list input"},
        {"tract 17 in the authorized acres", "tracts_tract_index_17", as_is, "At line 3 of file tessadrov11",
         "Index '17' of dimension 4 of array 'xcoord' above upper bound of 16"},
        // Monthly arrays.
        {"county 45", "monthly_county_out_of_range", as_is, "At line 0 of file tessadrov11",
         "Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"},
        {"county 45 in the recharge array", "monthly_county_out_of_range_recharge", as_is,
         "At line 0 of file tessadrov11", "Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"},
        {"array path is a folder", "groups_basic_year",
         [](const fs::path& w) { fs::create_directories(w / "out" / "2010.05.pmp"); },
         "At line 0 of file tessadrov11 (unit = 8)", "'out/2010.05.pmp' is a directory"},
        {"recharge array path is a folder", "groups_basic_year",
         [](const fs::path& w) { fs::create_directories(w / "out" / "2010.05.rcg"); },
         "At line 0 of file tessadrov11 (unit = 8)", "'out/2010.05.rcg' is a directory"},
        {"array path is a FIFO", "groups_basic_year",
         [](const fs::path& w) {
             fs::create_directories(w / "out");
             ::mkfifo((w / "out" / "2010.agw").c_str(), 0644);
         },
         "At line 0 of file tessadrov11 (unit = 8)", "'out/2010.agw' is not a regular file"},
        // Municipal and industrial pumping.
        {"bad M&I record", "mi_bad_record", as_is, "At line 3 of file tessadrov11 (unit = 13, file = '2010mi.txt')",
         "Bad real number in item 8 of list input"},
        {"M&I array path is a folder", "groups_basic_year",
         [](const fs::path& w) { fs::create_directories(w / "out" / "2010.mi"); },
         "At line 0 of file tessadrov11 (unit = 8)", "'out/2010.mi' is a directory"},
    };
    return rows;
}

TEST(BadInputCatalogue, EveryFailureEndsWithItsReportAndStatus2AndCreatesNothingOutsideOut) {
    for (const Row& row : catalogue()) {
        SCOPED_TRACE(row.failure);
        const fs::path work = prepare(row.dataset, "catalogue");
        row.spoil(work);
        const std::set<std::string> before = entries_outside_out(work);
        const Outcome r = run_in(work, row.dataset, [] {});
        EXPECT_EQ(2, r.status);
        EXPECT_EQ(row.location + "\nError: " + row.message + "\n", last_two_lines(r.err));
        EXPECT_EQ(before, entries_outside_out(work));
        const bool failed = testing::Test::HasFailure();
        if (!failed) fs::remove_all(work);
        if (failed) break;  // keep the first failing row's folder to look at
    }
}

// Permissions do not hold for root, who can read any file.
TEST(BadInputCatalogue, AFileNotOursToRead) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const fs::path work = prepare("groups_basic_year", "catalogue-perm");
    fs::permissions(work / "static" / "queltapdivs.txt", fs::perms::none);
    const Outcome r = run_in(work, "groups_basic_year", [] {});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("At line 0 of file tessadrov11 (unit = 11)\n"
              "Error: Permission denied trying to open file 'static/queltapdivs.txt'\n",
              last_two_lines(r.err));
    fs::permissions(work / "static" / "queltapdivs.txt", fs::perms::owner_all);
    clean_up(work);
}

}  // namespace
