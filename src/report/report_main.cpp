// tessadro-report: the year's run, exactly as tessadro does it, and then the
// year report beside out/: report/<year>/index.html, budget.csv, problems.csv
// and, with --gis, gis/.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "report/collector.hpp"
#include "report/report_files.hpp"
#include "run/run.hpp"
#include "text/record_file.hpp"
#include "text/record_notes.hpp"
#include "text/run_error.hpp"

namespace {

void flush_console() {
    try {
        tessadro::console().flush();
    } catch (const std::exception&) {
    }
}

// The legacy usage lines, so that scripts that read them still do, then the
// report's own.
void print_usage() {
    tessadro::print_usage();
    std::printf(" report: tessadro-report [year] [quelta factor] [--gis]\n");
}

}  // namespace

int main(int argc, char** argv) {
    bool gis = false;
    if (argc == 4 && std::string_view(argv[3]) == "--gis") {
        gis = true;
        --argc;
    }
    if (argc != 3) {
        print_usage();
        return 0;
    }
    const std::filesystem::path dir = tessadro::report_directory(argv[1]);
    try {
        // A report of this year from an earlier run never stays beside new
        // arrays, whether this run ends well or not.
        std::filesystem::remove_all(dir);
        tessadro::ReportCollector collector(dir.filename().string());
        // The record readers tell the collector about records they probably
        // misread; the files are all closed when the run returns.
        tessadro::listen_to_records(&collector);
        const auto state = tessadro::run(argv[1], argv[2], &collector);
        tessadro::listen_to_records(nullptr);
        const tessadro::YearReport report = collector.finish(*state);
        tessadro::write_report(report, dir, gis);
    } catch (const tessadro::RunError& e) {
        flush_console();
        std::fprintf(stderr, "%s\n%s%s\n", e.location().c_str(), tessadro::error_prefix, e.what());
        return 2;
    } catch (const std::exception& e) {
        flush_console();
        std::fprintf(stderr, "Internal error: %s\n", e.what());
        return 3;
    }
    return 0;
}
