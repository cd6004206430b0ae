#include "run/coords_ahead.hpp"

#include <filesystem>
#include <new>
#include <system_error>

#include "text/run_error.hpp"
#include "tracts/tract_coords.hpp"

namespace tessadro {

CoordinatesAhead::CoordinatesAhead(const RunText& text, TractCoords& coords, bool wanted_early)
    : text_(text), coords_(coords) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(text.static_path("40coords.dat"), ec)) return;
    if (std::thread::hardware_concurrency() >= 2) {
        try {
            worker_ = std::thread([this] {
                load();
                flags_ = raised_flags();
            });
            ahead_ = true;
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the phase reads the file in its turn.
        }
    }
    if (!wanted_early) return;
    // The flags that this reading raises stay raised on this thread, which
    // is where the phase raises them anyway; a run that fails before the
    // phase writes no note on them.
    load();
    ahead_ = true;
}

CoordinatesAhead::~CoordinatesAhead() {
    if (worker_.joinable()) worker_.join();
}

void CoordinatesAhead::load() {
    try {
        load_tract_coords(text_, coords_);
    } catch (const std::bad_alloc&) {
        // Located here, where the record being read is known.
        failure_ = std::make_exception_ptr(out_of_memory());
    } catch (...) {
        failure_ = std::current_exception();
    }
}

const TractCoords* CoordinatesAhead::ready() {
    if (!ahead_) return nullptr;
    if (worker_.joinable()) worker_.join();
    return failure_ ? nullptr : &coords_;
}

void CoordinatesAhead::finish() {
    if (!ahead_) {
        read_tract_coords(text_, coords_);
        return;
    }
    announce_tract_coords();
    if (worker_.joinable()) worker_.join();
    raise_flags(flags_);
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace tessadro
