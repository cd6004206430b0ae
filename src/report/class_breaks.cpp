#include "report/class_breaks.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessadro {
namespace {

constexpr int fewest_classes = 7;
constexpr int most_classes = 9;

// Quantile limits at k/8, rounded, without repeats; those at or above the
// largest value are dropped (the largest value closes the last class).
std::vector<double> quantile_limits(const std::array<double, 7>& eighths, double largest) {
    std::vector<double> limits;
    for (double q : eighths) {
        const double limit = round_two_digits(q);
        if (limit <= 0.0 || limit >= largest) continue;
        if (!limits.empty() && limit <= limits.back()) continue;
        limits.push_back(limit);
    }
    return limits;
}

// Equal steps of a round size (1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a
// power of ten): the smallest step that covers the largest value in at most
// nine classes, which then needs at least seven. The step lies within the
// decade of largest / 9 or the next one; a largest value so small or so large
// that the decade is not a usable number gets a single class.
std::vector<double> step_limits(double largest) {
    static constexpr std::array<double, 10> round_steps = {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0};
    double decade = std::pow(10.0, std::floor(std::log10(largest / most_classes)));
    for (int tries = 0; tries < 2 && decade > 0.0 && std::isfinite(decade); ++tries, decade *= 10.0) {
        for (double s : round_steps) {
            const double step = s * decade;
            const double classes = std::ceil(largest / step - 1e-9);
            if (!(classes <= most_classes)) continue;
            std::vector<double> limits;
            for (int k = 1; k < static_cast<int>(classes); ++k) limits.push_back(step * k);
            return limits;
        }
    }
    return {};
}

}  // namespace

double round_two_digits(double value) {
    if (!(value > 0.0)) return value;
    const double scale = std::pow(10.0, std::floor(std::log10(value)) - 1.0);
    const double rounded = std::round(value / scale) * scale;
    // At the ends of the double range the power of ten is 0 or infinite.
    return std::isfinite(rounded) && rounded > 0.0 ? rounded : value;
}

int ClassBreaks::class_of(double value) const {
    const auto at = std::lower_bound(limits.begin(), limits.end(), value);
    if (at == limits.end()) return static_cast<int>(limits.size()) - 1;
    return static_cast<int>(at - limits.begin());
}

ClassBreaks choose_breaks(std::vector<double> values) {
    std::erase_if(values, [](double v) { return !(v > 0.0) || !std::isfinite(v); });
    if (values.empty()) return ClassBreaks{{1.0}};
    // Each rank selected among the values from the one before: those lie
    // below it, the others above.
    const std::size_t n = values.size();
    std::array<double, 7> eighths{};
    auto from = values.begin();
    for (std::size_t k = 1; k <= eighths.size(); ++k) {
        const std::size_t rank =
            std::min(n - 1, static_cast<std::size_t>(static_cast<double>(n) * static_cast<double>(k) / 8.0));
        const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank);
        std::nth_element(from, at, values.end());
        eighths[k - 1] = *at;
        from = at;
    }
    const double largest = *std::max_element(from, values.end());
    std::vector<double> limits = quantile_limits(eighths, largest);
    if (static_cast<int>(limits.size()) + 1 < fewest_classes) limits = step_limits(largest);
    limits.push_back(largest);
    return ClassBreaks{limits};
}

}  // namespace tessadro
