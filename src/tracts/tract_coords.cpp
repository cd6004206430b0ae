#include "tracts/tract_coords.hpp"

#include "model/static_files.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

void announce_tract_coords() { write_list(console(), {"..reading coordinates of 40-acre tracts"}); }

void read_tract_coords(const RunText& text, TractCoords& coords) {
    announce_tract_coords();
    load_tract_coords(text, coords);
}

void load_tract_coords(const RunText& text, TractCoords& coords) {
    InputFile file(text.static_path(tract_points_file), unit::tracts, Reading::streamed, text.listener);
    std::int32_t twnshp = 0, range = 0, sect = 0, tract = 0;
    float x = 0.0f, y = 0.0f;
    while (read_record(file, {twnshp, range, sect, tract, x, y})) {
        coords.xcoord(twnshp, range, sect, tract) = x;
        coords.ycoord(twnshp, range, sect, tract) = y;
    }
}

}  // namespace tessadro
