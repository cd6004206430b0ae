#include "report/bar_chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/numbers.hpp"

namespace tessadro {
namespace {

const char* month_names[] = {"", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string px(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// A round top for the value axis and its step, about five steps.
double axis_step(double largest) {
    if (!(largest > 0.0)) return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(largest / 5.0)));
    for (double s : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (s * decade * 5.0 >= largest) return s * decade;
    }
    return 10.0 * decade;
}

}  // namespace

std::string monthly_bar_chart(const std::vector<MonthTotals>& months) {
    const double left = 64.0, top = 10.0, plot_w = 480.0, plot_h = 220.0, bottom = 40.0;
    double largest = 0.0;
    for (const MonthTotals& m : months) largest = std::max({largest, m.pumping, m.recharge});
    const double step = axis_step(largest);
    const double axis_top = std::max(step, std::ceil(largest / step) * step);
    auto y_of = [&](double v) { return top + plot_h - std::max(0.0, v) / axis_top * plot_h; };

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"monthly-chart\" width=\"" +
                      px(left + plot_w + 140) + "\" height=\"" + px(top + plot_h + bottom) +
                      "\" font-family=\"sans-serif\" font-size=\"11\">";
    for (double t = 0.0; t <= axis_top + step * 1e-9; t += step) {
        svg += "<line x1=\"" + px(left) + "\" y1=\"" + px(y_of(t)) + "\" x2=\"" + px(left + plot_w) + "\" y2=\"" +
               px(y_of(t)) + "\" stroke=\"#ddd\"/><text x=\"" + px(left - 6) + "\" y=\"" + px(y_of(t) + 4) +
               "\" text-anchor=\"end\">" + grouped_text(t, 0) + "</text>";
    }
    const double slot = months.empty() ? plot_w : plot_w / static_cast<double>(months.size());
    const double bar = slot * 0.34;
    for (std::size_t k = 0; k < months.size(); ++k) {
        const MonthTotals& m = months[k];
        const double x = left + slot * static_cast<double>(k) + slot * 0.14;
        auto one_bar = [&](double at, double value, const char* quantity, const char* colour) {
            svg += "<rect class=\"bar\" data-month=\"" + std::to_string(m.month) + "\" data-quantity=\"" + quantity +
                   "\" data-value=\"" + amount_text(value) + "\" x=\"" + px(at) + "\" y=\"" + px(y_of(value)) +
                   "\" width=\"" + px(bar) + "\" height=\"" + px(top + plot_h - y_of(value)) + "\" fill=\"" +
                   colour + "\"><title>" + quantity + " " + grouped_text(value, 1) + "</title></rect>";
        };
        one_bar(x, m.pumping, "pumping", "#3e4989");
        one_bar(x + bar, m.recharge, "recharge", "#6ece58");
        svg += "<text x=\"" + px(x + bar) + "\" y=\"" + px(top + plot_h + 16) + "\" text-anchor=\"middle\">" +
               month_names[m.month] + "</text>";
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
    return svg;
}

}  // namespace tessadro
