#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// The survey's extent: the box of the tract points of 40coords.dat (a tract
// it does not list stands at (0, 0) and is no point, nor is a point that is
// not a number), widened by half a tract, 660 ft, on each side. A well
// outside it is far from every tract its group may own.
struct SurveyExtent {
    bool known = false;  // not when the file marks no point
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool holds(float x, float y) const {
        return x >= xmin - 660.0f && x <= xmax + 660.0f && y >= ymin - 660.0f && y <= ymax + 660.0f;
    }
};

SurveyExtent survey_extent(const TractCoords& coords);

}  // namespace tessadro
