#include "report/map_furniture.hpp"

#include <cmath>

#include "report/map_figure.hpp"
#include "report/numbers.hpp"

namespace tessadro {
namespace {

constexpr double feet_a_mile = 5280.0;

// The largest of 1, 2 and 5 times a power of ten that is at most `most`.
double round_length(double most) {
    const double decade = std::pow(10.0, std::floor(std::log10(most)));
    for (double s : {5.0, 2.0}) {
        if (s * decade <= most) return s * decade;
    }
    return decade;
}

// The label's font is 10 px sans-serif: about 5.6 px a character.
constexpr double label_char_px = 5.6;
constexpr double label_gap_px = 6.0;

}  // namespace

ScaleBar scale_bar(double map_feet) {
    ScaleBar bar;
    const double most = map_feet / 4.0;
    // Beyond a billion feet (190,000 miles) the cell size is no survey's.
    if (!(most > 0.0) || !(map_feet <= 1e9)) return bar;
    if (most >= feet_a_mile) {
        const double miles = round_length(most / feet_a_mile);
        bar.feet = miles * feet_a_mile;
        bar.label = limit_text(miles) + " mi = " + limit_text(bar.feet) + " ft";
    } else {
        bar.feet = round_length(most);
        bar.label = limit_text(bar.feet) + " ft = " + limit_text(bar.feet / feet_a_mile) + " mi";
    }
    if (!(bar.feet > 0.0) || !std::isfinite(bar.feet)) return ScaleBar{};
    return bar;
}

double scale_bar_width(const ScaleBar& bar, double px_per_foot) {
    if (bar.feet <= 0.0) return 0.0;
    return bar.feet * px_per_foot + label_gap_px + label_char_px * static_cast<double>(bar.label.size());
}

std::string scale_bar_svg(const ScaleBar& bar, double x, double y, double px_per_foot) {
    if (bar.feet <= 0.0) return "";
    const double half = bar.feet * px_per_foot / 2.0;
    return "<g class=\"scale-bar\" data-feet=\"" + amount_text(bar.feet) + "\"><rect x=\"" + px(x) + "\" y=\"" + px(y) +
           "\" width=\"" + px(half) + "\" height=\"5\" fill=\"#333\" stroke=\"#333\"/><rect x=\"" + px(x + half) +
           "\" y=\"" + px(y) + "\" width=\"" + px(half) + "\" height=\"5\" fill=\"#fff\" stroke=\"#333\"/><text x=\"" +
           px(x + 2 * half + label_gap_px) + "\" y=\"" + px(y + 6) + "\">" + bar.label + "</text></g>";
}

std::string north_arrow_svg(double x, double y) {
    return "<g class=\"north-arrow\"><path d=\"M" + px(x) + " " + px(y) +
           "l5 14l-5 -4l-5 4z\" fill=\"#333\"/><text x=\"" + px(x) + "\" y=\"" + px(y + 24) +
           "\" text-anchor=\"middle\" font-weight=\"bold\">N</text></g>";
}

}  // namespace tessadro
