// The bad-input catalogue: the ways that bad input ends a run beyond those the
// datasets of tests/data hold as they are (the whole-run test holds each of
// those to its expected files), one row each: groups_basic_year spoiled in one
// place, and the report's location line and message. Every such end exits
// with status 2, puts the report in the last two lines of standard error and
// creates or removes nothing outside out/. The location names the record at
// which the read stopped (the number of records read so far at an end of
// file), the record just read for an index outside a table, or line 0 and the
// unit for an opening.
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

#include "run_helpers.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace tessadro::test {
namespace {

struct Row {
    const char* failure;
    std::function<void(const fs::path&)> spoil;  // applied to the working directory
    std::string location, message;
};

void write_file(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

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

auto writes(const std::string& name, const std::string& text) {
    return [=](const fs::path& w) { write_file(w / name, text); };
}
auto folder(const std::string& name) {
    return [=](const fs::path& w) { fs::remove(w / name), fs::create_directories(w / name); };
}

const std::string factors = "static/monthlyfactorsbycounty.txt", divs = "static/queltapdivs.txt",
                  pumping = "tessadro2010.txt";

// One monthly factor record of county k: index and six factors.
std::string factor_record(int k) { return std::to_string(k) + " 0.1 0.2 0.2 0.2 0.2 0.1\n"; }

// 401 rows of 2 columns stop at row 401, line 401.
void grid_of_401_rows(const fs::path& w) {
    write_file(w / "static" / "tessadro.par", "401 2\n100.0 100.0\n1000.0 5000.0\n");
    std::string grid_rows;
    for (int i = 0; i < 401; ++i) grid_rows += " 1 1\n";
    write_file(w / "static" / "02.ibound", grid_rows);
}

void fifo_for_array(const fs::path& w) {
    fs::create_directories(w / "out");
    ::mkfifo((w / "out" / "2010.agw").c_str(), 0644);
}

const Row rows[] = {
    {"nrow above 400", grid_of_401_rows, at(401),
     "Index '401' of dimension 2 of array 'ibound' above upper bound of 400"},
    // Monthly factors: 3 of 44 records.
    {"factors end early", writes(factors, factor_record(1) + factor_record(2) + factor_record(3)), at(3, 11, factors),
     "End of file"},
    // Exchange-area points of diversion.
    {"identifier not an integer", writes(divs, "1\nwell\n"), at(2, 11, divs), "Bad integer for item 1 in list input"},
    {"count beyond 4 bytes", writes(divs, "2147483648\n"), at(1, 11, divs), "Integer overflow while reading item 1"},
    {"static file is a folder", folder(divs), at(0, 11), "'static/queltapdivs.txt' is a directory"},
    // Pumping file: the first record spoiled in its well identifier.
    {"repeat count 0", writes(pumping, "12 0*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n"), at(1, 13, pumping),
     "Bad repeat count in item 2 of list input"},
    {"repeat count beyond 4 bytes", writes(pumping, "12 99999999999*1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0\n"),
     at(1, 13, pumping), "Repeat count overflow in item 2 of list input"},
    {"output directory impossible", writes("out", "a file where the folder should be\n"), at(0, 14),
     "File 'out/output2010.dat' does not exist"},
    // The arrays: opened without waiting for a reader.
    {"array path is a folder", folder("out/2010.05.pmp"), at(0, 8), "'out/2010.05.pmp' is a directory"},
    {"array path is a FIFO", fifo_for_array, at(0, 8), "'out/2010.agw' is not a regular file"},
};

// Runs the row and checks its promises; the working directory stays for a look when a check fails.
void expect_row(const Row& row) {
    SCOPED_TRACE(row.failure);
    const fs::path work = prepare("groups_basic_year", "catalogue");
    row.spoil(work);
    const std::set<std::string> before = entries_outside_out(work);
    const Outcome r = run_program(work, dataset_args("groups_basic_year", TESSADRO_BINARY));
    EXPECT_EQ(2, r.status);
    EXPECT_EQ(row.location + "\nError: " + row.message + "\n", last_two_lines(r.err));
    EXPECT_EQ(before, entries_outside_out(work));
    clean_up(work);
}

TEST(BadInputCatalogue, EveryFailureEndsWithItsReportAndStatus2AndCreatesNothingOutsideOut) {
    for (const Row& row : rows) {
        expect_row(row);
        if (testing::Test::HasFailure()) break;  // keep the first failing row's folder to look at
    }
}

// Permissions do not hold for root, who can read any file.
TEST(BadInputCatalogue, AFileNotOursToRead) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    expect_row({"a file not ours to read", [](const fs::path& w) { fs::permissions(w / divs, fs::perms::none); },
                at(0, 11), "Permission denied trying to open file 'static/queltapdivs.txt'"});
}

// A device in an output's place, which no spoiling without root can put
// there, is refused as the FIFO is: it would swallow the arrays.
TEST(BadInputCatalogue, ADeviceIsNoPlaceForAnOutput) {
    try {
        OutputFile file("/dev/null", 8);
        ADD_FAILURE() << "/dev/null opened for writing";
    } catch (const RunError& e) {
        EXPECT_EQ(at(0, 8) + " | '/dev/null' is not a regular file", e.location() + " | " + e.what());
    }
}

}  // namespace
}  // namespace tessadro::test
