#include "report/period_chart.hpp"

#include <algorithm>
#include <cmath>

#include "report/bar_chart.hpp"
#include "report/html_text.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

// The colours of the stack: what was placed, then each loss reason in the
// order of the budget, from a palette that tells neighbours apart.
const char* placed_colour = "#3e4989";
const char* loss_colours[] = {"#e6550d", "#fdae6b", "#d62728", "#9467bd", "#8c564b", "#e377c2", "#bcbd22", "#17becf"};

struct Segment {
    std::string label;
    const char* colour;
    double amount;
};

// The year's stack, foot first: placed, then its positive losses (a negative
// one, a meter correction not placed, is no water lost).
// met: the loss reasons in the order first met, which gives their colours.
std::vector<Segment> stack_of(const YearResult& year, Quantity quantity, std::vector<Reason>& met) {
    std::vector<Segment> stack = {{"placed", placed_colour, year.amount(quantity, BudgetKind::placed)}};
    for (const BudgetRow& row : year.budget) {
        if (row.quantity != quantity || row.kind != BudgetKind::loss || !(row.amount > 0.0)) continue;
        auto at = std::find(met.begin(), met.end(), row.reason);
        if (at == met.end()) at = met.insert(at, row.reason);
        const auto k = static_cast<std::size_t>(at - met.begin());
        stack.push_back({text_of(row.reason), loss_colours[k % std::size(loss_colours)], row.amount});
    }
    return stack;
}

}  // namespace

std::string period_chart(const std::vector<YearResult>& years, Quantity quantity) {
    const double left = 72.0, top = 10.0, plot_h = 200.0, bottom = 36.0;
    const double slot = std::clamp(640.0 / std::max<double>(1.0, static_cast<double>(years.size())), 8.0, 48.0);
    const double plot_w = slot * static_cast<double>(std::max<std::size_t>(years.size(), 1));
    std::vector<Reason> met;
    std::vector<std::vector<Segment>> stacks;
    double largest = 0.0;
    for (const YearResult& y : years) {
        stacks.push_back(y.ran ? stack_of(y, quantity, met) : std::vector<Segment>{});
        double height = 0.0;
        for (const Segment& s : stacks.back()) height += std::max(0.0, s.amount);
        if (std::isfinite(height)) largest = std::max(largest, height);
    }
    const double step = largest > 0.0 ? axis_step(largest) : 1.0;
    const int steps = largest > 0.0 ? static_cast<int>(std::clamp(std::ceil(largest / step), 1.0, 10.0)) : 1;
    const double axis_top = step * steps;
    auto y_of = [&](double v) { return top + plot_h - std::clamp(v / axis_top, 0.0, 1.0) * plot_h; };

    const std::string name = html_escaped(text_of(quantity));
    std::string svg = "<figure class=\"chart\"><figcaption>" + name +
                      "</figcaption><svg xmlns=\"http://www.w3.org/2000/svg\" class=\"period-chart\" data-quantity=\"" +
                      name + "\" width=\"" + px(left + plot_w + 250) + "\" height=\"" + px(top + plot_h + bottom) +
                      "\" font-family=\"sans-serif\" font-size=\"11\">";
    for (int k = 0; k <= steps; ++k) {
        const double t = step * k;
        svg += "<line x1=\"" + px(left) + "\" y1=\"" + px(y_of(t)) + "\" x2=\"" + px(left + plot_w) + "\" y2=\"" +
               px(y_of(t)) + "\" stroke=\"#ddd\"/><text x=\"" + px(left - 6) + "\" y=\"" + px(y_of(t) + 4) +
               "\" text-anchor=\"end\">" + grouped_text(t, 0) + "</text>";
    }
    for (std::size_t k = 0; k < years.size(); ++k) {
        const double x = left + slot * static_cast<double>(k);
        const std::string year = html_escaped(years[k].given.year);
        double base = 0.0;
        for (const Segment& s : stacks[k]) {
            const double from = y_of(base), to = y_of(base + std::max(0.0, s.amount));
            base += std::max(0.0, s.amount);
            svg += "<rect class=\"segment\" data-year=\"" + year + "\" data-reason=\"" + html_escaped(s.label) +
                   "\" data-amount=\"" + amount_text(s.amount) + "\" x=\"" + px(x + slot * 0.15) + "\" y=\"" + px(to) +
                   "\" width=\"" + px(slot * 0.7) + "\" height=\"" + px(from - to) + "\" fill=\"" + s.colour +
                   "\"><title>" + year + ", " + html_escaped(s.label) + ": " + grouped_text(s.amount, 1) +
                   "</title></rect>";
        }
        if (!years[k].ran) {
            // Upwards from the foot of the missing bar.
            const std::string at = px(x + slot / 2 + 4) + " " + px(top + plot_h - 6);
            svg += "<text class=\"failed\" data-year=\"" + year + "\" x=\"" + px(x + slot / 2 + 4) + "\" y=\"" +
                   px(top + plot_h - 6) + "\" fill=\"#b00\" transform=\"rotate(-90 " + at + ")\">failed</text>";
        }
        svg += "<text x=\"" + px(x + slot / 2) + "\" y=\"" + px(top + plot_h + 14) + "\" text-anchor=\"middle\">" +
               (years.size() > 16 ? year.substr(2) : year) + "</text>";
    }
    svg += "<line x1=\"" + px(left) + "\" y1=\"" + px(top + plot_h) + "\" x2=\"" + px(left + plot_w) + "\" y2=\"" +
           px(top + plot_h) + "\" stroke=\"#444\"/>";
    // The legend: placed, then the loss reasons in the order first met.
    std::vector<std::pair<std::string, const char*>> legend = {{"placed", placed_colour}};
    for (std::size_t k = 0; k < met.size(); ++k) {
        legend.push_back({"lost: " + text_of(met[k]), loss_colours[k % std::size(loss_colours)]});
    }
    const double lx = left + plot_w + 16;
    for (std::size_t k = 0; k < legend.size(); ++k) {
        const double ly = top + 4 + 18.0 * static_cast<double>(k);
        svg += "<rect x=\"" + px(lx) + "\" y=\"" + px(ly) + "\" width=\"14\" height=\"12\" fill=\"" +
               legend[k].second + "\"/><text x=\"" + px(lx + 20) + "\" y=\"" + px(ly + 10) + "\">" +
               html_escaped(legend[k].first) + "</text>";
    }
    return svg + "</svg></figure>\n";
}

}  // namespace tessadro
