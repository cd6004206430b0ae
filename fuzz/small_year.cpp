#include "small_year.hpp"

#include <cstdint>
#include <cstdio>

namespace fuzz {
namespace {

std::string number(double value, const char* format = "%.9g") {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A real: in [low, high] seven times in eight, else one of the values that
// have broken a report before.
std::string real(FuzzedDataProvider& in, double low, double high) {
    static const char* const odd[] = {"inf", "-inf", "nan", "1e38", "3.4e38", "1e39", "-1e39", "1e20",
                                      "-1e20", "0",   "-0.0", "1e-45", "-1",   "1e9",  "-5"};
    if (in.ConsumeIntegralInRange(0, 7) != 0) return number(in.ConsumeFloatingPointInRange(low, high), "%.4f");
    return odd[in.ConsumeIntegralInRange<std::size_t>(0, std::size(odd) - 1)];
}

// An integer code: in [low, high] mostly, else an odd one.
int code(FuzzedDataProvider& in, int low, int high, std::initializer_list<int> odd) {
    if (in.ConsumeIntegralInRange(0, 7) != 0 || odd.size() == 0) return in.ConsumeIntegralInRange(low, high);
    return odd.begin()[in.ConsumeIntegralInRange<std::size_t>(0, odd.size() - 1)];
}

// A row of I2 fields.
std::string row_of(FuzzedDataProvider& in, int columns, int low, int high, std::initializer_list<int> odd) {
    std::string row;
    for (int j = 0; j < columns; ++j) row += number(code(in, low, high, odd), "%2.0f");
    return row + "\n";
}

struct Tract {
    int township, range, section, tract;
};

}  // namespace

SmallYear make_small_year(FuzzedDataProvider& in) {
    SmallYear year;
    // The grid: up to 6 by 6 cells, now and then none or a negative count.
    const int nrow = code(in, 1, 6, {0, -1, 7, 12});
    const int ncol = code(in, 1, 6, {0, -1, 7, 12});
    const double delx = in.ConsumeFloatingPointInRange(100.0, 2000.0);
    const double dely = in.ConsumeBool() ? delx : in.ConsumeFloatingPointInRange(100.0, 2000.0);
    const double x0 = in.ConsumeFloatingPointInRange(0.0, 1e6), y0 = in.ConsumeFloatingPointInRange(0.0, 1e6);
    std::string par = number(nrow) + " " + number(ncol) + "\n";
    par += (in.ConsumeIntegralInRange(0, 15) ? number(delx, "%.1f") : real(in, 1, 10)) + " " +
           (in.ConsumeIntegralInRange(0, 15) ? number(dely, "%.1f") : real(in, 1, 10)) + "\n";
    par += (in.ConsumeIntegralInRange(0, 15) ? number(x0, "%.1f") : real(in, 0, 1)) + " " +
           (in.ConsumeIntegralInRange(0, 15) ? number(y0, "%.1f") : real(in, 0, 1)) + "\n";
    year.files.emplace_back("static/tessadro.par", par);

    std::string ibound, counties = "county numbers of the small grid\n";
    for (int i = 0; i < nrow; ++i) ibound += row_of(in, ncol, 0, 1, {-1, 2, 0});
    for (int i = 0; i < nrow; ++i) counties += row_of(in, ncol, 1, 3, {0, 44, 45, 99, -1});
    year.files.emplace_back("static/02.ibound", ibound);
    year.files.emplace_back("static/cty.flg", counties);

    std::string factors;
    for (int k = 1; k <= 44; ++k) {
        factors += number(k);
        for (int month = 5; month <= 10; ++month) factors += ", " + real(in, 0.0, 0.4);
        factors += ", County " + number(k) + "\n";
    }
    year.files.emplace_back("static/monthlyfactorsbycounty.txt", factors);

    // Points inside the grid mostly, some just outside.
    auto x = [&] { return real(in, x0 - delx, x0 + (ncol + 1) * delx); };
    auto y = [&] { return real(in, y0 - dely, y0 + (nrow + 1) * dely); };

    const int pdivs = in.ConsumeIntegralInRange(0, 3);
    std::string quelta = number(pdivs) + "\n";
    for (int k = 0; k < pdivs; ++k) quelta += number(9001 + k) + " exchange-area well\n";
    year.files.emplace_back("static/queltapdivs.txt", quelta);

    std::vector<Tract> tracts;
    std::string coords;
    for (int k = in.ConsumeIntegralInRange(0, 6); k > 0; --k) {
        const Tract t{1, 1, in.ConsumeIntegralInRange(1, 2), in.ConsumeIntegralInRange(1, 16)};
        tracts.push_back(t);
        coords += "1 1 " + number(t.section) + " " + number(t.tract) + " " + x() + " " + y() + "\n";
    }
    year.files.emplace_back("static/40coords.dat", coords);

    std::string authorized;
    for (int k = in.ConsumeIntegralInRange(0, 6); k > 0; --k) {
        Tract t{1, 1, 3, in.ConsumeIntegralInRange(1, 16)};  // without a point unless listed
        if (!tracts.empty() && in.ConsumeIntegralInRange(0, 3) != 0) {
            t = tracts[in.ConsumeIntegralInRange<std::size_t>(0, tracts.size() - 1)];
        }
        authorized += number(code(in, 1, 4, {5000, 5001})) + " 1 1 " + number(t.section) + " " +
                      number(t.tract) + " " + real(in, 0.0, 200.0) + "\n";
    }
    year.files.emplace_back("authacres2010.txt", authorized);

    std::string pumping;
    for (int k = in.ConsumeIntegralInRange(0, 6); k > 0; --k) {
        const int pdiv = pdivs > 0 && in.ConsumeBool() ? 9001 : in.ConsumeIntegralInRange(100, 200);
        pumping += number(code(in, 1, 5, {5000})) + " " + number(pdiv) + " " + x() + " " + y() + " 0.0 AB " +
                   real(in, -10.0, 500.0) + " " + real(in, -10.0, 100.0) + " " + real(in, -10.0, 100.0) + "\n";
    }
    year.files.emplace_back("tessadro2010.txt", pumping);

    std::string mi;
    for (int k = in.ConsumeIntegralInRange(0, 3); k > 0; --k) {
        mi += number(1000 + k) + " 1 " + x() + " " + y() + " 1.5 2.5 3.5 " + real(in, -5.0, 50.0) + "\n";
    }
    year.files.emplace_back("2010mi.txt", mi);

    year.factor = in.ConsumeIntegralInRange(0, 7) ? number(in.ConsumeFloatingPointInRange(0.0, 1.0), "%.7f")
                                                  : real(in, 0.0, 1.0);
    return year;
}

}  // namespace fuzz
