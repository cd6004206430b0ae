#include "model/year_files.hpp"

namespace tessadro {
namespace {

// A month's number as the arrays' names give it: "05".
std::string month_text(int month) {
    return {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10)};
}

}  // namespace

const char* array_suffix(ArrayKind kind) {
    static const char* const suffixes[] = {".pmp", ".rcg", ".agw", ".mi"};
    return suffixes[static_cast<int>(kind)];
}

std::string array_file_name(const std::string& year, ArrayKind kind, int month) {
    std::string name = year;
    if (kind == ArrayKind::pumping || kind == ArrayKind::recharge) name.append(".").append(month_text(month));
    return name.append(array_suffix(kind));
}

std::vector<YearArray> year_arrays(const std::string& year) {
    std::vector<YearArray> arrays;
    for (int m = first_month; m <= last_month; ++m) {
        for (ArrayKind kind : {ArrayKind::pumping, ArrayKind::recharge}) {
            arrays.push_back({array_file_name(year, kind, m), kind, m});
        }
    }
    for (ArrayKind kind : {ArrayKind::acres, ArrayKind::mi}) arrays.push_back({array_file_name(year, kind), kind, 0});
    return arrays;
}

std::string pumping_file_name(const std::string& year) { return "tessadro" + year + ".txt"; }
std::string authorized_acres_file_name(const std::string& year) { return "authacres" + year + ".txt"; }
std::string mi_file_name(const std::string& year) { return year + "mi.txt"; }

std::string run_report_name(const std::string& year) { return "output" + year + ".dat"; }
std::string check_report_name(const std::string& year) { return "check" + year + ".out"; }
std::string group_report_name(const std::string& year) { return "authacres" + year + ".out"; }

std::string plot_stem(const std::string& year, ArrayKind kind) {
    switch (kind) {
        case ArrayKind::pumping: return "pumpgrid" + year;
        case ArrayKind::recharge: return "gwretgrid" + year;
        case ArrayKind::acres: return "acresgrid" + year;
        case ArrayKind::mi: break;
    }
    return year + "migrid";
}

std::string plot_file_name(const std::string& year, ArrayKind kind) { return plot_stem(year, kind) + ".dat"; }

}  // namespace tessadro
