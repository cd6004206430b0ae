// The year report of a small generated year (small_year.hpp), in-process:
// the run with the report's collector listening, then every text the report
// writes: the page (with its maps and chart), budget.csv, problems.csv, the
// console's budget lines and the GIS files. A run error is a normal end, also
// one raised while the report is made (the outcome log tells them apart);
// anything else (another exception, a crash, a sanitizer report, a hang, a
// memory blow-up) is a finding.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "report/collector.hpp"
#include "report/csv_files.hpp"
#include "report/gis_files.hpp"
#include "report/html_page.hpp"
#include "report/report_files.hpp"
#include "run/run.hpp"
#include "run_folder.hpp"
#include "small_year.hpp"
#include "text/record_notes.hpp"
#include "text/run_error.hpp"

namespace {

// Everything the report writes, made and dropped: the files' texts are the
// report's whole output.
std::size_t make_report_texts(const tessadro::YearReport& report) {
    std::size_t bytes = tessadro::html_page(report).size();
    bytes += tessadro::budget_csv(report).size() + tessadro::problems_csv(report).size();
    bytes += tessadro::budget_lines(report).size();
    for (const tessadro::ArrayValues& array : report.arrays) bytes += tessadro::esri_ascii_grid(report, array).size();
    for (const auto* values : {&report.pump, &report.gwret, &report.acres, &report.pumpmi}) {
        bytes += tessadro::plot_points_csv(report, *values).size();
    }
    return bytes;
}

}  // namespace

extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::enter_run_folder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::note_input(data, size);
    FuzzedDataProvider in(data, size);
    const fuzz::SmallYear year = fuzz::make_small_year(in);
    for (const auto& [path, text] : year.files) {
        std::filesystem::remove(path);
        std::ofstream(path, std::ios::binary) << text;
    }
    std::unique_ptr<tessadro::RunState> state;
    try {
        tessadro::ReportCollector collector("2010");
        {
            state = tessadro::run("2010", year.factor, &collector, &collector);
        }
        try {
            if (make_report_texts(collector.finish(*state)) > 0) fuzz::note_completed();
        } catch (const tessadro::RunError& e) {
            // The run ended well and the report did not: the two programs
            // end differently.
            fuzz::note_run_error("report: " + std::string(e.what()), e.location());
        }
    } catch (const tessadro::RunError& e) {
        fuzz::note_run_error(e.what(), e.location());
    }
    return 0;
}
