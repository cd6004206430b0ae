// The year report's parts: class breaks, the F6.1 value the model reads, the
// palette PNG, base64, the map image, its scale bar and constant-head
// outline, the ESRI grid header, the texts of the report's keys and the
// page's summary sentences.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <set>
#include <string_view>

#include "report/base64.hpp"
#include "report/class_breaks.hpp"
#include "report/constant_head.hpp"
#include "report/gis_files.hpp"
#include "report/html_page.hpp"
#include "report/map_figure.hpp"
#include "report/map_furniture.hpp"
#include "report/numbers.hpp"
#include "report/report_keys.hpp"
#include "report/summary.hpp"
#include "text/real_text.hpp"
#include "report/written_value.hpp"
#include "support/png_decode.hpp"
#include "support/test_files.hpp"

namespace tessadro {
namespace {

using test::decode_png;

TEST(ClassBreaks, QuantilesRoundedToTwoDigitsEndingAtTheLargestValue) {
    // 1 to 1000: the eighths fall at 126, 251, ..., 876, rounded to 130, 250,
    // 380, 500, 630, 750, 880; the last class ends at 1000.
    std::vector<double> values;
    for (int v = 1; v <= 1000; ++v) values.push_back(v);
    const ClassBreaks b = choose_breaks(values);
    EXPECT_EQ((std::vector<double>{130, 250, 380, 500, 630, 750, 880, 1000}), b.limits);
    EXPECT_EQ(0, b.class_of(0.5));
    EXPECT_EQ(0, b.class_of(130.0));  // a limit belongs to the class it closes
    EXPECT_EQ(1, b.class_of(130.5));
    EXPECT_EQ(7, b.class_of(1000.0));
}

// Random sets (skewed, repeats, zeros and negatives, within a billionth of
// one value, NaN, any bits at all) against the plain definition on the sorted values; too few
// limits give the steps of the largest value, which it alone gives.
TEST(ClassBreaks, SameAsFromTheSortedValues) {
    std::mt19937 random(5);
    for (int set = 0; set < 400; ++set) {
        std::vector<double> values(random() % (set % 8 < 4 ? 3000 : 30)), sorted, want;
        for (double& v : values) {
            const double u = std::uniform_real_distribution<double>(-1.0, 4.0)(random);
            v = set % 4 == 0 ? std::pow(10.0, u) : set % 4 == 1 ? std::round(u) : set % 4 == 2 ? 7.0 + u * 1e-9 : u;
            if (set % 4 == 3 && random() % 9 == 0) v = std::nan("");
            if (set % 10 == 9) v = std::bit_cast<double>(std::uint64_t{random()} << 32 | random());  // any double
            if (v > 0.0 && std::isfinite(v)) sorted.push_back(v);
        }
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        for (std::size_t k = 1; k < 8 && n > 0; ++k) {  // the eighths at rank n * k / 8, rounded, increasing
            const double q = sorted[std::min(n - 1, static_cast<std::size_t>(static_cast<double>(n * k) / 8.0))];
            const double limit = round_two_digits(q);
            if (limit < sorted.back() && (want.empty() || limit > want.back())) want.push_back(limit);
        }
        if (n == 0) want = {1.0};
        else if (want.size() < 6) want = choose_breaks({sorted.back()}).limits;
        else want.push_back(sorted.back());
        EXPECT_EQ(want, choose_breaks(values).limits) << set;
    }
}

TEST(ClassBreaks, FewValuesTakeRoundEqualSteps) {
    // Two distinct values: the quantiles give one limit, so steps are used:
    // 47 in at most nine classes of a round size needs steps of 6 (8 classes).
    const ClassBreaks b = choose_breaks({3.0, 3.0, 47.0});
    EXPECT_EQ((std::vector<double>{6, 12, 18, 24, 30, 36, 42, 47}), b.limits);
    // Zeros, negatives and NaN are not classed; nothing left gives one class.
    EXPECT_EQ((std::vector<double>{1.0}), choose_breaks({0.0, -5.0, std::nan("")}).limits);
}

TEST(ClassBreaks, SevenToNineClassesForAnyLargestValue) {
    for (double largest : {0.013, 1.0, 7.5, 9.0, 10.0, 11.0, 99.0, 1234.5, 1e6}) {
        const auto n = choose_breaks({largest / 1000.0, largest}).limits.size();
        EXPECT_GE(n, 7u) << largest;
        EXPECT_LE(n, 9u) << largest;
    }
    // At the ends of the double range the decade of the steps is 0 or
    // infinite: one class, found without searching on.
    EXPECT_EQ((std::vector<double>{5e-324}), choose_breaks({5e-324}).limits);
    EXPECT_EQ(9u, choose_breaks({1e300, 1.7e308}).limits.size());
    EXPECT_DOUBLE_EQ(0.0034, round_two_digits(0.003449));
    EXPECT_DOUBLE_EQ(12000.0, round_two_digits(11960.0));
}

TEST(WrittenValue, TenthsTheModelReadsOrAsterisks) {
    // The F6.1 field itself is the run's, checked by the whole-run datasets.
    EXPECT_EQ(-1, as_written(-0.05f).tenths);  // -0.05f lies just below -0.05: "-0.1"
    EXPECT_EQ(99999, as_written(9999.9f).tenths);
    EXPECT_TRUE(as_written(9999.96f).unreadable);
    EXPECT_TRUE(as_written(std::nanf("")).unreadable);
    EXPECT_TRUE(as_written(std::numeric_limits<float>::infinity()).unreadable);  // "   Inf"
    EXPECT_TRUE(as_written(-std::numeric_limits<float>::infinity()).unreadable);
    // Against the field read back as the model reads it, over random values
    // across the field's range and beyond it.
    std::mt19937 random(19);
    std::uniform_real_distribution<float> spread(-12000.0f, 120000.0f);
    // Ties of tenths (1.25 is exact in binary), the ends of the field, tiny
    // and subnormal values, then random ones.
    const std::vector<float> edges = {1.25f, 1.75f, -0.25f, 1023.75f, 9999.95f, 9999.94f, -999.95f, -999.94f,
                                      99999.0f, -0.04f, 1e-30f, -1e-44f};
    for (std::size_t k = 0; k < 200000; ++k) {
        const float v = k < edges.size() ? edges[k] : k % 2 == 0 ? spread(random) : spread(random) / 1000.0f;
        char field[6];
        const bool fits = format_fixed_real(v, 6, 1, field);
        const WrittenValue w = as_written(v);
        ASSERT_EQ(!fits, w.unreadable) << v;
        if (!fits) continue;
        std::string_view text(field, sizeof field);
        text.remove_prefix(text.find_first_not_of(' '));
        float read = 0.0f;
        ASSERT_TRUE(parse_real(text, read)) << v;
        ASSERT_EQ(std::lround(static_cast<double>(read) * 10.0), w.tenths) << v;
    }
    // A row's sums are those of its fields one by one: the edges, 1e5 and
    // beyond, and random values between runs of zeros (and minus zeros) of
    // 0 to 9 cells, so that some fall in fours and some do not.
    std::vector<float> row = edges;
    for (const float v : {1e5f, -1e5f, 3e38f, std::nanf("")}) row.push_back(v);
    for (std::size_t k = 0; k < 20000; ++k) {
        row.insert(row.end(), random() % 10, k % 3 == 0 ? -0.0f : 0.0f);
        row.push_back(k % 2 == 0 ? spread(random) : spread(random) / 1000.0f);
    }
    long long tenths = 0, expected_tenths = 0;
    long unreadable = 0, expected_unreadable = 0;
    for (const float v : row) {
        expected_tenths += as_written(v).tenths;
        expected_unreadable += as_written(v).unreadable ? 1 : 0;
    }
    add_written(row, tenths, unreadable);
    EXPECT_EQ(expected_tenths, tenths);
    EXPECT_EQ(expected_unreadable, unreadable);
}

TEST(Base64, PaddingOfOneAndTwoBytes) {
    EXPECT_EQ("", base64(""));
    EXPECT_EQ("TQ==", base64("M"));
    EXPECT_EQ("TWE=", base64("Ma"));
    EXPECT_EQ("TWFu", base64("Man"));
    EXPECT_EQ("/w==", base64("\xff"));
}

TEST(PngImage, PaletteImageReadsBackPixelByPixel) {
    PaletteImage image{3, 2, {0, 1, 2, 2, 1, 0}, {{255, 0, 0}, {0, 255, 0}, {1, 2, 3}}};
    const test::RgbImage back = decode_png(encode_png(image));
    ASSERT_EQ((std::pair{3, 2}), (std::pair{back.width, back.height}));
    EXPECT_EQ((Rgb{255, 0, 0}), back.at(0, 0));
    EXPECT_EQ((Rgb{1, 2, 3}), back.at(2, 0));
    EXPECT_EQ((Rgb{1, 2, 3}), back.at(0, 1));
    EXPECT_EQ((Rgb{255, 0, 0}), back.at(2, 1));
    // 1, 2, 4 and 8 bits a pixel, on rows of 37 pixels: whole bytes, packed
    // several at once, and a last byte part filled.
    for (std::size_t colours : {2u, 4u, 16u, 17u}) {
        PaletteImage wide{37, 3, {}, {}};
        for (std::size_t k = 0; k < colours; ++k) wide.palette.push_back({static_cast<std::uint8_t>(k), 9, 9});
        for (std::size_t p = 0; p < 37 * 3; ++p) wide.pixels.push_back(static_cast<std::uint8_t>(p * 7 % colours));
        const test::RgbImage read = decode_png(encode_png(wide));
        for (std::size_t p = 0; p < 37 * 3; ++p) ASSERT_EQ(p * 7 % colours, read.pixels[p].r) << colours << " " << p;
    }
}

TEST(MapImage, NorthRowOnTopInactiveGreyZeroWhiteNegativeAndAsterisks) {
    Grid grid{2, 4, 100.0f, 100.0f, 0.0f, 0.0f, 200.0f};
    const std::vector<std::int32_t> ibound = {1, 0, 1, -1, 1, -1, 1, 1};
    // 1e5 is too wide for an F6.1 field: written as asterisks.
    const std::vector<float> values = {5.0f, 7.0f, 0.0f, 0.0f, -2.0f, 100.0f, 1e5f, 10.0f};
    MapData map{"m", "m", "u", {values.size(), {values}}, {}};
    const ClassBreaks breaks{{10.0, 100.0}};
    const PaletteImage image = map_image(grid, ibound, map, breaks);
    // A zero on a constant-head cell is its own colour; a value there is
    // coloured by its class like any other.
    EXPECT_EQ((std::vector<std::uint8_t>{first_class, inactive_colour, zero_colour, constant_head_colour,
                                         negative_colour, first_class + 1, unreadable_colour, first_class}),
              image.pixels);
    EXPECT_EQ(5u + 2u, image.palette.size());
}

// Cells against nine classes with limits of a tenth apart, which no float
// holds exactly: a float lies above or below the limit it is nearest
// (0.1f is 0.10000000149, 0.7f is 0.69999998808). 20 cells: the first eight
// inactive, and two past the last whole eight.
TEST(MapImage, ClassesAtTheirLimitsAndCellsNoFieldHolds) {
    const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
    const ClassBreaks breaks{{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}};
    const struct {
        float value;
        std::int32_t code;
        int colour;
    } cells[] = {
        {5.0f, 0, inactive_colour}, {nan, 0, inactive_colour}, {1e5f, 0, inactive_colour},
        {0.0f, 0, inactive_colour}, {1.0f, 0, inactive_colour}, {-1.0f, 0, inactive_colour},
        {inf, 0, inactive_colour},  {0.5f, 0, inactive_colour},
        {0.1f, 1, first_class + 1},      // just above the first limit
        {0.7f, 1, first_class + 6},      // just below the seventh
        {0.5f, -1, first_class + 4},     // exactly on the fifth: the class it closes
        {0.05f, 1, first_class},         // below every limit
        {0.85f, 1, first_class + 8},     // above the eighth: the last class
        {100.0f, 1, first_class + 8},    // above the largest value still the last class
        {-0.0f, -1, constant_head_colour},
        {-1e-30f, 1, negative_colour},
        {nan, 1, unreadable_colour},
        {-inf, 1, unreadable_colour},
        {1e5f, -1, unreadable_colour},   // wider than six characters
        {998.9f, 1, first_class + 8},    // "998.9" fits
    };
    std::vector<float> values;
    std::vector<std::int32_t> ibound;
    std::vector<std::uint8_t> expected;
    for (const auto& c : cells) {
        values.push_back(c.value);
        ibound.push_back(c.code);
        expected.push_back(static_cast<std::uint8_t>(c.colour));
    }
    const Grid grid{2, 10, 100.0f, 100.0f, 0.0f, 0.0f, 200.0f};
    const MapData map{"m", "m", "u", {values.size(), {values}}, {}};
    EXPECT_EQ(expected, map_image(grid, ibound, map, breaks).pixels);
    // One class: every positive value in it.
    std::vector<std::uint8_t> one = expected;
    for (std::uint8_t& p : one) p = std::min(p, std::uint8_t{first_class});
    EXPECT_EQ(one, map_image(grid, ibound, map, ClassBreaks{{1.0}}).pixels);
    // A season: the sum of its months in double, each month's asterisks its
    // own (1000 and -1000 add up to 0 but are written so; 0.25f and 0.05f add
    // up to 0.30000000075, above the third limit).
    const std::vector<float> may = {0.25f, 1000.0f, 0.0f, -0.5f, 0.1f}, june = {0.05f, -1000.0f, 0.0f, 0.25f, 0.0f};
    const MapData season{"s", "s", "u", {may.size(), {may, june}}, {}};
    EXPECT_EQ((std::vector<std::uint8_t>{first_class + 3, unreadable_colour, constant_head_colour, negative_colour,
                                         first_class + 1}),
              map_image(Grid{1, 5, 100.0f, 100.0f, 0.0f, 0.0f, 100.0f}, {1, 1, -1, 1, 1}, season, breaks).pixels);
}

// A round length (1, 2 or 5 times a power of ten) of at most a quarter of
// the map: in miles from a map of 4 miles (21,120 ft) up, else in feet.
TEST(MapFurniture, ScaleBarAQuarterOfTheMapAtMostInMilesOrFeet) {
    const struct {
        double map_feet;
        const char* label;
    } cases[] = {
        {264000.0, "10 mi = 52,800 ft"},   // 50 mi: a quarter is 12.5
        {21120.0, "1 mi = 5,280 ft"},      // a quarter is just a mile
        {21119.0, "5,000 ft = 0.947 mi"},  // a quarter is just short of one
        {3000.0, "500 ft = 0.0947 mi"},    // a quarter is 750 ft
        {0.0, ""},
        {2e9, ""},  // beyond a billion feet: no survey's cells
    };
    for (const auto& c : cases) EXPECT_EQ(c.label, scale_bar(c.map_feet).label) << c.map_feet;
}

// The outline's straight runs in cell units: two constant-head cells side by
// side in row 1 of a 2 x 3 grid (columns 2 and 3) give a top and a bottom run
// two cells long and two sides, one at x = 1 and one on the grid's east edge.
// Single cells at every other row and column each take four runs: 50 x 50 of
// them on 100 x 100 cells are the most that are outlined, 51 x 50 too many.
TEST(ConstantHead, OutlineRunsJoinedAlongTheirLinesAndBounded) {
    EXPECT_EQ("M1 0h2M1 1h2M1 0v1M3 0v1",
              constant_head_path({2, 3, 1.0f, 1.0f, 0.0f, 0.0f, 2.0f}, {1, -1, -1, 1, 1, 0}));
    EXPECT_EQ("", constant_head_path({2, 3, 1.0f, 1.0f, 0.0f, 0.0f, 2.0f}, {1, 1, 1, 1, 1, 0}));
    // 3 x 17 cells, two eights and one more a row: constant heads in row 1
    // at column 9, all down column 17 and in row 3 at column 1. Rows first,
    // from the north edge (line 0) down, then the columns from the west edge.
    std::vector<std::int32_t> codes(3 * 17, 1);
    for (std::size_t at : {8u, 16u, 17u + 16u, 34u, 34u + 16u}) codes[at] = -1;
    EXPECT_EQ("M8 0h1M16 0h1M8 1h1M0 2h1M0 3h1M16 3h1M0 2v1M1 2v1M8 0v1M9 0v1M16 0v3M17 0v3",
              constant_head_path({3, 17, 1.0f, 1.0f, 0.0f, 0.0f, 3.0f}, codes));
    auto scatter = [](std::int32_t rows) {
        std::vector<std::int32_t> ibound(static_cast<std::size_t>(rows) * 100u, 1);
        for (std::int32_t r = 0; r < rows; r += 2) {
            for (std::size_t c = 0; c < 100; c += 2) ibound[static_cast<std::size_t>(r) * 100u + c] = -1;
        }
        return constant_head_path({rows, 100, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f}, ibound);
    };
    EXPECT_EQ(constant_head_runs, test::occurrences(scatter(100), "M"));
    EXPECT_EQ("", scatter(101));
}

TEST(EsriGrid, CellsizeOrDxDyAndNodataOnInactiveAndAsterisks) {
    YearReport r;
    r.grid = Grid{1, 7, 100.0f, 50.0f, 1000.5f, 2000.0f, 2050.0f};
    r.ibound = {1, 0, 1, 1, 1, 1, 1};
    ArrayValues a;
    // The F6.1 fields "   1.2", (inactive), "******", "   0.0", "  -0.1",
    // "-999.9" and "9999.9": the widest a field holds either way.
    a.append(std::vector<float>{1.25f, 3.0f, 12345.0f, 0.0f, -0.05f, -999.94f, 9999.9f});
    EXPECT_EQ("ncols 7\nnrows 1\nxllcorner 1000.5\nyllcorner 2000\ndx 100\ndy 50\nNODATA_value -9999\n"
              "1.2 -9999 -9999 0.0 -0.1 -999.9 9999.9\n",
              esri_ascii_grid(r, a));
    r.grid.dely = 100.0f;
    EXPECT_TRUE(esri_ascii_grid(r, a).find("\ncellsize 100\nNODATA") != std::string::npos);
    // An array cut short has no data in the cells it never had; a grid
    // without columns has rows without cells.
    ArrayValues cut;
    cut.append(std::vector<float>{2.0f, 3.0f});
    EXPECT_TRUE(esri_ascii_grid(r, cut).ends_with("NODATA_value -9999\n2.0 -9999 -9999 -9999 -9999 -9999 -9999\n"));
    r.grid.ncol = -3;
    EXPECT_TRUE(esri_ascii_grid(r, cut).ends_with("NODATA_value -9999\n\n"));
    // A row longer than the writer's buffer: 1000 fields of "-999.9".
    std::string row, expected;
    append_asc_row(row, std::vector<std::int32_t>(1000, 1), std::vector<float>(1000, -999.94f));
    for (int k = 0; k < 1000; ++k) expected += k == 0 ? "-999.9" : " -999.9";
    EXPECT_EQ(expected + "\n", row);
}

TEST(Numbers, AmountsShortestAndGrouped) {
    EXPECT_EQ("0.0000", amount_text(-0.00001));
    EXPECT_EQ("2132624.5", shortest_text(2132624.5f));
    EXPECT_EQ("1000000", shortest_text(1.0e6f));
    EXPECT_EQ("-1,234,567", grouped_text(-1234567.0, 0));
    EXPECT_EQ("0.00", grouped_text(-0.001, 2));
    // The largest double has 309 digits, 102 commas between them.
    EXPECT_EQ(309u + 102u, grouped_text(std::numeric_limits<double>::max(), 0).size());
    EXPECT_EQ(301u + 5u, amount_text(-1e300).size() - 1);
    // Positions are printf's %.1f into 32 characters, class limits its %.3g:
    // any double (huge ones cut, NaN, infinities), and quarters (ties).
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const double v = i % 2 ? std::bit_cast<double>(random()) : static_cast<double>(random() % 80001) / 4.0 - 1e4;
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", v);
        EXPECT_EQ(text, px(v)) << v;
        std::snprintf(text, sizeof text, "%.3g", v);
        if (std::fabs(v) < 100.0) { EXPECT_EQ(text, limit_text(v)) << v; }
    }
    // Amounts are printf's %.4f without a minus before zero: any double,
    // 53-bit numbers from 2^-70 to 2^69 (about 2^50 they leave the integer
    // path), and thirty-seconds, whose fifth decimal is an exact 5: a tie
    // to the even digit (0.03125 -> "0.0312", 0.09375 -> "0.0938").
    for (int i = 0; i < 30000; ++i) {
        const double sign = random() % 2 ? -1.0 : 1.0;
        const int exponent = static_cast<int>(random() % 140) - 123;
        const double v = i % 3 == 0   ? std::bit_cast<double>(random())
                         : i % 3 == 1 ? sign * std::ldexp(static_cast<double>(random() >> 11), exponent)
                                      : sign * static_cast<double>(random() % 2000001) / 32.0;
        char text[400];
        std::snprintf(text, sizeof text, "%.4f", v);
        EXPECT_EQ(std::string_view(text) == "-0.0000" ? "0.0000" : text, amount_text(v)) << v;
    }
    // The shortest text of a 4-byte value is to_chars': random values of
    // every size, and runs of neighbours about 1, the powers of two (where
    // the gap below is half the gap above) and 2^24.
    std::vector<float> floats;
    for (const float start : {1.0f, 2.0f, 1024.0f, 4194304.0f, 8388608.0f, 16777216.0f, 1234567.8f}) {
        float v = start;
        for (int k = 0; k < 3000; ++k) v = std::nextafter(v, 0.0f);
        for (int k = 0; k < 6000; ++k, v = std::nextafter(v, 1e30f)) floats.push_back(k % 2 ? v : -v);
    }
    for (int i = 0; i < 100000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        const float one_to_two = std::bit_cast<float>((bits & 0x7fffffu) | 0x3f800000u);
        floats.push_back(i % 2 ? std::bit_cast<float>(bits) : std::ldexp(one_to_two, i % 26));
    }
    for (const float v : floats) {
        char text[64];
        EXPECT_EQ(std::string(text, std::to_chars(text, text + sizeof text, v, std::chars_format::fixed).ptr),
                  shortest_text(v)) << v;
    }
    EXPECT_EQ("0.0312", amount_text(0.03125));
    EXPECT_EQ("-0.0938", amount_text(-0.09375));
}

// The page's maps by kind: the four annual ones, then the six monthly
// pumping arrays, then the six monthly recharge arrays.
TEST(ReportMaps, AnnualThenMonthlyPumpingThenRecharge) {
    YearReport r;
    r.grid = Grid{1, 1, 100.0f, 100.0f, 0.0f, 0.0f, 100.0f};
    r.ibound = {1};
    for (const YearArray& array : year_arrays("2010")) {
        ArrayValues& a = r.arrays.emplace_back();
        static_cast<YearArray&>(a) = array;
        a.append(std::vector<float>{1.0f});
    }
    const std::string page = html_page(r), figure = "<figure class=\"map\" id=\"map-";
    std::string ids;
    for (std::size_t at = 0; (at = page.find(figure, at)) != std::string::npos; at += figure.size()) {
        ids += page.substr(at + figure.size(), page.find('"', at + figure.size()) - at - figure.size()) + " ";
    }
    EXPECT_EQ("season-pumping season-recharge acres mi 2010.05.pmp 2010.06.pmp 2010.07.pmp 2010.08.pmp 2010.09.pmp "
              "2010.10.pmp 2010.05.rcg 2010.06.rcg 2010.07.rcg 2010.08.rcg 2010.09.rcg 2010.10.rcg ",
              ids);
}

// A budget row or a problem is told apart from the others by its text alone
// in the CSV files: no two reasons share one.
TEST(ReportKeys, EveryReasonHasATextOfItsOwn) {
    std::set<std::string> texts;
    for (int k = 0; k <= static_cast<int>(Reason::as_the_model_reads); ++k) {
        const std::string& text = text_of(static_cast<Reason>(k));
        EXPECT_TRUE(!text.empty() && texts.insert(text).second) << k << ": '" << text << "'";
    }
}

// The summary's shares are of what each file holds; its losses the three
// largest shares (a negative amount, or a loss from a file that holds
// nothing, has none); a factor shows when it changed more than a thousandth.
TEST(Summary, SharesLargestLossesAndFactors) {
    YearReport empty;
    EXPECT_EQ((std::vector<std::string>{"The input files hold 0.00 acre-feet of pumping, 0.00 acre-feet of return "
                                        "flow, 0.00 irrigated acres and 0.00 acre-feet of M&I pumping.",
                                        "The arrays hold nothing, for the files hold nothing to place.",
                                        "Nothing that the files hold was lost on the way to the arrays."}),
              summary_sentences(empty));
    using enum Reason;
    YearReport r;
    r.budget = {{Quantity::pumping, BudgetKind::in_file, pumping_file, 4, 200.0},
                {Quantity::pumping, BudgetKind::loss, off_grid, 2, 50.0},             // 25%
                {Quantity::pumping, BudgetKind::loss, negative_pumping, 1, -10.0},    // no share
                {Quantity::pumping, BudgetKind::change, county_factors, 3, 0.1},      // below a thousandth
                {Quantity::pumping, BudgetKind::placed, monthly_pmp, 3, 160.2},       // 80.1%
                {Quantity::return_flow, BudgetKind::in_file, pumping_file, 4, 100.0},
                {Quantity::return_flow, BudgetKind::loss, off_grid, 2, 30.0},         // 30%
                {Quantity::return_flow, BudgetKind::loss, inactive, 1, 1.0},          // 1%: the fourth
                {Quantity::acres, BudgetKind::loss, off_grid, 1, 5.0},                // of nothing
                {Quantity::acres, BudgetKind::change, exchange_area_factor, 1, -7.0}, // of nothing
                {Quantity::mi_pumping, BudgetKind::in_file, mi_file, 1, 10.0},
                {Quantity::mi_pumping, BudgetKind::loss, inactive, 1, 0.5}};           // 5%
    EXPECT_EQ((std::vector<std::string>{
                  "The input files hold 200.00 acre-feet of pumping, 100.00 acre-feet of return flow, 0.00 irrigated "
                  "acres and 10.00 acre-feet of M&I pumping.",
                  "The arrays hold 80.1% of the pumping, 0.0% of the return flow and 0.0% of the M&I pumping.",
                  "The largest losses: 30.00 acre-feet of return flow (off the grid, 30.0% of what the file holds), "
                  "50.00 acre-feet of pumping (off the grid, 25.0% of what the file holds) and 0.50 acre-feet of "
                  "M&I pumping (on an inactive cell, 5.0% of what the file holds).",
                  "Factors changed the acres by -7.00 acres (exchange-area factor)."}),
              summary_sentences(r));
}

}  // namespace
}  // namespace tessadro
