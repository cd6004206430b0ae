#include "tracts/reassignment.hpp"

#include "text/free_form.hpp"

namespace tessadro {
namespace {
constexpr float section_acres = 640.0f;
}

void reassign_unauthorized(const Grid& grid, const std::vector<NotAuthorized>& notauthorized,
                           Table<float, 2>& gwret, Table<float, 2>& acres, Reports& reports) {
    if (notauthorized.empty()) return;
    OutputFile& report = *reports.run_report;
    write_list(report, {"reassign unauthorized place of use to pd"});
    write_list(report, {"idxna", " grpna(idxna)", " reassgn"});
    const std::int32_t ncol = grid.ncol;
    std::int32_t idxna = 0;
    for (const NotAuthorized& entry : notauthorized) {
        ++idxna;
        const std::int32_t iloc = (entry.node - 1) / ncol + 1;
        const std::int32_t jloc = (entry.node - 1) % ncol + 1;
        float& cell_acres = acres(jloc, iloc);
        float reassgn = 0.0f;
        const bool room_left = cell_acres < section_acres;
        if (room_left) {
            const float room = section_acres - cell_acres;
            reassgn = entry.acloc < room ? entry.acloc : room;
            cell_acres += reassgn;
            gwret(jloc, iloc) += entry.gwloc;
        }
        write_list(report, {idxna, entry.grp, reassgn});
        if (reports.observer) {
            reports.observer->reassignment(
                {idxna, entry.grp, {jloc, iloc}, entry.acloc, entry.gwloc, reassgn, room_left});
        }
    }
}

}  // namespace tessadro
