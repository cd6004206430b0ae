#include "run/coords_ahead.hpp"

#include <filesystem>
#include <new>
#include <system_error>

#include "text/run_error.hpp"
#include "tracts/tract_coords.hpp"

namespace tessadro {

CoordinatesAhead::CoordinatesAhead(const RunText& text, TractCoords& coords) : text_(text), coords_(coords) {
    std::error_code ec;
    if (std::thread::hardware_concurrency() < 2 ||
        !std::filesystem::is_regular_file(text.static_path("40coords.dat"), ec)) {
        return;
    }
    try {
        worker_ = std::thread([this] {
            try {
                load_tract_coords(text_, coords_);
            } catch (const std::bad_alloc&) {
                // Located here, where the record being read is known.
                failure_ = std::make_exception_ptr(out_of_memory());
            } catch (...) {
                failure_ = std::current_exception();
            }
            flags_ = raised_flags();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the phase reads the file in its turn.
    }
}

CoordinatesAhead::~CoordinatesAhead() {
    if (worker_.joinable()) worker_.join();
}

void CoordinatesAhead::finish() {
    if (!worker_.joinable()) {
        read_tract_coords(text_, coords_);
        return;
    }
    announce_tract_coords();
    worker_.join();
    raise_flags(flags_);
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace tessadro
