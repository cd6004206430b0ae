// tessadro-report: the year's run, exactly as tessadro does it, and then the
// year report beside out/: report/<year>/index.html, budget.csv, problems.csv
// and, with --gis, gis/; or, with --period, every year of a years file so,
// and a page over them.
#include <cstdio>
#include <malloc.h>
#include <filesystem>
#include <span>
#include <string>

#include "report/collector.hpp"
#include "report/given_checks.hpp"
#include "report/html_page.hpp"
#include "report/period_command.hpp"
#include "report/report_command.hpp"
#include "report/report_files.hpp"
#include "report/report_folder.hpp"
#include "run/command.hpp"
#include "run/run.hpp"
#include "run/second_thread.hpp"
#include "run/shared_work.hpp"
#include "run/version.hpp"
#include "text/record_notes.hpp"

int main(int argc, char** argv) {
    // The report allocates and frees blocks of megabytes one after another (a
    // grid's array, a map's values and image, a file's text). Kept in the
    // heap, a freed block serves the next; mapped afresh each time, as the
    // allocator would, each of its pages would fault in again, which costs
    // microseconds a page on a virtual machine.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    using Action = tessadro::ReportCommand::Action;
    const tessadro::ReportCommand command =
        tessadro::read_report_command(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
    switch (command.action) {
        case Action::usage_error:
            std::fprintf(stderr, "tessadro-report: %s\n%s", command.problem.c_str(), tessadro::report_usage().c_str());
            return 2;
        case Action::help: std::fputs(tessadro::report_usage().c_str(), stdout); return 0;
        case Action::version: std::printf("tessadro-report %s\n", tessadro::version); return 0;
        case Action::run: break;
    }
    if (!command.period.empty()) return tessadro::run_period(command);
    const std::string name = tessadro::report_folder_name(command.year);
    if (name.empty()) {
        // The year names report/<year>/, whose earlier files are removed: a
        // year such as "../." or "/adq" must never name another folder.
        std::fprintf(stderr,
                     "Error: the year '%s' cannot name the report's folder: give a plain year such as 2010 "
                     "(no '/', not '.' or '..', not starting with '-')\n",
                     command.year.c_str());
        return 2;
    }
    bool strict_failed = false;
    const int status = tessadro::run_command([&command, &name, &strict_failed] {
        tessadro::ReportFolder folder(std::filesystem::path("report") / name, tessadro::report_file_names(name));
        // One run of a year at a time in this folder; a report of the year
        // from an earlier run never stays beside new arrays, whether this
        // run ends well or not. out/ is written first, as tessadro writes it,
        // whatever becomes of the report.
        folder.lock();
        folder.remove_earlier();
        tessadro::ReportCollector collector(name);
        const tessadro::GivenToRun given = tessadro::given_to_run(command.year, command.factor);
        // The maps and the data files are pieces of work shared by two
        // processors. The monthly maps begin as soon as the run has written
        // them, while it goes on to the M&I pumping and the rest of the
        // report is made. The work is declared after what it reads, so that
        // it ends first, also when the run fails.
        tessadro::YearReport report;
        tessadro::PageMaps maps;
        tessadro::SharedWork work(tessadro::second_processor());
        collector.report_into(report, [&maps, &work](const tessadro::YearReport& r) { maps.add_months(r, work); });
        // The collector hears of the run's decisions and of records the
        // readers probably misread.
        auto state = tessadro::run(command.year, command.factor, &collector, &collector);
        collector.finish_into(*state);
        state.reset();  // the report holds what it shows: the run's tables go before the page is made
        tessadro::add_given_problems(given, report);
        tessadro::write_report(report, folder, command.gis, maps, work);
        strict_failed = command.strict && report.count_of(tessadro::Severity::error) > 0;
    });
    return status == 0 && strict_failed ? 1 : status;
}
