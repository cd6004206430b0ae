// The bad-input catalogue: every way that bad input ends a run, one row each: a
// dataset of tests/data, as it is or spoiled in one place, and the report's location
// line and message. Every such end exits with status 2, puts the report in the last two
// lines of standard error and creates or removes nothing outside out/. The location
// names the record at which the read stopped (the number of records read so far at an
// end of file), the record just read for an index outside a table, or line 0 and the
// unit for an opening.
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "run_helpers.hpp"

namespace {

using namespace tessadro::test;

struct Row {
    const char *failure, *dataset;
    std::function<void(const fs::path&)> spoil;  // applied to the working directory
    std::string location, message;
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

// The location line of a run-error report.
std::string at(int line, int unit = 0, const std::string& file = "") {
    std::string where = "At line " + std::to_string(line) + " of file tessadrov11";
    if (unit != 0) where += " (unit = " + std::to_string(unit) + (file.empty() ? "" : ", file = '" + file + "'") + ")";
    return where;
}

const auto as_is = [](const fs::path&) {};
auto writes(const std::string& name, const std::string& text) {
    return [=](const fs::path& w) { write_file(w / name, text); };
}
auto folder(const std::string& name) {
    return [=](const fs::path& w) { fs::remove(w / name), fs::create_directories(w / name); };
}

const std::string par = "static/tessadro.par", factors = "static/monthlyfactorsbycounty.txt",
                  divs = "static/queltapdivs.txt", pumping = "tessadro2010.txt";

// One monthly factor record of county k: index and six factors.
std::string factor_record(int k) { return std::to_string(k) + " 0.1 0.2 0.2 0.2 0.2 0.1\n"; }

// 401 rows of 2 columns stop at row 401, line 401.
void grid_of_401_rows(const fs::path& w) {
    write_file(w / par, "401 2\n100.0 100.0\n1000.0 5000.0\n");
    std::string grid_rows;
    for (int i = 0; i < 401; ++i) grid_rows += " 1 1\n";
    write_file(w / "static" / "02.ibound", grid_rows);
}

void fifo_for_array(const fs::path& w) {
    fs::create_directories(w / "out");
    ::mkfifo((w / "out" / "2010.agw").c_str(), 0644);
}

const std::vector<Row>& catalogue() {
    const char* basic = "groups_basic_year";
    static const std::vector<Row> rows = {
        // The factor argument (read under G32.0).
        {"factor not a number", "run_factor_not_a_number", as_is, at(1), "Bad value during floating point read"},
        // Run parameters.
        {"parameter file missing", "run_missing_parameter_file_blank_factor", as_is, at(0, 12),
         "File 'static/tessadro.par' does not exist"},
        {"static directory missing", basic, [](const fs::path& w) { fs::remove_all(w / "static"); }, at(0, 12),
         "File 'static/tessadro.par' does not exist"},
        {"parameters end early", "run_parameters_on_one_record", as_is, at(1, 12, par), "End of file"},
        {"bad ncol", "run_bad_ncol", as_is, at(1, 12, par), "Bad integer for item 2 in list input"},
        {"bad dely", "run_bad_dely", as_is, at(2, 12, par), "Bad real number in item 2 of list input"},
        {"zero cell size", "run_zero_cell_size", as_is, at(2, 12, par),
         "Cell size must be positive: delx = 0, dely = 100 in 'static/tessadro.par'"},
        // Grids: 401 columns stop at column 401 of row 1 (its second record).
        {"ncol above 400", "inputs_error_ncol_401", as_is, at(2),
         "Index '401' of dimension 1 of array 'ibound' above upper bound of 400"},
        {"nrow above 400", basic, grid_of_401_rows, at(401),
         "Index '401' of dimension 2 of array 'ibound' above upper bound of 400"},
        {"grid file missing", "inputs_error_missing_county_file", as_is, at(0, 11),
         "File 'static/cty.flg' does not exist"},
        {"bad grid field", "inputs_error_ibound_bad_field", as_is, at(2, 11, "static/02.ibound"),
         "Bad value during integer read"},
        // Monthly factors: 3 of 44 records; a bad index; a bad June factor.
        {"factors end early", basic, writes(factors, factor_record(1) + factor_record(2) + factor_record(3)),
         at(3, 11, factors), "End of file"},
        {"factor index not an integer", basic, writes(factors, "1.0 0.1 0.2 0.2 0.2 0.2 0.1\n"), at(1, 11, factors),
         "Bad integer for item 1 in list input"},
        {"bad factor", basic, writes(factors, factor_record(1) + "2 0.1 x 0.2 0.2 0.2 0.1\n"), at(2, 11, factors),
         "Bad real number in item 3 of list input"},
        // Exchange-area points of diversion.
        {"more than 500 identifiers", "inputs_error_queltapdivs_501", as_is, at(501),
         "Index '501' of dimension 1 of array 'queltapdivs' above upper bound of 500"},
        {"identifier not an integer", basic, writes(divs, "1\nwell\n"), at(2, 11, divs),
         "Bad integer for item 1 in list input"},
        {"count beyond 4 bytes", basic, writes(divs, "2147483648\n"), at(1, 11, divs),
         "Integer overflow while reading item 1"},
        {"static file is a folder", basic, folder(divs), at(0, 11), "'static/queltapdivs.txt' is a directory"},
        // Authorized acres.
        {"group 0 in authorized acres", "inputs_error_authacres_group_0", as_is, at(4),
         "Index '0' of dimension 1 of array 'authtot' below lower bound of 1"},
        {"bad authorized-acres record", "inputs_error_bad_authacres_record", as_is, at(2, 20, "authacres2010.txt"),
         "Bad integer for item 3 in list input"},
        // Pumping file: the first record spoiled in its well identifier.
        {"group 0 on an accepted well", "groups_error_group_0", as_is, at(3),
         "Index '0' of dimension 1 of array 'npd' below lower bound of 1"},
        {"group 5001 on an accepted well", "groups_error_group_5001", as_is, at(3),
         "Index '5001' of dimension 1 of array 'npd' above upper bound of 5000"},
        {"bad pumping record", "groups_error_bad_pumping_record", as_is, at(4, 13, pumping),
         "Bad real number in item 4 of list input"},
        {"quote not closed", "groups_error_unclosed_quote", as_is, at(4, 13, pumping),
         "Quoted text not closed in item 6 of list input"},
        {"repeat count 0", basic, writes(pumping, "12 0*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n"),
         at(1, 13, pumping), "Bad repeat count in item 2 of list input"},
        {"repeat count beyond 4 bytes", basic,
         writes(pumping, "12 99999999999*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n"), at(1, 13, pumping),
         "Repeat count overflow in item 2 of list input"},
        {"output directory impossible", basic, writes("out", "a file where the folder should be\n"), at(0, 14),
         "File 'out/output2010.dat' does not exist"},
        // Tract coordinates and the second pass over the authorized acres.
        {"coordinates missing", "tracts_coords_missing", as_is, at(0, 21), "File 'static/40coords.dat' does not exist"},
        {"section 37 in the coordinates", "tracts_coords_index_order", as_is, at(2),
         "Index '37' of dimension 3 of array 'xcoord' above upper bound of 36"},
        {"bad coordinates record", "tracts_bad_coords_record", as_is, at(2, 21, "static/40coords.dat"),
         "Bad real number in item 5 of list input"},
        {"tract 17 in the authorized acres", "tracts_tract_index_17", as_is, at(3),
         "Index '17' of dimension 4 of array 'xcoord' above upper bound of 16"},
        // Monthly arrays.
        {"county 45", "monthly_county_out_of_range", as_is, at(0),
         "Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"},
        {"county 45 in the recharge array", "monthly_county_out_of_range_recharge", as_is, at(0),
         "Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"},
        {"array path is a folder", basic, folder("out/2010.05.pmp"), at(0, 8), "'out/2010.05.pmp' is a directory"},
        {"recharge array path is a folder", basic, folder("out/2010.05.rcg"), at(0, 8),
         "'out/2010.05.rcg' is a directory"},
        {"array path is a FIFO", basic, fifo_for_array, at(0, 8), "'out/2010.agw' is not a regular file"},
        // Municipal and industrial pumping.
        {"bad M&I record", "mi_bad_record", as_is, at(3, 13, "2010mi.txt"), "Bad real number in item 8 of list input"},
        {"M&I array path is a folder", basic, folder("out/2010.mi"), at(0, 8), "'out/2010.mi' is a directory"},
    };
    return rows;
}

// Runs the row and checks its promises; the working directory stays for a look when a check fails.
void expect_row(const Row& row, const char* tag) {
    SCOPED_TRACE(row.failure);
    const fs::path work = prepare(row.dataset, tag);
    row.spoil(work);
    const std::set<std::string> before = entries_outside_out(work);
    const Outcome r = run_program(work, dataset_args(row.dataset, TESSADRO_BINARY));
    EXPECT_EQ(2, r.status);
    EXPECT_EQ(row.location + "\nError: " + row.message + "\n", last_two_lines(r.err));
    EXPECT_EQ(before, entries_outside_out(work));
    clean_up(work);
}

TEST(BadInputCatalogue, EveryFailureEndsWithItsReportAndStatus2AndCreatesNothingOutsideOut) {
    for (const Row& row : catalogue()) {
        expect_row(row, "catalogue");
        if (testing::Test::HasFailure()) break;  // keep the first failing row's folder to look at
    }
}

// Permissions do not hold for root, who can read any file.
TEST(BadInputCatalogue, AFileNotOursToRead) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    expect_row({"a file not ours to read", "groups_basic_year",
                [](const fs::path& w) { fs::permissions(w / divs, fs::perms::none); }, at(0, 11),
                "Permission denied trying to open file 'static/queltapdivs.txt'"},
               "catalogue-perm");
}

}  // namespace
