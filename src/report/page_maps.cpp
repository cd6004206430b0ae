#include "report/page_maps.hpp"

#include <cstdio>
#include <span>
#include <utility>

#include "report/constant_head.hpp"
#include "report/html_text.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

// The active cells of a mappable grid by their index, north row first: the
// cells whose values the maps class.
std::vector<std::uint32_t> active_cells(const std::vector<std::int32_t>& ibound) {
    std::vector<std::uint32_t> active;
    for (std::size_t c = 0; c < ibound.size(); ++c) {
        if (ibound[c] != 0) active.push_back(static_cast<std::uint32_t>(c));
    }
    return active;
}

// Class limits from the active cells of some maps (those that hold a value a
// cell): only their positive values are classed.
ClassBreaks breaks_of(const YearReport& r, const std::vector<std::uint32_t>& active, std::span<const MapData> maps) {
    std::vector<double> values;
    for (const MapData& map : maps) {
        if (map.values.cells != r.ibound.size()) continue;
        for (std::uint32_t c : active) {
            const double v = map.values.at(c);
            if (v > 0.0) values.push_back(v);
        }
    }
    return choose_breaks(std::move(values));
}

std::string coordinate_text(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", v);
    return text;
}

std::string not_drawn(const std::string& id, const std::string& sentence) {
    return "<p class=\"not-drawn\" id=\"" + id + "\">" + sentence + "</p>\n";
}

// Cells of rejected records on the grid, for the maps of the quantities they
// lost; or, from_outside, the edge cells of points outside the grid, for the
// maps of the quantities they put there.
std::vector<Cell> marks_for(const YearReport& r, bool pumping, bool recharge, bool acres, bool mi,
                            bool from_outside = false) {
    std::vector<Cell> marks;
    std::vector<bool> marked(r.ibound.size(), false);
    for (const Problem& p : r.problems) {
        if (p.severity != Severity::warning || placed_from_outside(p.reason) != from_outside) continue;
        if (!p.cell || !on_grid(r.grid, *p.cell)) continue;
        const std::size_t cell = r.cell(p.cell->row, p.cell->column);
        if (cell >= marked.size() || marked[cell]) continue;  // one mark a cell
        if ((pumping && p.pumping) || (recharge && p.return_flow) || (acres && p.acres) || (mi && p.mi)) {
            marks.push_back(*p.cell);
            marked[cell] = true;
        }
    }
    return marks;
}

// The maps of one quantity's months, May to October.
std::vector<MapData> month_maps(const YearReport& r, ArrayKind kind) {
    std::vector<MapData> months;
    for (const ArrayValues& a : r.arrays) {
        if (a.kind != kind) continue;
        const bool pmp = kind == ArrayKind::pumping;
        months.push_back({"map-" + a.file, a.file + (pmp ? " pumping" : " recharge"), "acre-feet",
                          {a.values.size(), {a.values}}, {}});
    }
    return months;
}

// The annual maps: the seasons, the irrigated acres and the M&I pumping.
std::vector<MapData> annual_maps(const YearReport& r) {
    const std::size_t cells = r.ibound.size();
    // The seasons add up their months as they come; a season with a month
    // of another size than the grid is not drawn (the map says so).
    MapData season_pumping{"map-season-pumping", "Season pumping, May to October", "acre-feet", {cells, {}},
                           marks_for(r, true, false, false, false), marks_for(r, true, false, false, false, true)};
    MapData season_recharge{"map-season-recharge", "Season recharge, May to October", "acre-feet", {cells, {}},
                            marks_for(r, false, true, false, false), marks_for(r, false, true, false, false, true)};
    std::vector<MapData> annual;
    for (const ArrayValues& a : r.arrays) {
        const bool pmp = a.kind == ArrayKind::pumping;
        if (!pmp && a.kind != ArrayKind::recharge) continue;
        MapValues& season = (pmp ? season_pumping : season_recharge).values;
        if (a.values.size() != cells) season = {};
        else if (season.cells == cells) season.arrays.emplace_back(a.values);
    }
    annual.push_back(std::move(season_pumping));
    annual.push_back(std::move(season_recharge));
    for (const ArrayValues& a : r.arrays) {
        const bool agw = a.kind == ArrayKind::acres;
        if (!agw && a.kind != ArrayKind::mi) continue;
        annual.push_back({agw ? "map-acres" : "map-mi",
                               agw ? "Irrigated acres (" + a.file + ")" : "M&I pumping (" + a.file + ")",
                               agw ? "acres" : "acre-feet", {a.values.size(), {a.values}},
                               marks_for(r, false, false, agw, !agw), marks_for(r, false, false, agw, !agw, true)});
    }
    return annual;
}


}  // namespace

