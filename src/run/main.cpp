#include <cstdio>
#include <exception>

#include "run/run.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace {

// Console lines written before the failure go out first; a console that
// cannot be written to must not hide the report itself.
void flush_console() {
    try {
        tessadro::console().flush();
    } catch (const std::exception&) {
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc != 3) {
            tessadro::print_usage();
            return 0;
        }
        tessadro::run(argv[1], argv[2]);
    } catch (const tessadro::RunError& e) {
        flush_console();
        std::fprintf(stderr, "%s\n%s%s\n", e.location().c_str(), tessadro::error_prefix, e.what());
        return 2;
    } catch (const std::exception& e) {
        flush_console();
        std::fprintf(stderr, "Internal error: %s\n", e.what());
        return 3;
    }
    return 0;
}
