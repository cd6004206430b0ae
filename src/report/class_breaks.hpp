#pragma once

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
// rounded down) in increasing order, found without sorting the values.
ClassBreaks choose_breaks(std::vector<double> values);

// A number rounded to two significant digits.
double round_two_digits(double value);

}  // namespace tessadro