ReportMaps report_maps(const YearReport& r) {
    return {annual_maps(r), month_maps(r, ArrayKind::pumping), month_maps(r, ArrayKind::recharge)};
}

const std::string& PageMaps::outline(const YearReport& r) {
    std::call_once(outline_once_, [this, &r] { outline_ = constant_head_definition(r.grid, r.ibound); });
    return outline_;
}

const std::vector<std::uint32_t>& PageMaps::active(const YearReport& r) {
    std::call_once(active_once_, [this, &r] { active_ = active_cells(r.ibound); });
    return active_;
}

// One colour scale for the six months of a quantity, so that the months
// compare.
const ClassBreaks& PageMaps::month_breaks(const YearReport& r, int kind) {
    const auto k = static_cast<std::size_t>(kind);
    std::call_once(breaks_once_[k], [this, &r, k] { breaks_[k] = breaks_of(r, active(r), months_[k]); });
    return breaks_[k];
}

void PageMaps::add_months(const YearReport& r, SharedWork& work) {
    if (!unmappable(r.grid, r.ibound.size()).empty()) return;  // the section says so, without maps
    months_ = {month_maps(r, ArrayKind::pumping), month_maps(r, ArrayKind::recharge)};
    month_figures_.resize(months_[0].size() + months_[1].size());
    // The scales first, one to a thread, for the maps to take as they come.
    for (int kind : {0, 1}) work.add([this, &r, kind] { month_breaks(r, kind); });
    std::size_t slot = 0;
    for (int kind : {0, 1}) {
        for (std::size_t k = 0; k < months_[static_cast<std::size_t>(kind)].size(); ++k, ++slot) {
            work.add([this, &r, kind, k, slot] {
                const MapData& map = months_[static_cast<std::size_t>(kind)][k];
                month_figures_[slot] = map_svg(r.grid, r.ibound, map, month_breaks(r, kind), 400, !outline(r).empty());
            });
        }
    }
}

void PageMaps::add_annual(const YearReport& r, SharedWork& work) {
    if (!unmappable(r.grid, r.ibound.size()).empty()) return;
    annual_ = annual_maps(r);
    annual_figures_.resize(annual_.size());
    // Each annual map its own colour scale.
    for (std::size_t k = 0; k < annual_.size(); ++k) {
        work.add([this, &r, k] {
            const MapData& map = annual_[k];
            annual_figures_[k] =
                map_svg(r.grid, r.ibound, map, breaks_of(r, active(r), {&map, 1}), 440, !outline(r).empty());
        });
    }
}

std::string PageMaps::section(const YearReport& r) {
    std::string out = "<h2>Maps</h2>\n";
    const Grid& g = r.grid;
    const std::string trouble = unmappable(g, r.ibound.size());
    if (!trouble.empty()) {
        return out + not_drawn("maps-not-drawn", "The maps cannot be drawn: " + html_escaped(trouble) + ".");
    }
    const MapScale scale = map_scale(g);
    if (!scale.to_scale) {
        out += not_drawn("maps-not-to-scale", "The maps are drawn with square cells and without axes: the cell size " +
                                                  shortest_text(g.delx) + " &times; " + shortest_text(g.dely) +
                                                  " ft is not a positive finite size.");
    } else if (!scale.axes) {
        const double x0 = g.xorigin, y0 = g.yorigin;
        out += not_drawn("maps-no-axes",
                         "The maps are drawn without axes: the grid's edges (x from " + coordinate_text(x0) + " to " +
                             coordinate_text(x0 + static_cast<double>(g.ncol) * g.delx) + " ft, y from " +
                             coordinate_text(y0) + " to " + coordinate_text(y0 + static_cast<double>(g.nrow) * g.dely) +
                             " ft) are not finite numbers within a billion feet.");
    }
    // The outline depends on the grid alone: found once, drawn by every map.
    out += outline(r) + "<div class=\"maps\">\n";
    // One colour scale per quantity: the annual maps each their own, the
    // monthly pumping maps one, the monthly recharge maps another.
    for (const std::string& figure : annual_figures_) out += figure;
    out += "</div>\n<h3>Monthly arrays</h3>\n<div class=\"maps\">\n";
    for (const std::string& figure : month_figures_) out += figure;
    return out + "</div>\n";
}

}  // namespace tessadro
