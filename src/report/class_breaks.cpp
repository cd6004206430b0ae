#include "report/class_breaks.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

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

// The ranks of the eighths are found through the top 16 bits of the values:
// a positive double's bits grow with it, so that each of the 2^15 buckets of
// them holds a range of values below those of the buckets after it. One pass
// counts the buckets, which tells the bucket of each rank and its place
// there; another gathers the few buckets that hold a rank, to select from.
constexpr int bucket_shift = 48;
constexpr std::size_t buckets = std::size_t{1} << 15;  // the sign bit is clear

std::size_t bucket_of(double value) {
    return static_cast<std::size_t>(std::bit_cast<std::uint64_t>(value) >> bucket_shift);
}

// The values of the given ranks, in the order of increasing ranks, among
// positive finite values.
template <std::size_t N>
std::array<double, N> values_at_ranks(const std::vector<double>& values, const std::array<std::size_t, N>& ranks) {
    std::vector<std::uint32_t> counts(buckets);
    for (double v : values) ++counts[bucket_of(v)];
    std::array<std::size_t, N> bucket{}, place{};
    std::size_t below = 0, b = 0;
    for (std::size_t k = 0; k < N; ++k) {
        while (below + counts[b] <= ranks[k]) below += counts[b++];
        bucket[k] = b;
        place[k] = ranks[k] - below;
    }
    // The buckets that hold a rank, marked in their counts by the top bit
    // (no count reaches it) above their number among them.
    constexpr std::uint32_t holds_rank = std::uint32_t{1} << 31;
    std::array<std::vector<double>, N> held;
    std::array<std::size_t, N> slot{};
    std::uint32_t used = 0;
    for (std::size_t k = 0; k < N; ++k) {
        if ((counts[bucket[k]] & holds_rank) == 0) counts[bucket[k]] = holds_rank | used++;
        slot[k] = counts[bucket[k]] & ~holds_rank;
    }
    for (double v : values) {
        if (const std::uint32_t s = counts[bucket_of(v)]; (s & holds_rank) != 0) held[s & ~holds_rank].push_back(v);
    }
    std::array<double, N> at{};
    for (std::size_t k = 0; k < N; ++k) {
        std::vector<double>& in = held[slot[k]];
        const auto it = in.begin() + static_cast<std::ptrdiff_t>(place[k]);
        std::nth_element(in.begin(), it, in.end());
        at[k] = *it;
    }
    return at;
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
    // The eighths, then the largest value, the last in increasing order.
    const std::size_t n = values.size();
    std::array<std::size_t, 8> ranks{};
    for (std::size_t k = 1; k < ranks.size(); ++k) {
        ranks[k - 1] = std::min(n - 1, static_cast<std::size_t>(static_cast<double>(n) * static_cast<double>(k) / 8.0));
    }
    ranks.back() = n - 1;
    const std::array<double, 8> at = values_at_ranks(values, ranks);
    std::array<double, 7> eighths;
    std::copy_n(at.begin(), eighths.size(), eighths.begin());
    const double largest = at.back();
    std::vector<double> limits = quantile_limits(eighths, largest);
    if (static_cast<int>(limits.size()) + 1 < fewest_classes) limits = step_limits(largest);
    limits.push_back(largest);
    return ClassBreaks{limits};
}

}  // namespace tessadro
