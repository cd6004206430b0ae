// The edge-case years of make_year --edge: small years full of what the run
// must survive or refuse in its own words (county codes outside 1 to 44,
// grids without rows or columns or with negative counts, cells that are not
// square, origins far away, amounts of zero, negative, huge, infinite or not a
// number, records a spreadsheet export might hold), a fifth of them with a
// fault that stops the run. The tests run tessadro and tessadro-report on a
// few hundred seeds and name any seed on which the two end otherwise; that
// year is written again with make_year <dir> 2010 --edge <seed>.
#include "edge_year.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <random>
#include <vector>

namespace {

// Chooses from lists with a fixed-seed engine, whose sequence the standard
// fixes: the same seed writes the same year everywhere.
class Pick {
public:
    explicit Pick(std::uint32_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T>
    T of(std::initializer_list<T> choices) {
        return choices.begin()[below(static_cast<int>(choices.size()))];
    }

private:
    std::mt19937 engine_;
};

// An amount as an export might write it: mostly plain, sometimes odd.
std::string amount(Pick& p) {
    if (!p.chance(25)) {
        const int whole = p.below(4000);
        return std::to_string(whole) + "." + std::to_string(p.below(100));
    }
    return p.of<const char*>({"0", "-0.0", "-12.5", "-1e-30", "1e-45", "99999", "1e30", "3.4e38", "1e39", "-1e39",
                              "inf", "-inf", "nan", "9999.95", "640"});
}

std::string number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

struct Layout {
    int nrow, ncol;
    double delx, dely, x0, y0;
    // A point in a cell of the grid or next to it, "x y". (Every draw is a
    // statement of its own: the order in which a call's arguments are
    // evaluated is not fixed, and the same seed must write the same year.)
    std::string point(Pick& p, int cols, int rows) const {
        const int col = p.below(cols + 2);
        const int row = p.below(std::max(rows, 1) + 2);
        const double x = x0 + (col - 0.5) * delx + (p.below(81) - 40) * delx / 100.0;
        const double y = y0 + (nrow - row + 0.5) * dely + (p.below(81) - 40) * dely / 100.0;
        return number(x) + " " + number(y);
    }
};

// A record of the year files, now and then spoilt the way exports spoil them.
std::string spoilt(Pick& p, std::string record) {
    switch (p.chance(15) ? p.below(7) : -1) {
        case 0: return record + " 7 8 9";                       // more numbers than the read takes
        case 1: {                                               // values run onto the next line
            const std::size_t cut = record.find(' ', record.size() / 2);
            return cut == std::string::npos ? record : record.substr(0, cut) + "\n" + record.substr(cut + 1);
        }
        case 2: return record + ",,";                           // null values after the last
        case 3: return "\n" + record;                          // a blank line before
        case 4: return record + "\r";                          // CR LF
        case 5: return record.substr(0, record.size() / 2) + " /";  // a slash ends it early
        case 6: return std::string(3000, ' ') + record;        // a long record
        default: return record;
    }
}

// Faults that stop the run, one in some years, so that the report is seen
// to stop as the run does too.
enum Fault { factor_text, cell_size, byte_order_mark, bad_number, quoted, group_0, tract_17, group_5001, decimal_commas,
             faults };

}  // namespace

std::string write_edge_year(const std::filesystem::path& dir, const std::string& year, std::uint32_t seed) {
    Pick p(seed);
    const int fault = p.chance(20) ? p.below(faults) : -1;
    std::filesystem::create_directories(dir / "static");
    auto file = [&dir](const std::string& name) { return std::ofstream(dir / name, std::ios::binary); };
    Layout g{p.of({-3, -1, 0, 1, 1, 2, 3, 3, 4, 5}), p.of({-2, 0, 1, 2, 3, 4, 4, 5, 7}), p.of({100.0, 250.0, 1000.0}),
             p.of({100.0, 250.0, 400.0}), p.of({0.0, 1000.0, -50000.0}), p.of({0.0, 5000.0, -2000.0})};
    if (p.chance(3)) g.x0 = 1e20;
    {
        auto par = file("static/tessadro.par");
        par << g.nrow << " " << g.ncol << "\n";
        par << (fault == cell_size ? p.of<const char*>({"0", "-100", "inf", "nan"}) : number(g.delx)) << " " << g.dely
            << "\n";
        par << number(g.x0) << " " << number(g.y0) << "\n";
    }
    int rows = std::max(g.nrow, 0) + (p.chance(10) ? 1 : 0);  // a record too many
    rows -= p.chance(5) ? 1 : 0;                               // or too few
    const int cols = std::max(g.ncol, 0);
    {
        auto ib = file("static/02.ibound");
        auto cty = file("static/cty.flg");
        cty << "county numbers\n";
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < cols; ++j) {
                const int b = p.of({1, 1, 1, 0, -1, 2});
                const int c = p.chance(92) ? 1 + p.below(44) : p.of({0, 45, 99, -1});
                char cell[8];
                std::snprintf(cell, sizeof cell, "%2d", b);
                ib << cell;
                std::snprintf(cell, sizeof cell, "%2d", c);
                cty << cell;
            }
            ib << "\n";
            cty << "\n";
        }
    }
    {
        auto f = file("static/monthlyfactorsbycounty.txt");
        for (int k = 1; k <= 44; ++k) {
            f << k;
            for (double share : {0.1, 0.15, 0.25, 0.25, 0.15, 0.1}) {
                f << ", " << (p.chance(2) ? amount(p) : p.chance(3) ? "1.5" : number(share));
            }
            f << ", County " << k << "\n";
        }
    }
    const std::vector<int> pdids = {101, 102, 201, 301, 302, 401, 501, 601};
    {
        auto f = file("static/queltapdivs.txt");
        const int n = p.of({0, 1, 2, 3});
        f << n << "\n";
        for (int k = 0; k < n; ++k) f << pdids[static_cast<std::size_t>(p.below(8))] << "\n";
    }
    {
        auto f = file("static/40coords.dat");
        for (int k = 1; k <= 16 && !p.chance(5); ++k) {
            if (p.chance(20)) continue;  // a tract not listed stands at (0, 0)
            const std::string at = g.point(p, cols, rows);
            f << "1 1 1 " << k << " " << at << "\n";
        }
        if (p.chance(3)) f << "21 1 1 1 0 0\n";  // outside the tables
    }
    {
        auto f = file("authacres" + year + ".txt");
        const int n = p.below(10);
        for (int k = 0; k < n; ++k) {
            const int grp = k == 0 && fault == group_0 ? p.of({0, -3})
                            : p.chance(95)                ? 1 + p.below(5)
                                                          : p.of({5001, 6001});
            const int tract = k == 0 && fault == tract_17 ? 17 : 1 + p.below(16);
            const std::string acres = p.chance(10) ? std::string("-20") : amount(p);
            const std::string record = std::to_string(grp) + " 1 1 1 " + std::to_string(tract) + " " + acres;
            f << (k == 0 && fault == quoted ? "\"" + record + "\"" : spoilt(p, record)) << "\n";
        }
    }
    if (!p.chance(5)) {
        auto f = file("tessadro" + year + ".txt");
        if (fault == byte_order_mark) f << "\xEF\xBB\xBF";
        const int n = p.below(14);
        for (int k = 0; k < n; ++k) {
            const int grp = k == 0 && fault == group_5001 ? p.of({5001, 0}) : 1 + p.below(8);
            const std::string at =
                p.chance(8) ? p.of<std::string>({"0 0", "1e30 1e30", "-1e39 5", "nan 7"})
                            : g.point(p, cols, rows);
            const std::string pdid = std::to_string(pdids[static_cast<std::size_t>(p.below(8))]);
            const std::string pumping = amount(p);
            const std::string ret = amount(p);
            const std::string acres = k == 0 && fault == bad_number ? "1e" : amount(p);
            std::string record = std::to_string(grp) + " " + pdid + " " + at + " 0.0 AB " + pumping + " " + ret + " " + acres;
            if (k == 0 && fault == decimal_commas) record = std::to_string(grp) + ";101;1000,5;2000,25;0;AB;5,5;1,5;2";
            f << spoilt(p, record) << "\n";
        }
    }
    if (!p.chance(5)) {
        auto f = file(year + "mi.txt");
        const int n = p.below(6);
        for (int k = 0; k < n; ++k) {
            const std::string at = g.point(p, cols, rows);
            const std::string record = std::to_string(3100 + k) + " " + std::to_string(k + 1) + " " + at + " 1 2 3 ";
            f << spoilt(p, record + amount(p)) << "\n";
        }
    }
    if (fault == factor_text) return "x";
    return p.of<std::string>({"0.5", "0.7187758", "1", "1", "-2", "1e39"});
}

