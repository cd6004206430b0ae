#include "run/coords_ahead.hpp"

#include <filesystem>
#include <new>
#include <system_error>

#include "model/static_files.hpp"
#include "text/run_error.hpp"
#include "tracts/tract_coords.hpp"

namespace tessadro {

CoordinatesAhead::CoordinatesAhead(const RunText& text, TractCoords& coords, bool threaded, bool wanted_early)
    : text_(text), coords_(coords), reader_(threaded) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(text.static_path(tract_points_file), ec)) return;
    if (!threaded && !wanted_early) return;
    // Read on this thread, the flags that the reading raises stay raised
    // here, which is where the phase raises them anyway; a run that fails
    // before the phase writes no note on them.
    reader_.start([this] {
        try {
            load_tract_coords(text_, coords_);
        } catch (const std::bad_alloc&) {
            // Located here, where the record being read is known.
            throw out_of_memory();
        }
    });
    ahead_ = true;
}

const TractCoords* CoordinatesAhead::ready() {
    if (!ahead_ || !reader_.ended_well()) return nullptr;
    return &coords_;
}

void CoordinatesAhead::finish() {
    if (!ahead_) {
        read_tract_coords(text_, coords_);
        return;
    }
    announce_tract_coords();
    reader_.join();
}

}  // namespace tessadro
