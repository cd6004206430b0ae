// make_year: writes a plausible, deterministic year of inputs for tessadro.
//
//   make_year <dir> <year> [--size full|example] [--wells N]
//   make_year <dir> <year> --edge SEED
//
// <dir>/static/ receives the six static tables (tessadro.par, 02.ibound,
// cty.flg, monthlyfactorsbycounty.txt, queltapdivs.txt, 40coords.dat) and <dir>
// itself the year's files (authacres<year>.txt, tessadro<year>.txt,
// <year>mi.txt). The same size always gives the same bytes: the random numbers
// come from fixed-seed std::mt19937 engines (whose sequence the standard fixes)
// turned into integers and reals by the small exact helpers below, never by
// the library's distributions, whose output differs between implementations.
//
// The landscape. The public land survey is laid out as 20 townships (south to
// north) by 45 ranges (west to east) of 6 x 6 miles; a township holds 36
// sections of one square mile, numbered 1 to 6 from east to west along its
// northern row, 7 to 12 back from west to east along the next row, and so on;
// a section holds 16 forty-acre tracts of 1320 x 1320 ft, numbered the same
// serpentine way from its north-east corner. Every tract is represented by its
// centre, moved by up to 25 ft to mimic the irregularities of a real survey.
//
// The full year puts a 400 x 400 grid of one-mile cells over this survey so
// that the survey sticks out two and a half miles beyond the grid's west and
// north edges: tracts there lie off the grid. The example year puts a 50 x 40
// mile grid inside the survey, which then surrounds it on all sides.
//
// The active model area is an irregular region whose edges wander cell by cell,
// with a few inactive islands and a river of constant-head cells (code -1).
// Counties are blocks of cells numbered 1 to 44 row band by row band; inactive
// cells beyond a state line in the south-east corner carry county 0.
//
// Water-right groups irrigate compact clusters of tracts around a centre. A
// group's wells stand on its tracts; each well reports its share of the group's
// irrigated acres (55 to 100 per cent of the authorized acres), 0.5 to 1.6 ft
// of water pumped over those acres, and a return flow of 8 to 30 per cent of
// the pumping. A few groups straddle a side of the grid or the edge of the
// active area, so that some of their tracts cannot be placed. Besides these,
// the year holds groups that pump
// without any authorized acres, groups with authorized acres but no pumping,
// groups numbered above 5000 (listed in the authorized acres only), wells
// without a location (0, 0), wells just outside the active area, idle wells,
// a few negative corrections, an exchange area of wells around one centre, and
// municipal wells clustered in towns, a few of them outside the model.
//
// --edge writes instead a small year of edge cases (edge_year.cpp) and prints
// the factor argument to run it with.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "edge_year.hpp"

namespace {

// ---------------------------------------------------------------- randomness

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    std::uint32_t bits() { return static_cast<std::uint32_t>(engine_()); }

    // Uniform integer in [lo, hi].
    int between(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
        return lo + static_cast<int>((static_cast<std::uint64_t>(bits()) * span) >> 32);
    }

    // Uniform real in [lo, hi), with 32 random bits.
    double real(double lo, double hi) {
        return lo + (hi - lo) * (static_cast<double>(bits()) / 4294967296.0);
    }

    bool chance(double p) { return real(0.0, 1.0) < p; }

private:
    std::mt19937 engine_;
};

// A value that depends only on its arguments, for the survey's jitter: the same
// tract gets the same coordinates whichever tracts a year happens to list.
std::uint32_t mix(std::uint32_t a, std::uint32_t b) {
    std::uint64_t z = (static_cast<std::uint64_t>(a) << 32 | b) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 16);
}

// ---------------------------------------------------------------- the survey

constexpr int kTownships = 20;
constexpr int kRanges = 45;
constexpr int kTractsPerSide = 24;  // 6 sections of 4 tracts along a township's side
constexpr int kTractColumns = kRanges * kTractsPerSide;    // 1080, west to east
constexpr int kTractRows = kTownships * kTractsPerSide;    // 480, south to north
constexpr double kTractFt = 1320.0;
constexpr double kMileFt = 5280.0;
constexpr double kTownshipFt = 6.0 * kMileFt;

// South-west corner of township 1, range 1.
constexpr double kSurveyX0 = 1486800.0;
constexpr double kSurveyY0 = 1891600.0;

struct TractId {
    int twnshp, range, sect, tract;
};

// Number of a cell in a serpentine count from the north-east corner of a
// square of n x n cells: across the northern row from east to west, back along
// the next row from west to east, and so on. col counts from the west, row
// from the north, both from 0.
int serpentine(int col, int row_from_north, int n) {
    if (row_from_north % 2 == 0) return row_from_north * n + (n - col);
    return row_from_north * n + col + 1;
}

// Tract at tract column u (from the west) and tract row v (from the south).
TractId tract_at(int u, int v) {
    const int in_u = u % kTractsPerSide;
    const int in_v = v % kTractsPerSide;
    const int sect = serpentine(in_u / 4, 5 - in_v / 4, 6);
    const int tract = serpentine(in_u % 4, 3 - in_v % 4, 4);
    return {v / kTractsPerSide + 1, u / kTractsPerSide + 1, sect, tract};
}

