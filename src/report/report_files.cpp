#include "report/report_files.hpp"

#include <fstream>
#include <stdexcept>

#include "report/csv_files.hpp"
#include "report/gis_files.hpp"
#include "report/html_page.hpp"
#include "report/numbers.hpp"
#include "text/record_file.hpp"

namespace tessadro {
namespace {

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::filesystem::path report_directory(std::string_view year) {
    std::string chyear(year.substr(0, 4));
    chyear.resize(4, ' ');
    return std::filesystem::path("report") / chyear;
}

std::string budget_lines(const YearReport& report) {
    std::string out;
    std::string quantity;
    double losses = 0.0, changes = 0.0;
    auto add = [&out](const char* before, double value, int decimals, const char* after) {
        out.append(before).append(grouped_text(value, decimals)).append(after);
    };
    for (const BudgetRow& b : report.budget) {
        if (b.quantity == "authorized acres") break;
        if (b.quantity != quantity) {
            quantity = b.quantity;
            losses = changes = 0.0;
            out.append(quantity).append(":");
        }
        if (b.kind == "in file") add(" ", b.amount, 2, " in file");
        else if (b.kind == "loss") losses += b.amount;
        else if (b.kind == "change") changes += b.amount;
        else if (b.kind == "placed") {
            add(", ", losses, 2, " lost");
            if (changes != 0.0) add(", ", changes, 2, " by factors");
            add(", ", b.amount, 2, " placed");
        } else if (b.kind == "residual") {
            add(" (residual ", b.amount, 4, ")");
        } else if (b.kind == "written") {
            add(", ", b.amount, 1, " as written\n");
        }
    }
    // The input warnings are among the problems' warnings; the last line
    // counts every problem.
    long input = 0;
    for (const InputWarningCount& c : report.input_warnings) input += c.count;
    out.append("input warnings: ").append(std::to_string(input));
    out.append(input == 1 ? " record" : " records").append(" the reading rules probably misread\n");
    out.append("problems:");
    const char* separator = " ";
    for (const char* severity : {"error", "warning", "note"}) {
        const long n = report.count_of(severity);
        out.append(separator).append(std::to_string(n)).append(" ").append(severity).append(n == 1 ? "" : "s");
        separator = ", ";
    }
    out.append("\n");
    return out;
}

void write_report(const YearReport& report, const std::filesystem::path& dir, bool gis) {
    std::filesystem::create_directories(dir);
    write_file(dir / "index.html", html_page(report));
    write_file(dir / "budget.csv", budget_csv(report));
    write_file(dir / "problems.csv", problems_csv(report));
    const bool square = !gis || write_gis_files(report, dir);
    OutputFile& out = console();
    out.append("year report: " + (dir / "index.html").string());
    out.end_record();
    const std::string lines = budget_lines(report);
    std::size_t at = 0;
    for (std::size_t end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1) {
        out.append(std::string_view(lines).substr(at, end - at));
        out.end_record();
    }
    out.flush();
    if (!square) {
        warn("Note: the cells are not square, so the .asc grids give dx and dy instead of cellsize; "
             "only some GIS programs read them");
    }
}

}  // namespace tessadro
