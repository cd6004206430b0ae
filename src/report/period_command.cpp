#include "report/period_command.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "report/changes.hpp"
#include "report/numbers.hpp"
#include "report/period_page.hpp"
#include "report/report_folder.hpp"
#include "report/year_jobs.hpp"
#include "report/year_result.hpp"
#include "run/command.hpp"
#include "text/record_file.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

int processors() {
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<int>(n) : 1;
}

void console_line(const std::string& line) {
    OutputFile& out = console();
    out.append(line);
    out.end_record();
    out.flush();
}

// "2008: 0 errors, 12 warnings, pumping 8,311,857.4 in file, 97.1 % placed"
std::string progress_line(const YearResult& y) {
    if (!y.ran) return y.given.year + ": failed: " + y.message;
    const long errors = y.problems[static_cast<int>(Severity::error)];
    const long warnings = y.problems[static_cast<int>(Severity::warning)];
    const double in_file = y.amount(Quantity::pumping, BudgetKind::in_file);
    const double placed = y.amount(Quantity::pumping, BudgetKind::placed);
    std::string line = y.given.year + ": " + std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
                       std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") + ", pumping " +
                       grouped_text(in_file, 1) + " in file";
    if (in_file != 0.0) line += ", " + grouped_text(100.0 * placed / in_file, 1) + " % placed";
    return line;
}

// period.csv: budget.csv's rows of every year that ran, a year column first.
std::string period_csv(const std::vector<YearResult>& years) {
    std::string out = "year,quantity,kind,reason,count,amount\n";
    for (const YearResult& y : years) {
        std::size_t at = 0;
        for (std::size_t end; (end = y.budget_rows.find('\n', at)) != std::string::npos; at = end + 1) {
            out.append(y.given.year).append(",").append(y.budget_rows, at, end + 1 - at);
        }
    }
    return out;
}

}  // namespace

int run_period(const ReportCommand& command) {
    const YearsFile file = read_years_file(command.period);
    if (!file.problem.empty()) {
        std::fprintf(stderr, "tessadro-report: %s\n", file.problem.c_str());
        return 2;
    }
    std::vector<std::string> options;
    if (command.gis) options.push_back("--gis");
    if (command.strict) options.push_back("--strict");
    const int jobs = command.jobs > 0 ? command.jobs : processors();
    int period_status = 0;
    const int status = run_command([&] {
        // One period at a time in this folder; an earlier period's page never
        // stands beside the new years.
        ReportFolder folder("report", {"index.html", "period.csv", "changes.csv"});
        folder.lock();
        folder.remove_earlier();
        std::vector<YearResult> results(file.years.size());
        run_years(file.years, options, jobs, [&](std::size_t k, const YearEnd& end) {
            results[k] = read_year_result(fs::path("report") / file.years[k].year, file.years[k], end);
            console_line(progress_line(results[k]));
        });
        std::sort(results.begin(), results.end(),
                  [](const YearResult& a, const YearResult& b) { return a.given.year < b.given.year; });
        const std::vector<Change> changes = find_changes(results);
        folder.stage("period.csv", period_csv(results));
        folder.stage("changes.csv", changes_csv(changes));
        folder.stage("index.html", period_page(results, changes));  // last: the page stands only beside its files
        folder.commit();
        std::string failed;
        std::size_t ran = 0;
        for (const YearResult& y : results) {
            if (y.ran) {
                ++ran;
                if (y.end.status == 1) period_status = std::max(period_status, 1);
            } else {
                failed += (failed.empty() ? " (" : ", ") + y.given.year;
                period_status = 2;
            }
        }
        console_line("period: " + std::to_string(results.size()) + " years, " + std::to_string(ran) + " ran, " +
                     std::to_string(results.size() - ran) + " failed" + (failed.empty() ? "" : failed + ")") + "; " +
                     std::to_string(changes.size()) + (changes.size() == 1 ? " change" : " changes") +
                     " that stand out");
        console_line("period report: report/index.html");
    });
    return status != 0 ? status : period_status;
}

}  // namespace tessadro