struct Point {
    double x, y;
};

Point tract_point(int u, int v) {
    const auto key = static_cast<std::uint32_t>(v * kTractColumns + u);
    const double jx = static_cast<double>(mix(key, 1) % 5001U) / 100.0 - 25.0;
    const double jy = static_cast<double>(mix(key, 2) % 5001U) / 100.0 - 25.0;
    return {kSurveyX0 + (u + 0.5) * kTractFt + jx, kSurveyY0 + (v + 0.5) * kTractFt + jy};
}

bool in_survey(int u, int v) { return u >= 0 && u < kTractColumns && v >= 0 && v < kTractRows; }

// --------------------------------------------------------------- the year's size

struct TractClass {
    double share;  // of the groups
    int lo, hi;    // tracts per group
};

struct Size {
    // Grid.
    int nrow, ncol;
    double cell, xorigin, yorigin;
    // Active area: the ranges within which its edges wander (cells).
    int top_lo, top_hi, bottom_lo, bottom_hi, left_lo, left_hi, right_lo, right_hi;
    int islands, island_radius;
    // County blocks: row bands x column bands, and the band of county 1.
    int county_bands_r, county_bands_c, county_band_r0, county_band_c0, county_shift;
    // Groups.
    int authorized_groups;    // numbered 1 to 5000, with authorized acres
    int pumping_only_groups;  // numbered 1 to 5000, pumping without authorized acres
    int beyond_groups;        // numbered above 5000, authorized acres only
    int edge_groups;          // authorized groups centred on the grid's outer cells
    int boundary_groups;      // authorized groups centred on the edge of the active area
    double dry_share;         // authorized groups that report no pumping
    std::array<TractClass, 4> tracts;
    double wells_per_tract;
    int pumping_only_wells_lo, pumping_only_wells_hi;
    // Pumping records set apart.
    int unlocated_wells, wells_beyond_boundary, negative_pumping, negative_return;
    double idle_share;
    // Exchange area.
    int exchange_wells, exchange_retired;
    // Municipal and industrial wells.
    int towns, cities, town_wells_lo, town_wells_hi, mi_beyond_boundary, mi_outside;
    // 40coords.dat lists every tract, or only the sections the year uses.
    bool all_tracts;
    std::uint32_t seed;
};

const Size kFull = {
    400, 400, kMileFt, 1500000.0, 400000.0,
    -3, 20, 140, 200, -3, 20, 290, 350,
    12, 5,
    4, 11, 0, 0, 4,
    4860, 100, 40, 40, 150, 0.03,
    {{{0.50, 1, 20}, {0.30, 20, 60}, {0.15, 60, 120}, {0.05, 120, 300}}},
    0.515, 2, 8,
    120, 150, 12, 15, 0.01,
    97, 3,
    160, 4, 1, 24, 6, 12,
    true, 20100400U,
};

const Size kExample = {
    40, 50, kMileFt, kSurveyX0 + 20 * kTownshipFt + 3 * kMileFt, kSurveyY0 + 4 * kTownshipFt + 2 * kMileFt,
    -2, 7, 33, 43, -2, 7, 43, 53,
    1, 2,
    2, 3, 1, 4, 1,
    34, 3, 1, 2, 1, 0.06,
    {{{0.50, 1, 6}, {0.40, 6, 15}, {0.10, 15, 30}, {0.0, 1, 1}}},
    0.8, 2, 4,
    1, 2, 1, 1, 0.01,
    7, 1,
    4, 1, 2, 6, 1, 2,
    false, 20100050U,
};

// --------------------------------------------------------------- the grid

struct Grid {
    int nrow = 0, ncol = 0;
    double cell = 0.0, xorigin = 0.0, yorigin = 0.0, ytop = 0.0;
    std::vector<int> ibound, county;  // (row - 1) * ncol + (column - 1)

    std::size_t index(int col, int row) const {
        return static_cast<std::size_t>((row - 1) * ncol + (col - 1));
    }
    bool on_grid(int col, int row) const { return col >= 1 && col <= ncol && row >= 1 && row <= nrow; }
    bool active(int col, int row) const { return on_grid(col, row) && ibound[index(col, row)] != 0; }

    // Column and row of a point, truncating toward zero as the model does.
    std::pair<int, int> locate(Point p) const {
        return {static_cast<int>((p.x - xorigin) / cell) + 1, static_cast<int>((ytop - p.y) / cell) + 1};
    }
    bool active_at(Point p) const {
        const auto [col, row] = locate(p);
        return active(col, row);
    }
    Point centre(int col, int row) const {
        return {(col - 0.5) * cell + xorigin, (nrow - row + 0.5) * cell + yorigin};
    }
};

// A boundary that wanders by at most one cell from one step to the next,
// keeping its heading for a while, as shorelines and outcrops do.
std::vector<int> wander(Random& rnd, int steps, int lo, int hi) {
    std::vector<int> line(static_cast<std::size_t>(steps) + 1);
    int at = rnd.between(lo, hi);
    int heading = rnd.chance(0.5) ? 1 : -1;
    for (auto& value : line) {
        if (rnd.chance(0.15)) heading = -heading;
        if (at + heading < lo || at + heading > hi) heading = -heading;
        if (rnd.chance(0.4)) at += heading;
        value = at;
    }
    return line;
}

