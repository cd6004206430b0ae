#include "report/survey_extent.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>

namespace tessadro {
namespace {

// The box of the points given four at a time, each in a lane of its own that
// the processor handles side by side with the others: per lane the least and
// greatest x and y of the points so far, starting at the infinities, which
// the first point replaces. The lanes' bounds then bound the whole (a plus
// and a minus zero, which the lanes may keep in either order, differ in no
// comparison).
class ExtentLanes {
public:
    void add(const float* x, const float* y) {
        Floats xs, ys;
        std::memcpy(&xs, x, sizeof xs);
        std::memcpy(&ys, y, sizeof ys);
        const Bits point = ((xs != 0.0f) | (ys != 0.0f)) & (magnitude(xs) < inf) & (magnitude(ys) < inf);
        points_ |= point;
        xmin_ = pick(point & (xs < xmin_), xs, xmin_);
        xmax_ = pick(point & (xmax_ < xs), xs, xmax_);
        ymin_ = pick(point & (ys < ymin_), ys, ymin_);
        ymax_ = pick(point & (ymax_ < ys), ys, ymax_);
    }
    bool known() const { return (points_[0] | points_[1] | points_[2] | points_[3]) != 0; }
    float xmin() const { return least(xmin_); }
    float xmax() const { return -least(-xmax_); }
    float ymin() const { return least(ymin_); }
    float ymax() const { return -least(-ymax_); }

private:
    using Floats = float __attribute__((vector_size(16)));
    using Bits = std::int32_t __attribute__((vector_size(16)));  // all ones where true
    static constexpr float inf = std::numeric_limits<float>::infinity();

    static Floats magnitude(Floats v) { return reinterpret_cast<Floats>(reinterpret_cast<Bits>(v) & 0x7fffffff); }
    static Floats pick(Bits where, Floats a, Floats b) {
        return reinterpret_cast<Floats>((where & reinterpret_cast<Bits>(a)) | (~where & reinterpret_cast<Bits>(b)));
    }
    static float least(Floats v) { return std::min({v[0], v[1], v[2], v[3]}); }

    Bits points_ = {0, 0, 0, 0};
    Floats xmin_ = {inf, inf, inf, inf}, xmax_ = {-inf, -inf, -inf, -inf};
    Floats ymin_ = {inf, inf, inf, inf}, ymax_ = {-inf, -inf, -inf, -inf};
};

}  // namespace

SurveyExtent survey_extent(const TractCoords& coords) {
    const auto& xs = coords.xcoord;
    const auto& ys = coords.ycoord;
    // Township by township along storage: one checked run of the table for
    // each range, section and tract, four points at a time. A point that is
    // not a number marks no extent.
    static_assert(TractCoords::extents[0] % 4 == 0);
    ExtentLanes lanes;
    for (std::int32_t k = 1; k <= xs.extent(3); ++k) {
        for (std::int32_t s = 1; s <= xs.extent(2); ++s) {
            for (std::int32_t r = 1; r <= xs.extent(1); ++r) {
                const std::span<const float> xrun = xs.run(xs.extent(0), r, s, k);
                const std::span<const float> yrun = ys.run(ys.extent(0), r, s, k);
                for (std::size_t t = 0; t + 4 <= xrun.size(); t += 4) lanes.add(xrun.data() + t, yrun.data() + t);
            }
        }
    }
    if (!lanes.known()) return {};
    return {true, lanes.xmin(), lanes.xmax(), lanes.ymin(), lanes.ymax()};
}

}  // namespace tessadro
