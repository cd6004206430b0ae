#include "groups/group_report.hpp"


#include "text/fixed_field.hpp"
#include "text/free_form.hpp"

namespace tessadro {
namespace {

void write_sums(const RunSums& s, OutputFile& run_report) {
    write_list(console(), {"sums (sumgwret, sumacres,queltaacres,"});
    write_list(console(), {"      gwretnotauthorized, acresnotauthorized): "});
    write_list(console(), {s.sumgwret, s.sumacres, s.queltaacres, s.gwretnotauthorized, s.acresnotauthorized});
    write_list(run_report, {"sums_gwret", "acloc*qlt.fact.", "quelta.ac", "gwretnotauth.", "acresnotauth."});
    write_list(run_report,
               {s.sumgwret, s.sumacres, s.queltaacres, s.gwretnotauthorized, s.acresnotauthorized});
}

// Mean point and diagonal of the bounding box of a group with several points.
void summarize_points(GroupTables& g, std::int32_t grp) {
    const auto n = static_cast<float>(g.npd(grp));
    g.xpd(grp) = g.xpd(grp) / n;
    g.ypd(grp) = g.ypd(grp) / n;
    g.pdrange(grp) = miles(g.xpdmax(grp) - g.xpdmin(grp), g.ypdmax(grp) - g.ypdmin(grp));
}

}  // namespace

void write_group_report(const RunSums& sums, const AuthorizedAcres& authorized, GroupTables& groups,
                        Reports& reports) {
    static const Format line("(2i6,2f12.0,4f10.2)");
    write_sums(sums, *reports.run_report);
    GroupTables& g = groups;
    float sumacresloc = 0.0f;
    for (std::int32_t grp = 1; grp <= n_groups; ++grp) {
        sumacresloc += g.acresloc(grp);
        if (g.npd(grp) > 1) summarize_points(g, grp);
        write_fixed(*reports.group_report, line,
                    {grp, g.npd(grp), g.xpd(grp), g.ypd(grp), g.pumpgrp(grp), g.gwretloc(grp), g.acresloc(grp),
                     g.authtot(grp)});
    }
    write_list(console(), {"sum over acresloc(grp):", sumacresloc});
    if (authorized.max_auth_group > n_groups) {
        write_list(console(), {"WARNING: largest group no.", authorized.max_auth_group,
                               " exceeds array dimension limit nGroups,", n_groups});
    }
}

}  // namespace tessadro
