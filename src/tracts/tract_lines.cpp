#include "tracts/tract_lines.hpp"

#include "text/free_form.hpp"

namespace tessadro {

namespace {

constexpr Item::Kind i = Item::Kind::integer;
constexpr Item::Kind r = Item::Kind::real;

}  // namespace

// The items of a row of the tract table, in the order set below.
TractLineWriter::TractLineWriter(OutputFile& table, OutputFile& report)
    : table_(table), report_(report), row_({i, i, i, i, i, r, r, r, r, i, i, i, r, i, i, r, r, r, r, r, r, i}) {}

void TractLineWriter::write(const TractLine& l) {
    switch (l.kind) {
    case TractLine::Kind::placed:
        // Most items repeat from the row before (the group's, and the
        // tract's township, range and section): set() formats only the
        // others.
        row_.set(0, l.grp);
        row_.set(1, l.twnshp);
        row_.set(2, l.range);
        row_.set(3, l.sect);
        row_.set(4, l.tract);
        row_.set(5, l.authacres);
        row_.set(6, l.fct);
        row_.set(7, l.xloc);
        row_.set(8, l.yloc);
        row_.set(9, l.row);
        row_.set(10, l.column);
        row_.set(11, l.node);
        row_.repeat(12, 6);  // the share again, under its formula
        row_.set(13, l.ibound);
        row_.set(14, l.npd);
        row_.set(15, l.xpd);
        row_.set(16, l.ypd);
        row_.set(17, l.distpdpu_mi);
        row_.set(18, l.pdrange);
        row_.set(19, l.cell_acres);
        row_.set(20, l.acresloc);
        row_.set(21, l.ntracts);
        row_.write(table_);
        break;
    case TractLine::Kind::off_columns:
        write_list(report_, {l.nmsg, l.row, l.column, " return flow 1"});
        break;
    case TractLine::Kind::off_rows:
        write_list(report_, {l.nmsg, l.row, l.column, "return flow "});
        break;
    case TractLine::Kind::inactive:
        write_list(report_, {l.grp, l.tract, l.row, l.column, l.gwret, l.acres, "I"});
        break;
    }
}

}  // namespace tessadro
