#include "monthly/monthly_arrays.hpp"

#include <algorithm>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/year_files.hpp"
#include "monthly/array_file.hpp"
#include "text/free_form.hpp"

namespace tessadro {
namespace {

// The tables that the monthly split reads, and the year report's observer of
// the rows written (null in the legacy run).
struct MonthlySplit {
    const RunText& text;
    const Grid& grid;
    const Table<std::int32_t, 2>& icty;
    const Table<float, 2>& xmonfactors;
    RunObserver* observer;
};

// One month of an annual grid, row by row into the file: positive cells
// times their county's factor (county 0 takes county 1's factors); returns
// their sum in row order. name: the file's name in out/.
float split_month(const MonthlySplit& split, const Table<float, 2>& annual, std::int32_t month,
                  const std::string& name, ArrayFile& file) {
    const Grid& grid = split.grid;
    RunObserver* const observer = split.observer;
    std::vector<float> row(static_cast<std::size_t>(std::max(grid.ncol, 0)));
    float sum = 0.0f;
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) {
            float& cell = row[static_cast<std::size_t>(j - 1)];
            cell = 0.0f;
            const float value = annual(j, i);
            if (!split_into_months(value)) continue;
            std::int32_t county = split.icty(j, i);
            if (county == 0) county = 1;
            cell = value * split.xmonfactors(county, month);
            sum += cell;
        }
        file.write_row(row);
        if (observer != nullptr) observer->array_row(name, i, grid.nrow, row);
    }
    return sum;
}

// A month's array written in its turn: its name in the check report, then the
// file. Returns its sum.
float write_month(const MonthlySplit& split, OutputFile& check, const Table<float, 2>& annual, std::int32_t month,
                  const std::string& name) {
    write_list(check, {name});
    ArrayFile file(split.text.out_path(name));
    const float sum = split_month(split, annual, month, name, file);
    file.close();
    return sum;
}

// The rows of an array formatted ahead, kept for the year report's observer,
// which hears everything on the run's own thread: they are told in the
// array's turn, in order, as if the array had been written then.
class RowsKept : public RunObserver {
public:
    void array_row(std::string_view file, std::int32_t row, std::int32_t nrow,
                   std::span<const float> values) override {
        // The rows come in order from row 1: the count kept is the last row.
        if (row == 1) {
            file_ = file;
            nrow_ = nrow;
            ncol_ = values.size();
            values_.reserve(static_cast<std::size_t>(std::max(nrow, 0)) * ncol_);
        }
        rows_ = row;
        values_.insert(values_.end(), values.begin(), values.end());
    }
    // Tells the rows kept and forgets them, keeping the room for the next
    // month's.
    void tell(RunObserver& observer) {
        for (std::int32_t row = 1; row <= rows_; ++row) {
            const auto k = static_cast<std::size_t>(row - 1);
            observer.array_row(file_, row, nrow_, std::span<const float>(values_).subspan(k * ncol_, ncol_));
        }
        rows_ = 0;
        values_.clear();
    }

private:
    std::string file_;
    std::int32_t nrow_ = 0;
    std::size_t ncol_ = 0;
    std::int32_t rows_ = 0;
    std::vector<float> values_;
};

// A month's array formatted ahead, as a side job, while the array before it
// in the run's order is written. Its formatting may stop on a failure, which
// is reported in the array's turn, after the rows formatted before it are
// written, as they would have been had the array been written directly.
struct ArrayAhead {
    std::string name;
    std::unique_ptr<ArrayFile> file;
    float sum = 0.0f;
    std::exception_ptr failure;
    RowsKept* rows;  // for the observer, when there is one
};

void format_ahead(const MonthlySplit& split, const Table<float, 2>& annual, std::int32_t month,
                  std::vector<char> buffer, ArrayAhead& array) {
    try {
        array.file = std::make_unique<ArrayFile>(split.text.out_path(array.name), split.grid, OutputFile::Later{},
                                                 std::move(buffer));
        MonthlySplit ahead = split;
        if (ahead.observer != nullptr) ahead.observer = array.rows;
        array.sum = split_month(ahead, annual, month, array.name, *array.file);
    } catch (...) {
        array.failure = std::current_exception();
    }
}

// The rows formatted ahead, told to the observer once the side job is done.
void tell_rows(const MonthlySplit& split, const ArrayAhead& array) {
    if (split.observer != nullptr) array.rows->tell(*split.observer);
}

float write_ahead(const MonthlySplit& split, OutputFile& check, ArrayAhead& array) {
    write_list(check, {array.name});
    if (array.file) array.file->write_out();
    tell_rows(split, array);
    if (array.failure) std::rethrow_exception(array.failure);
    return array.sum;
}

}  // namespace

void write_monthly_arrays(const RunText& text, const Grid& grid, const CellGrids& grids,
                          const Table<float, 2>& xmonfactors, Reports& reports, SideJobs& side) {
    write_list(console(), {"..writing pmp, rcg, and agw files"});
    OutputFile& check = *reports.check_report;
    const MonthlySplit split{text, grid, grids.icty, xmonfactors, reports.observer};
    float season_pumping = 0.0f;
    float season_recharge = 0.0f;
    RowsKept kept;            // the rows of the recharge array formatted ahead, for the observer
    std::vector<char> spare;  // the buffer of the last recharge array
    for (std::int32_t m = first_month; m <= last_month; ++m) {
        // The month's recharge is formatted beside its pumping.
        ArrayAhead rcg{array_file_name(text.chyear, ArrayKind::recharge, m), nullptr, 0.0f, nullptr, &kept};
        side.start([&split, &grids, m, &rcg, buffer = std::move(spare)]() mutable {
            format_ahead(split, grids.gwret, m, std::move(buffer), rcg);
        });
        float pumping = 0.0f;
        try {
            pumping = write_month(split, check, grids.pump, m, array_file_name(text.chyear, ArrayKind::pumping, m));
        } catch (...) {
            side.wait();  // the job is done with this frame before it goes
            tell_rows(split, rcg);
            throw;
        }
        side.wait();
        const float recharge = write_ahead(split, check, rcg);
        spare = rcg.file->take_buffer();
        write_list(check, {m, pumping, recharge});
        season_pumping += pumping;
        season_recharge += recharge;
    }
    // The acres are annual: no factor, and every cell whatever its sign.
    const std::string agw = array_file_name(text.chyear, ArrayKind::acres);
    const float acres = write_annual_array(grid, grids.acres, text.chout, agw, reports.observer);
    write_list(check, {"pumping"});
    write_list(check, {season_pumping});
    write_list(check, {"gw returns"});
    write_list(check, {season_recharge});
    write_list(check, {"gw acres"});
    write_list(check, {acres});
    if (reports.observer != nullptr) {
        reports.observer->check_total(ArrayKind::pumping, season_pumping);
        reports.observer->check_total(ArrayKind::recharge, season_recharge);
        reports.observer->check_total(ArrayKind::acres, acres);
    }
}

}  // namespace tessadro