Grid make_grid(const Size& size) {
    Random rnd(size.seed ^ 0x1B0DU);
    Grid g;
    g.nrow = size.nrow;
    g.ncol = size.ncol;
    g.cell = size.cell;
    g.xorigin = size.xorigin;
    g.yorigin = size.yorigin;
    g.ytop = g.nrow * g.cell + g.yorigin;
    const auto cells = static_cast<std::size_t>(g.nrow * g.ncol);
    g.ibound.assign(cells, 0);
    g.county.assign(cells, 0);

    const auto top = wander(rnd, g.ncol, size.top_lo, size.top_hi);
    const auto bottom = wander(rnd, g.ncol, size.bottom_lo, size.bottom_hi);
    const auto left = wander(rnd, g.nrow, size.left_lo, size.left_hi);
    const auto right = wander(rnd, g.nrow, size.right_lo, size.right_hi);
    for (int row = 1; row <= g.nrow; ++row) {
        for (int col = 1; col <= g.ncol; ++col) {
            const auto c = static_cast<std::size_t>(col);
            const auto r = static_cast<std::size_t>(row);
            if (row >= top[c] && row <= bottom[c] && col >= left[r] && col <= right[r]) {
                g.ibound[g.index(col, row)] = 1;
            }
        }
    }
    // Islands of bedrock inside the aquifer.
    for (int k = 0; k < size.islands; ++k) {
        const int cc = rnd.between(1, g.ncol);
        const int cr = rnd.between(1, g.nrow);
        const int a = rnd.between(1, size.island_radius);
        const int b = rnd.between(1, size.island_radius);
        if (!g.active(cc, cr)) continue;
        for (int row = cr - b; row <= cr + b; ++row) {
            for (int col = cc - a; col <= cc + a; ++col) {
                const int dc = col - cc;
                const int dr = row - cr;
                if (g.on_grid(col, row) && dc * dc * b * b + dr * dr * a * a <= a * a * b * b) {
                    g.ibound[g.index(col, row)] = 0;
                }
            }
        }
    }
    // A river of constant-head cells winding from west to east.
    const int river_lo = (size.top_hi + size.bottom_lo) / 3;
    const int river_hi = 2 * (size.top_hi + size.bottom_lo) / 3;
    const auto river = wander(rnd, g.ncol, river_lo, river_hi);
    for (int col = 1; col <= g.ncol; ++col) {
        const int row = river[static_cast<std::size_t>(col)];
        if (g.on_grid(col, row) && g.ibound[g.index(col, row)] == 1) g.ibound[g.index(col, row)] = -1;
    }

    // Counties: row bands of column blocks, the blocks' edges shifted from one
    // row band to the next as county lines are.
    for (int band = 0; band < size.county_bands_r; ++band) {
        std::vector<int> cuts;
        for (int k = 1; k < size.county_bands_c; ++k) {
            cuts.push_back(k * g.ncol / size.county_bands_c + rnd.between(-size.county_shift, size.county_shift));
        }
        const int row_first = band * g.nrow / size.county_bands_r + 1;
        const int row_last = (band + 1) * g.nrow / size.county_bands_r;
        for (int row = row_first; row <= row_last; ++row) {
            for (int col = 1; col <= g.ncol; ++col) {
                int block = 0;
                while (block < static_cast<int>(cuts.size()) && col > cuts[static_cast<std::size_t>(block)]) ++block;
                g.county[g.index(col, row)] = (band + size.county_band_r0) * 11 + block + size.county_band_c0 + 1;
            }
        }
    }
    // Beyond the state line in the south-east corner: no county.
    const int state_line = (g.nrow + g.ncol - 2) * 93 / 100;
    for (int row = 1; row <= g.nrow; ++row) {
        for (int col = 1; col <= g.ncol; ++col) {
            if (col + row - 2 >= state_line && g.ibound[g.index(col, row)] == 0) g.county[g.index(col, row)] = 0;
        }
    }
    return g;
}

// --------------------------------------------------------------- the year

struct TractUse {
    int u, v;
    double acres;
};

enum class Kind { authorized, pumping_only, beyond };

struct Group {
    int number = 0;
    Kind kind = Kind::authorized;
    bool pumps = true;
    int centre_u = 0, centre_v = 0;
    std::vector<TractUse> tracts;
};

struct Well {
    int grp = 0;
    int pdid = 0;
    Point at{0.0, 0.0};
    double capacity = 0.0;
    const char* source = "GW";
    double pumping = 0.0, ret = 0.0, acres = 0.0;
};

struct MiWell {
    int system = 0, number = 0;
    Point at{0.0, 0.0};
    double depth = 0.0, capacity = 0.0, consumed = 0.0, amount = 0.0;
};

