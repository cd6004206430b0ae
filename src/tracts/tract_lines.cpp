#include "tracts/tract_lines.hpp"

#include "text/free_form.hpp"

namespace tessadro {

void TractLineWriter::write(const TractLine& l) {
    switch (l.kind) {
    case TractLine::Kind::placed:
        row_.write(table_, {l.grp, l.twnshp, l.range, l.sect, l.tract, l.authacres, l.fct, l.xloc, l.yloc, l.row,
                           l.column, l.node, l.fct, l.ibound, l.npd, l.xpd, l.ypd, l.distpdpu_mi, l.pdrange,
                           l.cell_acres, l.acresloc, l.ntracts});
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
