// tessadro-report: the year's run, exactly as tessadro does it, and then the
// year report beside out/: report/<year>/index.html, budget.csv, problems.csv
// and, with --gis, gis/.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "report/collector.hpp"
#include "report/report_files.hpp"
#include "report/report_folder.hpp"
#include "run/command.hpp"
#include "run/run.hpp"
#include "run/version.hpp"
#include "text/record_notes.hpp"

namespace {

// The legacy usage lines, so that scripts that read them still do, then the
// report's own.
void print_usage() {
    tessadro::print_usage();
    std::printf(" report: tessadro-report [year] [quelta factor] [--gis]\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("tessadro-report %s\n", tessadro::version);
        return 0;
    }
    bool gis = false;
    if (argc == 4 && std::string_view(argv[3]) == "--gis") {
        gis = true;
        --argc;
    }
    if (argc == 3 && tessadro::report_folder_name(argv[1]).empty()) {
        // The year names report/<year>/, whose earlier files are removed: a
        // year such as "../." or "/adq" must never name another folder.
        std::fprintf(stderr,
                     "Error: the year '%s' cannot name the report's folder: give a plain year such as 2010 "
                     "(no '/', not '.' or '..', not starting with '-')\n",
                     argv[1]);
        return 2;
    }
    return tessadro::run_command([argc, argv, gis] {
        if (argc != 3) {
            print_usage();
            return;
        }
        const std::string name = tessadro::report_folder_name(argv[1]);
        tessadro::ReportFolder folder(std::filesystem::path("report") / name, tessadro::report_file_names(name));
        // One run of a year at a time in this folder; a report of the year
        // from an earlier run never stays beside new arrays, whether this
        // run ends well or not. out/ is written first, as tessadro writes it,
        // whatever becomes of the report.
        folder.lock();
        folder.remove_earlier();
        tessadro::ReportCollector collector(name);
        // The collector hears of the run's decisions and of records the
        // readers probably misread.
        auto state = tessadro::run(argv[1], argv[2], &collector, &collector);
        const tessadro::YearReport report = collector.finish(*state);
        state.reset();  // the report holds what it shows: the run's tables go before the page is made
        tessadro::write_report(report, folder, gis);
    });
}