struct Year {
    Grid grid;
    std::vector<Group> groups;
    std::vector<Well> wells;
    std::vector<int> exchange;
    std::vector<MiWell> mi;
};

// Tract column and row of a point, when the point lies in the survey.
bool tract_of(Point p, int& u, int& v) {
    u = static_cast<int>(std::floor((p.x - kSurveyX0) / kTractFt));
    v = static_cast<int>(std::floor((p.y - kSurveyY0) / kTractFt));
    return in_survey(u, v);
}

// A random point in a random cell of the grid that satisfies the test.
template <typename Test>
Point pick_cell(Random& rnd, const Grid& g, Test test) {
    for (int attempt = 0; attempt < 1000000; ++attempt) {
        const int col = rnd.between(1, g.ncol);
        const int row = rnd.between(1, g.nrow);
        const Point c = g.centre(col, row);
        const Point p{c.x + rnd.real(-0.5, 0.5) * g.cell, c.y + rnd.real(-0.5, 0.5) * g.cell};
        if (test(col, row, p)) return p;
    }
    std::fprintf(stderr, "make_year: no cell fits the layout\n");
    std::exit(1);
}

double authorized_acres(Random& rnd) {
    const double pick = rnd.real(0.0, 1.0);
    if (pick < 0.55) return 40.0;
    if (pick < 0.90) return rnd.real(20.0, 40.0);
    return rnd.real(1.0, 20.0);
}

// A compact cluster of n tracts around the centre. A tract that another group
// already lists is taken less willingly: rights overlap, but not often.
void choose_tracts(Random& rnd, Group& group, int n, std::vector<int>& owner, int self) {
    const int radius = static_cast<int>(std::sqrt(n * 2.3 / 3.14159)) + 1;
    auto take = [&](int u, int v) {
        auto& who = owner[static_cast<std::size_t>(v * kTractColumns + u)];
        if (who == self) return;
        if (who != 0 && !rnd.chance(0.3)) return;
        who = self;
        group.tracts.push_back({u, v, authorized_acres(rnd)});
    };
    take(group.centre_u, group.centre_v);
    for (int attempt = 0; attempt < 60 * n && static_cast<int>(group.tracts.size()) < n; ++attempt) {
        const int du = rnd.between(-radius, radius);
        const int dv = rnd.between(-radius, radius);
        if (du * du + dv * dv > radius * radius) continue;
        const int u = group.centre_u + du;
        const int v = group.centre_v + dv;
        if (in_survey(u, v)) take(u, v);
    }
    std::sort(group.tracts.begin(), group.tracts.end(), [](const TractUse& a, const TractUse& b) {
        const TractId ta = tract_at(a.u, a.v);
        const TractId tb = tract_at(b.u, b.v);
        return std::tie(ta.twnshp, ta.range, ta.sect, ta.tract) < std::tie(tb.twnshp, tb.range, tb.sect, tb.tract);
    });
}

int tract_count(Random& rnd, const Size& size) {
    double pick = rnd.real(0.0, 1.0);
    for (const auto& c : size.tracts) {
        if (pick < c.share) return rnd.between(c.lo, c.hi);
        pick -= c.share;
    }
    return size.tracts[0].lo;
}

Point near(Random& rnd, Point p, double spread) {
    return {p.x + rnd.real(-spread, spread), p.y + rnd.real(-spread, spread)};
}

// Moves a well just outside the active area: into the nearest inactive cell
// of the grid within ten cells, if there is one.
void move_to_inactive(Random& rnd, const Grid& g, Point& at) {
    const auto [col, row] = g.locate(at);
    for (int reach = 1; reach <= 10; ++reach) {
        for (int dr = -reach; dr <= reach; ++dr) {
            for (int dc = -reach; dc <= reach; ++dc) {
                if (g.on_grid(col + dc, row + dr) && !g.active(col + dc, row + dr)) {
                    at = near(rnd, g.centre(col + dc, row + dr), 0.4 * g.cell);
                    return;
                }
            }
        }
    }
}

