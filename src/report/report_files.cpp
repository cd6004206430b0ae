#include "report/report_files.hpp"

#include "report/csv_files.hpp"
#include "report/gis_files.hpp"
#include "report/html_page.hpp"
#include "report/numbers.hpp"
#include "text/record_file.hpp"

namespace tessadro {

std::vector<std::string> report_file_names(const std::string& year) {
    // console.txt and stderr.txt are a period's captures of the year's run:
    // an earlier period's copies go with the rest of the earlier report.
    std::vector<std::string> names = {"index.html", "budget.csv", "problems.csv", "groups.csv",
                                      "counties.csv", "console.txt", "stderr.txt"};
    for (std::string& name : gis_file_names(year)) names.push_back(std::move(name));
    return names;
}

std::string budget_lines(const YearReport& report) {
    std::string out;
    auto add = [&out](const char* before, double value, int decimals, const char* after) {
        out.append(before).append(grouped_text(value, decimals)).append(after);
    };
    for (Quantity quantity : {Quantity::pumping, Quantity::return_flow, Quantity::acres, Quantity::mi_pumping}) {
        double in_file = 0.0, losses = 0.0, changes = 0.0, placed = 0.0, residual = 0.0, written = 0.0;
        for (const BudgetRow& b : report.budget) {
            if (b.quantity != quantity) continue;
            switch (b.kind) {
                case BudgetKind::in_file: in_file = b.amount; break;
                case BudgetKind::loss: losses += b.amount; break;
                case BudgetKind::change: changes += b.amount; break;
                case BudgetKind::placed: placed = b.amount; break;
                case BudgetKind::written: written = b.amount; break;
                case BudgetKind::rounding:
                    if (b.reason == Reason::balance) residual = b.amount;
                    break;
                case BudgetKind::unreadable:
                case BudgetKind::note:
                case BudgetKind::check_report: break;
            }
        }
        out.append(text_of(quantity)).append(":");
        add(" ", in_file, 2, " in file");
        add(", ", losses, 2, " lost");
        if (changes != 0.0) add(", ", changes, 2, " by factors");
        add(", ", placed, 2, " placed");
        add(" (residual ", residual, 4, ")");
        add(", ", written, 1, " as written\n");
    }
    // The input warnings are among the problems' warnings; the last line
    // counts every problem.
    const long misread = report.misread_count(), implausible = report.implausible_count();
    out.append("input warnings: ").append(std::to_string(misread));
    out.append(misread == 1 ? " record" : " records").append(" the reading rules probably misread, ");
    out.append(std::to_string(implausible)).append(implausible == 1 ? " implausible value" : " implausible values");
    out.append(" read as written\n");
    out.append("problems:");
    const char* separator = " ";
    for (Severity severity : {Severity::error, Severity::warning, Severity::note}) {
        const long n = report.count_of(severity);
        out.append(separator).append(std::to_string(n)).append(" ").append(text_of(severity)).append(n == 1 ? "" : "s");
        separator = ", ";
    }
    out.append("\n");
    return out;
}

void write_report(const YearReport& report, ReportFolder& folder, bool gis, PageMaps& maps, SharedWork& work) {
    // Each data file and each map is a piece of the work, done by whichever
    // processor is free: the maps are most of it. The page is staged last,
    // once its files are.
    work.add([&report, &folder] { folder.stage("problems.csv", problems_csv(report)); });
    PageFrame frame;
    work.add([&report, &frame] { frame = page_frame(report); });
    maps.add_annual(report, work);
    if (gis) add_gis_files(report, folder, work);
    work.add([&report, &folder] {
        folder.stage("budget.csv", budget_csv(report));
        folder.stage("groups.csv", area_totals_csv(report.groups));
        folder.stage("counties.csv", area_totals_csv(report.counties));
    });
    work.finish();
    folder.stage("index.html", html_page(frame, maps.section(report)));  // last: the page stands only beside its files
    folder.commit();
    OutputFile& out = console();
    out.append("year report: " + (folder.dir() / "index.html").string());
    out.end_record();
    const std::string lines = budget_lines(report);
    std::size_t at = 0;
    for (std::size_t end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1) {
        out.append(std::string_view(lines).substr(at, end - at));
        out.end_record();
    }
    out.flush();
    if (gis && report.grid.delx != report.grid.dely) {
        warn("Note: the cells are not square, so the .asc grids give dx and dy instead of cellsize; "
             "only some GIS programs read them");
    }
}

}  // namespace tessadro
