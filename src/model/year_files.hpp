#pragma once

#include <string>
#include <vector>

// The names of a year's files, made from the year's 4-character text
// ("2010"): the year's three input files, the reports, plot files and arrays
// the run writes in out/. The run opens them and clears out/ of them by these
// names, and the year report names them: one spelling for both.
namespace tessadro {

// The season the county factors split the annual amounts into: May to
// October.
constexpr int first_month = 5;
constexpr int last_month = 10;

// The arrays the model reads: for each month of the season, the pumping
// (.pmp) and the recharge (.rcg); for the year, the irrigated acres (.agw)
// and the M&I pumping (.mi).
enum class ArrayKind { pumping, recharge, acres, mi };

// The name's ending: ".pmp", ".rcg", ".agw" or ".mi".
const char* array_suffix(ArrayKind kind);

struct YearArray {
    std::string file;  // "2010.05.pmp"
    ArrayKind kind;
    int month;  // first_month to last_month; 0 for the annual arrays
};

// month: for the monthly kinds only.
std::string array_file_name(const std::string& year, ArrayKind kind, int month = 0);

// The arrays in the order the run writes them and its check report lists
// them: the .pmp and .rcg of each month, then .agw and .mi.
std::vector<YearArray> year_arrays(const std::string& year);

// The input files of the year.
std::string pumping_file_name(const std::string& year);           // "tessadro2010.txt"
std::string authorized_acres_file_name(const std::string& year);  // "authacres2010.txt"
std::string mi_file_name(const std::string& year);                // "2010mi.txt"

// The reports of the run.
std::string run_report_name(const std::string& year);    // "output2010.dat"
std::string check_report_name(const std::string& year);  // "check2010.out"
std::string group_report_name(const std::string& year);  // "authacres2010.out"

// The plot file of the annual grid of a kind's quantity, without its ".dat":
// "pumpgrid2010", "gwretgrid2010", "acresgrid2010" or "2010migrid".
std::string plot_stem(const std::string& year, ArrayKind kind);
std::string plot_file_name(const std::string& year, ArrayKind kind);  // "pumpgrid2010.dat"

}  // namespace tessadro
