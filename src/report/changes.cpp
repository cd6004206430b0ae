#include "report/changes.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "report/numbers.hpp"

namespace tessadro {
namespace {

constexpr double factor_limit = 3.0;     // a group's or county's amount changed by more than this factor
constexpr double least_amount = 100.0;   // in the larger year
constexpr double total_limit = 0.5;      // a year's total pumping changed by more than this share

bool stands_out(double previous, double current) {
    const double a = std::fabs(previous), b = std::fabs(current);
    const double larger = std::max(a, b), smaller = std::min(a, b);
    if (larger < least_amount) return false;
    return smaller == 0.0 || larger > factor_limit * smaller;
}

double amount_of(const AreaTotals& area, Quantity quantity) {
    switch (quantity) {
        case Quantity::return_flow: return area.return_flow;
        case Quantity::acres: return area.acres;
        default: return area.pumping;
    }
}

void compare_areas(const YearResult& before, const YearResult& now, ChangeLevel level,
                   const std::vector<AreaTotals>& previous, const std::vector<AreaTotals>& current,
                   std::vector<Change>& changes) {
    // Every area of either year; one missing in a year holds nothing there.
    std::map<std::int32_t, std::pair<AreaTotals, AreaTotals>> areas;
    for (const AreaTotals& a : previous) areas[a.id].first = a;
    for (const AreaTotals& a : current) areas[a.id].second = a;
    for (const auto& [id, pair] : areas) {
        for (Quantity q : {Quantity::pumping, Quantity::return_flow, Quantity::acres}) {
            const double p = amount_of(pair.first, q), c = amount_of(pair.second, q);
            if (stands_out(p, c)) changes.push_back({now.given.year, before.given.year, level, id, q, p, c});
        }
    }
}

// The order of the list: appearances and disappearances first, the larger
// amount first; then by the size of the log of the ratio; ties in calendar
// order, totals, groups, counties by number, quantities in their order.
double size_of(const Change& c) {
    if (c.appears_or_disappears()) return std::max(std::fabs(c.previous), std::fabs(c.current));
    return std::fabs(std::log(std::fabs(*c.ratio())));
}

bool listed_before(const Change& a, const Change& b) {
    const bool ea = a.appears_or_disappears(), eb = b.appears_or_disappears();
    if (ea != eb) return ea;
    const double sa = size_of(a), sb = size_of(b);
    if (sa != sb) return sa > sb;
    return std::tie(a.year, a.level, a.id, a.quantity) < std::tie(b.year, b.level, b.id, b.quantity);
}

}  // namespace

const std::string& text_of(ChangeLevel level) {
    static const std::string texts[] = {"group", "county", "total"};
    return texts[static_cast<std::size_t>(level)];
}

std::optional<double> Change::ratio() const {
    if (previous == 0.0) return std::nullopt;
    return current / previous;
}

bool Change::appears_or_disappears() const { return previous == 0.0 || current == 0.0; }

std::vector<Change> find_changes(const std::vector<YearResult>& years) {
    std::vector<Change> changes;
    const YearResult* before = nullptr;
    for (const YearResult& now : years) {
        if (!now.ran) continue;
        if (before != nullptr) {
            compare_areas(*before, now, ChangeLevel::group, before->groups, now.groups, changes);
            compare_areas(*before, now, ChangeLevel::county, before->counties, now.counties, changes);
            const double p = before->amount(Quantity::pumping, BudgetKind::in_file);
            const double c = now.amount(Quantity::pumping, BudgetKind::in_file);
            if (std::fabs(c - p) > total_limit * std::fabs(p) && c != p) {
                changes.push_back({now.given.year, before->given.year, ChangeLevel::total, 0, Quantity::pumping, p, c});
            }
        }
        before = &now;
    }
    std::sort(changes.begin(), changes.end(), listed_before);
    return changes;
}

std::string changes_csv(const std::vector<Change>& changes) {
    std::string out = "year,previous_year,level,id,quantity,previous,current,ratio\n";
    for (const Change& c : changes) {
        const auto ratio = c.ratio();
        out += c.year + "," + c.previous_year + "," + text_of(c.level) + "," +
               (c.level == ChangeLevel::total ? "" : std::to_string(c.id)) + "," + text_of(c.quantity) + "," +
               amount_text(c.previous) + "," + amount_text(c.current) + "," + (ratio ? amount_text(*ratio) : "") +
               "\n";
    }
    return out;
}

}  // namespace tessadro
