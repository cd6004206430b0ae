#include "mi/mi_pumping.hpp"

#include "model/year_files.hpp"
#include "monthly/array_file.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"
#include "tracts/plot_file.hpp"

namespace tessadro {
namespace {

// One M&I well: two identifiers, its location, three values not used here,
// and the year's pumping.
struct MiRecord {
    std::int32_t id1 = 0;
    std::int32_t id2 = 0;
    float x = 0.0f;
    float y = 0.0f;
    float unused1 = 0.0f;
    float unused2 = 0.0f;
    float unused3 = 0.0f;
    float amount = 0.0f;
};

void read_mi_records(const RunText& text, const Grid& grid, const Table<std::int32_t, 2>& ibound,
                     Table<float, 2>& pumpmi, Reports& reports) {
    write_list(console(), {"..reading m&i file"});
    InputFile file =
        InputFile::open_or_empty(mi_file_name(text.chyear), unit::pumping, Reading::streamed, text.listener);
    std::int32_t count = 0;
    float offgrid = 0.0f;
    MiRecord r;
    OutputFile& report = *reports.run_report;
    while (read_record(file, {r.id1, r.id2, r.x, r.y, r.unused1, r.unused2, r.unused3, r.amount})) {
        ++count;
        const Cell cell = locate(grid, r.x, r.y);
        Placement placement = Placement::placed;
        if (!on_grid(grid, cell)) {
            offgrid += r.amount;
            write_list(report, {++reports.nmsg, cell.row, cell.column, r.id1, r.id2, r.amount, offgrid, " miloc"});
            placement = Placement::off_grid;
        } else if (ibound(cell.column, cell.row) == 0) {
            // This message gives the column before the row.
            write_list(report, {++reports.nmsg, cell.column, cell.row, " miloc"});
            placement = Placement::inactive;
        } else if (r.amount > 0.0f) {
            pumpmi(cell.column, cell.row) += r.amount;
        } else {
            placement = Placement::not_positive;
        }
        if (reports.observer) {
            reports.observer->mi(
                {file.records(), r.id1, r.id2, r.x, r.y, cell, r.amount, placement, file.reader().last_record()});
        }
    }
    write_list(console(), {count, " m&i recs read"});
}

}  // namespace

void place_mi_pumping(const RunText& text, const Grid& grid, const Table<std::int32_t, 2>& ibound,
                      Table<float, 2>& pumpmi, Reports& reports) {
    read_mi_records(text, grid, ibound, pumpmi, reports);
    write_list(console(), {"..write mi plot file"});
    write_plot_file(grid, ibound, pumpmi, text.out_path(plot_file_name(text.chyear, ArrayKind::mi)));
    const float total =
        write_annual_array(grid, pumpmi, text.chout, array_file_name(text.chyear, ArrayKind::mi), reports.observer);
    write_list(*reports.check_report, {"m&i pumping"});
    write_list(*reports.check_report, {total});
    if (reports.observer) reports.observer->check_total(ArrayKind::mi, total);
}

}  // namespace tessadro
