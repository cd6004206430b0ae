#include "inputs/monthly_factors.hpp"

#include "model/static_files.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

void read_monthly_factors(const RunText& text, Table<float, 2>& xmonfactors, RunObserver* observer) {
    write_list(console(), {"..reading monthly factors by county"});
    InputFile file(text.static_path(monthly_factors_file), unit::static_table, Reading::held, text.listener);
    write_list(console(), {"Expected fields: index,may,jun,jul,aug,sep,oct,county"});
    auto& f = xmonfactors;
    for (std::int32_t k = 1; k <= n_counties; ++k) {
        // The county is the record's position, not its index or name field.
        std::int32_t index = 0;
        read_required(file, {index, f(k, 5), f(k, 6), f(k, 7), f(k, 8), f(k, 9), f(k, 10)});
        if (observer) observer->county_factors(k, file.records(), file.reader().last_record());
    }
}

}  // namespace tessadro