Year make_year(const Size& size) {
    Year year;
    year.grid = make_grid(size);
    const Grid& g = year.grid;
    Random rnd(size.seed);

    auto surveyed_active = [&](int col, int row, Point p) {
        int u = 0, v = 0;
        return g.active(col, row) && tract_of(p, u, v);
    };
    // An active cell next to an inactive cell of the grid.
    auto surveyed_boundary = [&](int col, int row, Point p) {
        int u = 0, v = 0;
        if (!g.active(col, row) || !tract_of(p, u, v)) return false;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                if (g.on_grid(col + dc, row + dr) && !g.active(col + dc, row + dr)) return true;
            }
        }
        return false;
    };

    // The grid's sides, west, north, east and south, where the active area
    // reaches the grid's edge and the survey goes on beyond it: groups that
    // straddle such a side have tracts off the grid.
    auto on_side = [&](int side, int col, int row) {
        switch (side) {
            case 0: return col == 1;
            case 1: return row == 1;
            case 2: return col == g.ncol;
            default: return row == g.nrow;
        }
    };
    auto beyond_side = [&](int side, Point p) {
        switch (side) {
            case 0: return Point{p.x - g.cell, p.y};
            case 1: return Point{p.x, p.y + g.cell};
            case 2: return Point{p.x + g.cell, p.y};
            default: return Point{p.x, p.y - g.cell};
        }
    };
    auto straddles = [&](int side, int col, int row, Point p) {
        int u = 0, v = 0;
        return on_side(side, col, row) && g.active(col, row) && tract_of(beyond_side(side, p), u, v);
    };
    std::vector<int> open_sides;
    for (int side : {0, 3, 2, 1}) {  // a column side and a row side in turn
        bool open = false;
        for (int row = 1; row <= g.nrow && !open; ++row) {
            for (int col = 1; col <= g.ncol && !open; ++col) open = straddles(side, col, row, g.centre(col, row));
        }
        if (open) open_sides.push_back(side);
    }

    // The exchange area lies around one point of the irrigated area.
    const Point exchange_centre = pick_cell(rnd, g, surveyed_active);

    // Group numbers: a shuffle of 1 to 5000 gives the authorized groups, then
    // the groups without authorized acres; the rest are not in use this year.
    std::vector<int> numbers(5000);
    for (int k = 0; k < 5000; ++k) numbers[static_cast<std::size_t>(k)] = k + 1;
    for (int k = 4999; k > 0; --k) std::swap(numbers[static_cast<std::size_t>(k)], numbers[static_cast<std::size_t>(rnd.between(0, k))]);
    std::vector<Group> groups;
    for (int k = 0; k < size.authorized_groups + size.pumping_only_groups; ++k) {
        Group group;
        group.number = numbers[static_cast<std::size_t>(k)];
        group.kind = k < size.authorized_groups ? Kind::authorized : Kind::pumping_only;
        groups.push_back(group);
    }
    int beyond = 5000;
    for (int k = 0; k < size.beyond_groups; ++k) {
        Group group;
        beyond += rnd.between(1, 4);
        group.number = beyond;
        group.kind = Kind::beyond;
        group.pumps = false;
        groups.push_back(group);
    }
    std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.number < b.number; });

    // Where the authorized groups lie: most inside the active area, a few
    // across a side of the grid or on the edge of the active area.
    enum class Place { inside, edge, boundary };
    std::vector<Place> place(static_cast<std::size_t>(size.authorized_groups), Place::inside);
    for (int k = 0; k < size.edge_groups + size.boundary_groups; ++k) {
        place[static_cast<std::size_t>(rnd.between(0, size.authorized_groups - 1))] =
            k < size.edge_groups ? Place::edge : Place::boundary;
    }

    // Tracts.
    std::vector<int> owner(static_cast<std::size_t>(kTractColumns * kTractRows), 0);
    bool first_pumping_only = true;
    std::size_t authorized_index = 0;
    std::size_t edge_turn = 0;
    for (auto& group : groups) {
        Point centre{0.0, 0.0};
        bool edge = false;
        if (group.kind == Kind::pumping_only && first_pumping_only) {
            centre = exchange_centre;  // so that the exchange area holds a group without authorized acres
            first_pumping_only = false;
        } else if (group.kind == Kind::authorized) {
            const Place where = place[authorized_index++];
            if (where == Place::edge && !open_sides.empty()) {
                // Straddling a side of the grid: centred one cell beyond an
                // outer cell, within the survey.
                const int side = open_sides[edge_turn++ % open_sides.size()];
                centre = pick_cell(rnd, g, [&](int col, int row, Point p) { return straddles(side, col, row, p); });
                centre = beyond_side(side, centre);
                edge = true;
            } else if (where == Place::boundary) {
                centre = pick_cell(rnd, g, surveyed_boundary);
            } else {
                centre = pick_cell(rnd, g, surveyed_active);
            }
            group.pumps = !rnd.chance(size.dry_share);
        } else {
            centre = pick_cell(rnd, g, surveyed_active);
        }
        tract_of(centre, group.centre_u, group.centre_v);
        if (group.kind != Kind::pumping_only) {
            const int n = tract_count(rnd, size);
            choose_tracts(rnd, group, edge ? std::max(n, 10) : n, owner, group.number);
        }
    }

    // Wells.
    int pdid = 10001;
    auto next_pdid = [&]() {
        const int id = pdid;
        pdid += rnd.between(2, 37);  // the number after a well's is never a well's
        return id;
    };
    for (const auto& group : groups) {
        if (!group.pumps) continue;
        if (group.kind == Kind::pumping_only) {
            const Point centre = tract_point(group.centre_u, group.centre_v);
            const int n = rnd.between(size.pumping_only_wells_lo, size.pumping_only_wells_hi);
            for (int k = 0; k < n; ++k) {
                Well w;
                w.grp = group.number;
                w.pdid = next_pdid();
                w.at = near(rnd, centre, 0.6 * g.cell);
                w.acres = rnd.real(30.0, 160.0);
                year.wells.push_back(w);
            }
        } else {
            double authtot = 0.0;
            for (const auto& t : group.tracts) authtot += t.acres;
            const double irrigated = authtot * rnd.real(0.55, 1.0);
            const double ideal = static_cast<double>(group.tracts.size()) * size.wells_per_tract * rnd.real(0.6, 1.4);
            const int n = std::max(1, static_cast<int>(ideal + 0.5));
            std::vector<double> weight(static_cast<std::size_t>(n));
            double total = 0.0;
            for (auto& w : weight) total += (w = rnd.real(0.3, 1.7));
            for (int k = 0; k < n; ++k) {
                const auto& t = group.tracts[static_cast<std::size_t>(rnd.between(0, static_cast<int>(group.tracts.size()) - 1))];
                Well w;
                w.grp = group.number;
                w.pdid = next_pdid();
                w.at = near(rnd, tract_point(t.u, t.v), 600.0);
                w.acres = std::min(480.0, irrigated * weight[static_cast<std::size_t>(k)] / total);
                year.wells.push_back(w);
            }
        }
    }
    for (auto& w : year.wells) {
        w.capacity = rnd.real(300.0, 1800.0);
        w.source = rnd.chance(0.15) ? "CO" : "GW";
        w.pumping = w.acres * rnd.real(0.5, 1.6);
        w.ret = w.pumping * rnd.real(0.08, 0.30);
        if (rnd.chance(size.idle_share)) w.pumping = w.ret = 0.0;
    }

    // Records set apart, each on a different well of an authorized group.
    std::vector<bool> taken(year.wells.size(), false);
    auto another_well = [&]() -> Well& {
        for (;;) {
            const auto k = static_cast<std::size_t>(rnd.between(0, static_cast<int>(year.wells.size()) - 1));
            const Well& w = year.wells[k];
            const bool authorized_group = std::any_of(groups.begin(), groups.end(), [&](const Group& gr) {
                return gr.number == w.grp && gr.kind == Kind::authorized;
            });
            if (!taken[k] && authorized_group) {
                taken[k] = true;
                return year.wells[k];
            }
        }
    };
    for (int k = 0; k < size.unlocated_wells; ++k) another_well().at = {0.0, 0.0};
    for (int k = 0; k < size.wells_beyond_boundary; ++k) move_to_inactive(rnd, g, another_well().at);
    for (int k = 0; k < size.negative_pumping; ++k) {
        Well& w = another_well();  // a meter correction carried into this year
        w.pumping = -rnd.real(2.0, 40.0);
        w.ret = 0.0;
        w.acres = 0.0;
    }
    for (int k = 0; k < size.negative_return; ++k) another_well().ret = -rnd.real(0.5, 6.0);

    // The exchange area: the wells nearest its centre, and a few retired
    // wells whose identifiers are still on its list.
    std::vector<std::pair<double, int>> by_distance;
    for (const auto& w : year.wells) {
        const double dx = w.at.x - exchange_centre.x;
        const double dy = w.at.y - exchange_centre.y;
        by_distance.emplace_back(dx * dx + dy * dy, w.pdid);
    }
    std::sort(by_distance.begin(), by_distance.end());
    for (int k = 0; k < size.exchange_wells && k < static_cast<int>(by_distance.size()); ++k) {
        year.exchange.push_back(by_distance[static_cast<std::size_t>(k)].second);
    }
    for (int k = 0; k < size.exchange_retired; ++k) {
        year.exchange.push_back(year.exchange[static_cast<std::size_t>(rnd.between(0, size.exchange_wells - 1))] + 1);
    }
    std::sort(year.exchange.begin(), year.exchange.end());

    // Municipal and industrial wells, clustered in towns; the first towns are
    // cities with larger wells. No cell is given more than 8000 acre-feet.
    std::vector<double> mi_cell(static_cast<std::size_t>(g.nrow * g.ncol), 0.0);
    int system = 3100005;
    for (int town = 0; town < size.towns; ++town) {
        system += rnd.between(3, 90);
        const Point centre = pick_cell(rnd, g, [&](int col, int row, Point) { return g.active(col, row); });
        const int n = rnd.between(size.town_wells_lo, size.town_wells_hi);
        for (int k = 1; k <= n; ++k) {
            MiWell w;
            w.system = system;
            w.number = k;
            w.at = near(rnd, centre, 1.2 * g.cell);
            w.depth = rnd.real(80.0, 420.0);
            w.capacity = rnd.real(100.0, 1500.0);
            w.consumed = rnd.real(0.1, 0.6);
            w.amount = town < size.cities ? rnd.real(300.0, 1500.0) : rnd.real(5.0, 250.0);
            if (rnd.chance(0.02)) w.amount = 0.0;  // a standby well
            const auto [col, row] = g.locate(w.at);
            if (g.active(col, row)) {
                double& sum = mi_cell[g.index(col, row)];
                w.amount = std::min(w.amount, 8000.0 - sum);
                sum += w.amount;
            }
            year.mi.push_back(w);
        }
    }
    // A few town wells just outside the active area.
    for (int k = 0; k < size.mi_beyond_boundary && !year.mi.empty(); ++k) {
        move_to_inactive(rnd, g, year.mi[static_cast<std::size_t>(rnd.between(0, static_cast<int>(year.mi.size()) - 1))].at);
    }
    // Wells of systems outside the model: east of the grid, and one without a location.
    for (int k = 0; k < size.mi_outside; ++k) {
        MiWell w;
        system += rnd.between(3, 90);
        w.system = system;
        w.number = 1;
        if (k == 0) {
            w.at = {0.0, 0.0};
        } else {
            w.at = {g.xorigin + (g.ncol + rnd.real(2.0, 20.0)) * g.cell, g.yorigin + rnd.real(0.0, g.nrow) * g.cell};
        }
        w.depth = rnd.real(80.0, 420.0);
        w.capacity = rnd.real(100.0, 1500.0);
        w.consumed = rnd.real(0.1, 0.6);
        w.amount = rnd.real(5.0, 250.0);
        year.mi.push_back(w);
    }

    year.groups = std::move(groups);
    return year;
}

