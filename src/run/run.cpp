#include "run/run.hpp"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "groups/group_report.hpp"
#include "groups/pumping_reader.hpp"
#include "inputs/authorized_acres.hpp"
#include "inputs/grid_readers.hpp"
#include "inputs/monthly_factors.hpp"
#include "inputs/quelta_pdivs.hpp"
#include "mi/mi_pumping.hpp"
#include "model/run_state.hpp"
#include "model/static_files.hpp"
#include "model/year_files.hpp"
#include "run/check_reports.hpp"
#include "run/coords_ahead.hpp"
#include "monthly/monthly_arrays.hpp"
#include "run/fp_flags.hpp"
#include "run/run_parameters.hpp"
#include "run/second_thread.hpp"
#include "run/side_jobs_thread.hpp"
#include "run/tract_lines_behind.hpp"
#include "run/year_outputs.hpp"
#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/run_error.hpp"
#include "tracts/distribution.hpp"
#include "tracts/plot_file.hpp"
#include "tracts/reassignment.hpp"

namespace tessadro {
namespace {

// An argument cut or blank-padded to a fixed length.
std::string fit(std::string_view text, std::size_t length) {
    std::string s(text.substr(0, length));
    s.resize(length, ' ');
    return s;
}

// The static data directory: TESSADRO_STATIC when set, else the fixed prefix
// with its backslashes turned into this platform's separator.
std::string static_prefix() {
    const char* env = std::getenv("TESSADRO_STATIC");
    if (env != nullptr && *env != '\0') {
        std::string prefix(env);
        if (prefix.back() != '/') prefix += '/';
        return prefix;
    }
    return "/ZOTA/EC/static/";
}

// The factor text read as one record under "(G32.0)": blanks are ignored and
// digits without a point are taken as written.
float parse_factor(const std::string& chfact) {
    static const Format g32("(G32.0)");
    LineReader text(chfact);
    float factor = 0.0f;
    const Target target(factor);
    const ReadResult r = read_fixed(text, g32, std::span<const Target>(&target, 1));
    if (r.status != 0) throw RunError(statement_location(1), r.message);
    return factor;
}

// The writer of the distribution's lines: behind on a second thread, or here
// (also when no thread can be had).
std::unique_ptr<TractLines> tract_lines(Reports& reports, const InputFile& authorized, bool threaded) {
    if (threaded) {
        try {
            return std::make_unique<TractLinesBehind>(*reports.group_report, *reports.run_report, authorized);
        } catch (const std::system_error&) {
        }
    }
    return std::make_unique<TractLinesNow>(*reports.group_report, *reports.run_report);
}

// The year report checks the pumping file's wells against the survey's
// extent: it keeps them until the tract points come, unless the file is too
// large to keep (or not a plain file), when the points are waited for before
// it is read, so that the report's memory never grows with the records.
constexpr std::uintmax_t wells_kept_bytes = std::uintmax_t{8} << 20;

bool points_before_wells(const RunText& text) {
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(pumping_file_name(text.chyear), ec);
    return ec || bytes > wells_kept_bytes;
}

}  // namespace

std::string year_text(std::string_view year) { return fit(year, 4); }

std::string factor_text(std::string_view factor) { return fit(factor, 10); }

void print_usage() {
    write_list(console(), {"usage: tessadrov9 [year] [quelta factor]"});
    write_list(console(), {"ex. for 2010: tessadrov9 2010 0.7187758"});
    console().flush();
}

std::unique_ptr<RunState> run(std::string_view year, std::string_view factor, RunObserver* observer,
                              RecordListener* listener) {
    auto state = std::make_unique<RunState>();
    state->reports.observer = observer;
    RunText& text = state->text;
    text.listener = listener;
    text.chyear = year_text(year);
    text.chfact = factor_text(factor);
    text.chstatic = static_prefix();
    text.chout = "out/";
    // Work goes to a second thread when there is a second processor. The
    // year report's observer still hears everything on this thread: the rows
    // of an array formatted there are told to it in the array's turn.
    const bool threaded = second_processor();
    // The tract points are read from the start; the year's old outputs go
    // meanwhile, before anything is written.
    CoordinatesAhead coordinates(text, state->coords, threaded, observer != nullptr);
    remove_year_outputs(text);

    write_list(console(), {"run for year " + text.chyear + ", quelta factor=" + text.chfact});
    state->queltafact = parse_factor(text.chfact);
    write_list(console(), {" real version: ", state->queltafact});
    state->grid = read_run_parameters(text.static_path(run_parameters_file), listener);
    write_list(console(), {"..Processing year: ", text.chyear, " Quelta gw-ex area fraction=", state->queltafact});
    state->grid.ytop = north_edge(state->grid);

    RunState& s = *state;
    CellGrids& grids = s.grids;
    read_model_grids(text, s.grid, grids.ibound, grids.icty);
    read_monthly_factors(text, s.xmonfactors, s.reports.observer);
    read_quelta_pdivs(text, s.pdivs);
    read_authorized_acres(text, s.groups, grids, s.authorized);
    if (observer != nullptr && points_before_wells(text)) {
        if (const TractCoords* points = coordinates.ready()) observer->tract_points(*points, true);
    }
    InputFile pumping_file = open_pumping_file(text);
    open_check_reports(text, s.reports);
    read_pumping_file(std::move(pumping_file), s.grid, grids.ibound, s.pdivs, s.queltafact, grids.pump, s.groups,
                      s.pumping, s.reports);
    write_group_report(s.pumping.sums, s.authorized, s.groups, s.reports);
    coordinates.finish();
    if (observer != nullptr) observer->tract_points(s.coords, coordinates.read_ahead());
    const std::unique_ptr<TractLines> lines = tract_lines(s.reports, *s.authorized.file, threaded);
    distribute_to_tracts(s.grid, grids.ibound, s.coords, s.authorized, s.groups, grids.gwret, grids.acres,
                         s.reports, *lines);
    s.reports.group_report->close();  // the tract table ends it
    reassign_unauthorized(s.grid, s.pumping.notauthorized, grids.gwret, grids.acres, s.reports);
    write_distribution_plots(text, s.grid, grids);
    SideJobsThread side(threaded);
    write_monthly_arrays(text, s.grid, grids, s.xmonfactors, s.reports, side);
    if (observer != nullptr) observer->arrays_written(s.grid, grids.ibound);
    place_mi_pumping(text, s.grid, grids.ibound, grids.pumpmi, s.reports);

    s.reports.close();
    console().flush();
    const std::string note = floating_point_note();
    if (!note.empty()) warn(note);
    return state;
}

}  // namespace tessadro
