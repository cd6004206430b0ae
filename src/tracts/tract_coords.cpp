#include "tracts/tract_coords.hpp"

#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

void read_tract_coords(const RunText& text, TractCoords& coords) {
    write_list(console(), {"..reading coordinates of 40-acre tracts"});
    InputFile file(text.static_path("40coords.dat"), unit::tracts);
    std::int32_t twnshp = 0, range = 0, sect = 0, tract = 0;
    float x = 0.0f, y = 0.0f;
    while (read_record(file, {twnshp, range, sect, tract, x, y})) {
        coords.xcoord(twnshp, range, sect, tract) = x;
        coords.ycoord(twnshp, range, sect, tract) = y;
    }
}

}  // namespace tessadro