// --------------------------------------------------------------- writing

class Output {
public:
    explicit Output(const std::filesystem::path& path) : path_(path.string()), file_(std::fopen(path_.c_str(), "wb")) {
        if (file_ == nullptr) {
            std::fprintf(stderr, "make_year: cannot write '%s'\n", path_.c_str());
            std::exit(1);
        }
        std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() {
        if (std::fclose(file_) != 0) {
            std::fprintf(stderr, "make_year: error writing '%s'\n", path_.c_str());
            std::exit(1);
        }
    }
    std::FILE* get() const { return file_; }

private:
    std::string path_;
    std::FILE* file_;
};

// A grid as rows of two-character fields, 326 to a record.
void write_int_grid(std::FILE* f, const Grid& g, const std::vector<int>& values) {
    for (int row = 1; row <= g.nrow; ++row) {
        for (int col = 1; col <= g.ncol; ++col) {
            std::fprintf(f, "%2d", values[g.index(col, row)]);
            if (col % 326 == 0 && col != g.ncol) std::fputc('\n', f);
        }
        std::fputc('\n', f);
    }
}

void write_static(const std::filesystem::path& dir, const Size& size, const Year& year) {
    const Grid& g = year.grid;
    {
        Output out(dir / "tessadro.par");
        std::fprintf(out.get(), "%d %d   nrow ncol\n", g.nrow, g.ncol);
        std::fprintf(out.get(), "%.1f %.1f   delx dely (ft)\n", g.cell, g.cell);
        std::fprintf(out.get(), "%.1f %.1f   xorigin yorigin (ft, south-west corner)\n", g.xorigin, g.yorigin);
    }
    {
        Output out(dir / "02.ibound");
        write_int_grid(out.get(), g, g.ibound);
    }
    {
        Output out(dir / "cty.flg");
        std::fprintf(out.get(), "county numbers by cell, %d rows x %d columns, (326i2)\n", g.nrow, g.ncol);
        write_int_grid(out.get(), g, g.county);
    }
    {
        // Share of the season's irrigation water by month, May to October:
        // a common pattern peaking in July and August, varied by county.
        static const std::array<double, 6> pattern = {0.07, 0.15, 0.27, 0.27, 0.17, 0.07};
        static const std::array<const char*, 22> head = {"Ash", "Bel", "Cor", "Dun", "Elm", "Fair", "Glen", "Har",
                                                         "Iron", "Jun", "Kear", "Lin", "Mar", "North", "Oak",
                                                         "Pal", "Red", "Sal", "Tal", "Val", "Wil", "York"};
        static const std::array<const char*, 8> tail = {"ton", "ford", "ville", "wood", "field", "ley", "burg", "dale"};
        Random rnd(size.seed ^ 0xFAC7U);
        Output out(dir / "monthlyfactorsbycounty.txt");
        for (int k = 1; k <= 44; ++k) {
            std::array<double, 6> f{};
            double sum = 0.0;
            for (std::size_t m = 0; m < 6; ++m) sum += (f[m] = pattern[m] * rnd.real(0.85, 1.15));
            std::fprintf(out.get(), "%d", k);
            for (double value : f) std::fprintf(out.get(), ",%.4f", value / sum);
            std::fprintf(out.get(), ",%s%s\n", head[static_cast<std::size_t>(k * 7 % 22)], tail[static_cast<std::size_t>(k % 8)]);
        }
    }
    {
        Output out(dir / "queltapdivs.txt");
        std::fprintf(out.get(), "%d\n", static_cast<int>(year.exchange.size()));
        for (int id : year.exchange) std::fprintf(out.get(), "%d\n", id);
    }
    {
        // Tract points, by township, range, section and tract.
        std::vector<std::pair<int, int>> where(static_cast<std::size_t>(kTractColumns * kTractRows));
        auto slot = [](const TractId& t) {
            return static_cast<std::size_t>((((t.twnshp - 1) * kRanges + (t.range - 1)) * 36 + (t.sect - 1)) * 16 + (t.tract - 1));
        };
        for (int v = 0; v < kTractRows; ++v) {
            for (int u = 0; u < kTractColumns; ++u) where[slot(tract_at(u, v))] = {u, v};
        }
        std::vector<bool> listed(where.size(), size.all_tracts);
        if (!size.all_tracts) {
            // Every tract of each section that the year's authorized acres use.
            for (const auto& group : year.groups) {
                for (const auto& t : group.tracts) {
                    const TractId id = tract_at(t.u, t.v);
                    for (int k = 1; k <= 16; ++k) listed[slot({id.twnshp, id.range, id.sect, k})] = true;
                }
            }
        }
        Output out(dir / "40coords.dat");
        for (std::size_t k = 0; k < where.size(); ++k) {
            if (!listed[k]) continue;
            const auto [u, v] = where[k];
            const TractId t = tract_at(u, v);
            const Point p = tract_point(u, v);
            std::fprintf(out.get(), "%d %d %d %d %.2f %.2f\n", t.twnshp, t.range, t.sect, t.tract, p.x, p.y);
        }
    }
}

void write_year(const std::filesystem::path& dir, const std::string& name, const Year& year) {
    {
        Output out(dir / ("authacres" + name + ".txt"));
        for (const auto& group : year.groups) {
            for (const auto& t : group.tracts) {
                const TractId id = tract_at(t.u, t.v);
                std::fprintf(out.get(), "%d,%d,%d,%d,%d,%.2f\n", group.number, id.twnshp, id.range, id.sect, id.tract, t.acres);
            }
        }
    }
    {
        Output out(dir / ("tessadro" + name + ".txt"));
        for (const auto& w : year.wells) {
            std::fprintf(out.get(), "%d %d %.2f %.2f %.1f %s %.2f %.2f %.2f\n", w.grp, w.pdid, w.at.x, w.at.y, w.capacity,
                         w.source, w.pumping, w.ret, w.acres);
        }
    }
    {
        Output out(dir / (name + "mi.txt"));
        for (const auto& w : year.mi) {
            std::fprintf(out.get(), "%d %d %.2f %.2f %.1f %.1f %.2f %.2f\n", w.system, w.number, w.at.x, w.at.y, w.depth,
                         w.capacity, w.consumed, w.amount);
        }
    }
}

// N pumping records in place of the year's, for measuring how the run and the
// report grow with the pumping file alone: the wells of authorized groups that
// pump on an active cell inside the survey, none set apart, repeated in turn,
// each copy with its share of the well's amounts, so that every cell keeps
// about its pumping, return flow and acres and no record is a problem.
void repeat_clean_wells(Year& year, long count) {
    const Grid& g = year.grid;
    std::vector<Well> clean;
    for (const Well& w : year.wells) {
        const auto group = std::find_if(year.groups.begin(), year.groups.end(),
                                        [&](const Group& gr) { return gr.number == w.grp; });
        int u = 0, v = 0;
        if (group == year.groups.end() || group->kind != Kind::authorized) continue;
        if (!(w.pumping > 0.0 && w.ret >= 0.0 && w.acres >= 0.0) || !g.active_at(w.at) || !tract_of(w.at, u, v)) continue;
        clean.push_back(w);
    }
    if (clean.empty() || count <= 0) {
        year.wells.clear();
        return;
    }
    const double share = static_cast<double>(clean.size()) / static_cast<double>(count);
    year.wells.clear();
    year.wells.reserve(static_cast<std::size_t>(count));
    for (long k = 0; k < count; ++k) {
        Well w = clean[static_cast<std::size_t>(k) % clean.size()];
        w.pumping *= share;
        w.ret *= share;
        w.acres *= share;
        year.wells.push_back(w);
    }
}

int usage() {
    std::fprintf(stderr, "usage: make_year <dir> <year> [--size full|example] [--wells N]\n"
                         "       make_year <dir> <year> --edge SEED\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) return usage();
    const Size* size = &kFull;
    long wells = -1;  // the year's own
    for (int k = 3; k + 1 < argc; k += 2) {
        if (std::strcmp(argv[k], "--size") == 0 && std::strcmp(argv[k + 1], "full") == 0) {
            size = &kFull;
        } else if (std::strcmp(argv[k], "--size") == 0 && std::strcmp(argv[k + 1], "example") == 0) {
            size = &kExample;
        } else if (std::strcmp(argv[k], "--edge") == 0 && argc == 5) {
            char* end = nullptr;
            const unsigned long seed = std::strtoul(argv[k + 1], &end, 10);
            if (*end != '\0') return usage();
            std::printf("%s\n", write_edge_year(argv[1], argv[2], static_cast<std::uint32_t>(seed)).c_str());
            return 0;
        } else if (std::strcmp(argv[k], "--wells") == 0) {
            char* end = nullptr;
            wells = std::strtol(argv[k + 1], &end, 10);
            if (*end != '\0' || wells < 0) return usage();
        } else {
            return usage();
        }
    }
    const std::filesystem::path dir = argv[1];
    const std::string name = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(dir / "static", ec);
    if (ec) {
        std::fprintf(stderr, "make_year: cannot create '%s': %s\n", (dir / "static").string().c_str(), ec.message().c_str());
        return 1;
    }
    Year year = make_year(*size);
    if (wells >= 0) repeat_clean_wells(year, wells);
    write_static(dir / "static", *size, year);
    write_year(dir, name, year);
    return 0;
}
