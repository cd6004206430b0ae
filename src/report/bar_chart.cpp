#include "report/bar_chart.hpp"

#include <algorithm>
#include <cmath>

#include "report/numbers.hpp"

namespace tessadro {
namespace {

// A month's name cut to three letters, for the bars.
std::string month_label(int month) { return month_name(month).substr(0, 3); }

}  // namespace

double axis_step(double largest) {
    const double decade = std::pow(10.0, std::floor(std::log10(largest / 5.0)));
    for (double s : {1.0, 2.0, 2.5, 5.0}) {
        if (s * decade * 5.0 >= largest) return s * decade;
    }
    return 10.0 * decade;
}

std::string month_name(int month) {
    static const char* names[] = {"",     "January", "February", "March",     "April",   "May",     "June",
                                  "July", "August",  "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? names[month] : "";
}

std::string monthly_bar_chart(const std::vector<MonthTotals>& months) {
    const double left = 64.0, top = 10.0, plot_w = 480.0, plot_h = 220.0, bottom = 40.0;
    // An infinite or NaN total (a record of "inf", a sum beyond the 4-byte
    // range) has no bar; the axis reaches the largest finite one.
    double largest = 0.0;
    for (const MonthTotals& m : months) {
        for (double v : {m.pumping, m.recharge}) {
            if (std::isfinite(v)) largest = std::max(largest, v);
        }
    }
    double step = 1.0;
    int steps = 1;
    if (largest > 0.0) {
        step = axis_step(largest);
        steps = static_cast<int>(std::clamp(std::ceil(largest / step), 1.0, 10.0));
    }
    double axis_top = step * steps;
    if (!std::isfinite(axis_top)) axis_top = largest;  // a step near the largest double
    auto y_of = [&](double v) { return top + plot_h - std::clamp(v / axis_top, 0.0, 1.0) * plot_h; };

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"monthly-chart\" width=\"" +
                      px(left + plot_w + 140) + "\" height=\"" + px(top + plot_h + bottom) +
                      "\" font-family=\"sans-serif\" font-size=\"11\">";
    for (int k = 0; k <= steps; ++k) {
        const double t = std::min(step * k, axis_top);
        svg += "<line x1=\"" + px(left) + "\" y1=\"" + px(y_of(t)) + "\" x2=\"" + px(left + plot_w) + "\" y2=\"" +
               px(y_of(t)) + "\" stroke=\"#ddd\"/><text x=\"" + px(left - 6) + "\" y=\"" + px(y_of(t) + 4) +
               "\" text-anchor=\"end\">" + grouped_text(t, 0) + "</text>";
    }
    std::string not_drawn;
    const double slot = months.empty() ? plot_w : plot_w / static_cast<double>(months.size());
    const double bar = slot * 0.34;
    for (std::size_t k = 0; k < months.size(); ++k) {
        const MonthTotals& m = months[k];
        const double x = left + slot * static_cast<double>(k) + slot * 0.14;
        auto one_bar = [&](double at, double value, const char* quantity, const char* colour) {
            if (!std::isfinite(value)) {
                not_drawn += std::string(not_drawn.empty() ? "" : ", ") + quantity + " of " + month_label(m.month) +
                             " (" + grouped_text(value, 0) + ")";
                return;
            }
            svg += "<rect class=\"bar\" data-month=\"" + std::to_string(m.month) + "\" data-quantity=\"" + quantity +
                   "\" data-value=\"" + amount_text(value) + "\" x=\"" + px(at) + "\" y=\"" + px(y_of(value)) +
                   "\" width=\"" + px(bar) + "\" height=\"" + px(top + plot_h - y_of(value)) + "\" fill=\"" +
                   colour + "\"><title>" + quantity + " " + grouped_text(value, 1) + "</title></rect>";
        };
        one_bar(x, m.pumping, "pumping", "#3e4989");
        one_bar(x + bar, m.recharge, "recharge", "#6ece58");
        svg += "<text x=\"" + px(x + bar) + "\" y=\"" + px(top + plot_h + 16) + "\" text-anchor=\"middle\">" +
               month_label(m.month) + "</text>";
    }
    svg += "<line x1=\"" + px(left) + "\" y1=\"" + px(top + plot_h) + "\" x2=\"" + px(left + plot_w) + "\" y2=\"" +
           px(top + plot_h) + "\" stroke=\"#444\"/>";
    svg += "<text x=\"" + px(12) + "\" y=\"" + px(top + plot_h / 2) + "\" transform=\"rotate(-90 12 " +
           px(top + plot_h / 2) + ")\" text-anchor=\"middle\">acre-feet</text>";
    const double lx = left + plot_w + 16;
    svg += "<rect x=\"" + px(lx) + "\" y=\"" + px(top + 4) + "\" width=\"14\" height=\"12\" fill=\"#3e4989\"/><text x=\"" +
           px(lx + 20) + "\" y=\"" + px(top + 14) + "\">pumping</text>";
    svg += "<rect x=\"" + px(lx) + "\" y=\"" + px(top + 24) + "\" width=\"14\" height=\"12\" fill=\"#6ece58\"/><text x=\"" +
           px(lx + 20) + "\" y=\"" + px(top + 34) + "\">recharge</text>";
    svg += "</svg>\n";
    if (!not_drawn.empty()) {
        svg += "<p class=\"not-drawn\" id=\"monthly-not-drawn\">The chart leaves out the bars of totals that are not "
               "finite numbers: " + not_drawn + ".</p>\n";
    }
    return svg;
}

}  // namespace tessadro
