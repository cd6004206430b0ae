#include "monthly/monthly_arrays.hpp"

#include <array>

#include "monthly/array_file.hpp"
#include "text/free_form.hpp"

namespace tessadro {
namespace {

const std::array<const char*, 12> monthno = {"01", "02", "03", "04", "05", "06",
                                             "07", "08", "09", "10", "11", "12"};

// The tables that the monthly split reads, and its scratch grid.
struct MonthlySplit {
    const RunText& text;
    const Grid& grid;
    const Table<std::int32_t, 2>& icty;
    const Table<float, 2>& xmonfactors;
    Table<float, 2>& work;
    OutputFile& check;
};

// One month of an annual grid: positive cells times their county's factor
// (county 0 takes county 1's factors), written to the file; returns the sum.
float write_month(MonthlySplit& split, const Table<float, 2>& annual, std::int32_t month, const std::string& name) {
    const Grid& grid = split.grid;
    write_list(split.check, {name});
    ArrayFile file(split.text.out_path(name));
    float sum = 0.0f;
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) {
            float& cell = split.work(j, i);
            cell = 0.0f;
            const float value = annual(j, i);
            if (!(value > 0.0f)) continue;
            std::int32_t county = split.icty(j, i);
            if (county == 0) county = 1;
            cell = value * split.xmonfactors(county, month);
            sum += cell;
        }
        file.write_row(split.work, i, grid.ncol);
    }
    file.close();
    return sum;
}

}  // namespace

void write_monthly_arrays(const RunText& text, const Grid& grid, const CellGrids& grids,
                          const Table<float, 2>& xmonfactors, Table<float, 2>& work, Reports& reports) {
    write_list(console(), {"..writing pmp, rcg, and agw files"});
    OutputFile& check = *reports.check_report;
    MonthlySplit split{text, grid, grids.icty, xmonfactors, work, check};
    float season_pumping = 0.0f;
    float season_recharge = 0.0f;
    for (std::int32_t m = 5; m <= 10; ++m) {
        const std::string stem = text.chyear + "." + monthno[static_cast<std::size_t>(m - 1)];
        const float pumping = write_month(split, grids.pump, m, stem + ".pmp");
        const float recharge = write_month(split, grids.gwret, m, stem + ".rcg");
        write_list(check, {m, pumping, recharge});
        season_pumping += pumping;
        season_recharge += recharge;
    }
    // The acres are annual: no factor, and every cell whatever its sign.
    const float acres = write_annual_array(grid, grids.acres, text.out_path(text.chyear + ".agw"));
    write_list(check, {"pumping"});
    write_list(check, {season_pumping});
    write_list(check, {"gw returns"});
    write_list(check, {season_recharge});
    write_list(check, {"gw acres"});
    write_list(check, {acres});
}

}  // namespace tessadro
