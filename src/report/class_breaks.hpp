#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessadro {

// Upper limits of the colour classes of a map: 7 to 9 classes, the last one
// ending at the largest value. The limits are round numbers (two significant
// digits), so that a legend reads "50 to 120" rather than "49.7 to 118.3".
struct ClassBreaks {
    std::vector<double> limits;  // increasing; the last one is the largest value

    // The class (0-based) of a positive value.
    int class_of(double value) const;
};

// Classes for the positive values of a map. Quantile limits show where most
// cells lie, since irrigation is skewed towards a few large wells; when the
// values have too few distinct quantiles (a handful of cells), equal steps of
// a round size are used instead. No values give a single class ending at 1.
// The quantile at k/8 of n values is the one of rank n * k / 8 (0-based,
// rounded down) in increasing order.
ClassBreaks choose_breaks(const std::vector<double>& values);

// The quantiles of values that are seen twice instead of kept: the first
// time each positive finite value is counted by its leading bits (the
// exponent and four bits of the fraction, which order positive doubles as
// their values do), the second time only those in the few buckets that hold
// a wanted rank are kept, and the ranks are selected among them.
class QuantileFinder {
public:
    QuantileFinder() : counts_(buckets, 0) {}

    void count(double value) {
        if (!(value > 0.0) || !std::isfinite(value)) return;
        ++counts_[bucket_of(value)];
        ++values_;
        if (value > largest_) largest_ = value;
    }
    // After counting: whether the values are needed a second time.
    bool wants_values();
    void keep(double value) {
        if (!(value > 0.0) || !std::isfinite(value)) return;
        const std::uint32_t place = counts_[bucket_of(value)];
        if (place > 0) kept_[place - 1].push_back(value);
    }
    ClassBreaks breaks();

private:
    static constexpr std::size_t buckets = std::size_t{1} << 15;  // the sign bit is 0
    static std::size_t bucket_of(double value) {
        return static_cast<std::size_t>(std::bit_cast<std::uint64_t>(value) >> 48);
    }

    // Counts by bucket; once the ranks are placed, 1 + the index in kept_ of
    // a bucket that holds one, else 0.
    std::vector<std::uint32_t> counts_;
    std::size_t values_ = 0;
    double largest_ = 0.0;
    std::array<std::size_t, 7> place_ = {};    // of the rank at k/8 in kept_
    std::array<std::size_t, 7> in_place_ = {};  // its rank among the values there
    std::vector<std::vector<double>> kept_;
};

// choose_breaks of the values that each_value(take) hands to take one by
// one; it is called twice and must hand the same values both times.
template <class EachValue>
ClassBreaks choose_breaks_of(const EachValue& each_value) {
    QuantileFinder finder;
    each_value([&finder](double v) { finder.count(v); });
    if (finder.wants_values()) each_value([&finder](double v) { finder.keep(v); });
    return finder.breaks();
}

// A number rounded to two significant digits.
double round_two_digits(double value);

}  // namespace tessadro
