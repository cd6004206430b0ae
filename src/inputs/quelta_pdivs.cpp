#include "inputs/quelta_pdivs.hpp"

#include "model/static_files.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

void read_quelta_pdivs(const RunText& text, QueltaPdivs& pdivs) {
    write_list(console(), {"..reading quelta points of diversion"});
    InputFile file(text.static_path(exchange_pdivs_file), unit::static_table, Reading::held, text.listener);
    read_required(file, {pdivs.npdivs});
    // The slot is checked before its record is read: a count above the
    // table's size stops at the first identifier beyond it.
    for (std::int32_t k = 1; k <= pdivs.npdivs; ++k) read_required(file, {pdivs.queltapdivs(k)});
}

}  // namespace tessadro
