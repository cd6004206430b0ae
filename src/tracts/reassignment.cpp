#include "tracts/reassignment.hpp"

#include "text/free_form.hpp"

namespace tessadro {
namespace {
constexpr float section_acres = 640.0f;
}

void reassign_unauthorized(RunState& state) {
    if (state.notauthorized.empty()) return;
    OutputFile& report = *state.run_report;
    write_list(report, {"reassign unauthorized place of use to pd"});
    write_list(report, {"idxna", " grpna(idxna)", " reassgn"});
    const std::int32_t ncol = state.grid.ncol;
    std::int32_t idxna = 0;
    for (const NotAuthorized& entry : state.notauthorized) {
        ++idxna;
        const std::int32_t iloc = (entry.node - 1) / ncol + 1;
        const std::int32_t jloc = (entry.node - 1) % ncol + 1;
        float& acres = state.grids.acres(jloc, iloc);
        float reassgn = 0.0f;
        if (acres < section_acres) {
            const float room = section_acres - acres;
            reassgn = entry.acloc < room ? entry.acloc : room;
            acres += reassgn;
            state.grids.gwret(jloc, iloc) += entry.gwloc;
        }
        write_list(report, {idxna, entry.grp, reassgn});
    }
}

}  // namespace tessadro
